// The byte-exact record the user edits (SettingsRecord) and how its settings block is built;
// the device image it becomes (DeviceConfig, its 128-byte blocks) is the device side's. Plain
// byte arrays with named offsets; every layout is pinned by static assertions.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/device_config.h"

namespace gm {

inline constexpr std::size_t kButtonCount = 19;
inline constexpr std::size_t kDpiStageCount = 7;

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Offsets of the single-byte fields of the settings part.
namespace rec {
inline constexpr std::size_t kProfile = 0;
inline constexpr std::size_t kReportRateCode = 5;
inline constexpr std::size_t kDpiStages = 7;      // 7 bytes, units of 100 DPI
inline constexpr std::size_t kStageEnabled = 15;  // 7 bytes, 0 or 1
inline constexpr std::size_t kStageColours = 23;  // 7 x RGB
inline constexpr std::size_t kLightingMode = 47;  // 1 standard, 2 respiration, 3 neon
inline constexpr std::size_t kBrightness = 48;    // standard-mode brightness position
inline constexpr std::size_t kRespirationPeriod = 49;
inline constexpr std::size_t kNeonPeriod = 50;
inline constexpr std::size_t kPointerPrecision = 51;
inline constexpr std::size_t kScrollOneScreen = 52;
inline constexpr std::size_t kPointerSpeed = 53;
inline constexpr std::size_t kWheelLines = 54;
inline constexpr std::size_t kDoubleClickSpeed = 55;
inline constexpr std::size_t kAngleSnap = 56;
inline constexpr std::size_t kGestureCorrection = 57;
inline constexpr std::size_t kXSensitivity = 59;
inline constexpr std::size_t kYSensitivity = 60;
}  // namespace rec

// Per-button fields: arrays of 19 bytes indexed by the button number.
enum class ButtonField : std::size_t {
  Category = 61,
  DpiAction = 80,
  MediaUsage = 118,
  WindowsAction = 137,
  HotKeyLetter = 213,
  SingleKey = 232,
  ComboModifier = 251,
  ComboKey1 = 270,
  ComboKey2 = 289,
  MacroNumber = 384,
  MacroMode = 403,
};

// One configuration as the user edits it: 422 bytes of settings, then the 19 macro blocks.
struct SettingsRecord {
  static constexpr std::size_t kSettingsSize = 422;
  static constexpr std::size_t kSize = 2854;

  std::array<std::uint8_t, kSettingsSize> settings{};
  std::array<MacroBlock, kMacroCount> macros{};

  std::uint8_t& at(std::size_t offset) { return settings.at(offset); }
  std::uint8_t at(std::size_t offset) const { return settings.at(offset); }

  std::uint8_t& button(ButtonField field, std::size_t button) {
    return settings.at(static_cast<std::size_t>(field) + Checked(button));
  }
  std::uint8_t button(ButtonField field, std::size_t button) const {
    return settings.at(static_cast<std::size_t>(field) + Checked(button));
  }

  // Stage k = 0..6.
  std::uint8_t& dpiStage(std::size_t k) { return settings.at(rec::kDpiStages + CheckedStage(k)); }
  std::uint8_t dpiStage(std::size_t k) const {
    return settings.at(rec::kDpiStages + CheckedStage(k));
  }
  std::uint8_t& stageEnabled(std::size_t k) {
    return settings.at(rec::kStageEnabled + CheckedStage(k));
  }
  std::uint8_t stageEnabled(std::size_t k) const {
    return settings.at(rec::kStageEnabled + CheckedStage(k));
  }
  Rgb stageColour(std::size_t k) const;
  void setStageColour(std::size_t k, Rgb colour);

  // The whole record as the configuration files store it.
  void CopyTo(std::span<std::uint8_t, kSize> out) const;
  void CopyFrom(std::span<const std::uint8_t, kSize> in);

  friend bool operator==(const SettingsRecord&, const SettingsRecord&) = default;

 private:
  static std::size_t Checked(std::size_t button);
  static std::size_t CheckedStage(std::size_t stage);
};
static_assert(sizeof(SettingsRecord) == SettingsRecord::kSize);
static_assert(offsetof(SettingsRecord, macros) == SettingsRecord::kSettingsSize);

// Builds SettingsBlock 0 from the record: the template with the fields the record decides.
SettingsBlock BuildSettingsBlock(const SettingsRecord& record);

// Settings byte 0x31 for a gesture correction position (1-6); other positions give 0.
std::uint8_t GestureCorrectionByte(std::uint8_t position);

// Button number -> KeyTable slot.
inline constexpr std::array<std::uint8_t, kButtonCount> kKeyTableSlot = {
    0, 1, 2, 5, 6, 3, 4, 8, 9, 10, 11, 16, 17, 18, 19, 20, 21, 22, 23};

}  // namespace gm
