#include "macro/macro_picker.h"

#include "buttons/button_assignment.h"
#include "macro/macro_store.h"

namespace gm {

bool AssignPickedMacro(ButtonAssignment& assignment, std::size_t button,
                       const MacroPickerResult& result) {
  if (!result.ok || result.choice.macroIndex < 0) return false;
  return assignment.PickMacro(button, result.choice.macroIndex, result.choice.mode,
                              result.choice.name);
}

MacroPicker::ClickEffect MacroPicker::Click(int x, int y) {
  using namespace picker_layout;
  ClickEffect effect;
  if (kClose.Contains(x, y)) {
    effect.end = End::Cancel;
    return effect;
  }
  if (kDropDownArea.Contains(x, y)) {
    if (listOpen_) {
      listOpen_ = false;
      effect.listClosed = true;
    } else {
      names_ = store_.Names();
      listOpen_ = true;
      effect.listOpened = true;
    }
    return effect;
  }
  // Any other point closes an open list; the click still counts where it fell.
  if (listOpen_ && !kDropList.Contains(x, y)) {
    listOpen_ = false;
    effect.listClosed = true;
  }
  for (std::size_t mode = 0; mode < kMacroModeCount; ++mode) {
    if (kModeBoxes[mode].Contains(x, y)) {
      choice_.mode = static_cast<std::uint8_t>(mode);
      effect.modeChanged = true;
      return effect;
    }
  }
  if (kOk.Contains(x, y)) effect.end = End::Ok;
  if (kCancel.Contains(x, y)) effect.end = End::Cancel;
  return effect;
}

void MacroPicker::Choose(std::size_t line) {
  if (!listOpen_ || line >= names_.size()) return;
  choice_.macroIndex = static_cast<int>(line);
  choice_.name = names_[line];
  listOpen_ = false;
}

}  // namespace gm
