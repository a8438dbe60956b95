// Picking button functions, their captions, the left-click guard and the key table they encode.
#include <gtest/gtest.h>

#include "buttons/button_assignment.h"
#include "buttons/key_names.h"
#include "config/function_catalogue.h"
#include "config/key_table.h"
#include "fake_host.h"

namespace gm {
namespace {

SlotBytes SlotOf(const KeyTable& table, std::size_t slot) {
  return {table[4 * slot], table[4 * slot + 1], table[4 * slot + 2], table[4 * slot + 3]};
}

// Button 3 lands in slot 5, so a wrong slot map shows up in every case.
constexpr std::size_t kButton = 3;

class Picks : public ::testing::Test {
 protected:
  SlotBytes Encoded() const { return SlotOf(EncodeKeyTable(record), kKeyTableSlot[kButton]); }

  SettingsRecord record;
  ButtonLabels labels;
  ButtonAssignment english{record, labels, Language::English};
  test::FakeHost host;
};

TEST_F(Picks, SimpleCategoriesEncodeAsMouseButtonsOrDoubleClick) {
  const std::pair<std::uint8_t, SlotBytes> cases[] = {
      {0, {0x01, 0, 0xF0, 0}}, {1, {0x01, 0, 0xF1, 0}},  {2, {0x01, 0, 0xF2, 0}},
      {3, {0x01, 0, 0xF4, 0}}, {4, {0x01, 0, 0xF3, 0}},  {5, {0x0A, 0xF0, 0x1E, 0x02}},
      {13, {0x00, 0, 0, 0}},   {14, {0x01, 0, 0xF5, 0}}, {15, {0x01, 0, 0xF6, 0}},
  };
  for (const auto& [category, bytes] : cases) {
    ASSERT_TRUE(english.PickSimple(kButton, category));
    EXPECT_EQ(Encoded(), bytes) << int{category};
    EXPECT_EQ(labels[kButton], CategoryText(category, Language::English));
  }
  EXPECT_EQ(labels[kButton], L"Right Title Scroll");
  // Categories with a parameter are chosen in their sub-list or dialog, never here.
  for (int category : {6, 7, 8, 9, 10, 11, 12, 16}) {
    EXPECT_FALSE(english.PickSimple(kButton, static_cast<std::uint8_t>(category)));
  }
  EXPECT_EQ(record.button(ButtonField::Category, kButton), 15);
}

TEST_F(Picks, SubListsStoreTheirValuesAndEncodeThem) {
  const std::uint8_t dpi[] = {1, 2, 3};
  for (std::size_t pos = 0; pos < kDpiListSize; ++pos) {
    ASSERT_TRUE(english.PickDpi(kButton, pos));
    EXPECT_EQ(Encoded(), (SlotBytes{0x07, 0, dpi[pos], 0}));
    EXPECT_EQ(labels[kButton], kDpiList[pos]);
  }
  for (std::size_t pos = 0; pos < kMediaListSize; ++pos) {
    ASSERT_TRUE(english.PickMedia(kButton, pos));
    const std::uint8_t high = pos == 0 ? 0x01 : 0x00;
    EXPECT_EQ(Encoded(), (SlotBytes{0x03, 0, kMediaUsages[pos], high}));
  }
  english.PickMedia(kButton, 0);
  EXPECT_EQ(labels[kButton], L"Media player");
  english.PickMedia(kButton, 5);
  EXPECT_EQ(Encoded(), (SlotBytes{0x03, 0x00, 0xE2, 0x00}));
  EXPECT_EQ(labels[kButton], L"Mute");

  const KeyCode letters[] = {0x11, 0x1B, 0x06, 0x19, 0x16, 0x13, 0x09, 0x1C, 0x1D, 0x04};
  for (std::size_t pos = 0; pos < kHotKeyListSize; ++pos) {
    ASSERT_TRUE(english.PickHotKey(kButton, pos));
    EXPECT_EQ(Encoded(), (SlotBytes{0x00, 0x00, 0xE0, letters[pos]}));
  }
  english.PickHotKey(kButton, 2);
  EXPECT_EQ(Encoded(), (SlotBytes{0x00, 0x00, 0xE0, 0x06}));
  EXPECT_EQ(labels[kButton], L"Copy");

  const SlotBytes windows[] = {{0x03, 0, 0x94, 0x01},    {0x03, 0, 0x23, 0x02},
                               {0x03, 0, 0x21, 0x02},    {0x00, 0x04, 0x2C, 0x1B},
                               {0x00, 0x04, 0x2C, 0x11}, {0x00, 0, 0xE3, 0x07},
                               {0x00, 0, 0xE3, 0x15}};
  for (std::size_t pos = 0; pos < kWindowsListSize; ++pos) {
    ASSERT_TRUE(english.PickWindows(kButton, pos));
    EXPECT_EQ(Encoded(), windows[pos]) << pos;
    EXPECT_EQ(record.button(ButtonField::WindowsAction, kButton), pos);
  }
  EXPECT_EQ(labels[kButton], L"Run");
}

TEST_F(Picks, PositionsOutsideAListChangeNothing) {
  english.PickSimple(kButton, 1);
  EXPECT_FALSE(english.PickDpi(kButton, 3));
  EXPECT_FALSE(english.PickMedia(kButton, 8));
  EXPECT_FALSE(english.PickHotKey(kButton, 10));
  EXPECT_FALSE(english.PickWindows(kButton, 7));
  EXPECT_FALSE(english.PickMacro(kButton, -1, 0, L"none"));
  EXPECT_FALSE(english.PickMacro(kButton, 19, 0, L"no block"));
  EXPECT_FALSE(english.PickSimple(kButtonCount, 0));
  EXPECT_FALSE(english.PickSingleKey(kButtonCount, L"A"));
  EXPECT_EQ(record.button(ButtonField::Category, kButton), 1);
  EXPECT_EQ(labels[kButton], L"Menu");
}

TEST_F(Picks, LabelsFollowTheLanguageAndKeepTrailingBlanks) {
  ButtonAssignment german{record, labels, Language::German};
  german.PickMedia(0, 1);
  EXPECT_EQ(labels[0], L"Nächster Lied ");
  german.PickSingleKey(0, L"A");
  EXPECT_EQ(labels[0], L"Einzel Taste -A");
  ButtonAssignment chinese{record, labels, Language::ChineseTraditional};
  chinese.PickWindows(0, 0);
  EXPECT_EQ(labels[0], L"我的電腦");
  ButtonAssignment russian{record, labels, Language::Russian};
  russian.PickDpi(0, 2);
  EXPECT_EQ(labels[0], L"DPI Loop");
}

TEST_F(Picks, SingleKeyStoresTheCodeOfItsNameAndShowsAnyName) {
  english.PickSingleKey(kButton, L"Space");
  EXPECT_EQ(labels[kButton], L"Single Key-Space");
  EXPECT_EQ(Encoded(), (SlotBytes{0x00, 0x00, 0x2C, 0x00}));
  english.PickSingleKey(kButton, L"Ä");
  EXPECT_EQ(labels[kButton], L"Single Key-Ä");
  EXPECT_EQ(Encoded(), (SlotBytes{0x00, 0x00, 0x00, 0x00}));
}

TEST_F(Picks, ComboLabelShowsOnlyWhatIsEncoded) {
  struct Case {
    const wchar_t* modifier;
    const wchar_t* key1;
    const wchar_t* key2;
    const wchar_t* label;
    SlotBytes bytes;
  };
  const Case cases[] = {
      {L"Left Ctrl", L"A", L"Tab", L"Combo Key-Left Ctrl+A+Tab", {0x00, 0x01, 0x04, 0x2B}},
      {L"Left Ctrl", L"A", L"", L"Combo Key-Left Ctrl+A", {0x00, 0x01, 0x04, 0x00}},
      {L"Right Win", L"", L"B", L"Combo Key-Right Win+B", {0x00, 0x80, 0x00, 0x05}},
      {L"Left Alt", L"", L"", L"Combo Key-Left Alt", {0x00, 0x04, 0x00, 0x00}},
      {L"", L"A", L"B", L"Combo Key-A+B", {0x00, 0x00, 0x04, 0x05}},
      {L"", L"A", L"", L"Combo Key-A", {0x00, 0x00, 0x04, 0x00}},
      {L"", L"", L"B", L"Combo Key-B", {0x00, 0x00, 0x00, 0x05}},
      {L"", L"", L"", L"Combo Key-", {0x00, 0x00, 0x00, 0x00}},
      // Names the tables do not know: left out of the caption as they are encoded as 0.
      {L"Ctrl", L"a", L"Tab", L"Combo Key-Tab", {0x00, 0x00, 0x00, 0x2B}},
      {L"Left Shift", L"Ü", L"F5", L"Combo Key-Left Shift+F5", {0x00, 0x02, 0x00, 0x3E}},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(english.PickCombo(kButton, c.modifier, c.key1, c.key2));
    EXPECT_EQ(labels[kButton], c.label);
    EXPECT_EQ(Encoded(), c.bytes) << c.label;
  }
  ButtonAssignment chinese{record, labels, Language::ChineseSimplified};
  chinese.PickCombo(kButton, L"Left Ctrl", L"C", L"");
  EXPECT_EQ(labels[kButton], L"组合键-Left Ctrl+C");
}

TEST_F(Picks, MacroEncodesItsNumberPlusOneAndMode) {
  ASSERT_TRUE(english.PickMacro(kButton, 0, 2, L"Macro_0"));
  EXPECT_EQ(Encoded(), (SlotBytes{0x09, 0x02, 0x01, 0x00}));
  EXPECT_EQ(labels[kButton], L"Macro Key-Macro_0");
  ASSERT_TRUE(english.PickMacro(kButton, 18, 1, L"last"));
  EXPECT_EQ(Encoded(), (SlotBytes{0x09, 0x01, 0x13, 0x00}));
}

TEST_F(Picks, FieldsOfOtherCategoriesKeepTheirValues) {
  english.PickCombo(kButton, L"Left Ctrl", L"A", L"B");
  english.PickMedia(kButton, 3);
  english.PickSimple(kButton, 0);
  EXPECT_EQ(record.button(ButtonField::ComboModifier, kButton), 0x01);
  EXPECT_EQ(record.button(ButtonField::ComboKey2, kButton), 0x05);
  EXPECT_EQ(record.button(ButtonField::MediaUsage, kButton), 0xB7);
  EXPECT_EQ(Encoded(), (SlotBytes{0x01, 0x00, 0xF0, 0x00}));
}

TEST_F(Picks, LeftClickGuardKeepsTheLastClickButton) {
  for (std::size_t b = 1; b < kButtonCount; ++b) english.PickSimple(b, 13);
  const SettingsRecord before = record;
  EXPECT_FALSE(english.MayOpenList(0, host));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, L"Left key must be selected!");
  EXPECT_EQ(host.messages[0].title, L"Warning");
  EXPECT_EQ(host.messages[0].flags, kMbOk);
  EXPECT_EQ(record, before);

