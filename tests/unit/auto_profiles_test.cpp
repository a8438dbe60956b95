// Automatic profiles: which rule a program in front matches, the rules file read back by the INI
// engine, the Run key value, and the switcher's timing on a fake clock (debounce, the newest
// wish winning, edits never discarded, nothing applied twice).
#include <gtest/gtest.h>
#include <algorithm>

#include <string>
#include <vector>

#include "platform/portable_ini_file.h"
#include "profiles/auto_profiles.h"
#include "temp_dir.h"

namespace gm {
namespace {

TEST(AutoProfileRules, FullPathWinsOverFileNameWithoutCase) {
  const std::vector<ProfileRule> rules = {
      {L"game.exe", L"ByName"},
      {L"C:\\Games\\GAME.EXE", L"ByPath"},
      {L"notepad.exe", L"Text"},
      {L"ÄPFEL.exe", L"Fruit"},
  };
  struct Case {
    const wchar_t* path;
    std::optional<std::size_t> rule;
  };
  const Case cases[] = {
      {L"C:\\Games\\game.exe", 1},  // the full path, although a file-name rule comes first
      {L"c:/games/Game.exe", 1},    // either separator, any case
      {L"D:\\Other\\game.exe", 0},  // another folder: the file name
      {L"C:\\windows\\system32\\NOTEPAD.EXE", 2},
      {L"C:\\x\\äpfel.EXE", 3},  // case folding beyond ASCII
      {L"C:\\Games\\game.exe.bak", std::nullopt},
      {L"C:\\Games\\xgame.exe", std::nullopt},
      {L"", std::nullopt},
      {L"C:\\Games\\", std::nullopt},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(FindProfileRule(rules, cases[i].path), cases[i].rule) << "case " << i;
  }
}

TEST(AutoProfileRules, RulesFollowRenamesAndGoWithTheirProfile) {
  std::vector<ProfileRule> rules = {
      {L"a.exe", L"Game"}, {L"b.exe", L"Office"}, {L"c.exe", L"Game"}};
  RenameProfileInRules(rules, L"Game", L"Game_2");
  EXPECT_EQ(rules[0].profile, L"Game_2");
  EXPECT_EQ(rules[1].profile, L"Office");
  EXPECT_EQ(rules[2].profile, L"Game_2");
  EXPECT_EQ(DropRulesOfProfile(rules, L"Game_2"), (std::vector<std::wstring>{L"a.exe", L"c.exe"}));
  ASSERT_EQ(rules.size(), 1U);
  EXPECT_EQ(rules[0].program, L"b.exe");
}

TEST(AutoProfileRules, RulesFollowTheirProfileThroughTheManagersClose) {
  const std::vector<std::wstring> before = {L"A", L"B", L"C"};
  using Origins = std::vector<std::optional<std::size_t>>;
  struct Case {
    const char* what;
    std::vector<std::wstring> after;
    Origins origins;
    std::vector<std::wstring> profiles;  // of a.exe, b.exe, c.exe, x.exe afterwards ("" gone)
    std::vector<std::wstring> dropped;
  };
  const Case cases[] = {
      {"unchanged", {L"A", L"B", L"C"}, {0, 1, 2}, {L"A", L"B", L"C", L"Lost"}, {}},
      {"renamed", {L"A", L"Bee", L"C"}, {0, 1, 2}, {L"A", L"Bee", L"C", L"Lost"}, {}},
      // The middle one deleted: its rule goes, C's rule stays C's.
      {"middle deleted", {L"A", L"C"}, {0, 2}, {L"A", L"", L"C", L"Lost"}, {L"b.exe"}},
      // B deleted and a new profile that took the name B: the new one is another profile.
      {"deleted, name reused",
       {L"A", L"C", L"B"},
       {0, 2, std::nullopt},
       {L"A", L"", L"C", L"Lost"},
       {L"b.exe"}},
      {"names swapped", {L"C", L"B", L"A"}, {0, 1, 2}, {L"C", L"B", L"A", L"Lost"}, {}},
      {"list not written", {}, {0, 1, 2}, {L"A", L"B", L"C", L"Lost"}, {}},
  };
  for (const Case& c : cases) {
    std::vector<ProfileRule> rules = {
        {L"a.exe", L"A"}, {L"b.exe", L"B"}, {L"c.exe", L"C"}, {L"x.exe", L"Lost"}};
    EXPECT_EQ(FollowProfileList(rules, before, c.after, c.origins), c.dropped) << c.what;
    std::vector<std::wstring> profiles;
    for (const wchar_t* program : {L"a.exe", L"b.exe", L"c.exe", L"x.exe"}) {
      const auto rule = std::find_if(rules.begin(), rules.end(),
                                     [&](const ProfileRule& r) { return r.program == program; });
      profiles.push_back(rule == rules.end() ? L"" : rule->profile);
    }
    EXPECT_EQ(profiles, c.profiles) << c.what;
  }
}

TEST(AutoProfileFile, RoundTripsThroughTheIniEngineAndSurvivesDamage) {
  test::TempDir dir;
  const FilePath file = dir / "autoprofiles.ini";
  PortableIniFile ini;

  // Missing: switching on, no rules.
  AutoProfileSettings read = ReadAutoProfiles(ini, file);
  EXPECT_TRUE(read.enabled);
  EXPECT_TRUE(read.rules.empty());

  AutoProfileSettings written;
  written.enabled = false;
  written.handProfile = L"Büro_1";
  written.rules = {{L"C:\\Program Files\\Spiel\\spiel.exe", L"Игра"},
                   {L"notepad.exe", L"Text = 2"}};
  test::WriteBytes(dir / "autoprofiles.ini", AutoProfilesFileBytes(written));
  read = ReadAutoProfiles(ini, file);
  EXPECT_FALSE(read.enabled);
  EXPECT_EQ(read.handProfile, L"Büro_1");
  ASSERT_EQ(read.rules.size(), 2U);
  EXPECT_EQ(read.rules[0].program, written.rules[0].program);
  EXPECT_EQ(read.rules[0].profile, written.rules[0].profile);
  EXPECT_EQ(read.rules[1].profile, L"Text = 2");

  // A damaged count reads no more than the rules there are; incomplete rules are left out.
  test::WriteBytes(dir / "autoprofiles.ini",
                   test::Utf16File(u"[AutoProfiles]\r\nRuleCount=99999999999999999999\r\n"
                                   u"Program0=a.exe\r\nProfile0=A\r\nProgram1=b.exe\r\n"
                                   u"Program2=c.exe\r\nProfile2=C\r\n"));
  read = ReadAutoProfiles(ini, file);
  EXPECT_TRUE(read.enabled);
  ASSERT_EQ(read.rules.size(), 2U);
  EXPECT_EQ(read.rules[1].program, L"c.exe");
}

TEST(AutoProfileRunKey, QuotedPathAndItsRecognition) {
  const std::wstring exe = L"C:\\Program Files\\QL-GM900\\QL-GM900.exe";
  EXPECT_EQ(RunKeyValue(exe), L"\"C:\\Program Files\\QL-GM900\\QL-GM900.exe\"");
  EXPECT_TRUE(RunValueStartsProgram(RunKeyValue(exe), exe));
  EXPECT_TRUE(RunValueStartsProgram(L"c:\\program files\\ql-gm900\\ql-gm900.exe", exe));
  EXPECT_FALSE(RunValueStartsProgram(L"\"D:\\QL-GM900\\QL-GM900.exe\"", exe));
  EXPECT_FALSE(RunValueStartsProgram(L"\"C:\\Program Files\\QL-GM900\\QL-GM900.exe", exe));
  EXPECT_FALSE(RunValueStartsProgram(L"", exe));
}

TEST(ProfileRulesEditor, AddKeepsOneRulePerProgramAndRemoveMovesTheSelection) {
  ProfileRulesEditor editor({{L"a.exe", L"Gone"}}, {L"Office", L"Game"});
  EXPECT_FALSE(editor.ProfileIndexOfSelected());  // nothing selected
  editor.Select(0);
  EXPECT_FALSE(editor.ProfileIndexOfSelected());  // its profile was deleted
  EXPECT_EQ(editor.Add(L"C:\\g\\game.exe"), 1U);
  EXPECT_EQ(editor.Rules()[1].profile, L"Office");  // the first name
  editor.SetProfileOfSelected(1);
  EXPECT_EQ(editor.ProfileIndexOfSelected(), 1U);
  editor.SetProfileOfSelected(7);  // no such name: unchanged
  EXPECT_EQ(editor.Rules()[1].profile, L"Game");
  EXPECT_EQ(editor.Add(L"A.EXE"), 0U);  // already there: selected, not added
  EXPECT_EQ(editor.Rules().size(), 2U);
  editor.Select(1);
  editor.RemoveSelected();
  EXPECT_EQ(editor.Selected(), 0U);  // the line above takes the selection
  editor.RemoveSelected();
  EXPECT_FALSE(editor.Selected());
  editor.RemoveSelected();  // nothing left: nothing happens
  editor.Select(3);
  EXPECT_FALSE(editor.Selected());
}

class AutoProfileSwitcherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AutoProfileSettings settings;
    settings.handProfile = L"Office";
    settings.rules = {{L"game.exe", L"Game"}, {L"notepad.exe", L"Text"}};
    switcher.SetSettings(settings);
    switcher.MouseHolds(L"Office");
  }
  // Brings a program to the front at `at` and polls at `pollAt`.
  AutoSwitchDecision FrontThenPoll(std::uint64_t at, const wchar_t* path, std::uint64_t pollAt,
                                   bool edits = false, bool applying = false) {
    switcher.ObserveForeground(at, path);
    return switcher.Poll(pollAt, edits, applying);
  }
  AutoProfileSwitcher switcher;
};

