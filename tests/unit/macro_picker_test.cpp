// The macro picker without its window: the drop list, the choice, the modes and what the caller
// makes of the result.
#include <gtest/gtest.h>

#include "buttons/button_assignment.h"
#include "macro/macro_picker.h"
#include "macro/macro_store.h"
#include "macro_items.h"
#include "memory_ini_file.h"
#include "temp_dir.h"

namespace gm {
namespace {

using Names = std::vector<std::wstring>;
using End = MacroPicker::End;

class Picker : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteBytes(path, test::Utf16File(u""));
    for (const wchar_t* name : {L"Fire", L"Jump", L"Reload"}) {
      store.Store(Macro{name, true, true, L"1", {test::Press(L"A")}});
    }
  }
  MacroPicker::ClickEffect ClickIn(const Rect& r) { return picker.Click(r.left, r.top); }

  test::TempDir dir;
  std::filesystem::path path = dir / "record.ini";
  test::MemoryIniFile ini;
  MacroStore store{ini, path};
  MacroPicker picker{store};
};

TEST_F(Picker, TheDropDownAreaOpensAndClosesTheListOfMacros) {
  using namespace picker_layout;
  auto effect = ClickIn(kDropDownArea);
  EXPECT_TRUE(effect.listOpened);
  EXPECT_TRUE(picker.listOpen());
  EXPECT_EQ(picker.listNames(), (Names{L"Fire", L"Jump", L"Reload"}));
  effect = picker.Click(150, 143);
  EXPECT_TRUE(effect.listClosed);
  EXPECT_FALSE(picker.listOpen());

  // Read again on every opening.
  store.Delete(L"Jump");
  ClickIn(kDropDownArea);
  EXPECT_EQ(picker.listNames(), (Names{L"Fire", L"Reload"}));
  // A click on the list itself leaves it to the list; anywhere else closes it and still counts.
  EXPECT_FALSE(ClickIn(kDropList).listClosed);
  effect = ClickIn(kModeBoxes[1]);
  EXPECT_TRUE(effect.listClosed);
  EXPECT_TRUE(effect.modeChanged);
  EXPECT_EQ(picker.choice().mode, 1);
}

TEST_F(Picker, ChoosingTheThirdMacroGivesIndexTwoAndItsName) {
  EXPECT_EQ(picker.choice().macroIndex, -1);
  EXPECT_EQ(picker.choice().mode, 0);
  picker.Choose(0);  // the list is closed: nothing to choose from
  EXPECT_EQ(picker.choice().macroIndex, -1);
  ClickIn(picker_layout::kDropDownArea);
  picker.Choose(3);
  EXPECT_TRUE(picker.listOpen());
  picker.Choose(2);
  EXPECT_FALSE(picker.listOpen());
  EXPECT_EQ(picker.choice().macroIndex, 2);
  EXPECT_EQ(picker.choice().name, L"Reload");
  EXPECT_EQ(picker.choice().mode, 0);
  EXPECT_EQ(ClickIn(picker_layout::kModeBoxes[2]).end, End::None);
  EXPECT_EQ(ClickIn(picker_layout::kOk).end, End::Ok);
  EXPECT_EQ(picker.choice().mode, 2);
}

TEST_F(Picker, EndsAndEmptyStore) {
  EXPECT_EQ(ClickIn(picker_layout::kCancel).end, End::Cancel);
  EXPECT_EQ(ClickIn(picker_layout::kClose).end, End::Cancel);
  EXPECT_EQ(picker.Click(0, 0).end, End::None);

  std::filesystem::remove(path);
  MacroPicker empty(store);
  EXPECT_TRUE(empty.Click(100, 130).listOpened);
  EXPECT_TRUE(empty.listNames().empty());
  EXPECT_EQ(empty.Click(260, 260).end, End::Ok);
  EXPECT_EQ(empty.choice().macroIndex, -1);
}

TEST(PickedMacro, OnlyOkWithAChosenMacroAssignsIt) {
  SettingsRecord record;
  ButtonLabels labels;
  ButtonAssignment assignment(record, labels, Language::English);
  constexpr std::size_t kButton = 9;
  const std::uint8_t before = record.button(ButtonField::Category, kButton);

  EXPECT_FALSE(AssignPickedMacro(assignment, kButton, {true, {-1, 1, L""}}));
  EXPECT_FALSE(AssignPickedMacro(assignment, kButton, {false, {2, 1, L"Reload"}}));
  EXPECT_EQ(record.button(ButtonField::Category, kButton), before);

  ASSERT_TRUE(AssignPickedMacro(assignment, kButton, {true, {2, 1, L"Reload"}}));
  EXPECT_EQ(record.button(ButtonField::MacroNumber, kButton), 2);
  EXPECT_EQ(record.button(ButtonField::MacroMode, kButton), 1);
  EXPECT_EQ(labels[kButton], L"Macro Key-Reload");
}

TEST(PickerTexts, TextsByLanguage) {
  EXPECT_EQ(MacroPickerTextsFor(Language::Russian).modes[2], L"Повторяйте до выбора \nклавиши");
  EXPECT_EQ(MacroPickerTextsFor(Language::English).ok, L"Ok");
  EXPECT_EQ(MacroPickerTextsFor(Language::German).cancel, L"Abbrechen");
  EXPECT_EQ(MacroPickerTextsFor(Language::ChineseTraditional).prompt, L"請從清單方塊選擇一個巨集");
  for (std::size_t l = 0; l < kLanguageCount; ++l) {
    for (std::wstring_view mode : MacroPickerTextsFor(static_cast<Language>(l)).modes) {
      EXPECT_FALSE(mode.empty());
    }
  }
}

}  // namespace
}  // namespace gm
