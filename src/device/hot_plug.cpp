#include "device/hot_plug.h"

#include "device/device_events.h"
#include "device/virtual_mouse.h"

namespace gm {

bool IsMouseInterfaceName(std::wstring_view name) {
  return name.find(L"Vid_04d9&Pid_a100") != std::wstring_view::npos ||
         name.find(L"VID_04D9&PID_A100") != std::wstring_view::npos;
}

int DeviceChangeHandler::OnDeviceChange(std::uint32_t event, std::uint32_t deviceType,
                                        std::wstring_view interfaceName) {
  if (deviceType != kDbtDevtypDeviceInterface || !IsMouseInterfaceName(interfaceName)) return 1;
  if (event == kDbtDeviceArrival) {
    OnArrival();
  } else if (event == kDbtDeviceRemoveComplete) {
    OnRemoval();
  }
  return 1;
}

void DeviceChangeHandler::OnArrival() {
  if (!Discover(hid_, session_, hooks_)) {
    ReportMouseGone();
    return;
  }
  actions_.SendDeviceEvent(kEventMouseDetected, 0);
  session_.connectedFlag = 1;
  CommandLink link(hid_, host_, session_.link);
  if (connect_) connect_(link);
  actions_.ClearSelectionAndHover();
  actions_.ReloadConfiguration();
  actions_.ResumeListener();
}

void DeviceChangeHandler::OnRemoval() {
  // Another interface of the mouse may still be present.
  if (!Discover(hid_, session_, hooks_)) {
    ReportMouseGone();
    return;
  }
  session_.connectedFlag = 1;
}

void DeviceChangeHandler::ReportMouseGone() {
  actions_.SendDeviceEvent(kEventMouseNotDetected, 0);
  actions_.ClearSelectionAndHover();
  actions_.HideMainWindow();
  session_.connectedFlag = 0;
}

void DeviceChangeHandler::OnVirtualMouse(bool plugged) {
  OnDeviceChange(plugged ? kDbtDeviceArrival : kDbtDeviceRemoveComplete, kDbtDevtypDeviceInterface,
                 VirtualMouse::NotificationName(VirtualMouse::kCommandPath));
}

}  // namespace gm
