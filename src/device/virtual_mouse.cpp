#include "device/virtual_mouse.h"

#include <algorithm>

namespace gm {

const std::wstring VirtualMouse::kCommandPath =
    L"\\\\?\\hid#vid_04d9&pid_a100&mi_01#virtual&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
const std::wstring VirtualMouse::kEventPath =
    L"\\\\?\\hid#vid_04d9&pid_a100&mi_02#virtual&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
const std::wstring VirtualMouse::kPointerPath =
    L"\\\\?\\hid#vid_04d9&pid_a100&mi_00#virtual&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";

namespace {

constexpr HidAttributes kMouseAttributes{VirtualMouse::kVendorId, VirtualMouse::kProductId,
                                         VirtualMouse::kVersionNumber};

}  // namespace

VirtualHidInterface VirtualMouse::CommandInterface() {
  HidCaps caps;
  caps.usage = 0xFF00;
  caps.usagePage = 0xFF00;
  caps.inputReportLength = kInputReportLength;
  caps.outputReportLength = kOutputReportLength;
  caps.featureReportLength = static_cast<std::uint16_t>(kFeatureReportLength);
  return {kCommandPath, kMouseAttributes, caps, true};
}

VirtualHidInterface VirtualMouse::EventInterface() {
  HidCaps caps;
  caps.usage = 0x0001;
  caps.usagePage = 0xFF01;
  caps.inputReportLength = kEventReportLength;
  return {kEventPath, kMouseAttributes, caps, true};
}

VirtualHidInterface VirtualMouse::PointerInterface() {
  HidCaps caps;
  caps.usage = 0x0002;  // generic desktop: mouse
  caps.usagePage = 0x0001;
  caps.inputReportLength = 8;
  return {kPointerPath, kMouseAttributes, caps, true};
}

std::wstring VirtualMouse::NotificationName(const std::wstring& path) {
  // Windows spells the hardware-id part ("HID#VID_04D9&PID_A100&MI_01") in upper case.
  std::wstring name = path;
  const std::size_t first = name.find(L'#');
  const std::size_t second = first == std::wstring::npos ? first : name.find(L'#', first + 1);
  const std::size_t end = second == std::wstring::npos ? name.size() : second;
  for (std::size_t i = 0; i < end; ++i) {
    if (name[i] >= L'a' && name[i] <= L'z') name[i] = static_cast<wchar_t>(name[i] - L'a' + L'A');
  }
  return name;
}

VirtualMouse::VirtualMouse()
    : enumeration_{PointerInterface(), EventInterface(), CommandInterface()} {
  memory_.settingsBlocks.fill(kSettingsTemplate);
}

void VirtualMouse::Unplug() {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  CompletePendingRead(std::nullopt);
  eventQueue_.clear();
  plugged_ = false;
  ++plugGeneration_;
  ResetTransfers();
}

void VirtualMouse::Plug() {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  plugged_ = true;
}

bool VirtualMouse::IsPresent(const VirtualHidInterface& candidate) const {
  return plugged_ || !candidate.ofMouse;
}

HidInterfaceSet VirtualMouse::OpenInterfaceSet() {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  InterfaceSnapshot snapshot;
  for (const auto& candidate : enumeration_) {
    if (IsPresent(candidate)) snapshot.interfaces.push_back(candidate);
  }
  const HidInterfaceSet set = nextId_++;
  sets_[set] = std::move(snapshot);
  return set;
}

void VirtualMouse::CloseInterfaceSet(HidInterfaceSet set) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  sets_.erase(set);
}

HidEnumResult VirtualMouse::EnumerateInterface(HidInterfaceSet set, std::uint32_t index) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto it = sets_.find(set);
  if (it == sets_.end()) return HidEnumResult::OtherError;
  if (index >= it->second.interfaces.size()) return HidEnumResult::NoMoreItems;
  it->second.current = index;
  return HidEnumResult::Ok;
}

bool VirtualMouse::ReadInterfacePath(HidInterfaceSet set, std::wstring& path) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto it = sets_.find(set);
  if (it == sets_.end() || !it->second.current) return false;
  path = it->second.interfaces[*it->second.current].path;
  return true;
}

HidHandle VirtualMouse::Open(const std::wstring& path, HidOpenMode mode) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  (void)mode;
  const auto found =
      std::find_if(enumeration_.begin(), enumeration_.end(),
                   [&](const VirtualHidInterface& i) { return i.path == path && IsPresent(i); });
  if (found == enumeration_.end()) return kInvalidHidHandle;
  const HidHandle handle = nextId_++;
  open_[handle] = {*found, plugGeneration_};
  return handle;
}

