// Giving a button a function: the pick operations behind the assignment menus and the key and
// macro dialogs, the captions they leave, and the guard that keeps one left-click button.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "config/function_catalogue.h"
#include "config/language.h"
#include "config/records.h"

namespace gm {

class Host;

// Works on the one record and the 19 labels of the program, in the language of the session.
// Each pick writes the category and its parameter fields and sets the label; a pick with a
// button number or list position outside its range changes nothing and returns false.
class ButtonAssignment {
 public:
  ButtonAssignment(SettingsRecord& record, ButtonLabels& labels, Language language)
      : record_(record), labels_(labels), language_(language) {}

  // Categories without a parameter: 0-5 and 13-15.
  bool PickSimple(std::size_t button, std::uint8_t category);
  bool PickDpi(std::size_t button, std::size_t position);
  bool PickMedia(std::size_t button, std::size_t position);
  bool PickHotKey(std::size_t button, std::size_t position);
  bool PickWindows(std::size_t button, std::size_t position);
  // With the key name the confirmed single-key dialog returned; an unknown name encodes as 0
  // but is still shown.
  bool PickSingleKey(std::size_t button, std::wstring_view keyName);
  // With the three texts of the confirmed combination dialog (any of them may be empty).
  bool PickCombo(std::size_t button, std::wstring_view modifierName, std::wstring_view key1Name,
                 std::wstring_view key2Name);
  // With the macro picker's result: a macro position 0-18 (-1, no macro, is a cancel).
  bool PickMacro(std::size_t button, int macroNumber, std::uint8_t mode,
                 std::wstring_view macroName);

  // The left-click guard: false, after a warning, when the button is the only one with
  // "Click"; the list of any other button may open.
  bool MayOpenList(std::size_t button, Host& host) const;

  // The first-run captions; the caller then writes them to the caption file.
  void DefaultLabels();

 private:
  std::uint8_t& Field(ButtonField field, std::size_t button) {
    return record_.button(field, button);
  }
  void SetCategory(std::size_t button, FunctionCategory category);

  SettingsRecord& record_;
  ButtonLabels& labels_;
  Language language_;
};

// The caption of a combination: "Combo Key-" then the parts whose codes are not 0.
std::wstring ComboLabel(Language language, std::wstring_view modifierName,
                        std::wstring_view key1Name, std::wstring_view key2Name);

}  // namespace gm
