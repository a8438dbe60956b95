// The image of what goes to the mouse (DeviceConfig) and its 128-byte blocks, as the command
// sequences send and read them. The device side's own types: the configuration side builds an
// image from its record, the device side sends it as it finds it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace gm {

inline constexpr std::size_t kMacroCount = 19;
inline constexpr std::size_t kBlockSize = 128;

using Block = std::array<std::uint8_t, kBlockSize>;
using SettingsBlock = Block;  // one profile's settings as the mouse keeps them
using KeyTable = Block;       // 32 slots of 4 bytes, one per button function
using MacroBlock = Block;     // loop count (big-endian) and event pairs

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

// The settings block every Save starts from, and what a mouse fresh from the factory holds.
extern const SettingsBlock kSettingsTemplate;

}  // namespace gm
