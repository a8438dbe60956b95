// HidSystem over SetupDi and the Windows HID class driver.
#pragma once

#include <memory>

#include "platform/hid_system.h"

namespace gm {

class Win32HidSystem : public HidSystem {
 public:
  Win32HidSystem();
  ~Win32HidSystem() override;

  HidInterfaceSet OpenInterfaceSet() override;
  void CloseInterfaceSet(HidInterfaceSet set) override;
  HidEnumResult EnumerateInterface(HidInterfaceSet set, std::uint32_t index) override;
  bool ReadInterfacePath(HidInterfaceSet set, std::wstring& path) override;

  HidHandle Open(const std::wstring& path, HidOpenMode mode) override;
  void Close(HidHandle handle) override;

  bool GetAttributes(HidHandle handle, HidAttributes& attributes) override;
  HidPreparsedData GetPreparsedData(HidHandle handle) override;
  HidCapsStatus GetCaps(HidPreparsedData preparsed, HidCaps& caps) override;
  void FreePreparsedData(HidPreparsedData preparsed) override;

  bool SetFeature(HidHandle handle, std::span<const std::uint8_t> report) override;
  bool GetFeature(HidHandle handle, std::span<std::uint8_t> report) override;
  bool WriteReport(HidHandle handle, std::span<const std::uint8_t> report) override;
  std::size_t ReadReport(HidHandle handle, std::span<std::uint8_t> report) override;
  bool StartEventRead(HidHandle handle, std::span<std::uint8_t> buffer, WakeEvent& wake) override;
  std::size_t FinishEventRead(HidHandle handle) override;

 private:
  struct OverlappedRead;  // the OVERLAPPED of the one event read in flight
  std::unique_ptr<OverlappedRead> eventRead_;
};

}  // namespace gm
