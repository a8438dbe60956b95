// What the program does when a HID device interface arrives or is removed.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>

#include "device/command_link.h"
#include "device/device_session.h"
#include "device/discovery.h"
#include "platform/hid_system.h"
#include "platform/host.h"

namespace gm {

// WM_DEVICECHANGE events and broadcast type that matter here.
inline constexpr std::uint32_t kDbtDeviceArrival = 0x8000;
inline constexpr std::uint32_t kDbtDeviceRemoveComplete = 0x8004;
inline constexpr std::uint32_t kDbtDevtypDeviceInterface = 5;

// True when a device interface name carries the mouse's ids in one of the two spellings
// Windows uses; the search is case-sensitive, so other mixtures of case do not match.
bool IsMouseInterfaceName(std::wstring_view name);

// The steps of a device change that belong to the main window.
class DeviceChangeActions {
 public:
  virtual ~DeviceChangeActions() = default;
  // Hands a device event (code, value) to the main window and waits until it is handled.
  virtual void SendDeviceEvent(std::uint8_t code, std::uint8_t value) = 0;
  virtual void HideMainWindow() = 0;
  // Closes the button menus and puts back what is lit: they were decided on the record of a
  // mouse that is gone, and a reload replaces it.
  virtual void ClearSelectionAndHover() = 0;
  // Loads the configuration files and the button captions again, and redraws a shown window.
  virtual void ReloadConfiguration() = 0;
  // If the listener thread exists: resumes it for good and marks it running.
  virtual void ResumeListener() = 0;
};

class DeviceChangeHandler {
 public:
  // connect: runs the connect sequence on a newly found mouse and keeps what it read.
  DeviceChangeHandler(HidSystem& hid, Host& host, DeviceSession& session, DiscoveryHooks hooks,
                      DeviceChangeActions& actions, std::function<void(CommandLink&)> connect)
      : hid_(hid),
        host_(host),
        session_(session),
        hooks_(std::move(hooks)),
        actions_(actions),
        connect_(std::move(connect)) {}

  // One WM_DEVICECHANGE: the event (wParam), the broadcast's device type and, for a device
  // interface, its name. Only arrivals and removals of the mouse's interfaces do anything.
  // Always returns 1 (TRUE).
  int OnDeviceChange(std::uint32_t event, std::uint32_t deviceType,
                     std::wstring_view interfaceName);
  // The virtual mouse was plugged in or pulled out: the notification Windows would send.
  void OnVirtualMouse(bool plugged);

 private:
  void OnArrival();
  void OnRemoval();
  void ReportMouseGone();

  HidSystem& hid_;
  Host& host_;
  DeviceSession& session_;
  DiscoveryHooks hooks_;
  DeviceChangeActions& actions_;
  std::function<void(CommandLink&)> connect_;
};

}  // namespace gm