void VirtualMouse::Close(HidHandle handle) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  // Closing a handle cancels its pending read, as Windows does.
  if (pendingRead_ && pendingRead_->handle == handle) CompletePendingRead(std::nullopt);
  open_.erase(handle);
}

const VirtualMouse::OpenHandle* VirtualMouse::Live(HidHandle handle) const {
  auto it = open_.find(handle);
  if (it == open_.end()) return nullptr;
  const OpenHandle& record = it->second;
  if (record.target.ofMouse && (!plugged_ || record.plugGeneration != plugGeneration_)) {
    return nullptr;
  }
  return &record;
}

bool VirtualMouse::GetAttributes(HidHandle handle, HidAttributes& attributes) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  const OpenHandle* record = Live(handle);
  if (record == nullptr) return false;
  attributes = record->target.attributes;
  return true;
}

HidPreparsedData VirtualMouse::GetPreparsedData(HidHandle handle) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  const OpenHandle* record = Live(handle);
  if (record == nullptr) return kNoHidPreparsedData;
  const HidPreparsedData preparsed = nextId_++;
  preparsed_[preparsed] = record->target.caps;
  return preparsed;
}

HidCapsStatus VirtualMouse::GetCaps(HidPreparsedData preparsed, HidCaps& caps) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  auto it = preparsed_.find(preparsed);
  if (it == preparsed_.end()) return HidCapsStatus::InvalidPreparsedData;
  caps = it->second;
  return HidCapsStatus::Success;
}

void VirtualMouse::FreePreparsedData(HidPreparsedData preparsed) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  preparsed_.erase(preparsed);
}

bool VirtualMouse::IsCommandHandle(HidHandle handle) const {
  const OpenHandle* record = Live(handle);
  return record != nullptr && record->target.path == kCommandPath;
}

void VirtualMouse::ResetTransfers() {
  reply_.reset();
  writeTarget_ = nullptr;
  readSource_.reset();
}

bool VirtualMouse::SetFeature(HidHandle handle, std::span<const std::uint8_t> report) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
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
  ResetTransfers();
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
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  if (!IsCommandHandle(handle) || report.size() < kFeatureReportLength) return false;
  std::fill(report.begin(), report.end(), std::uint8_t{0});
  if (reply_) std::copy(reply_->bytes.begin(), reply_->bytes.end(), report.begin() + 1);
  reply_.reset();
  if (trace_ != nullptr) trace_->Report("get-feature", report);
  return true;
}

bool VirtualMouse::WriteReport(HidHandle handle, std::span<const std::uint8_t> report) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
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
  std::lock_guard<std::recursive_mutex> lock(mutex_);
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

bool VirtualMouse::IsEventHandle(HidHandle handle) const {
  const OpenHandle* record = Live(handle);
  return record != nullptr && record->target.path == kEventPath;
}

void VirtualMouse::CompletePendingRead(std::optional<std::vector<std::uint8_t>> report) {
  if (!pendingRead_ || pendingRead_->done) return;
  std::size_t count = 0;
  if (report) {
    count = std::min(report->size(), pendingRead_->buffer.size());
    std::copy_n(report->begin(), count, pendingRead_->buffer.begin());
  }
  pendingRead_->transferred = count;
  pendingRead_->done = true;
  pendingRead_->wake->Set();
}

void VirtualMouse::InjectEventReport(std::vector<std::uint8_t> report) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  if (!plugged_) return;  // nothing reaches the host from a mouse that is not there
  if (report.size() < kEventReportLength) report.resize(kEventReportLength, 0);
  if (trace_ != nullptr) trace_->Report("event", report);
  if (pendingRead_ && !pendingRead_->done) {
    CompletePendingRead(std::move(report));
  } else {
    eventQueue_.push_back(std::move(report));
  }
}

bool VirtualMouse::StartEventRead(HidHandle handle, std::span<std::uint8_t> buffer,
                                  WakeEvent& wake) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  if (!IsEventHandle(handle)) return false;
  pendingRead_ = PendingRead{handle, buffer, &wake, 0, false};
  if (!eventQueue_.empty()) {
    auto report = std::move(eventQueue_.front());
    eventQueue_.pop_front();
    CompletePendingRead(std::move(report));
  }
  return true;
}

std::size_t VirtualMouse::FinishEventRead(HidHandle handle) {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  if (!pendingRead_ || pendingRead_->handle != handle) return 0;
  // A read still running is cancelled: the next report waits in the queue for the next read.
  const std::size_t transferred = pendingRead_->done ? pendingRead_->transferred : 0;
  pendingRead_.reset();
  return transferred;
}

}  // namespace gm
