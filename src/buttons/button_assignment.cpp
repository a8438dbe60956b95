#include "buttons/button_assignment.h"

#include "buttons/key_names.h"
#include "config/function_catalogue.h"
#include "platform/host.h"

namespace gm {

namespace {

bool IsSimpleCategory(std::uint8_t category) {
  return category <= CategoryValue(FunctionCategory::DoubleClick) ||
         (category >= CategoryValue(FunctionCategory::ButtonOff) && category < kCategoryCount);
}

std::wstring Joined(std::wstring_view head, std::wstring_view tail) {
  std::wstring text(head);
  text += L'-';
  text += tail;
  return text;
}

}  // namespace

void ButtonAssignment::SetCategory(std::size_t button, FunctionCategory category) {
  Field(ButtonField::Category, button) = CategoryValue(category);
}

bool ButtonAssignment::PickSimple(std::size_t button, std::uint8_t category) {
  if (button >= kButtonCount || !IsSimpleCategory(category)) return false;
  Field(ButtonField::Category, button) = category;
  labels_[button] = CategoryText(category, language_);
  return true;
}

bool ButtonAssignment::PickDpi(std::size_t button, std::size_t position) {
  if (button >= kButtonCount || position >= kDpiListSize) return false;
  SetCategory(button, FunctionCategory::CpiCycle);
  Field(ButtonField::DpiAction, button) = static_cast<std::uint8_t>(position + 1);
  labels_[button] = kDpiList[position];
  return true;
}

bool ButtonAssignment::PickMedia(std::size_t button, std::size_t position) {
  if (button >= kButtonCount || position >= kMediaListSize) return false;
  SetCategory(button, FunctionCategory::Multimedia);
  Field(ButtonField::MediaUsage, button) = kMediaUsages[position];
  labels_[button] = InLanguage(kMediaList[position], language_);
  return true;
}

bool ButtonAssignment::PickHotKey(std::size_t button, std::size_t position) {
  if (button >= kButtonCount || position >= kHotKeyListSize) return false;
  SetCategory(button, FunctionCategory::HotKey);
  Field(ButtonField::HotKeyLetter, button) = kHotKeyLetters[position];
  labels_[button] = InLanguage(kHotKeyList[position], language_);
  return true;
}

bool ButtonAssignment::PickWindows(std::size_t button, std::size_t position) {
  if (button >= kButtonCount || position >= kWindowsListSize) return false;
  SetCategory(button, FunctionCategory::Windows);
  Field(ButtonField::WindowsAction, button) = static_cast<std::uint8_t>(position);
  labels_[button] = InLanguage(kWindowsList[position], language_);
  return true;
}

bool ButtonAssignment::PickSingleKey(std::size_t button, std::wstring_view keyName) {
  if (button >= kButtonCount) return false;
  Field(ButtonField::SingleKey, button) = KeyCodeOf(keyName);
  SetCategory(button, FunctionCategory::SingleKey);
  labels_[button] =
      Joined(CategoryText(CategoryValue(FunctionCategory::SingleKey), language_), keyName);
  return true;
}

bool ButtonAssignment::PickCombo(std::size_t button, std::wstring_view modifierName,
                                 std::wstring_view key1Name, std::wstring_view key2Name) {
  if (button >= kButtonCount) return false;
  Field(ButtonField::ComboModifier, button) = ModifierBitOf(modifierName);
  Field(ButtonField::ComboKey1, button) = KeyCodeOf(key1Name);
  Field(ButtonField::ComboKey2, button) = KeyCodeOf(key2Name);
  SetCategory(button, FunctionCategory::ComboKey);
  labels_[button] = ComboLabel(language_, modifierName, key1Name, key2Name);
  return true;
}

bool ButtonAssignment::PickMacro(std::size_t button, int macroNumber, std::uint8_t mode,
                                 std::wstring_view macroName) {
  // Only the 19 macros that have a block can be played; -1 is the picker's "no macro".
  if (button >= kButtonCount || macroNumber < 0 || macroNumber >= static_cast<int>(kMacroCount)) {
    return false;
  }
  Field(ButtonField::MacroNumber, button) = static_cast<std::uint8_t>(macroNumber);
  Field(ButtonField::MacroMode, button) = mode;
  SetCategory(button, FunctionCategory::MacroKey);
  labels_[button] =
      Joined(CategoryText(CategoryValue(FunctionCategory::MacroKey), language_), macroName);
  return true;
}

bool ButtonAssignment::MayOpenList(std::size_t button, Host& host) const {
  if (button >= kButtonCount) return false;
  const std::uint8_t click = CategoryValue(FunctionCategory::Click);
  if (record_.button(ButtonField::Category, button) != click) return true;
  for (std::size_t other = 0; other < kButtonCount; ++other) {
    if (other != button && record_.button(ButtonField::Category, other) == click) return true;
  }
  host.ShowMessage(std::wstring(InLanguage(kLeftKeyMustBeSelected, language_)),
                   std::wstring(kWarningTitle), kMbOk);
  return false;
}

void ButtonAssignment::DefaultLabels() {
  const auto category = [this](FunctionCategory c) {
    return std::wstring(CategoryText(CategoryValue(c), language_));
  };
  labels_[0] = category(FunctionCategory::Click);
  labels_[1] = category(FunctionCategory::Menu);
  labels_[2] = category(FunctionCategory::UniversalScroll);
  labels_[3] = category(FunctionCategory::LeftTitleScroll);
  labels_[4] = category(FunctionCategory::RightTitleScroll);
  labels_[5] = kDpiList[0];
  labels_[6] = kDpiList[1];
  for (std::size_t button = 7; button < kButtonCount; ++button) {
    labels_[button] = category(FunctionCategory::ButtonOff);
  }
}

std::wstring ComboLabel(Language language, std::wstring_view modifierName,
                        std::wstring_view key1Name, std::wstring_view key2Name) {
  // A name the tables do not know is left out, as it is encoded as no key.
  const bool hasModifier = ModifierBitOf(modifierName) != 0;
  const bool hasKey1 = KeyCodeOf(key1Name) != kNoKey;
  const bool hasKey2 = KeyCodeOf(key2Name) != kNoKey;
  std::wstring label(CategoryText(CategoryValue(FunctionCategory::ComboKey), language));
  label += L'-';
  bool first = true;
  const auto append = [&](std::wstring_view part) {
    if (!first) label += L'+';
    label += part;
    first = false;
  };
  if (hasModifier) append(modifierName);
  if (hasKey1) append(key1Name);
  if (hasKey2) append(key2Name);
  return label;
}

}  // namespace gm
