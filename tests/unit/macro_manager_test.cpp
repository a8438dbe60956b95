// The macro manager without its window: the lists, the record options, the repeat-count field,
// what each edit writes to record.ini, and the blocks OK hands back.
#include <gtest/gtest.h>

#include "fake_host.h"
#include "macro/macro_encoder.h"
#include "macro/macro_manager.h"
#include "macro_items.h"
#include "memory_ini_file.h"
#include "temp_dir.h"
#include "ui/ui_log.h"

namespace gm {
namespace {

using test::Delay;
using test::Press;
using test::Release;
using Names = std::vector<std::wstring>;

class Manager : public ::testing::Test {
 protected:
  // record.ini exists on disk (the store does nothing without it); its contents live in memory.
  void SetUp() override { test::WriteBytes(path, test::Utf16File(u"")); }

  void Add(const std::wstring& name, bool delay, bool loop, const std::wstring& loopTimes,
           const Names& items) {
    ASSERT_EQ(store.Store(Macro{name, delay, loop, loopTimes, items}),
              MacroStore::StoreResult::Written);
  }
  MacroManager& Opened(Language language = Language::English) {
    manager.emplace(store, host, options, language);
    manager->Open();
    ini.writes.clear();
    return *manager;
  }
  std::wstring Key(const std::wstring& section, const std::wstring& key) {
    return ini.ReadString(path, section, key, 1024);
  }
  Names Sections() { return store.Names(); }

