#include "buttons/single_dialog_model.h"

#include <array>

#include "config/function_catalogue.h"

namespace gm {
namespace {

const std::array<LocalisedText, 3> kSingleTexts = {{
    {L"Ok", L"确定", L"確定", L"Bestätigen", L"Ок"},  // Russian: capital O, small ka
    {L"Cancel", L"取消", L"取消", L"Abbrechen", L"Отмена"},
    {L"Please enter a key", L"请输入一个按键", L"請輸入一個按鍵", L"Bitte geben Sie eine Taste.",
     L"Введите клавишу"},
}};

}  // namespace

SingleDialogTexts SingleDialogTextsFor(Language language) {
  return {InLanguage(kSingleTexts[0], language), InLanguage(kSingleTexts[1], language),
          InLanguage(kSingleTexts[2], language)};
}

SingleDialogModel::SingleDialogModel()
    : hover_({kKeyDialogCloseButton, kSingleOkButton, kSingleCancelButton}) {}

SingleClick SingleDialogModel::OnLeftButtonDown(Point p) const {
  SingleClick click;
  click.end = EndOfClick(hover_, p);
  // A press that does not close the dialog moves it, as a press on a caption would.
  click.dragWindow = click.end == DialogEnd::None;
  return click;
}

bool SingleDialogModel::Discards(unsigned message, std::uintptr_t wParam) {
  return IsEnterOrEscKeyDown(message, wParam) || IsWindowsKeyMessage(message, wParam);
}

}  // namespace gm
