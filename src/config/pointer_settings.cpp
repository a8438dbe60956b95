#include "config/pointer_settings.h"

namespace gm {

PointerSettings PointerSettingsOf(const SettingsRecord& record) {
  PointerSettings settings;
  settings.mouse = record.at(rec::kPointerPrecision) == 1 ? std::array<int, 3>{6, 10, 1}
                                                          : std::array<int, 3>{0, 0, 0};
  const std::uint32_t p = record.at(rec::kPointerSpeed);
  // Position 0 only comes from a damaged file; like position 1 it gives the slowest speed.
  settings.speed = p <= 1 ? 1 : 2 * p - 2;
  settings.wheelLines =
      record.at(rec::kScrollOneScreen) != 0 ? kScrollOneScreen : record.at(rec::kWheelLines);
  const std::int64_t d = record.at(rec::kDoubleClickSpeed);
  // A damaged position above 13 would give a negative time; the platform's own floor is 0.
  const std::int64_t ms = 900 - (d - 1) * 70;
  settings.doubleClickMs = static_cast<std::uint32_t>(ms < 0 ? 0 : ms);
  return settings;
}

void ApplyPointerSettings(const SettingsRecord& record, DesktopSettings& desktop, Host& host) {
  const PointerSettings settings = PointerSettingsOf(record);
  const auto warn = [&host](const wchar_t* text) { host.ShowMessage(text, L"Warning", kMbOk); };
  if (!desktop.SetMouse(settings.mouse, kSpifSendChange)) warn(L"SETMOUSE failed.");
  // Windows accepts speeds 1-20 only; Wine takes anything. Checked here so that a speed out
  // of range fails the same way on every platform.
  const bool speedInRange = settings.speed >= kMinMouseSpeed && settings.speed <= kMaxMouseSpeed;
  if (!speedInRange || !desktop.SetMouseSpeed(settings.speed, kSpifSendChange)) {
    warn(L"SETMOUSESPEED failed.");
  }
  if (!desktop.SetWheelScrollLines(settings.wheelLines, kSpifSendChange)) {
    warn(L"SETWHEELSCROLLLINES failed.");
  }
  if (!desktop.SetDoubleClickTime(settings.doubleClickMs, kSpifUpdateIniFile | kSpifSendChange)) {
    warn(L"SPI_SETDOUBLECLICKTIME failed.");
  }
}

}  // namespace gm
