// The four desktop pointer settings that a Save or Reset hands to the platform.
#pragma once

#include <array>
#include <cstdint>

#include "config/records.h"
#include "platform/desktop_settings.h"
#include "platform/host.h"

namespace gm {

struct PointerSettings {
  std::array<int, 3> mouse{};       // thresholds and acceleration
  std::uint32_t speed = 0;          // 1 for position 1, else 2p - 2
  std::uint32_t wheelLines = 0;     // 0xFFFFFFFF for one screen at a time
  std::uint32_t doubleClickMs = 0;  // 900 - (d - 1) x 70
};

inline constexpr std::uint32_t kScrollOneScreen = 0xFFFFFFFFu;
inline constexpr std::uint32_t kMinMouseSpeed = 1;
inline constexpr std::uint32_t kMaxMouseSpeed = 20;

PointerSettings PointerSettingsOf(const SettingsRecord& record);

// Makes the four calls in order; each failure shows its own warning and the next call is
// still made.
void ApplyPointerSettings(const SettingsRecord& record, DesktopSettings& desktop, Host& host);

}  // namespace gm
