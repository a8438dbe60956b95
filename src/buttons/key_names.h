// Key names and the one-byte key codes the mouse understands. Keys are shown and stored by
// name; a name becomes a KeyCode only when a byte for the mouse is needed.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
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

// The system's own name of the key in a keystroke's flags (GetKeyNameTextW); the front end
// passes it to KeyNameOf. Null where the system has no such service.
using SystemKeyNameFunction = std::wstring (*)(std::uint32_t keystrokeFlags);

// The name of the key in a keyboard message's flags (the lParam: scan code in bits 16-23,
// extended-key flag in bit 24), at most 31 characters. Keys of the key table get their
// US-layout name from the scan code, so that the mouse receives the key at the same place on
// every layout; other keys are named by the system, or stay unnamed without it.
std::wstring KeyNameOf(std::uint32_t keystrokeFlags, SystemKeyNameFunction systemName);

}  // namespace gm
