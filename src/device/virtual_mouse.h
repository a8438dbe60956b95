// A model of the mouse's side of the protocol behind the HidSystem seam. It starts like a
// mouse fresh from the factory, keeps every block it is sent, answers the read commands and
// can write a trace of every report it sees. Used by --virtual-mouse, gm900ctl --virtual and
// the tests.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "config/records.h"
#include "device/device_command.h"
#include "device/trace.h"
#include "platform/hid_system.h"

namespace gm {

// What the mouse keeps.
struct VirtualMouseMemory {
  std::array<SettingsBlock, DeviceConfig::kProfileCount> settingsBlocks{};
  KeyTable keyTable{};
  std::array<MacroBlock, kMacroCount> macros{};
  std::uint8_t profile = 0;
  std::uint8_t reportRateCode = 1;
  std::uint8_t connectArgument = 0;
  unsigned rejectedCommands = 0;  // feature reports with a bad report id or checksum
};

class VirtualMouse : public HidSystem {
 public:
  static const std::wstring kCommandPath;
  static const std::wstring kEventPath;
  static constexpr std::uint16_t kVendorId = 0x04D9;
  static constexpr std::uint16_t kProductId = 0xA100;
  static constexpr std::uint16_t kInputReportLength = 65;
  static constexpr std::uint16_t kEventReportLength = 8;

  VirtualMouse();

  void SetTrace(Trace* trace) { trace_ = trace; }
  const VirtualMouseMemory& memory() const { return memory_; }
  VirtualMouseMemory& memory() { return memory_; }

  HidHandle Open(const std::wstring& path, HidOpenMode mode) override;
  void Close(HidHandle handle) override;
  bool SetFeature(HidHandle handle, std::span<const std::uint8_t> report) override;
  bool GetFeature(HidHandle handle, std::span<std::uint8_t> report) override;
  bool WriteReport(HidHandle handle, std::span<const std::uint8_t> report) override;
  std::size_t ReadReport(HidHandle handle, std::span<std::uint8_t> report) override;

 private:
  enum class Interface { Command, Event };

  bool IsCommandHandle(HidHandle handle) const;
  void Execute(const DeviceCommand& command);
  std::uint8_t* BlockFor(const DeviceCommand& command);

  VirtualMouseMemory memory_;
  Trace* trace_ = nullptr;
  std::map<HidHandle, Interface> open_;
  HidHandle nextHandle_ = 0x100;

  std::optional<DeviceCommand> reply_;   // answer to the last read command
  std::uint8_t* writeTarget_ = nullptr;  // block receiving the announced output reports
  std::size_t writeLength_ = 0;
  std::size_t writeOffset_ = 0;
  std::optional<SettingsBlock> readSource_;  // block being read back in input reports
  std::size_t readOffset_ = 0;
};

}  // namespace gm
