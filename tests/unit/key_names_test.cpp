// Key names to key codes and modifier bits, and naming a pressed key by its scan code.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "buttons/key_names.h"

namespace gm {
namespace {

constexpr std::uint32_t Keystroke(std::uint32_t scanCode, bool extended = false) {
  return (scanCode << 16) | (extended ? 1u << 24 : 0u) | 1u;
}

TEST(KeyNames, LookupsAreExactAndKeepKeysAndModifiersApart) {
  EXPECT_EQ(KeyCodeOf(L"A"), 0x04);
  EXPECT_EQ(KeyCodeOf(L"a"), 0x00);
  EXPECT_EQ(KeyCodeOf(L"A "), 0x00);
  EXPECT_EQ(KeyCodeOf(L"Enter"), 0x28);
  EXPECT_EQ(KeyCodeOf(L"Num Enter"), 0x58);
  EXPECT_EQ(KeyCodeOf(L"\\"), 0x31);
  EXPECT_EQ(KeyCodeOf(L"Eurpo(Note 2)"), 0x32);
  EXPECT_EQ(KeyCodeOf(L"Caps Lock"), 0x39);
  EXPECT_EQ(KeyCodeOf(L"F12"), 0x45);
  EXPECT_EQ(KeyCodeOf(L"Up"), 0x52);
  EXPECT_EQ(KeyCodeOf(L"Num Del"), 0x63);
  EXPECT_EQ(KeyCodeOf(L"M-Button"), 0xF2);

  EXPECT_EQ(KeyCodeOf(L"Right Ctrl"), 0xE4);
  EXPECT_EQ(ModifierBitOf(L"Right Ctrl"), 0x10);
  EXPECT_EQ(KeyCodeOf(L"Ctrl"), 0xE0);
  EXPECT_EQ(ModifierBitOf(L"Ctrl"), 0);
  EXPECT_EQ(KeyCodeOf(L"Left Win"), 0);
  EXPECT_EQ(ModifierBitOf(L"Left Win"), 0x08);
  EXPECT_EQ(KeyCodeOf(L"Left Windows"), 0xE3);
  EXPECT_EQ(ModifierBitOf(L"Left Windows"), 0);
  EXPECT_EQ(ModifierBitOf(L"Right Win"), 0x80);

  EXPECT_EQ(KeyCodeOf(L"L-Button"), 0xF0);
  EXPECT_EQ(KeyCodeOf(L"Application"), 0x65);
  EXPECT_EQ(MacroKeyCodeOf(L"Application"), 0x00);
  EXPECT_EQ(MacroKeyCodeOf(L"Right Windows"), 0xE7);

  EXPECT_EQ(KeyCodeOf(L""), 0);
  EXPECT_EQ(ModifierBitOf(L""), 0);
  EXPECT_EQ(MacroKeyCodeOf(L""), 0);
}

TEST(KeyNames, TableNamesAreDistinctAndCodesSkipOnly0x64) {
  std::set<std::wstring_view> names;
  std::set<KeyCode> codes;
  for (const KeyName& key : KeyNameTable) {
    names.insert(key.name);
    codes.insert(key.code);
  }
  EXPECT_EQ(names.size(), kKeyNameCount);
  EXPECT_EQ(codes.size(), kKeyNameCount);
  for (KeyCode code = 0x04; code <= 0x65; ++code) {
    EXPECT_EQ(codes.count(code), code == 0x64 ? 0u : 1u) << int{code};
  }
}

TEST(KeyNameOf, NamesKeysByScanCodeWhateverTheSystemCallsThem) {
  // The system's names differ from the table's under other layouts and under Wine.
  const SystemKeyNameFunction wrong = [](std::uint32_t) { return std::wstring(L"Control"); };
  EXPECT_EQ(KeyNameOf(Keystroke(0x1E), wrong), L"A");
  EXPECT_EQ(KeyNameOf(Keystroke(0x10), wrong), L"Q");  // "A" on a French layout
  EXPECT_EQ(KeyNameOf(Keystroke(0x15), wrong), L"Y");  // "Z" on a German layout
  EXPECT_EQ(KeyNameOf(Keystroke(0x1D), wrong), L"Ctrl");
  EXPECT_EQ(KeyNameOf(Keystroke(0x1D, true), wrong), L"Right Ctrl");
  EXPECT_EQ(KeyNameOf(Keystroke(0x1C), wrong), L"Enter");
  EXPECT_EQ(KeyNameOf(Keystroke(0x1C, true), wrong), L"Num Enter");
  EXPECT_EQ(KeyNameOf(Keystroke(0x45), wrong), L"Pause");
  EXPECT_EQ(KeyNameOf(Keystroke(0x45, true), wrong), L"Num Lock");
  EXPECT_EQ(KeyNameOf(Keystroke(0x37), wrong), L"Num *");
  EXPECT_EQ(KeyNameOf(Keystroke(0x37, true), wrong), L"Prnt Scrn");
  EXPECT_EQ(KeyNameOf(Keystroke(0x53), wrong), L"Num Del");
  EXPECT_EQ(KeyNameOf(Keystroke(0x53, true), wrong), L"Delete");
  EXPECT_EQ(KeyNameOf(Keystroke(0x5D, true), wrong), L"Application");
  EXPECT_EQ(KeyNameOf(Keystroke(0x58), wrong), L"F12");
}

TEST(KeyNameOf, EveryKeyboardNameOfTheTableIsReachableOnce) {
  std::set<std::wstring> reached;
  for (std::uint32_t scan = 0; scan < 0x100; ++scan) {
    for (bool extended : {false, true}) {
      const std::wstring name = KeyNameOf(Keystroke(scan, extended), nullptr);
      if (name.empty()) continue;
      EXPECT_NE(KeyCodeOf(name), kNoKey) << "not a table name: " << scan;
      EXPECT_TRUE(reached.insert(name).second) << "named twice: " << scan;
    }
  }
  // All but the non-US hash key and the three mouse buttons, which no keystroke names.
  EXPECT_EQ(reached.size(), kKeyNameCount - 4);
}

TEST(KeyNameOf, OtherKeysFallBackToTheSystemNameCutTo31Characters) {
  static std::uint32_t asked = 0;
  const SystemKeyNameFunction longName = [](std::uint32_t flags) {
    asked = flags;
    return std::wstring(40, L'x');
  };
  EXPECT_EQ(KeyNameOf(Keystroke(0x64), longName), std::wstring(31, L'x'));  // F13
  EXPECT_EQ(asked, Keystroke(0x64));
  EXPECT_EQ(KeyNameOf(Keystroke(0x56), nullptr), L"");  // the ISO key beside the left Shift
  EXPECT_EQ(KeyNameOf(0, nullptr), L"");
}

}  // namespace
}  // namespace gm
