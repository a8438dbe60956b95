// A device behind the HidSystem seam that answers from the fuzzer's input: every feature
// reply and every input report has a random length and random bytes, and any call may fail.
// It records what it is sent. Enumeration is not its business: discovery is not fuzzed here.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "fuzz_support.h"
#include "platform/hid_system.h"

namespace gm::fuzz {

class ScriptedDevice : public HidSystem {
 public:
  explicit ScriptedDevice(Input& in) : in_(in) {}

  HidInterfaceSet OpenInterfaceSet() override { return kInvalidHidInterfaceSet; }
  void CloseInterfaceSet(HidInterfaceSet) override {}
  HidEnumResult EnumerateInterface(HidInterfaceSet, std::uint32_t) override {
    return HidEnumResult::NoMoreItems;
  }
  bool ReadInterfacePath(HidInterfaceSet, std::wstring&) override { return false; }
  HidHandle Open(const std::wstring&, HidOpenMode) override { return kInvalidHidHandle; }
  void Close(HidHandle) override {}
  bool GetAttributes(HidHandle, HidAttributes&) override { return false; }
  HidPreparsedData GetPreparsedData(HidHandle) override { return kNoHidPreparsedData; }
  HidCapsStatus GetCaps(HidPreparsedData, HidCaps&) override { return HidCapsStatus::OtherFailure; }
  void FreePreparsedData(HidPreparsedData) override {}

  bool SetFeature(HidHandle, std::span<const std::uint8_t> report) override {
    features.emplace_back(report.begin(), report.end());
    return in_.Byte() % 8 != 0;
  }
  bool GetFeature(HidHandle, std::span<std::uint8_t> report) override {
    return Answer(report) != 0;
  }
  bool WriteReport(HidHandle, std::span<const std::uint8_t> report) override {
    writes.emplace_back(report.begin(), report.end());
    return in_.Byte() % 8 != 0;
  }
  std::size_t ReadReport(HidHandle, std::span<std::uint8_t> report) override {
    readSizes.push_back(report.size());
    return Answer(report);
  }
  bool StartEventRead(HidHandle, std::span<std::uint8_t> buffer, WakeEvent& wake) override {
    if (in_.Byte() % 16 == 0) return false;
    pending_ = buffer;
    wake.Set();
    return true;
  }
  std::size_t FinishEventRead(HidHandle) override {
    const std::size_t count = Answer(pending_);
    pending_ = {};
    return count;
  }

  std::vector<std::vector<std::uint8_t>> features;
  std::vector<std::vector<std::uint8_t>> writes;
  std::vector<std::size_t> readSizes;

 private:
  // Fills the start of the report with a random number of random bytes (a device may send
  // more or less than asked for; the driver keeps what fits) and returns how many.
  std::size_t Answer(std::span<std::uint8_t> report) {
    const auto bytes = in_.ShortBytes();
    const std::size_t count = std::min(bytes.size(), report.size());
    std::copy_n(bytes.begin(), count, report.begin());
    return count;
  }

  Input& in_;
  std::span<std::uint8_t> pending_;
};

}  // namespace gm::fuzz
