#include <windows.h>
// dbt.h needs the types of windows.h first.
#include <dbt.h>

#include <algorithm>
#include <cstddef>

#include "device/device_notification.h"
#include "platform/hid_class_win32.h"

namespace gm {

bool RegisterHidInterfaceNotifications(void* window) {
  DEV_BROADCAST_DEVICEINTERFACE_W filter{};
  filter.dbcc_size = sizeof(filter);  // 32
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  filter.dbcc_classguid = kHidInterfaceClassGuid;
  return RegisterDeviceNotificationW(static_cast<HWND>(window), &filter,
                                     DEVICE_NOTIFY_WINDOW_HANDLE) != nullptr;
}

DeviceChangeMessage ReadDeviceChangeMessage(std::uintptr_t wParam, std::intptr_t lParam) {
  DeviceChangeMessage message;
  message.event = static_cast<std::uint32_t>(wParam);
  // Some events (DBT_DEVNODES_CHANGED and the like) carry no broadcast at all.
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
  if (header == nullptr) return message;
  message.deviceType = header->dbch_devicetype;
  if (header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE) return message;
  const auto* broadcast = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(lParam);
  // The name runs to its terminating zero, but never past the size the broadcast states.
  const std::size_t nameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
  if (broadcast->dbcc_size <= nameOffset) return message;
  const std::size_t capacity = (broadcast->dbcc_size - nameOffset) / sizeof(wchar_t);
  const wchar_t* name = broadcast->dbcc_name;
  message.interfaceName.assign(name, std::find(name, name + capacity, L'\0'));
  return message;
}

}  // namespace gm
