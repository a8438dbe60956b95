// A HidSystem that writes every report crossing another HidSystem to a trace, in the trace's
// own format: reports sent as they are sent, reports received as they arrived. Lets a real
// mouse be traced like the virtual one.
#pragma once

#include <algorithm>

#include "device/trace.h"
#include "platform/hid_system.h"

namespace gm {

class TracingHidSystem : public HidSystem {
 public:
  TracingHidSystem(HidSystem& inner, Trace& trace) : inner_(inner), trace_(trace) {}

  HidInterfaceSet OpenInterfaceSet() override { return inner_.OpenInterfaceSet(); }
  void CloseInterfaceSet(HidInterfaceSet set) override { inner_.CloseInterfaceSet(set); }
  HidEnumResult EnumerateInterface(HidInterfaceSet set, std::uint32_t index) override {
    return inner_.EnumerateInterface(set, index);
  }
  bool ReadInterfacePath(HidInterfaceSet set, std::wstring& path) override {
    return inner_.ReadInterfacePath(set, path);
  }
  HidHandle Open(const std::wstring& path, HidOpenMode mode) override {
    return inner_.Open(path, mode);
  }
  void Close(HidHandle handle) override { inner_.Close(handle); }
  bool GetAttributes(HidHandle handle, HidAttributes& attributes) override {
    return inner_.GetAttributes(handle, attributes);
  }
  HidPreparsedData GetPreparsedData(HidHandle handle) override {
    return inner_.GetPreparsedData(handle);
  }
  HidCapsStatus GetCaps(HidPreparsedData preparsed, HidCaps& caps) override {
    return inner_.GetCaps(preparsed, caps);
  }
  void FreePreparsedData(HidPreparsedData preparsed) override {
    inner_.FreePreparsedData(preparsed);
  }

  bool SetFeature(HidHandle handle, std::span<const std::uint8_t> report) override {
    trace_.Report("set-feature", report);
    return inner_.SetFeature(handle, report);
  }
  bool GetFeature(HidHandle handle, std::span<std::uint8_t> report) override {
    const bool ok = inner_.GetFeature(handle, report);
    if (ok) trace_.Report("get-feature", report);
    return ok;
  }
  bool WriteReport(HidHandle handle, std::span<const std::uint8_t> report) override {
    trace_.Report("write", report);
    return inner_.WriteReport(handle, report);
  }
  std::size_t ReadReport(HidHandle handle, std::span<std::uint8_t> report) override {
    const std::size_t transferred = inner_.ReadReport(handle, report);
    if (transferred > 0) trace_.Report("read", report.first(std::min(transferred, report.size())));
    return transferred;
  }
  // The event interface's reports are the listener's, not the command link's: not traced.
  bool StartEventRead(HidHandle handle, std::span<std::uint8_t> buffer, WakeEvent& wake) override {
    return inner_.StartEventRead(handle, buffer, wake);
  }
  std::size_t FinishEventRead(HidHandle handle) override { return inner_.FinishEventRead(handle); }

 private:
  HidSystem& inner_;
  Trace& trace_;
};

}  // namespace gm
