#include "config/key_table.h"

#include <algorithm>

#include "config/function_catalogue.h"

namespace gm {

namespace {

// Mouse-button codes of the simple categories.
constexpr std::uint8_t kCodeLeft = 0xF0;
constexpr std::uint8_t kCodeRight = 0xF1;
constexpr std::uint8_t kCodeMiddle = 0xF2;
constexpr std::uint8_t kCodeIeBackward = 0xF3;
constexpr std::uint8_t kCodeIeForward = 0xF4;
constexpr std::uint8_t kCodeLeftTilt = 0xF5;
constexpr std::uint8_t kCodeRightTilt = 0xF6;
constexpr std::uint8_t kCodeLeftCtrl = 0xE0;  // the keyboard usage held by the hot keys

constexpr std::uint8_t kMediaPlayerUsageLow = 0x83;  // usage 0x0183, the only one above 0xFF

// The Windows actions: consumer usages, Alt+Space menu keys, Windows-key shortcuts.
constexpr std::array<SlotBytes, kWindowsListSize> kWindowsActionBytes = {{
    {kSlotConsumer, 0x00, 0x94, 0x01},  // My computer: usage 0x0194
    {kSlotConsumer, 0x00, 0x23, 0x02},  // Browser home: usage 0x0223
    {kSlotConsumer, 0x00, 0x21, 0x02},  // Search: usage 0x0221
    {kSlotKeyboard, 0x04, 0x2C, 0x1B},  // Maximum: left Alt held, Space, X
    {kSlotKeyboard, 0x04, 0x2C, 0x11},  // Minimum: left Alt held, Space, N
    {kSlotKeyboard, 0x00, 0xE3, 0x07},  // Show desktop: left Windows, D
    {kSlotKeyboard, 0x00, 0xE3, 0x15},  // Run: left Windows, R
}};

constexpr SlotBytes MouseButton(std::uint8_t code) {
  return {kSlotMouseButton, 0x00, code, 0x00};
}

}  // namespace

SlotBytes EncodeButtonFunction(const SettingsRecord& record, std::size_t button) {
  const auto field = [&](ButtonField f) { return record.button(f, button); };
  switch (field(ButtonField::Category)) {
    case CategoryValue(FunctionCategory::Click):
      return MouseButton(kCodeLeft);
    case CategoryValue(FunctionCategory::Menu):
      return MouseButton(kCodeRight);
    case CategoryValue(FunctionCategory::UniversalScroll):
      return MouseButton(kCodeMiddle);
    case CategoryValue(FunctionCategory::IeForward):
      return MouseButton(kCodeIeForward);
    case CategoryValue(FunctionCategory::IeBackward):
      return MouseButton(kCodeIeBackward);
    case CategoryValue(FunctionCategory::DoubleClick):
      return {kSlotDoubleClick, 0xF0, 0x1E, 0x02};
    case CategoryValue(FunctionCategory::CpiCycle):
      return {kSlotDpiAction, 0x00, field(ButtonField::DpiAction), 0x00};
    case CategoryValue(FunctionCategory::Multimedia): {
      const std::uint8_t usage = field(ButtonField::MediaUsage);
      return {kSlotConsumer, 0x00, usage,
              static_cast<std::uint8_t>(usage == kMediaPlayerUsageLow ? 0x01 : 0x00)};
    }
    case CategoryValue(FunctionCategory::HotKey):
      return {kSlotKeyboard, 0x00, kCodeLeftCtrl, field(ButtonField::HotKeyLetter)};
    case CategoryValue(FunctionCategory::Windows): {
      const std::uint8_t action = field(ButtonField::WindowsAction);
      if (action >= kWindowsActionBytes.size()) return {};
      return kWindowsActionBytes[action];
    }
    case CategoryValue(FunctionCategory::SingleKey):
      return {kSlotKeyboard, 0x00, field(ButtonField::SingleKey), 0x00};
    case CategoryValue(FunctionCategory::ComboKey):
      return {kSlotKeyboard, field(ButtonField::ComboModifier), field(ButtonField::ComboKey1),
              field(ButtonField::ComboKey2)};
    case CategoryValue(FunctionCategory::MacroKey):
      // The mouse finds the macro under the index its block is sent with: number + 1.
      return {kSlotMacro, field(ButtonField::MacroMode),
              static_cast<std::uint8_t>(field(ButtonField::MacroNumber) + 1u), 0x00};
    case CategoryValue(FunctionCategory::ButtonOff):
      return {};
    case CategoryValue(FunctionCategory::LeftTitleScroll):
      return MouseButton(kCodeLeftTilt);
    case CategoryValue(FunctionCategory::RightTitleScroll):
      return MouseButton(kCodeRightTilt);
    default:
      return {};
  }
}

KeyTable EncodeKeyTable(const SettingsRecord& record) {
  KeyTable table{};
  const auto put = [&table](std::size_t slot, const SlotBytes& bytes) {
    std::copy(bytes.begin(), bytes.end(), table.begin() + static_cast<std::ptrdiff_t>(4 * slot));
  };
  for (std::size_t button = 0; button < kButtonCount; ++button) {
    put(kKeyTableSlot[button], EncodeButtonFunction(record, button));
  }
  put(kFixedSlotA, kFixedSlotABytes);
  put(kFixedSlotB, kFixedSlotBBytes);
  return table;
}

}  // namespace gm
