#include "platform/hidapi_hid_system.h"

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <utility>

namespace gm {
namespace {

constexpr std::uint16_t kVendorId = 0x04D9;
constexpr std::uint16_t kProductId = 0xA100;

// The lengths the protocol gives the mouse's collections (report id byte included).
HidCaps CapsOf(const HidapiDeviceInfo& info) {
  HidCaps caps;
  caps.usage = info.usage;
  caps.usagePage = info.usagePage;
  if (info.usagePage == 0xFF00 && info.usage == 0xFF00) {  // command interface
    caps.featureReportLength = 9;
    caps.inputReportLength = 65;
    caps.outputReportLength = 65;
  } else if (info.usagePage == 0xFF01 && info.usage == 0x0001) {  // event interface
    caps.inputReportLength = 8;
  }
  return caps;
}

// hidraw paths are bytes; each byte becomes one character and back, so nothing is lost.
std::wstring Widen(const std::string& text) {
  std::wstring wide;
  for (const char c : text) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return wide;
}

std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (const wchar_t c : text) narrow.push_back(static_cast<char>(c & 0xFF));
  return narrow;
}

}  // namespace

HidapiHidSystem::HidapiHidSystem(HidapiFunctions functions, int readTimeoutMs)
    : hid_(std::move(functions)), readTimeoutMs_(readTimeoutMs) {}

HidapiHidSystem::~HidapiHidSystem() {
  for (auto& [handle, open] : open_) {
    if (open.device != nullptr) hid_.close(open.device);
  }
}

void HidapiHidSystem::Fail(const std::string& sentence) {
  if (failure_.empty()) failure_ = sentence;
}

void HidapiHidSystem::IoFailed(const OpenDevice& open, const std::string& what) {
  ioBroken_ = true;
  Fail("the mouse stopped answering (" + what + " on " + open.info.path +
       " failed); was it unplugged?");
}

HidInterfaceSet HidapiHidSystem::OpenInterfaceSet() {
  if (!initialised_) {
    if (hid_.init() != 0) {
      Fail("hidapi could not be initialised");
      return kInvalidHidInterfaceSet;
    }
    initialised_ = true;
  }
  const HidInterfaceSet set = nextId_++;
  sets_[set].entries = hid_.enumerate(kVendorId, kProductId);
  for (const HidapiDeviceInfo& entry : sets_[set].entries) known_[entry.path] = entry;
  return set;
}

void HidapiHidSystem::CloseInterfaceSet(HidInterfaceSet set) {
  sets_.erase(set);
}

HidEnumResult HidapiHidSystem::EnumerateInterface(HidInterfaceSet set, std::uint32_t index) {
  auto found = sets_.find(set);
  if (found == sets_.end() || index >= found->second.entries.size()) {
    return HidEnumResult::NoMoreItems;
  }
  found->second.current = index;
  current_ = found->second.entries[index];
  return HidEnumResult::Ok;
}

bool HidapiHidSystem::ReadInterfacePath(HidInterfaceSet set, std::wstring& path) {
  auto found = sets_.find(set);
  if (found == sets_.end() || !found->second.current) return false;
  path = Widen(found->second.entries[*found->second.current].path);
  return true;
}

HidHandle HidapiHidSystem::Open(const std::wstring& widePath, HidOpenMode mode) {
  const std::string path = Narrow(widePath);
  OpenDevice open;
  if (current_ && current_->path == path) {
    open.info = *current_;
  } else if (auto found = known_.find(path); found != known_.end()) {
    open.info = found->second;
  } else {
    return kInvalidHidHandle;  // not a node of the mouse
  }
  open.mode = mode;
  if (mode != HidOpenMode::Probe) {
    open.device = hid_.openPath(path);
    if (open.device == nullptr) {
      const int error = hid_.openError(path);
      if (error == EACCES || error == EPERM) {
        permissionDenied_ = failure_.empty();
        Fail("no permission to open " + path +
             ", a HID node of the QL-GM900; install the udev rule 70-ql-gm900.rules (see the "
             "README) and plug the mouse in again, or run gm900ctl as root");
      } else {
        Fail("cannot open " + path + ": " +
             (error != 0 ? std::generic_category().message(error) : "hidapi refused it"));
      }
      return kInvalidHidHandle;
    }
  }
  const HidHandle handle = nextId_++;
  open_[handle] = std::move(open);
  return handle;
}

void HidapiHidSystem::Close(HidHandle handle) {
  auto found = open_.find(handle);
  if (found == open_.end()) return;
  if (found->second.device != nullptr) hid_.close(found->second.device);
  open_.erase(found);
}

