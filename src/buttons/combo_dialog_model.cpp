#include "buttons/combo_dialog_model.h"

#include "config/function_catalogue.h"

namespace gm {
namespace {

const std::array<LocalisedText, 2> kComboTexts = {{
    {L"OK", L"确定", L"確定", L"bestätigen", L"ОК"},  // Russian: two capitals
    {L"Cancel", L"取消", L"取消", L"abbrechen", L"Отмена"},
}};

}  // namespace

ComboDialogTexts ComboDialogTextsFor(Language language) {
  return {InLanguage(kComboTexts[0], language), InLanguage(kComboTexts[1], language)};
}

ComboDialogModel::ComboDialogModel()
    : hover_({kKeyDialogCloseButton, kComboOkButton, kComboCancelButton}) {}

KeyBoxFocus ComboDialogModel::OnKeyName(std::wstring_view name, KeyBoxFocus focus) {
  switch (focus) {
    case KeyBoxFocus::First:
      key1Name_ = name;
      break;
    case KeyBoxFocus::Second:
      key2Name_ = name;
      break;
    case KeyBoxFocus::None:
      break;
  }
  return focus;
}

ComboClick ComboDialogModel::OnLeftButtonDown(Point p) {
  ComboClick click;
  // A press outside the open list and its box closes the list, whatever else it does.
  if (listOpen_ && !kComboModifierList.Contains(p) && !kComboModifierBox.Contains(p)) {
    listOpen_ = false;
    click.listClosed = true;
  }
  // The buttons end the dialog.
  click.end = EndOfClick(hover_, p);
  if (click.end != DialogEnd::None) return click;
  // The modifier box opens and closes the list.
  if (kComboModifierBox.Contains(p)) {
    listOpen_ = !listOpen_;
    (listOpen_ ? click.listOpened : click.listClosed) = true;
  }
  return click;
}

bool ComboDialogModel::ChooseModifier(std::optional<std::size_t> position) {
  if (!position || *position >= kModifierNameCount) return false;
  modifierName_ = ModifierNameTable[*position].name;
  listOpen_ = false;
  return true;
}

ComboDialogResult ComboDialogModel::Result(DialogEnd end) const {
  return {end == DialogEnd::Confirmed, modifierName_, key1Name_, key2Name_};
}

std::array<std::wstring_view, kModifierNameCount> ComboDialogModel::ModifierItems() {
  std::array<std::wstring_view, kModifierNameCount> items;
  for (std::size_t i = 0; i < kModifierNameCount; ++i) items[i] = ModifierNameTable[i].name;
  return items;
}

}  // namespace gm
