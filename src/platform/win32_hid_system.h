// HidSystem over the Windows HID class driver.
#pragma once

#include "platform/hid_system.h"

namespace gm {

class Win32HidSystem : public HidSystem {
 public:
  HidHandle Open(const std::wstring& path, HidOpenMode mode) override;
  void Close(HidHandle handle) override;
  bool SetFeature(HidHandle handle, std::span<const std::uint8_t> report) override;
  bool GetFeature(HidHandle handle, std::span<std::uint8_t> report) override;
  bool WriteReport(HidHandle handle, std::span<const std::uint8_t> report) override;
  std::size_t ReadReport(HidHandle handle, std::span<std::uint8_t> report) override;
};

}  // namespace gm
