// A HidSystem that records every report it is given and answers feature and input reports
// from a script, for transfer cases a well-behaved mouse never produces. Enumeration is not
// its business: any such call fails the test.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "platform/hid_system.h"

namespace gm::test {

struct SentReport {
  std::string kind;  // "set-feature", "write"
  std::vector<std::uint8_t> bytes;
};

class ScriptedHid : public HidSystem {
 public:
  HidInterfaceSet OpenInterfaceSet() override {
    ADD_FAILURE() << "unexpected OpenInterfaceSet";
    return kInvalidHidInterfaceSet;
  }
  void CloseInterfaceSet(HidInterfaceSet) override {
    ADD_FAILURE() << "unexpected CloseInterfaceSet";
  }
  HidEnumResult EnumerateInterface(HidInterfaceSet, std::uint32_t) override {
    ADD_FAILURE() << "unexpected EnumerateInterface";
    return HidEnumResult::OtherError;
  }
  bool ReadInterfacePath(HidInterfaceSet, std::wstring&) override {
    ADD_FAILURE() << "unexpected ReadInterfacePath";
    return false;
  }
  bool GetAttributes(HidHandle, HidAttributes&) override {
    ADD_FAILURE() << "unexpected GetAttributes";
    return false;
  }
  HidPreparsedData GetPreparsedData(HidHandle) override {
    ADD_FAILURE() << "unexpected GetPreparsedData";
    return kNoHidPreparsedData;
  }
  HidCapsStatus GetCaps(HidPreparsedData, HidCaps&) override {
    ADD_FAILURE() << "unexpected GetCaps";
    return HidCapsStatus::InvalidPreparsedData;
  }
  void FreePreparsedData(HidPreparsedData) override {
    ADD_FAILURE() << "unexpected FreePreparsedData";
  }

  HidHandle Open(const std::wstring&, HidOpenMode) override { return 1; }
  void Close(HidHandle) override {}
  bool SetFeature(HidHandle, std::span<const std::uint8_t> report) override {
    sent.push_back({"set-feature", {report.begin(), report.end()}});
    return true;
  }
  bool GetFeature(HidHandle, std::span<std::uint8_t> report) override {
    ++featureReads;
    if (featureReplies.empty()) return false;  // leaves the caller's cleared buffer
    const auto reply = featureReplies.front();
    featureReplies.pop_front();
    std::copy_n(reply.begin(), std::min(reply.size(), report.size()), report.begin());
    return true;
  }
  bool WriteReport(HidHandle, std::span<const std::uint8_t> report) override {
    sent.push_back({"write", {report.begin(), report.end()}});
    return true;
  }
  std::size_t ReadReport(HidHandle, std::span<std::uint8_t> report) override {
    readSizes.push_back(report.size());
    if (inputReports.empty()) return 0;
    const auto input = inputReports.front();
    inputReports.pop_front();
    const std::size_t count = std::min(input.size(), report.size());
    std::copy_n(input.begin(), count, report.begin());
    return count;
  }

  // Event reads complete at once with the next scripted event report, or stay pending (and
  // are cancelled, 0 bytes, when finished) when none is left. Strict as the system's one
  // OVERLAPPED requires: a read started while another on the handle is outstanding fails.
  bool StartEventRead(HidHandle handle, std::span<std::uint8_t> buffer, WakeEvent& wake) override {
    if (!outstandingReads_.insert(handle).second) {
      ADD_FAILURE() << "a read started while another on handle " << handle << " is outstanding";
    }
    eventReadHandles.push_back(handle);
    eventReadSizes.push_back(buffer.size());
    pendingBytes = 0;
    if (eventReports.empty()) return true;
    const auto report = eventReports.front();
    eventReports.pop_front();
    pendingBytes = std::min(report.size(), buffer.size());
    std::copy_n(report.begin(), pendingBytes, buffer.begin());
    wake.Set();
    return true;
  }
  std::size_t FinishEventRead(HidHandle handle) override {
    if (outstandingReads_.erase(handle) == 0) ADD_FAILURE() << "no read outstanding on " << handle;
    ++eventReadsCollected;
    return pendingBytes;
  }

  std::deque<std::vector<std::uint8_t>> eventReports;
  std::vector<HidHandle> eventReadHandles;
  std::vector<std::size_t> eventReadSizes;
  std::size_t pendingBytes = 0;
  int eventReadsCollected = 0;

  std::vector<SentReport> sent;
  std::deque<std::vector<std::uint8_t>> featureReplies;
  std::deque<std::vector<std::uint8_t>> inputReports;
  std::vector<std::size_t> readSizes;
  int featureReads = 0;

 private:
  std::set<HidHandle> outstandingReads_;
};

}  // namespace gm::test