  test::TempDir dir;
  std::filesystem::path path = dir / "record.ini";
  test::MemoryIniFile ini;
  MacroStore store{ini, path};
  test::FakeHost host;
  MacroOptions options;
  std::optional<MacroManager> manager;
};

TEST_F(Manager, OpeningShowsTheFirstMacroWithoutWritingAnything) {
  Add(L"Fire", true, true, L"12", {Press(L"A"), Delay(30), Release(L"A")});
  Add(L"Jump", false, false, L"3", {Press(L"B")});
  options.loop = true;
  ini.WriteString(path, L"Fire", L"LoopTimeSelStatus", L"2");  // neither 0 nor 1: off at opening
  ini.writes.clear();
  manager.emplace(store, host, options, Language::English);
  manager->Open();
  EXPECT_EQ(manager->names(), (Names{L"Fire", L"Jump"}));
  EXPECT_EQ(manager->selectedMacro(), 0u);
  EXPECT_EQ(manager->items(), (Names{Press(L"A"), Delay(30), Release(L"A")}));
  EXPECT_EQ(manager->repeatText(), L"12");
  EXPECT_TRUE(options.delay);
  EXPECT_FALSE(options.loop);
  EXPECT_FALSE(manager->repeatFieldEnabled());
  EXPECT_TRUE(ini.writes.empty());
  // The field was set before the selection: the working copy is still all zero.
  EXPECT_TRUE(test::RestIsZero(manager->workingCopy()[0], 0));
}

TEST_F(Manager, SelectingLoadsItemsOptionsAndWritesTheRepeatCount) {
  Add(L"A", true, true, L"5", {Press(L"A")});
  Add(L"B", false, true, L"70000", {Press(L"B"), Release(L"B")});
  for (const auto& [key, value] : {std::pair{L"DelayTimeSelStatus", L"x"},
                                   {L"LoopTimeSelStatus", L"0"},
                                   {L"MacroLoopTimes", L"300"},
                                   {L"ItemCount", L"0"}}) {
    ini.WriteString(path, L"C", key, value);
  }
  MacroManager& m = Opened();
  m.SelectMacro(1);
  EXPECT_EQ(m.items(), (Names{Press(L"B"), Release(L"B")}));
  EXPECT_FALSE(options.delay);
  EXPECT_TRUE(options.loop);
  EXPECT_TRUE(m.repeatFieldEnabled());
  // 70000 is outside 1..65535: the field and the section get 1.
  EXPECT_EQ(m.repeatText(), L"1");
  EXPECT_EQ(Key(L"B", L"MacroLoopTimes"), L"1");
  EXPECT_EQ(m.workingCopy()[1][0], 0);
  EXPECT_EQ(m.workingCopy()[1][1], 1);

  // "x" keeps the delay option as it was; 0 turns the loop option off.
  m.SelectMacro(2);
  EXPECT_FALSE(options.delay);
  EXPECT_FALSE(options.loop);
  EXPECT_EQ(m.repeatText(), L"300");
  EXPECT_EQ(m.workingCopy()[2][0], 0x01);
  EXPECT_EQ(m.workingCopy()[2][1], 0x2C);
  EXPECT_TRUE(m.items().empty());
}

TEST_F(Manager, RepeatFieldKeepsValuesInRangeOnly) {
  Add(L"A", true, true, L"5", {Press(L"A")});
  MacroManager& m = Opened();
  m.SelectMacro(0);
  for (const wchar_t* bad : {L"0", L"65536", L"", L"-3"}) {
    m.SetRepeatText(bad);
    EXPECT_EQ(m.repeatText(), L"1") << bad;
  }
  m.SetRepeatText(L"65535");
  EXPECT_EQ(m.repeatText(), L"65535");
  EXPECT_EQ(Key(L"A", L"MacroLoopTimes"), L"65535");
  EXPECT_EQ(m.workingCopy()[0][0], 0xFF);
  EXPECT_EQ(m.workingCopy()[0][1], 0xFF);
}

TEST_F(Manager, NewNamesTheMacroAndCreatesItsSectionAtOnce) {
  MacroManager& m = Opened();
  m.NewMacro();
  EXPECT_EQ(m.names(), (Names{L"Macro_0"}));
  EXPECT_EQ(m.selectedMacro(), 0u);
  EXPECT_EQ(m.repeatText(), L"1");
  EXPECT_EQ(ini.writes, (std::vector<std::wstring>{L"Macro_0/MacroLoopTimes=1"}));

  Add(L"Macro_7", true, true, L"1", {Press(L"A")});
  m.Open();
  m.NewMacro();
  EXPECT_EQ(m.names().back(), L"Macro_8");
  EXPECT_EQ(Sections(), (Names{L"Macro_0", L"Macro_7", L"Macro_8"}));
  EXPECT_TRUE(m.items().empty());

  // Without "_" in the last name the number is the count of names.
  EXPECT_EQ(NextMacroName({L"A_1", L"x", L"Fire"}, L"Macro"), L"Macro_3");
  EXPECT_EQ(NextMacroName({L"My_Macro"}, L"Macro"), L"Macro_1");
  EXPECT_EQ(NextMacroName({L"Macro_99999999999999999999"}, L"Macro"), L"Macro_9223372036854775807");
  // A name that is taken (in any case) would share its section: the next free number.
  EXPECT_EQ(NextMacroName({L"macro_2", L"Fire"}, L"Macro"), L"Macro_3");
}

TEST_F(Manager, NewUsesTheLanguageAndStopsAtNineteen) {
  MacroManager& m = Opened(Language::German);
  m.NewMacro();
  EXPECT_EQ(m.names(), (Names{L"Macros_0"}));
  for (int i = 1; i < 19; ++i) m.NewMacro();
  EXPECT_EQ(m.names().size(), 19u);
  EXPECT_TRUE(host.messages.empty());
  m.NewMacro();
  EXPECT_EQ(m.names().size(), 19u);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, L"Macro-Nummern bis zu 19.");
  EXPECT_EQ(host.messages[0].title, L"Achtung");
  EXPECT_EQ(Sections().size(), 19u);
}

TEST_F(Manager, DeleteRemovesTheSectionAndLaterMacrosMoveUp) {
  Add(L"A", true, true, L"1", {Press(L"A")});
  Add(L"B", true, true, L"1", {Press(L"B")});
  MacroManager& m = Opened();
  m.DeleteMacro();
  EXPECT_EQ(m.names(), (Names{L"B"}));
  EXPECT_EQ(Sections(), (Names{L"B"}));
  EXPECT_TRUE(m.items().empty());
  EXPECT_EQ(m.selectedMacro(), std::nullopt);
  m.DeleteMacro();  // nothing selected
  EXPECT_EQ(Sections(), (Names{L"B"}));
}

// A macro's place in record.ini is its block number: a rename keeps it.
TEST_F(Manager, RenameTakesASecondDoubleClickAndKeepsTheMacrosPlace) {
  Add(L"A", true, true, L"4", {Press(L"A"), Release(L"A")});
  Add(L"B", true, true, L"1", {Press(L"B")});
  Add(L"C", true, true, L"1", {Press(L"C")});
  MacroManager& m = Opened();
  EXPECT_FALSE(m.MacroDoubleClicked(1));
  EXPECT_FALSE(m.MacroDoubleClicked(0));
  EXPECT_FALSE(m.MacroDoubleClicked(1));
  EXPECT_TRUE(m.MacroDoubleClicked(1));

  EXPECT_EQ(m.RenameMacro(1, L"  Attack  "), MacroManager::RenameResult::Renamed);
  EXPECT_EQ(m.names(), (Names{L"A", L"Attack", L"C"}));
  EXPECT_EQ(Sections(), (Names{L"A", L"Attack", L"C"}));
  EXPECT_EQ(store.Load(L"Attack")->items, (Names{Press(L"B")}));
  ASSERT_EQ(m.Finish(), MacroManager::FinishResult::Encoded);
  EXPECT_EQ(m.workingCopy()[1][3], 0x05);
  EXPECT_EQ(m.workingCopy()[2][3], 0x06);

  // Longer names are cut to what the name buffers hold.
  EXPECT_EQ(m.RenameMacro(0, std::wstring(40, L'n')), MacroManager::RenameResult::Renamed);
  EXPECT_EQ(m.names()[0], std::wstring(31, L'n'));
  // ... between characters: a pair of UTF-16 units that does not fit whole goes whole.
  EXPECT_EQ(CleanMacroName(std::wstring(30, L'n') + L"\U0001F3AEx"), std::wstring(30, L'n'));
  EXPECT_EQ(CleanMacroName(std::wstring(29, L'n') + L"\U0001F3AEx"),
            std::wstring(29, L'n') + L"\U0001F3AE");
}

TEST_F(Manager, RenameRefusesBlankAndTakenNames) {
  Add(L"A", true, true, L"1", {Press(L"A")});
  Add(L"B", true, true, L"1", {Press(L"B")});
  MacroManager& m = Opened();
  ini.writes.clear();
  EXPECT_EQ(m.RenameMacro(0, L"   "), MacroManager::RenameResult::Blank);
  EXPECT_EQ(m.RenameMacro(0, L"b"), MacroManager::RenameResult::Exists);
  EXPECT_EQ(m.RenameMacro(0, L"A"), MacroManager::RenameResult::Unchanged);
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(host.messages[0].text, L"Macro name is blank");
  EXPECT_EQ(host.messages[1].text, L"Macro name already exists");
  EXPECT_EQ(host.messages[1].title, L"Warning");
  EXPECT_TRUE(ini.writes.empty());
  EXPECT_EQ(m.names(), (Names{L"A", L"B"}));
  // The same name in another case is the macro's own section.
  EXPECT_EQ(m.RenameMacro(0, L"a"), MacroManager::RenameResult::Renamed);
  EXPECT_EQ(Sections(), (Names{L"a", L"B"}));
}

// A name that differs only in case is taken in every script: record.ini would store both macros
// in one section and a rename would delete the other's.
TEST_F(Manager, RenameRefusesATakenNameInAnotherCaseInEveryScript) {
  Add(L"Макро_0", true, true, L"1", {Press(L"A")});
  Add(L"Макро_1", true, true, L"1", {Press(L"B")});
  Add(L"Ärger", true, true, L"1", {Press(L"C")});
  MacroManager& m = Opened(Language::Russian);
  EXPECT_EQ(m.RenameMacro(1, L"макро_0"), MacroManager::RenameResult::Exists);
  EXPECT_EQ(m.RenameMacro(1, L"ärger"), MacroManager::RenameResult::Exists);
  EXPECT_TRUE(ini.writes.empty());
  EXPECT_EQ(Sections(), (Names{L"Макро_0", L"Макро_1", L"Ärger"}));
  EXPECT_EQ(store.Load(L"Макро_0")->items, (Names{Press(L"A")}));
  EXPECT_EQ(NextMacroName({L"Макро_1", L"макро_0"}, L"МАКРО"), L"МАКРО_2");
}

// A rename record.ini does not take must not leave the macro stored a second time under the
// new name while the old section stays.
TEST_F(Manager, FailedRenameIsRefusedAndRecordIniStaysAsItWas) {
  Add(L"A", true, true, L"1", {Press(L"A")});
  Add(L"B", true, true, L"1", {Press(L"B")});
  MacroManager& m = Opened();
  ini.failRenames = true;
  EXPECT_EQ(m.RenameMacro(0, L"Attack"), MacroManager::RenameResult::Failed);
  EXPECT_EQ(m.names(), (Names{L"A", L"B"}));
  EXPECT_EQ(Sections(), (Names{L"A", L"B"}));
  EXPECT_EQ(store.Load(L"A")->items, (Names{Press(L"A")}));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, L"record.ini cannot be written.");
}

