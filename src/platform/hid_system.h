// The HID seam: everything the device link does with the system's HID class driver.
// Implemented with SetupDi/HidD on Windows, by the virtual mouse, and by test fakes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace gm {

using HidHandle = std::intptr_t;
inline constexpr HidHandle kInvalidHidHandle = -1;

// How an interface is opened; each mode is one fixed set of CreateFileW arguments.
enum class HidOpenMode {
  Probe,         // no access rights, share read+write, open existing
  EventRead,     // read, share read+write, open existing, overlapped
  CommandAccess  // read+write, share read+write, open existing, synchronous
};

class HidSystem {
 public:
  virtual ~HidSystem() = default;

  virtual HidHandle Open(const std::wstring& path, HidOpenMode mode) = 0;
  virtual void Close(HidHandle handle) = 0;

  // HidD_SetFeature / HidD_GetFeature with the whole report, report id first.
  virtual bool SetFeature(HidHandle handle, std::span<const std::uint8_t> report) = 0;
  virtual bool GetFeature(HidHandle handle, std::span<std::uint8_t> report) = 0;
  // Synchronous WriteFile of one output report / ReadFile of one input report.
  // Read returns the number of bytes transferred (0 on failure).
  virtual bool WriteReport(HidHandle handle, std::span<const std::uint8_t> report) = 0;
  virtual std::size_t ReadReport(HidHandle handle, std::span<std::uint8_t> report) = 0;
};

}  // namespace gm
