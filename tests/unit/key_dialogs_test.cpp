// The key dialogs without a window: where captured key names go, the modifier list, the ends
// of the dialogs, the hover looks of their buttons, the keys they discard, and their texts.
#include <gtest/gtest.h>

#include "buttons/button_assignment.h"
#include "buttons/combo_dialog_model.h"
#include "buttons/single_dialog_model.h"
#include "config/key_table.h"

namespace gm {
namespace {

constexpr Point kInModifierBox{60, 75};
constexpr Point kInList{60, 150};
constexpr Point kElsewhere{200, 150};
constexpr Point kInOk{251, 251};
constexpr Point kInCancel{371, 274};
constexpr Point kInClose{352, 6};

TEST(ComboDialog, UntouchedAndConfirmedGivesTheBareComboLabelAndNoKeys) {
  ComboDialogModel combo;
  const ComboClick click = combo.OnLeftButtonDown(kInOk);
  ASSERT_EQ(click.end, DialogEnd::Confirmed);
  const ComboDialogResult result = combo.Result(click.end);
  EXPECT_TRUE(result.confirmed);
  EXPECT_TRUE(result.modifierName.empty() && result.key1Name.empty() && result.key2Name.empty());

  SettingsRecord record;
  ButtonLabels labels;
  ButtonAssignment(record, labels, Language::English)
      .PickCombo(0, result.modifierName, result.key1Name, result.key2Name);
  EXPECT_EQ(labels[0], L"Combo Key-");
  const KeyTable table = EncodeKeyTable(record);
  EXPECT_EQ((SlotBytes{table[0], table[1], table[2], table[3]}), (SlotBytes{0, 0, 0, 0}));
}

TEST(ComboDialog, KeyNamesGoOnlyToTheBoxWithTheFocusAndTheLastEventWins) {
  ComboDialogModel combo;
  EXPECT_EQ(combo.OnKeyName(L"Q", KeyBoxFocus::None), KeyBoxFocus::None);
  combo.OnKeyName(L"Tab", KeyBoxFocus::First);
  EXPECT_EQ(combo.key1Name(), L"Tab");  // the key's name, never a tab character
  combo.OnKeyName(L"Shift", KeyBoxFocus::Second);
  combo.OnKeyName(L"B", KeyBoxFocus::Second);
  combo.OnKeyName(L"Shift", KeyBoxFocus::Second);  // Shift released last
  EXPECT_EQ(combo.key1Name(), L"Tab");
  EXPECT_EQ(combo.key2Name(), L"Shift");
  // A name outside the key table is kept; it becomes code 0 only when the pick encodes it.
  combo.OnKeyName(L"Super_L", KeyBoxFocus::First);
  EXPECT_EQ(combo.Result(DialogEnd::Confirmed).key1Name, L"Super_L");
}

TEST(ComboDialog, ModifierBoxTogglesTheListWhichDisablesTheKeyBoxes) {
  ComboDialogModel combo;
  ComboClick click = combo.OnLeftButtonDown(kInModifierBox);
  EXPECT_TRUE(click.listOpened);
  EXPECT_FALSE(click.listClosed);
  EXPECT_TRUE(combo.listOpen());
  EXPECT_FALSE(combo.keyBoxesEnabled());
  // A press that reaches the dialog inside the list's area leaves it open.
  click = combo.OnLeftButtonDown(kInList);
  EXPECT_TRUE(combo.listOpen());
  EXPECT_FALSE(click.listClosed || click.listOpened);
  click = combo.OnLeftButtonDown(kInModifierBox);
  EXPECT_TRUE(click.listClosed);
  EXPECT_FALSE(combo.listOpen());
  EXPECT_TRUE(combo.keyBoxesEnabled());

  // Anywhere else closes it, and that press does nothing more.
  combo.OnLeftButtonDown(kInModifierBox);
  click = combo.OnLeftButtonDown(kElsewhere);
  EXPECT_TRUE(click.listClosed);
  EXPECT_EQ(click.end, DialogEnd::None);
  EXPECT_TRUE(combo.keyBoxesEnabled());
  // The right edge of the box is outside it.
  click = combo.OnLeftButtonDown({kComboModifierBox.right, 75});
  EXPECT_FALSE(click.listOpened);
}

TEST(ComboDialog, ChoosingAModifierTakesItsNameAndClosesTheList) {
  ComboDialogModel combo;
  combo.OnLeftButtonDown(kInModifierBox);
  EXPECT_FALSE(combo.ChooseModifier(std::nullopt));  // a notification without a selection
  EXPECT_FALSE(combo.ChooseModifier(kModifierNameCount));
  EXPECT_TRUE(combo.listOpen());
  EXPECT_TRUE(combo.modifierName().empty());

  ASSERT_TRUE(combo.ChooseModifier(6));
  EXPECT_EQ(combo.modifierName(), L"Right Alt");
  EXPECT_EQ(ModifierBitOf(combo.modifierName()), 0x40);
  EXPECT_FALSE(combo.listOpen());
  EXPECT_TRUE(combo.keyBoxesEnabled());

  const auto items = ComboDialogModel::ModifierItems();
  EXPECT_EQ(items.front(), L"Left Ctrl");
  EXPECT_EQ(items.back(), L"Right Win");
}

TEST(ComboDialog, OkConfirmsCancelAndCloseCancelEvenWithTheListOpen) {
  for (const auto& [point, end] :
       {std::pair{kInOk, DialogEnd::Confirmed}, std::pair{kInCancel, DialogEnd::Cancelled},
        std::pair{kInClose, DialogEnd::Cancelled}}) {
    ComboDialogModel combo;
    combo.OnLeftButtonDown(kInModifierBox);
    const ComboClick click = combo.OnLeftButtonDown(point);
    EXPECT_EQ(click.end, end);
    EXPECT_TRUE(click.listClosed);
  }
  ComboDialogModel combo;
  // Just outside OK and the close button: the bottom and right edges are not theirs.
  EXPECT_EQ(combo.OnLeftButtonDown({kComboOkButton.left, kComboOkButton.bottom}).end,
            DialogEnd::None);
  EXPECT_EQ(combo.OnLeftButtonDown({kKeyDialogCloseButton.right, 10}).end, DialogEnd::None);
  EXPECT_FALSE(combo.Result(DialogEnd::Cancelled).confirmed);
}

TEST(DialogButtonHover, OverLooksFollowTheHoverNoticesAndLeaving) {
  ComboDialogModel combo;
  DialogButtonHover& hover = combo.hover();
  bool changed = true;
  // A move onto a button only asks for the notice.
  EXPECT_TRUE(hover.OnMouseMove(kInOk, changed));
  EXPECT_FALSE(changed);
  EXPECT_FALSE(hover.IsOver(DialogButton::Ok));
  EXPECT_TRUE(hover.OnHover(kInOk));
  EXPECT_TRUE(hover.IsOver(DialogButton::Ok));
  EXPECT_FALSE(hover.OnHover(kInOk));  // nothing new to draw
  // Straight onto Cancel: OK goes back to normal.
  EXPECT_TRUE(hover.OnHover(kInCancel));
  EXPECT_TRUE(hover.IsOver(DialogButton::Cancel));
  EXPECT_FALSE(hover.IsOver(DialogButton::Ok));
  // Off all three: everything normal again; a late notice there changes nothing.
  EXPECT_FALSE(hover.OnMouseMove(kElsewhere, changed));
  EXPECT_TRUE(changed);
  EXPECT_FALSE(hover.IsOver(DialogButton::Cancel));
  EXPECT_FALSE(hover.OnHover(kElsewhere));
  hover.OnMouseMove(kElsewhere, changed);
  EXPECT_FALSE(changed);
  EXPECT_TRUE(hover.OnHover(kInClose));
  EXPECT_TRUE(hover.IsOver(DialogButton::Close));
}

TEST(SingleDialog, TheLastKeyEventWinsAndEnterIsJustAName) {
  SingleDialogModel single;
  EXPECT_TRUE(single.Result(DialogEnd::Confirmed).keyName.empty());
  single.OnKeyName(L"A");
  EXPECT_EQ(single.keyName(), L"A");
  // Shift down, A down, A up, Shift up.
  for (const wchar_t* name : {L"Shift", L"A", L"A", L"Shift"}) single.OnKeyName(name);
  EXPECT_EQ(single.keyName(), L"Shift");
  single.OnKeyName(L"Enter");
  const SingleDialogResult result = single.Result(DialogEnd::Confirmed);
  EXPECT_TRUE(result.confirmed);
  EXPECT_EQ(result.keyName, L"Enter");

  // An empty confirmed name gives the bare label and an empty slot.
  SettingsRecord record;
  ButtonLabels labels;
  ButtonAssignment(record, labels, Language::English).PickSingleKey(0, L"");
  EXPECT_EQ(labels[0], L"Single Key-");
  EXPECT_EQ(EncodeKeyTable(record)[2], 0);
}

TEST(SingleDialog, PressesOffTheButtonsMoveTheWindow) {
  const SingleDialogModel single;
  SingleClick click = single.OnLeftButtonDown({kSingleOkButton.left, kSingleOkButton.top});
  EXPECT_EQ(click.end, DialogEnd::Confirmed);
  EXPECT_FALSE(click.dragWindow);
  click = single.OnLeftButtonDown({kSingleCancelButton.right - 1, kSingleCancelButton.bottom - 1});
  EXPECT_EQ(click.end, DialogEnd::Cancelled);
  click = single.OnLeftButtonDown(kInClose);
  EXPECT_EQ(click.end, DialogEnd::Cancelled);
  click = single.OnLeftButtonDown({kSingleOkButton.left - 1, 260});  // the wider OK's left edge
  EXPECT_EQ(click.end, DialogEnd::None);
  EXPECT_TRUE(click.dragWindow);
}

TEST(KeyDialogs, DiscardEnterAndEscKeyDownsAndTheSingleDialogTheWindowsKeys) {
  EXPECT_TRUE(ComboDialogModel::Discards(kWmKeyDown, kVkReturn));
  EXPECT_TRUE(ComboDialogModel::Discards(kWmKeyDown, kVkEscape));
  EXPECT_FALSE(ComboDialogModel::Discards(kWmKeyUp, kVkReturn));
  EXPECT_FALSE(ComboDialogModel::Discards(kWmKeyDown, kVkLeftWindows));
  EXPECT_FALSE(ComboDialogModel::Discards(kWmChar, kVkReturn));

  EXPECT_TRUE(SingleDialogModel::Discards(kWmKeyDown, kVkEscape));
  EXPECT_FALSE(SingleDialogModel::Discards(kWmKeyUp, kVkEscape));
  for (unsigned message : {kWmKeyDown, kWmKeyUp, kWmSysKeyDown, kWmSysKeyUp}) {
    EXPECT_TRUE(SingleDialogModel::Discards(message, kVkLeftWindows));
    EXPECT_TRUE(SingleDialogModel::Discards(message, kVkRightWindows));
  }
  // Only keyboard messages: a timer or command that happens to carry 91 passes.
  EXPECT_FALSE(SingleDialogModel::Discards(0x0113 /* WM_TIMER */, kVkLeftWindows));
  EXPECT_FALSE(SingleDialogModel::Discards(0x0111 /* WM_COMMAND */, kVkRightWindows));
}

TEST(KeyDialogs, HookErrorMessageCarriesTheSystemsCodeAsASignedNumber) {
  EXPECT_EQ(HookInstallErrorText(L"KeyboardHook_ComboDlg", 5),
            L"KeyboardHook_ComboDlg Install error code :5\n");
  EXPECT_EQ(HookInstallErrorText(L"KeyboardHook_SingleDlgKey", 0xFFFFFFFFul),
            L"KeyboardHook_SingleDlgKey Install error code :-1\n");
}

TEST(KeyDialogs, TextsAndFontsInEveryLanguage) {
  struct Expected {
    Language language;
    const wchar_t* comboOk;
    const wchar_t* comboCancel;
    const wchar_t* singleOk;
    const wchar_t* singleCancel;
    const wchar_t* prompt;
  };
  const Expected expected[] = {
      {Language::English, L"OK", L"Cancel", L"Ok", L"Cancel", L"Please enter a key"},
      {Language::ChineseSimplified, L"确定", L"取消", L"确定", L"取消", L"请输入一个按键"},
      {Language::ChineseTraditional, L"確定", L"取消", L"確定", L"取消", L"請輸入一個按鍵"},
      {Language::German, L"bestätigen", L"abbrechen", L"Bestätigen", L"Abbrechen",
       L"Bitte geben Sie eine Taste."},
      // Combo: two Cyrillic capitals; single: capital O and small ka.
      {Language::Russian, L"\u041E\u041A", L"Отмена", L"\u041E\u043A", L"Отмена",
       L"Введите клавишу"},
  };
  for (const Expected& e : expected) {
    const ComboDialogTexts combo = ComboDialogTextsFor(e.language);
    const SingleDialogTexts single = SingleDialogTextsFor(e.language);
    EXPECT_EQ(combo.ok, e.comboOk);
    EXPECT_EQ(combo.cancel, e.comboCancel);
    EXPECT_EQ(single.ok, e.singleOk);
    EXPECT_EQ(single.cancel, e.singleCancel);
    EXPECT_EQ(single.prompt, e.prompt);
  }
}

}  // namespace
}  // namespace gm
