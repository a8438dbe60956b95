// Key codes the mouse understands and their names, as the configuration stores them: a
// button's single key and combination fields hold these codes, and a code without a name is
// one the program never writes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace gm {

// A USB HID keyboard usage (0x04-0xE7), 0xF0/0xF1/0xF2 for the left, right and middle mouse
// button, or 0 for no key.
using KeyCode = std::uint8_t;

inline constexpr KeyCode kNoKey = 0x00;
inline constexpr KeyCode kLeftMouseButton = 0xF0;
inline constexpr KeyCode kRightMouseButton = 0xF1;
inline constexpr KeyCode kMiddleMouseButton = 0xF2;
inline constexpr KeyCode kLeftCtrlKey = 0xE0;

struct KeyName {
  std::wstring_view name;
  KeyCode code;
};

struct ModifierName {
  std::wstring_view name;
  std::uint8_t bit;
};

inline constexpr std::size_t kKeyNameCount = 108;
inline constexpr std::size_t kModifierNameCount = 8;

// Every key name the mouse can be given, in table order.
extern const std::array<KeyName, kKeyNameCount> KeyNameTable;
// The eight modifier names; also the items of the combination dialog's modifier list.
extern const std::array<ModifierName, kModifierNameCount> ModifierNameTable;

// Exact, case-sensitive lookups; 0 for any other text, the empty text included.
KeyCode KeyCodeOf(std::wstring_view name);
std::uint8_t ModifierBitOf(std::wstring_view name);
// The lookup macros use: the same table without "Application".
KeyCode MacroKeyCodeOf(std::wstring_view name);

// A key the program can give a button: a code with a name, or kNoKey for none.
bool IsNamedKeyOrNone(KeyCode code);

}  // namespace gm