bool HidapiHidSystem::GetAttributes(HidHandle handle, HidAttributes& attributes) {
  auto found = open_.find(handle);
  if (found == open_.end()) return false;
  attributes = {found->second.info.vendorId, found->second.info.productId,
                found->second.info.releaseNumber};
  return true;
}

HidPreparsedData HidapiHidSystem::GetPreparsedData(HidHandle handle) {
  auto found = open_.find(handle);
  if (found == open_.end()) return kNoHidPreparsedData;
  const HidPreparsedData preparsed = nextId_++;
  preparsed_[preparsed] = found->second.info;
  return preparsed;
}

HidCapsStatus HidapiHidSystem::GetCaps(HidPreparsedData preparsed, HidCaps& caps) {
  auto found = preparsed_.find(preparsed);
  if (found == preparsed_.end()) return HidCapsStatus::InvalidPreparsedData;
  caps = CapsOf(found->second);
  return HidCapsStatus::Success;
}

void HidapiHidSystem::FreePreparsedData(HidPreparsedData preparsed) {
  preparsed_.erase(preparsed);
}

HidapiHidSystem::OpenDevice* HidapiHidSystem::Usable(HidHandle handle) {
  auto found = open_.find(handle);
  if (ioBroken_ || found == open_.end() || found->second.device == nullptr) return nullptr;
  return &found->second;
}

bool HidapiHidSystem::SetFeature(HidHandle handle, std::span<const std::uint8_t> report) {
  OpenDevice* open = Usable(handle);
  if (open == nullptr) return false;
  if (hid_.sendFeatureReport(open->device, report.data(), report.size()) < 0) {
    IoFailed(*open, "a feature report");
    return false;
  }
  return true;
}

bool HidapiHidSystem::GetFeature(HidHandle handle, std::span<std::uint8_t> report) {
  OpenDevice* open = Usable(handle);
  if (open == nullptr || report.empty()) return false;
  const std::uint8_t reportId = report[0];
  const int got = hid_.getFeatureReport(open->device, report.data(), report.size());
  // For a report without a number the kernel leaves byte 0 to chance; Windows gives the id.
  report[0] = reportId;
  if (got < 0) {
    IoFailed(*open, "reading a feature report");
    return false;
  }
  if (static_cast<std::size_t>(got) < report.size()) {
    Fail(open->info.path + ": the mouse answered a command with " + std::to_string(got) + " of " +
         std::to_string(report.size()) + " bytes");
  }
  return true;
}

bool HidapiHidSystem::WriteReport(HidHandle handle, std::span<const std::uint8_t> report) {
  OpenDevice* open = Usable(handle);
  if (open == nullptr) return false;
  if (hid_.write(open->device, report.data(), report.size()) < 0) {
    IoFailed(*open, "writing a data report");
    return false;
  }
  return true;
}

std::size_t HidapiHidSystem::ReadReport(HidHandle handle, std::span<std::uint8_t> report) {
  OpenDevice* open = Usable(handle);
  if (open == nullptr || report.size() < 2) return 0;
  // The command interface's reports are not numbered: hidraw gives the data alone.
  report[0] = 0;
  const int got =
      hid_.readTimeout(open->device, report.data() + 1, report.size() - 1, readTimeoutMs_);
  if (got < 0) {
    IoFailed(*open, "reading a data report");
    return 0;
  }
  const std::size_t transferred = static_cast<std::size_t>(got) + 1;
  if (got == 0) {
    Fail(open->info.path + ": the mouse sent no data within " + std::to_string(readTimeoutMs_) +
         " ms");
    return 0;
  }
  if (transferred < report.size()) {
    Fail(open->info.path + ": the mouse sent a data report of " + std::to_string(transferred) +
         " of " + std::to_string(report.size()) + " bytes");
  }
  return transferred;
}

bool HidapiHidSystem::StartEventRead(HidHandle handle, std::span<std::uint8_t> buffer,
                                     WakeEvent& wake) {
  // hidapi has no overlapped read: the read is done here, with the time-out, and the wake
  // event is set when it is over.
  OpenDevice* open = Usable(handle);
  if (open == nullptr) return false;
  const int got = hid_.readTimeout(open->device, buffer.data(), buffer.size(), readTimeoutMs_);
  if (got < 0) IoFailed(*open, "reading an event report");
  open->lastEventRead = got > 0 ? static_cast<std::size_t>(got) : 0;
  wake.Set();
  return true;
}

std::size_t HidapiHidSystem::FinishEventRead(HidHandle handle) {
  auto found = open_.find(handle);
  return found == open_.end() ? 0 : std::exchange(found->second.lastEventRead, 0);
}

}  // namespace gm
