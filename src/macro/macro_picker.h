// The macro picker's state and rules, without a window: the drop list of the macros in
// record.ini, the chosen macro and the repeat mode, and what a click on the dialog does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "config/language.h"
#include "gfx/geometry.h"
#include "macro/macro_picker_texts.h"

namespace gm {

class ButtonAssignment;
class MacroStore;

// The dialog's layout in client pixels.
namespace picker_layout {
inline constexpr Rect kClose{352, 6, 370, 24};
inline constexpr Rect kPrompt{32, 96, 161, 128};
inline constexpr Rect kChosenName{42, 128, 136, 144};
inline constexpr Rect kDropDownArea{42, 128, 151, 144};
inline constexpr Rect kDropList{42, 146, 151, 286};
inline constexpr Rect kModeBoxes[kMacroModeCount] = {
    {220, 78, 236, 94}, {220, 128, 236, 144}, {220, 178, 236, 194}};
inline constexpr Rect kModeTexts[kMacroModeCount] = {
    {237, 70, 390, 102}, {237, 120, 390, 152}, {237, 170, 390, 202}};
inline constexpr Rect kOk{250, 250, 308, 275};
inline constexpr Rect kCancel{314, 250, 372, 275};
}  // namespace picker_layout

inline constexpr int kChosenNameId = 592;
inline constexpr int kDropListId = 593;

// What the dialog hands back.
struct MacroChoice {
  int macroIndex = -1;    // position in record.ini's section order; -1: none chosen
  std::uint8_t mode = 0;  // 0, 1 or 2
  std::wstring name;      // as the chosen-name field shows it; empty when none
};

struct MacroPickerResult {
  bool ok = false;  // closed with OK
  MacroChoice choice;
};

// Gives the button the picked macro; OK without a chosen macro, and Cancel, change nothing.
bool AssignPickedMacro(ButtonAssignment& assignment, std::size_t button,
                       const MacroPickerResult& result);

class MacroPicker {
 public:
  explicit MacroPicker(MacroStore& store) : store_(store) {}

  enum class End { None, Ok, Cancel };
  // What a left click on the dialog's surface changed.
  struct ClickEffect {
    bool listOpened = false;
    bool listClosed = false;
    bool modeChanged = false;
    End end = End::None;
  };
  ClickEffect Click(int x, int y);

  // A line of the open list chosen (selection change or double-click): the list closes.
  void Choose(std::size_t line);
  void CloseList() { listOpen_ = false; }

  bool listOpen() const { return listOpen_; }
  // The names the list shows, read from record.ini each time it opens.
  const std::vector<std::wstring>& listNames() const { return names_; }
  const MacroChoice& choice() const { return choice_; }

 private:
  MacroStore& store_;
  bool listOpen_ = false;
  std::vector<std::wstring> names_;
  MacroChoice choice_;
};

}  // namespace gm