// record.ini holding two sections of one name (edited by hand): rename and delete act on the
// line the user chose, and a name given back unchanged, even one too long for a new name, is
// no rename.
TEST_F(Manager, DuplicateSectionsAreRenamedAndDeletedWhereChosen) {
  const std::wstring longName(40, L'L');
  auto& sections = ini.SectionsOf(path);
  const auto section = [](const std::wstring& name, const std::wstring& item) {
    return test::MemoryIniFile::Section{
        name, {{L"MacroLoopTimes", L"1"}, {L"ItemCount", L"1"}, {L"Item0", item}}};
  };
  sections = {section(L"Fire", Press(L"A")), section(L"Fire", Press(L"B")),
              section(L"Fire", Press(L"C")), section(longName, Press(L"D"))};
  MacroManager& m = Opened();
  EXPECT_EQ(m.RenameMacro(3, longName), MacroManager::RenameResult::Unchanged);
  EXPECT_EQ(m.RenameMacro(3, L" " + longName + L" "), MacroManager::RenameResult::Unchanged);
  EXPECT_TRUE(ini.writes.empty());

  EXPECT_EQ(m.RenameMacro(1, L"Jump"), MacroManager::RenameResult::Renamed);
  EXPECT_EQ(m.names(), (Names{L"Fire", L"Jump", L"Fire", longName}));
  EXPECT_EQ(Sections(), m.names());
  EXPECT_EQ(store.Load(L"Jump")->items, (Names{Press(L"B")}));
  EXPECT_EQ(m.items(), (Names{Press(L"B")}));  // what the renamed macro holds itself

  m.SelectMacro(2);
  m.DeleteMacro();
  EXPECT_EQ(Sections(), (Names{L"Fire", L"Jump", longName}));
  EXPECT_EQ(store.Load(L"Fire")->items, (Names{Press(L"A")}));
  EXPECT_TRUE(host.messages.empty());
}

