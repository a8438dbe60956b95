// The byte-exact records of the configuration: what the user edits (SettingsRecord), what is
// sent to the mouse (DeviceConfig) and its 128-byte blocks. Plain byte arrays with named
// offsets; every layout is pinned by static assertions.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace gm {

inline constexpr std::size_t kButtonCount = 19;
inline constexpr std::size_t kDpiStageCount = 7;
inline constexpr std::size_t kMacroCount = 19;
inline constexpr std::size_t kBlockSize = 128;

using Block = std::array<std::uint8_t, kBlockSize>;
using SettingsBlock = Block;  // one profile's settings as the mouse keeps them
using KeyTable = Block;       // 32 slots of 4 bytes, one per button function
using MacroBlock = Block;     // loop count (big-endian) and event pairs

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

// The image of what is sent to the mouse; rebuilt from the SettingsRecord on every Save.
struct DeviceConfig {
  static constexpr std::size_t kSize = 3473;
  static constexpr std::size_t kProfileCount = 6;

  std::uint8_t profile = 0;          // header byte 0: reply of 0x82, argument of 0x03 / 0x0D
  std::uint8_t connectArgument = 0;  // header byte 1: argument of 0x01 (0xFC)
  std::uint8_t reportRateCode = 0;   // header byte 2: argument of 0x03
  std::array<std::uint8_t, 14> reserved{};
  std::array<SettingsBlock, kProfileCount> settingsBlocks{};
  KeyTable keyTable{};
  std::array<std::uint8_t, kBlockSize> keyTableSpare{};
  std::array<MacroBlock, kMacroCount> macros{};

  friend bool operator==(const DeviceConfig&, const DeviceConfig&) = default;
};
static_assert(sizeof(DeviceConfig) == DeviceConfig::kSize);
static_assert(offsetof(DeviceConfig, settingsBlocks) == 17);
static_assert(offsetof(DeviceConfig, keyTable) == 17 + 6 * 128);
static_assert(offsetof(DeviceConfig, macros) == 17 + 6 * 128 + 256);

// The settings block every Save starts from.
extern const SettingsBlock kSettingsTemplate;

// Builds SettingsBlock 0 from the record: the template with the fields the record decides.
SettingsBlock BuildSettingsBlock(const SettingsRecord& record);

// Settings byte 0x31 for a gesture correction position (1-6); other positions give 0.
std::uint8_t GestureCorrectionByte(std::uint8_t position);

// Button number -> KeyTable slot.
inline constexpr std::array<std::uint8_t, kButtonCount> kKeyTableSlot = {
    0, 1, 2, 5, 6, 3, 4, 8, 9, 10, 11, 16, 17, 18, 19, 20, 21, 22, 23};

}  // namespace gm
