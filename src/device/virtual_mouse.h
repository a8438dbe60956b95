// A model of the mouse's side of the protocol behind the HidSystem seam. It presents the
// mouse's HID interfaces (and, for tests, foreign devices) to discovery, starts like a mouse
// fresh from the factory, keeps every block it is sent, answers the read commands, can be
// unplugged and plugged again, and can write a trace of every report it sees. Used by
// --virtual-mouse, gm900ctl --virtual and the tests.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "device/device_command.h"
#include "device/device_config.h"
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

// One HID interface as the virtual system presents it.
struct VirtualHidInterface {
  std::wstring path;
  HidAttributes attributes;
  HidCaps caps;
  bool ofMouse = false;  // disappears while the mouse is unplugged
};

class VirtualMouse : public HidSystem {
 public:
  static const std::wstring kCommandPath;
  static const std::wstring kEventPath;
  static const std::wstring kPointerPath;
  static constexpr std::uint16_t kVendorId = 0x04D9;
  static constexpr std::uint16_t kProductId = 0xA100;
  static constexpr std::uint16_t kVersionNumber = 0x0100;
  static constexpr std::uint16_t kInputReportLength = 65;
  static constexpr std::uint16_t kOutputReportLength = 65;
  static constexpr std::uint16_t kEventReportLength = 8;

  static VirtualHidInterface CommandInterface();
  static VirtualHidInterface EventInterface();
  static VirtualHidInterface PointerInterface();  // the ordinary mouse interface; not used
  // The name a device-interface notification carries for a path (ids in upper case).
  static std::wstring NotificationName(const std::wstring& path);

  VirtualMouse();

  void SetTrace(Trace* trace) { trace_ = trace; }
  const VirtualMouseMemory& memory() const { return memory_; }
  VirtualMouseMemory& memory() { return memory_; }

  // The interfaces of the system in enumeration order: by default the mouse's pointer, event
  // and command interfaces. Tests reorder it or add foreign devices.
  std::vector<VirtualHidInterface>& enumeration() { return enumeration_; }

  // Unplugged, the mouse's interfaces are not enumerated and cannot be opened, and every
  // handle opened before fails its I/O for good, as handles of a vanished device do. The
  // mouse keeps what it was sent.
  void Unplug();
  void Plug();
  bool plugged() const { return plugged_; }

  // A report the mouse sends on its event interface (for example 06 07 01 03 for DPI stage 3).
  // It completes a pending read of the event interface or waits for the next one. Safe to
  // call from any thread, like every other member.
  void InjectEventReport(std::vector<std::uint8_t> report);

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
  struct PendingRead {
    HidHandle handle;
    std::span<std::uint8_t> buffer;
    WakeEvent* wake;
    std::size_t transferred;
    bool done;
  };

  struct InterfaceSnapshot {
    std::vector<VirtualHidInterface> interfaces;  // present when the set was taken
    std::optional<std::size_t> current;
  };
  struct OpenHandle {
    VirtualHidInterface target;
    unsigned plugGeneration = 0;
  };

  bool IsPresent(const VirtualHidInterface& candidate) const;
  // The handle's record while it still reaches a present device, else null.
  const OpenHandle* Live(HidHandle handle) const;
  bool IsCommandHandle(HidHandle handle) const;
  void Execute(const DeviceCommand& command);
  std::uint8_t* BlockFor(const DeviceCommand& command);
  void ResetTransfers();
  bool IsEventHandle(HidHandle handle) const;
  // Finishes the pending event read with the report, or with nothing (a failed read).
  void CompletePendingRead(std::optional<std::vector<std::uint8_t>> report);

  // The window thread sends commands, the listener thread reads events and a test or the
  // control channel injects events: one lock keeps them apart.
  mutable std::recursive_mutex mutex_;
  std::deque<std::vector<std::uint8_t>> eventQueue_;
  std::optional<PendingRead> pendingRead_;

  VirtualMouseMemory memory_;
  Trace* trace_ = nullptr;
  std::vector<VirtualHidInterface> enumeration_;
  bool plugged_ = true;
  unsigned plugGeneration_ = 0;  // advanced by every unplug
  std::map<HidInterfaceSet, InterfaceSnapshot> sets_;
  std::map<HidHandle, OpenHandle> open_;
  std::map<HidPreparsedData, HidCaps> preparsed_;
  std::intptr_t nextId_ = 0x100;  // handles, sets and preparsed data share one counter

  std::optional<DeviceCommand> reply_;   // answer to the last read command
  std::uint8_t* writeTarget_ = nullptr;  // block receiving the announced output reports
  std::size_t writeLength_ = 0;
  std::size_t writeOffset_ = 0;
  std::optional<SettingsBlock> readSource_;  // block being read back in input reports
  std::size_t readOffset_ = 0;
};

}  // namespace gm
