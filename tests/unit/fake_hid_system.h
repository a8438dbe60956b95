// A HidSystem of made-up interfaces for discovery: each interface can fail at any step of
// the walk, every call is logged, and leaks or double closes fail the test. Report I/O is not
// its business: any such call fails the test.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "device/discovery.h"
#include "platform/hid_system.h"

namespace gm::test {

struct FakeInterface {
  std::wstring path;
  HidAttributes attributes;
  HidCaps caps;
  // Failure points, in the order the walk meets them.
  HidEnumResult enumResult = HidEnumResult::Ok;  // what enumerating this index answers
  bool pathFails = false;
  bool probeFails = false;
  bool attributesFail = false;
  bool preparsedFails = false;
  HidCapsStatus capsStatus = HidCapsStatus::Success;
  bool eventOpenFails = false;
  bool commandOpenFails = false;
};

inline FakeInterface MouseEventInterface(std::wstring path = L"mouse-event") {
  return {path, {kMouseVendorId, kMouseProductId, 0x0100}, {kEventUsage, kEventUsagePage, 8, 0, 0}};
}
inline FakeInterface MouseCommandInterface(std::wstring path = L"mouse-command") {
  return {path,
          {kMouseVendorId, kMouseProductId, 0x0100},
          {kCommandUsage, kCommandUsagePage, 65, 65, kCommandFeatureReportLength}};
}
inline FakeInterface ForeignInterface(std::wstring path = L"foreign") {
  return {path, {0x845E, 0x0001, 0x0001}, {0x0002, 0x0001, 5, 0, 0}};
}

class FakeHidSystem : public HidSystem {
 public:
  HidInterfaceSet OpenInterfaceSet() override {
    log.push_back("take-set");
    if (setFails) return kInvalidHidInterfaceSet;
    ++setsOpen;
    current_.reset();
    return 7;
  }
  void CloseInterfaceSet(HidInterfaceSet set) override {
    log.push_back("destroy-set");
    EXPECT_EQ(set, 7);
    --setsOpen;
  }
  HidEnumResult EnumerateInterface(HidInterfaceSet, std::uint32_t index) override {
    log.push_back("enum " + std::to_string(index));
    if (index >= interfaces.size()) return HidEnumResult::NoMoreItems;
    const HidEnumResult result = interfaces[index].enumResult;
    if (result == HidEnumResult::Ok) current_ = index;  // on error the last one stays current
    return result;
  }
  bool ReadInterfacePath(HidInterfaceSet, std::wstring& path) override {
    if (!current_ || interfaces[*current_].pathFails) return false;
    path = interfaces[*current_].path;
    return true;
  }

  HidHandle Open(const std::wstring& path, HidOpenMode mode) override {
    static const char* const kModes[] = {"probe", "event", "command"};
    log.push_back(std::string("open ") + kModes[static_cast<int>(mode)] + " " + Narrow(path));
    const FakeInterface* found = Find(path);
    if (found == nullptr) return kInvalidHidHandle;
    if ((mode == HidOpenMode::Probe && found->probeFails) ||
        (mode == HidOpenMode::EventRead && found->eventOpenFails) ||
        (mode == HidOpenMode::CommandAccess && found->commandOpenFails)) {
      return kInvalidHidHandle;
    }
    const HidHandle handle = nextHandle_++;
    open[handle] = *found;
    return handle;
  }
  void Close(HidHandle handle) override {
    auto it = open.find(handle);
    if (it == open.end()) {
      ADD_FAILURE() << "closing a handle that is not open: " << handle;
      return;
    }
    log.push_back("close " + Narrow(it->second.path));
    open.erase(it);
  }

  bool GetAttributes(HidHandle handle, HidAttributes& attributes) override {
    const FakeInterface& target = open.at(handle);
    if (target.attributesFail) return false;
    attributes = target.attributes;
    return true;
  }
  HidPreparsedData GetPreparsedData(HidHandle handle) override {
    const FakeInterface& target = open.at(handle);
    log.push_back("preparsed " + Narrow(target.path));
    if (target.preparsedFails) return kNoHidPreparsedData;
    const HidPreparsedData preparsed = nextHandle_++;
    preparsed_[preparsed] = target;
    return preparsed;
  }
  HidCapsStatus GetCaps(HidPreparsedData preparsed, HidCaps& caps) override {
    const FakeInterface& target = preparsed_.at(preparsed);
    if (target.capsStatus == HidCapsStatus::Success) caps = target.caps;
    return target.capsStatus;
  }
  void FreePreparsedData(HidPreparsedData preparsed) override {
    EXPECT_EQ(preparsed_.erase(preparsed), 1u) << "freeing unknown preparsed data";
  }

  bool SetFeature(HidHandle, std::span<const std::uint8_t>) override { return Unexpected(); }
  bool GetFeature(HidHandle, std::span<std::uint8_t>) override { return Unexpected(); }
  bool WriteReport(HidHandle, std::span<const std::uint8_t>) override { return Unexpected(); }
  std::size_t ReadReport(HidHandle, std::span<std::uint8_t>) override { return Unexpected(); }
  bool StartEventRead(HidHandle, std::span<std::uint8_t>, WakeEvent&) override {
    return Unexpected();
  }
  std::size_t FinishEventRead(HidHandle) override { return Unexpected(); }

  // Lines of the log that start with `prefix`.
  std::vector<std::string> Calls(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const auto& line : log) {
      if (line.rfind(prefix, 0) == 0) found.push_back(line);
    }
    return found;
  }
  std::size_t outstandingPreparsed() const { return preparsed_.size(); }
  std::wstring PathOf(HidHandle handle) const {
    auto it = open.find(handle);
    return it == open.end() ? L"" : it->second.path;
  }

  std::vector<FakeInterface> interfaces;
  bool setFails = false;
  std::vector<std::string> log;
  std::map<HidHandle, FakeInterface> open;
  int setsOpen = 0;

 private:
  static std::string Narrow(const std::wstring& text) { return {text.begin(), text.end()}; }
  const FakeInterface* Find(const std::wstring& path) const {
    for (const auto& candidate : interfaces) {
      if (candidate.path == path) return &candidate;
    }
    return nullptr;
  }
  bool Unexpected() {
    ADD_FAILURE() << "discovery does no report I/O";
    return false;
  }

  std::optional<std::size_t> current_;
  std::map<HidPreparsedData, FakeInterface> preparsed_;
  HidHandle nextHandle_ = 0x10;
};

}  // namespace gm::test