// Each macro is read, stored and encoded from its own section, also where an earlier one has its
// name: OK without an edit programs the macro the user sees.
TEST_F(Manager, DuplicateSectionsAreReadWrittenAndEncodedWhereTheyStand) {
  auto& sections = ini.SectionsOf(path);
  const auto section = [](const std::wstring& loops, const Names& items) {
    test::MemoryIniFile::Section made{L"Fire",
                                      {{L"DelayTimeSelStatus", L"1"},
                                       {L"LoopTimeSelStatus", L"1"},
                                       {L"MacroLoopTimes", loops},
                                       {L"ItemCount", std::to_wstring(items.size())}}};
    for (std::size_t i = 0; i < items.size(); ++i) {
      made.keys.emplace_back(L"Item" + std::to_wstring(i), items[i]);
    }
    return made;
  };
  const Names second{Press(L"B"), Delay(40), Release(L"B")};
  sections = {section(L"2", {Press(L"A"), Release(L"A")}), section(L"5", second),
              section(L"7", {Press(L"C")})};
  MacroManager& m = Opened();
  ASSERT_EQ(m.Finish(), MacroManager::FinishResult::Encoded);
  const auto expected = EncodeMacroBlock(MacroSource{1, 1, 5, second});
  ASSERT_TRUE(expected);
  EXPECT_EQ(m.workingCopy()[1], *expected);
  EXPECT_NE(m.workingCopy()[0], m.workingCopy()[1]);

  m.SelectMacro(2);
  EXPECT_EQ(m.items(), (Names{Press(L"C")}));
  EXPECT_EQ(m.repeatText(), L"7");
  m.SetRepeatText(L"9");
  m.SelectItem(0);
  m.InsertClick(MouseButtonKey::Left);
  EXPECT_EQ(store.Load(2, L"Fire")->items,
            (Names{Press(L"C"), L"L-Button" + std::wstring(kPressSuffix),
                   L"L-Button" + std::wstring(kReleaseSuffix)}));
  EXPECT_EQ(store.Load(2, L"Fire")->loopTimes, L"9");
  EXPECT_EQ(sections[0].keys, section(L"2", {Press(L"A"), Release(L"A")}).keys);
  EXPECT_EQ(sections[1].keys, section(L"5", second).keys);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(Manager, RenamedMacroWithoutEventsStaysInRecordIni) {
  MacroManager& m = Opened();
  m.NewMacro();
  m.NewMacro();
  m.SelectMacro(0);
  EXPECT_EQ(m.RenameMacro(0, L"Empty"), MacroManager::RenameResult::Renamed);
  EXPECT_EQ(Sections(), (Names{L"Empty", L"Macro_1"}));
  EXPECT_EQ(Key(L"Empty", L"MacroLoopTimes"), L"1");
}

TEST_F(Manager, InsertingClicks) {
  Add(L"A", true, true, L"1", {Press(L"A"), Delay(20), Release(L"A")});
  MacroManager& m = Opened();
  // No selection in a non-empty list: nothing inserted, the macro still stored.
  m.InsertClick(MouseButtonKey::Left);
  EXPECT_EQ(m.items().size(), 3u);
  EXPECT_EQ(ini.writes.front(), L"delete A");

  m.SelectItem(1);
  m.InsertClick(MouseButtonKey::Middle);
  EXPECT_EQ(m.items(),
            (Names{Press(L"A"), Delay(20), L"M-Button   Dn", L"M-Button   Up", Release(L"A")}));
  EXPECT_EQ(m.selectedItem(), 2u);
  EXPECT_EQ(store.Load(L"A")->items, m.items());

  m.SelectItem(4);
  m.InsertClick(MouseButtonKey::Right);  // after the last item
  EXPECT_EQ(m.items().back(), L"R-Button   Up");
  EXPECT_EQ(m.selectedItem(), 5u);

  m.NewMacro();
  m.InsertClick(MouseButtonKey::Left);
  EXPECT_EQ(m.items(), (Names{L"L-Button   Dn", L"L-Button   Up"}));
  EXPECT_EQ(store.Load(L"Macro_1")->items, m.items());
}

TEST_F(Manager, InsertingDelaysOnlyBetweenTwoKeyItems) {
  Add(L"A", false, true, L"1", {Press(L"A"), Delay(20), Release(L"A"), Press(L"B")});
  MacroManager& m = Opened();
  for (std::size_t at : {0u, 1u, 2u}) {  // first item, a delay, below a delay
    m.SelectItem(at);
    m.InsertDelay();
  }
  EXPECT_EQ(m.items().size(), 4u);
  EXPECT_TRUE(ini.writes.empty());

  m.SelectItem(3);
  m.InsertDelay();
  EXPECT_EQ(m.items(), (Names{Press(L"A"), Delay(20), Release(L"A"), L"50 ms", Press(L"B")}));
  EXPECT_EQ(m.selectedItem(), 3u);
  EXPECT_EQ(store.Load(L"A")->items, m.items());
}

TEST_F(Manager, DeletingTheLastEventKeepsTheOldItemsInRecordIni) {
  Add(L"A", true, true, L"3", {Press(L"A")});
  MacroManager& m = Opened();
  m.SetRepeatText(L"3");  // the working copy has a block for the macro
  ASSERT_EQ(m.workingCopy()[0][1], 3);
  m.DeleteItem();  // nothing selected
  EXPECT_EQ(m.items().size(), 1u);
  m.SelectItem(0);
  m.DeleteItem();
  EXPECT_TRUE(m.items().empty());
  EXPECT_EQ(store.Load(L"A")->items, (Names{Press(L"A")}));
  EXPECT_TRUE(test::RestIsZero(m.workingCopy()[0], 0));
}

TEST_F(Manager, DelayEditorOpensOnADelayChosenTwice) {
  Add(L"A", true, true, L"1", {Press(L"A"), Delay(20), Release(L"A"), Delay(40), Press(L"B")});
  MacroManager& m = Opened();
  EXPECT_FALSE(m.EventItemChosen(0));  // not a delay
  EXPECT_FALSE(m.EventItemChosen(1));
  EXPECT_TRUE(m.EventItemChosen(1));
  EXPECT_FALSE(m.EventItemChosen(3));
  EXPECT_FALSE(m.EventItemChosen(2));  // another item in between keeps the remembered delay
  EXPECT_TRUE(m.EventItemChosen(3));
  EXPECT_FALSE(m.EventItemChosen(9));
  m.ReplaceItem(3, L"1500 ms");
  EXPECT_EQ(m.StoreSelected(), MacroStore::StoreResult::Written);
  EXPECT_EQ(store.Load(L"A")->items[3], L"1500 ms");
}

TEST_F(Manager, OptionTogglesAreSavedWithTheNextStore) {
  Add(L"A", false, false, L"2", {Press(L"A")});
  MacroManager& m = Opened();
  m.ToggleDelayOption();
  m.ToggleLoopOption();
  EXPECT_TRUE(m.repeatFieldEnabled());
  EXPECT_TRUE(ini.writes.empty());
  m.StoreSelected();
  EXPECT_EQ(Key(L"A", L"DelayTimeSelStatus"), L"1");
  EXPECT_EQ(Key(L"A", L"LoopTimeSelStatus"), L"1");
  // Process-wide: a new dialog starts with them until a macro is loaded.
  MacroManager other(store, host, options, Language::English);
  EXPECT_TRUE(other.options().delay);
}

TEST_F(Manager, RecorderFillsTheListAndTheFieldFollowsTheLoopOption) {
  Add(L"A", true, true, L"2", {Press(L"Q")});
  MacroManager& m = Opened();
  EXPECT_TRUE(m.repeatFieldEnabled());
  m.ClearItems();
  m.SetRepeatFieldEnabled(false);
  EXPECT_TRUE(m.items().empty());
  EXPECT_FALSE(m.repeatFieldEnabled());
  m.AppendItem(Press(L"W"));
  m.AppendItem(Delay(80));
  m.SelectLastItem();
  EXPECT_EQ(m.selectedItem(), 1u);
  EXPECT_TRUE(ini.writes.empty());
  m.SetRepeatFieldEnabled(true);
  EXPECT_TRUE(m.repeatFieldEnabled());
  m.StoreSelected();
  EXPECT_EQ(store.Load(L"A")->items, (Names{Press(L"W"), Delay(80)}));

  // The end of a recording enables the field only while the loop option is on.
  m.ToggleLoopOption();
  EXPECT_FALSE(m.repeatFieldEnabled());
  m.SetRepeatFieldEnabled(true);
  EXPECT_FALSE(m.repeatFieldEnabled());
  m.ToggleLoopOption();
  EXPECT_TRUE(m.repeatFieldEnabled());
}

TEST_F(Manager, FinishEncodesEveryMacroInFileOrder) {
  Add(L"A", true, true, L"3",
      {Press(L"A"), Delay(120), Release(L"A"), Delay(3000), Press(L"B"), Delay(20), Release(L"B")});
  Add(L"B", true, false, L"9", {Press(L"C")});
  MacroManager& m = Opened();
  m.SelectMacro(1);
  m.SelectItem(0);
  m.InsertClick(MouseButtonKey::Left);
  ASSERT_EQ(m.Finish(), MacroManager::FinishResult::Encoded);
  const MacroBlocks& blocks = m.workingCopy();
  EXPECT_EQ(test::Bytes(blocks[0].begin(), blocks[0].begin() + 12),
            (test::Bytes{0x00, 0x03, 0x0C, 0x04, 0x80, 0x04, 0x1E, 0x03, 0x02, 0x05, 0x80, 0x05}));
  EXPECT_EQ(test::Bytes(blocks[1].begin(), blocks[1].begin() + 8),
            (test::Bytes{0x00, 0x01, 0x00, 0x06, 0x00, 0xF0, 0x80, 0xF0}));
  EXPECT_TRUE(test::RestIsZero(blocks[2], 0));
}

TEST_F(Manager, FinishRefusesAMacroThatDoesNotFit) {
  Names long_;
  for (int i = 0; i < 32; ++i) {
    long_.push_back(Press(L"A"));
    long_.push_back(Release(L"A"));
  }
  Add(L"Short", true, true, L"1", {Press(L"A")});
  Add(L"Endless", true, true, L"1", long_);
  MacroManager& m = Opened(Language::ChineseSimplified);
  EXPECT_EQ(m.Finish(), MacroManager::FinishResult::Refused);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].text.find(L"\"Endless\" (number 2)"), std::wstring::npos)
      << ToUtf8(host.messages[0].text);
  EXPECT_EQ(host.messages[0].title, L"警告");
  EXPECT_TRUE(test::RestIsZero(m.workingCopy()[0], 0));  // nothing handed back

  m.SelectMacro(1);
  m.SelectItem(0);
  m.DeleteItem();
  EXPECT_EQ(m.Finish(), MacroManager::FinishResult::Encoded);
  EXPECT_EQ(m.workingCopy()[0][3], 0x04);
}

