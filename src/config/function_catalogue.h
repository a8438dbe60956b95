// The catalogue of button functions: the 16 categories of every button's function list, the
// four sub-lists with the value each item stores, and their texts in the five languages.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "config/language.h"
#include "config/records.h"

namespace gm {

// Position of a category in a button's function list; the value of its Category field.
enum class FunctionCategory : std::uint8_t {
  Click = 0,
  Menu = 1,
  UniversalScroll = 2,
  IeForward = 3,
  IeBackward = 4,
  DoubleClick = 5,
  CpiCycle = 6,
  Multimedia = 7,
  HotKey = 8,
  Windows = 9,
  SingleKey = 10,
  ComboKey = 11,
  MacroKey = 12,
  ButtonOff = 13,
  LeftTitleScroll = 14,
  RightTitleScroll = 15,
};
inline constexpr std::size_t kCategoryCount = 16;

constexpr std::uint8_t CategoryValue(FunctionCategory category) {
  return static_cast<std::uint8_t>(category);
}

// One text in each language, indexed by LanguageIndex.
using LocalisedText = std::array<std::wstring_view, kLanguageCount>;

constexpr std::wstring_view InLanguage(const LocalisedText& text, Language language) {
  return text[LanguageIndex(language)];
}

// Texts of the categories, in category order.
extern const std::array<LocalisedText, kCategoryCount> kCategoryTexts;

// The text of a category in a language; empty for a value above 15.
std::wstring_view CategoryText(std::uint8_t category, Language language);

// DpiList: the same three texts in every language; position p stores DpiAction p + 1.
inline constexpr std::size_t kDpiListSize = 3;
extern const std::array<std::wstring_view, kDpiListSize> kDpiList;

// MediaList: consumer-control usages; the field keeps the low byte, 0x83 stands for 0x0183.
inline constexpr std::size_t kMediaListSize = 8;
extern const std::array<LocalisedText, kMediaListSize> kMediaList;
inline constexpr std::array<std::uint8_t, kMediaListSize> kMediaUsages = {0x83, 0xB5, 0xB6, 0xB7,
                                                                          0xCD, 0xE2, 0xE9, 0xEA};

// HotKeyList: Ctrl shortcuts; the field keeps the KeyCode of the letter.
inline constexpr std::size_t kHotKeyListSize = 10;
extern const std::array<LocalisedText, kHotKeyListSize> kHotKeyList;
inline constexpr std::array<std::uint8_t, kHotKeyListSize> kHotKeyLetters = {
    0x11, 0x1B, 0x06, 0x19, 0x16, 0x13, 0x09, 0x1C, 0x1D, 0x04};  // N X C V S P F Y Z A

// WindowsList: the field keeps the position itself.
inline constexpr std::size_t kWindowsListSize = 7;
extern const std::array<LocalisedText, kWindowsListSize> kWindowsList;

// The caption shown for each button's function; stored as text in the caption file and
// never rebuilt from the record.
using ButtonLabels = std::array<std::wstring, kButtonCount>;

// The left-click guard's message box.
extern const LocalisedText kLeftKeyMustBeSelected;
inline constexpr std::wstring_view kWarningTitle = L"Warning";

}  // namespace gm
