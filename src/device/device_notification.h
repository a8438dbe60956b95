// Device-interface notifications of the Windows front end: registering the main window for
// HID interface arrivals and removals, and reading a WM_DEVICECHANGE message. Windows only;
// the decision about the message is DeviceChangeHandler's.
#pragma once

#include <cstdint>
#include <string>

namespace gm {

// Registers `window` (an HWND) for notifications about HID device interfaces. False when the
// system refuses; the caller reports it.
bool RegisterHidInterfaceNotifications(void* window);

// The parts of a WM_DEVICECHANGE that DeviceChangeHandler looks at.
struct DeviceChangeMessage {
  std::uint32_t event = 0;
  std::uint32_t deviceType = 0;  // 0 when the message carries no broadcast
  std::wstring interfaceName;    // only for device-interface broadcasts
};

DeviceChangeMessage ReadDeviceChangeMessage(std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace gm