TEST_F(AutoProfileSwitcherTest, AProgramMustHoldTheFrontHalfASecond) {
  EXPECT_FALSE(FrontThenPoll(1000, L"C:\\g\\game.exe", 1499).applyProfile);
  // Gone again before it settled: nothing; back at the user's profile, which the mouse holds.
  EXPECT_FALSE(FrontThenPoll(1400, L"C:\\w\\explorer.exe", 1950).applyProfile);
  EXPECT_FALSE(FrontThenPoll(2000, L"C:\\g\\game.exe", 2400).applyProfile);
  // The same program observed again does not restart its time.
  switcher.ObserveForeground(2300, L"C:\\G\\GAME.EXE");
  EXPECT_EQ(switcher.Poll(2500, false, false).applyProfile, L"Game");
  // Once on its way it is not asked for again.
  EXPECT_FALSE(switcher.Poll(2600, false, false).applyProfile);
  // Leaving the game brings the user's own profile back.
  EXPECT_EQ(FrontThenPoll(3000, L"C:\\w\\explorer.exe", 3500).applyProfile, L"Office");
}

TEST_F(AutoProfileSwitcherTest, TheNewestWishWinsWhileAnApplyRuns) {
  EXPECT_EQ(FrontThenPoll(0, L"game.exe", 600).applyProfile, L"Game");
  // The apply runs for seconds; the user moves to Notepad and then back to the desktop.
  EXPECT_FALSE(FrontThenPoll(1000, L"notepad.exe", 1600, false, true).applyProfile);
  EXPECT_FALSE(FrontThenPoll(2000, L"explorer.exe", 2600, false, true).applyProfile);
  // After it: only the newest wish, the user's profile.
  EXPECT_EQ(switcher.Poll(5000, false, false).applyProfile, L"Office");
  EXPECT_FALSE(switcher.Poll(5100, false, false).applyProfile);
}

