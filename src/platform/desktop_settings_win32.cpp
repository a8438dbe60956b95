#include <windows.h>

#include "platform/win32_desktop_settings.h"

namespace gm {

bool Win32DesktopSettings::SetMouse(const std::array<int, 3>& thresholdsAndAcceleration,
                                    unsigned flags) {
  std::array<int, 3> values = thresholdsAndAcceleration;
  return SystemParametersInfoW(SPI_SETMOUSE, 0, values.data(), flags) != FALSE;
}

bool Win32DesktopSettings::SetMouseSpeed(std::uint32_t speed, unsigned flags) {
  // The speed itself goes in the pointer parameter, not a pointer to it.
  return SystemParametersInfoW(SPI_SETMOUSESPEED, 0,
                               reinterpret_cast<PVOID>(static_cast<UINT_PTR>(speed)),
                               flags) != FALSE;
}

bool Win32DesktopSettings::SetWheelScrollLines(std::uint32_t lines, unsigned flags) {
  return SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, lines, nullptr, flags) != FALSE;
}

bool Win32DesktopSettings::SetDoubleClickTime(std::uint32_t milliseconds, unsigned flags) {
  return SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, milliseconds, nullptr, flags) != FALSE;
}

}  // namespace gm