// Without record.ini OK hands nothing back, so the record keeps its macros; the first macro
// creates the file.
TEST_F(Manager, WithoutRecordIniTheFirstMacroCreatesItAndOkNeverWipesTheRecord) {
  std::filesystem::remove(path);
  MacroManager& m = Opened();
  EXPECT_TRUE(m.names().empty());
  EXPECT_EQ(m.Finish(), MacroManager::FinishResult::NoMacroFile);
  m.NewMacro();
  EXPECT_EQ(m.names(), (Names{L"Macro_0"}));
  EXPECT_TRUE(std::filesystem::exists(path));
  m.InsertClick(MouseButtonKey::Left);
  EXPECT_EQ(store.Load(L"Macro_0")->items.size(), 2u);
  EXPECT_EQ(m.Finish(), MacroManager::FinishResult::Encoded);
  EXPECT_EQ(m.workingCopy()[0][3], 0xF0);

  // Gone while the dialog is open: nothing handed back either.
  std::filesystem::remove(path);
  EXPECT_EQ(m.Finish(), MacroManager::FinishResult::NoMacroFile);
  EXPECT_TRUE(host.messages.empty());
}

// Only the names that begin within the first 255 characters of the section list are read: New
// and a rename refuse to push a macro past them, and no section past them is written over.
TEST_F(Manager, NamesStayWithinTheWindowOfTheList) {
  Add(L"S", true, true, L"1", {Press(L"A")});
  for (int i = 1; i <= 8; ++i) {  // 31 characters each: the last begins at 226, ends at 258
    Add(std::wstring(29, static_cast<wchar_t>(L'a' + i)) + L"_" + std::to_wstring(i), true, true,
        L"1", {Press(L"B")});
  }
  MacroManager& m = Opened();
  ASSERT_EQ(m.names().size(), 9u);
  m.NewMacro();
  EXPECT_EQ(m.RenameMacro(0, std::wstring(31, L'L')), MacroManager::RenameResult::TooLong);
  EXPECT_TRUE(ini.writes.empty());
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_NE(host.messages[0].text.find(L"255 characters"), std::wstring::npos);
  EXPECT_NE(host.messages[1].text.find(L"255 characters"), std::wstring::npos);
  EXPECT_EQ(m.RenameMacro(0, std::wstring(24, L'L')), MacroManager::RenameResult::Renamed);
  EXPECT_EQ(Sections().size(), 9u);

  // A section past the window (written by something else) is never written over.
  ini.WriteString(path, L"Hidden", L"ItemCount", L"0");
  ini.writes.clear();
  EXPECT_EQ(m.RenameMacro(0, L"hidden"), MacroManager::RenameResult::Exists);
  EXPECT_EQ(store.Store(Macro{L"Hidden", true, true, L"1", {Press(L"A")}}),
            MacroStore::StoreResult::OutOfList);
  EXPECT_FALSE(store.SetRepeatCount(L"Hidden", 2));
  EXPECT_TRUE(ini.writes.empty());
}

TEST(ManagerLayout, ClicksAndHoverFollowTheRectangles) {
  EXPECT_EQ(HitManager(266, 394), ManagerHit::Ok);
  EXPECT_EQ(HitManager(338, 394), ManagerHit::Cancel);
  EXPECT_EQ(HitManager(477, 40), ManagerHit::Close);
  EXPECT_EQ(HitManager(300, 100), ManagerHit::Record);
  EXPECT_EQ(HitManager(382, 142), ManagerHit::DelayBox);
  EXPECT_EQ(HitManager(309, 327), ManagerHit::LoopBox);
  EXPECT_EQ(HitManager(17, 367), ManagerHit::New);
  EXPECT_EQ(HitManager(77, 391), ManagerHit::Delete);
  EXPECT_EQ(HitManager(135, 392), ManagerHit::None);
  EXPECT_EQ(HitManager(336, 400), ManagerHit::None);  // between OK and Cancel
  EXPECT_EQ(ManagerButtonAt(500, 500), ManagerButton::None);
  EXPECT_EQ(ManagerButtonAt(400, 400), ManagerButton::Cancel);
}

}  // namespace
}  // namespace gm