  EXPECT_TRUE(english.MayOpenList(5, host));  // not a Click button
  english.PickSimple(18, 0);
  EXPECT_TRUE(english.MayOpenList(0, host));
  EXPECT_TRUE(english.MayOpenList(18, host));
  EXPECT_EQ(host.messages.size(), 1u);

  // The only Click button may be the last one; the message follows the language.
  english.PickSimple(0, 1);
  ButtonAssignment russian{record, labels, Language::Russian};
  EXPECT_FALSE(russian.MayOpenList(18, host));
  EXPECT_EQ(host.messages.back().text, L"Левая Клавиша Должна Быть назначена!");
  EXPECT_EQ(host.messages.back().title, L"Warning");
}

TEST_F(Picks, DefaultLabels) {
  ButtonAssignment german{record, labels, Language::German};
  german.DefaultLabels();
  EXPECT_EQ(labels[0], L"linke Taste");
  EXPECT_EQ(labels[3], L"Linke Schwenkwalze");
  EXPECT_EQ(labels[4], L"Rechte Schwenkwalze");
  EXPECT_EQ(labels[5], L"DPI +");
  EXPECT_EQ(labels[6], L"DPI -");
  for (std::size_t b = 7; b < kButtonCount; ++b) EXPECT_EQ(labels[b], L"Abschalten Taste ");
  EXPECT_EQ(record, SettingsRecord{});  // captions only; the fields come from the files
}

TEST(KeyTable, ZeroRecordIsAllClickWithTheFixedSlots) {
  const KeyTable table = EncodeKeyTable(SettingsRecord{});
  for (std::size_t slot = 0; slot < 32; ++slot) {
    SlotBytes expected{};
    if (slot <= 6 || (slot >= 8 && slot <= 11) || (slot >= 16 && slot <= 23)) {
      expected = {0x01, 0x00, 0xF0, 0x00};
    } else if (slot == 14) {
      expected = {0x01, 0x00, 0xF7, 0x00};
    } else if (slot == 15) {
      expected = {0x01, 0x00, 0xF8, 0x00};
    }
    EXPECT_EQ(SlotOf(table, slot), expected) << slot;
  }
}

TEST(KeyTable, EachButtonLandsInItsOwnSlot) {
  const std::size_t slots[] = {0, 1, 2, 5, 6, 3, 4, 8, 9, 10, 11, 16, 17, 18, 19, 20, 21, 22, 23};
  for (std::size_t button = 0; button < kButtonCount; ++button) {
    SettingsRecord record;
    record.button(ButtonField::Category, button) = 1;
    const KeyTable table = EncodeKeyTable(record);
    EXPECT_EQ(SlotOf(table, slots[button]), (SlotBytes{0x01, 0x00, 0xF1, 0x00})) << button;
    int menus = 0;
    for (std::size_t slot = 0; slot < 32; ++slot) menus += SlotOf(table, slot)[2] == 0xF1;
    EXPECT_EQ(menus, 1);
  }
}

TEST(KeyTable, DamagedValuesEncodeSafely) {
  SettingsRecord record;
  record.button(ButtonField::Category, 0) = 16;
  record.button(ButtonField::Category, 1) = 255;
  record.button(ButtonField::Category, 2) = 9;
  record.button(ButtonField::WindowsAction, 2) = 7;
  record.button(ButtonField::Category, 5) = 9;
  record.button(ButtonField::WindowsAction, 5) = 255;
  record.button(ButtonField::Category, 6) = 6;
  record.button(ButtonField::DpiAction, 6) = 9;  // copied as it is
  record.button(ButtonField::Category, 7) = 12;
  record.button(ButtonField::MacroNumber, 7) = 255;
  record.button(ButtonField::MacroMode, 7) = 7;
  const KeyTable table = EncodeKeyTable(record);
  EXPECT_EQ(SlotOf(table, 0), SlotBytes{});
  EXPECT_EQ(SlotOf(table, 1), SlotBytes{});
  EXPECT_EQ(SlotOf(table, 2), SlotBytes{});
  EXPECT_EQ(SlotOf(table, 3), SlotBytes{});
  EXPECT_EQ(SlotOf(table, 4), (SlotBytes{0x07, 0x00, 0x09, 0x00}));
  EXPECT_EQ(SlotOf(table, 8), (SlotBytes{0x09, 0x07, 0x00, 0x00}));
}

}  // namespace
}  // namespace gm
