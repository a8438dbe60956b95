#include "device/virtual_mouse.h"

#include <algorithm>

namespace gm {

const std::wstring VirtualMouse::kCommandPath =
    L"\\\\?\\hid#vid_04d9&pid_a100&mi_01#virtual&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
const std::wstring VirtualMouse::kEventPath =
    L"\\\\?\\hid#vid_04d9&pid_a100&mi_02#virtual&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";

VirtualMouse::VirtualMouse() {
  memory_.settingsBlocks.fill(kSettingsTemplate);
}

HidHandle VirtualMouse::Open(const std::wstring& path, HidOpenMode mode) {
  Interface kind;
  if (path == kCommandPath) {
    kind = Interface::Command;
  } else if (path == kEventPath) {
    kind = Interface::Event;
  } else {
    return kInvalidHidHandle;
  }
  (void)mode;
  const HidHandle handle = nextHandle_++;
  open_[handle] = kind;
  return handle;
}

void VirtualMouse::Close(HidHandle handle) {
  open_.erase(handle);
}

bool VirtualMouse::IsCommandHandle(HidHandle handle) const {
  auto it = open_.find(handle);
  return it != open_.end() && it->second == Interface::Command;
}

bool VirtualMouse::SetFeature(HidHandle handle, std::span<const std::uint8_t> report) {
  if (trace_ != nullptr) trace_->Report("set-feature", report);
  if (!IsCommandHandle(handle) || report.size() != kFeatureReportLength) return false;
  DeviceCommand command;
  std::copy(report.begin() + 1, report.end(), command.bytes.begin());
  if (report[0] != 0 || !HasValidChecksum(command)) {
    ++memory_.rejectedCommands;
    return true;  // the mouse acknowledges the report but ignores the command
  }
  Execute(command);
  return true;
}

std::uint8_t* VirtualMouse::BlockFor(const DeviceCommand& command) {
  switch (command.code()) {
    case kCmdWriteSettings:
      return memory_.settingsBlocks[memory_.profile % DeviceConfig::kProfileCount].data();
    case kCmdWriteKeyTable:
      return memory_.keyTable.data();
    case kCmdWriteMacro:
      if (command.argument1() >= 1 && command.argument1() <= kMacroCount) {
        return memory_.macros[command.argument1() - 1u].data();
      }
      return nullptr;
    default:
      return nullptr;
  }
}

void VirtualMouse::Execute(const DeviceCommand& command) {
  reply_.reset();
  writeTarget_ = nullptr;
  readSource_.reset();
  switch (command.code()) {
    case kCmdConnect:
      memory_.connectArgument = command.argument1();
      break;
    case kCmdBeginApply:
      break;
    case kCmdSetProfileAndRate:
      if (command.argument1() < DeviceConfig::kProfileCount) memory_.profile = command.argument1();
      memory_.reportRateCode = command.argument2();
      break;
    case kCmdWriteSettings:
    case kCmdWriteKeyTable:
    case kCmdWriteMacro:
      writeTarget_ = BlockFor(command);
      writeLength_ = std::min<std::size_t>(command.argument2(), kBlockSize);
      writeOffset_ = 0;
      break;
    case kCmdReadProfile:
      reply_ = DeviceCommand::Make(kCmdReadProfile, memory_.profile);
      break;
    case kCmdReadSettings:
      reply_ = DeviceCommand::Make(kCmdReadSettings, 0, kBlockSize);
      readSource_ = memory_.settingsBlocks[memory_.profile % DeviceConfig::kProfileCount];
      readOffset_ = 0;
      break;
    default:
      break;
  }
  if (reply_) reply_->bytes[7] = CommandChecksum(*reply_);
}

bool VirtualMouse::GetFeature(HidHandle handle, std::span<std::uint8_t> report) {
  if (!IsCommandHandle(handle) || report.size() < kFeatureReportLength) return false;
  std::fill(report.begin(), report.end(), std::uint8_t{0});
  if (reply_) std::copy(reply_->bytes.begin(), reply_->bytes.end(), report.begin() + 1);
  reply_.reset();
  if (trace_ != nullptr) trace_->Report("get-feature", report);
  return true;
}

bool VirtualMouse::WriteReport(HidHandle handle, std::span<const std::uint8_t> report) {
  if (trace_ != nullptr) trace_->Report("write", report);
  if (!IsCommandHandle(handle) || report.size() != kDataReportLength) return false;
  if (writeTarget_ == nullptr || writeOffset_ >= writeLength_) return true;
  const std::size_t count = std::min(kChunkSize, writeLength_ - writeOffset_);
  std::copy_n(report.begin() + 1, count, writeTarget_ + writeOffset_);
  writeOffset_ += count;
  if (writeOffset_ >= writeLength_) writeTarget_ = nullptr;
  return true;
}

std::size_t VirtualMouse::ReadReport(HidHandle handle, std::span<std::uint8_t> report) {
  if (!IsCommandHandle(handle) || !readSource_ || report.empty()) return 0;
  std::fill(report.begin(), report.end(), std::uint8_t{0});
  const std::size_t count = std::min({kChunkSize, kBlockSize - readOffset_, report.size() - 1});
  std::copy_n(readSource_->begin() + static_cast<std::ptrdiff_t>(readOffset_), count,
              report.begin() + 1);
  readOffset_ += kChunkSize;
  if (readOffset_ >= kBlockSize) readSource_.reset();
  const std::size_t transferred = std::min<std::size_t>(report.size(), kInputReportLength);
  if (trace_ != nullptr) trace_->Report("read", report.first(transferred));
  return transferred;
}

}  // namespace gm
