// HidSystem over SetupDi and the Windows HID class driver.
#pragma once

#include "platform/hid_system.h"

namespace gm {

class Win32HidSystem : public HidSystem {
 public:
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
};

}  // namespace gm