TEST_F(AutoProfileSwitcherTest, UnsavedEditsHoldTheSwitchAndSayItOnce) {
  AutoSwitchDecision d = FrontThenPoll(0, L"game.exe", 600, true);
  EXPECT_FALSE(d.applyProfile);
  EXPECT_TRUE(d.sayWaitingForSave);
  d = switcher.Poll(900, true, false);
  EXPECT_FALSE(d.applyProfile);
  EXPECT_FALSE(d.sayWaitingForSave);
  // Saved or cancelled: the switch goes ahead.
  EXPECT_EQ(switcher.Poll(1200, false, false).applyProfile, L"Game");
}

TEST_F(AutoProfileSwitcherTest, NothingTwiceForWhatTheMouseHoldsUntilAnUnplug) {
  switcher.MouseHolds(L"Game");  // a Save by hand while the game ran, say
  EXPECT_FALSE(FrontThenPoll(0, L"game.exe", 600).applyProfile);
  switcher.MouseUnplugged();
  EXPECT_EQ(switcher.Poll(700, false, false).applyProfile, L"Game");
}

TEST_F(AutoProfileSwitcherTest, SwitchedOffOrWithoutAHandProfileNothingHappens) {
  AutoProfileSettings off = switcher.Settings();
  off.enabled = false;
  switcher.SetSettings(off);
  EXPECT_FALSE(FrontThenPoll(0, L"game.exe", 600).applyProfile);

  AutoProfileSettings noHand = switcher.Settings();
  noHand.enabled = true;
  noHand.handProfile.clear();
  switcher.SetSettings(noHand);
  switcher.MouseUnplugged();
  EXPECT_FALSE(FrontThenPoll(1000, L"explorer.exe", 1600).applyProfile);
  switcher.ChosenByHand(L"Office");
  EXPECT_EQ(switcher.Poll(1700, false, false).applyProfile, L"Office");
}

}  // namespace
}  // namespace gm
