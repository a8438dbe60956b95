// The HID device interface class, for SetupDi enumeration and device-interface notifications.
// Included only by Win32 sources, after <windows.h>.
#pragma once

namespace gm {

// {4D1E55B2-F16F-11CF-88CB-001111000030}
inline constexpr GUID kHidInterfaceClassGuid = {
    0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

}  // namespace gm
