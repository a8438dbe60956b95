// DesktopSettings through SystemParametersInfoW.
#pragma once

#include "platform/desktop_settings.h"

namespace gm {

class Win32DesktopSettings : public DesktopSettings {
 public:
  bool SetMouse(const std::array<int, 3>& thresholdsAndAcceleration, unsigned flags) override;
  bool SetMouseSpeed(std::uint32_t speed, unsigned flags) override;
  bool SetWheelScrollLines(std::uint32_t lines, unsigned flags) override;
  bool SetDoubleClickTime(std::uint32_t milliseconds, unsigned flags) override;
};

}  // namespace gm
