// The profile manager on a real str.ini in a temporary folder: reading the ProfileList and
// choosing the line in use, New, Copy, Delete, Edit, Load and Save, and the ProfileList it
// writes at the close, read back by the configuration loader.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/app_state.h"
#include "config/config_files.h"
#include "fake_host.h"
#include "platform/portable_ini_file.h"
#include "profiles/profile_manager.h"
#include "temp_dir.h"

namespace gm {
namespace {

using Names = std::vector<std::wstring>;

// The lines of a UTF-16LE file with its byte-order mark.
std::vector<std::wstring> Utf16Lines(const std::filesystem::path& file) {
  const std::vector<std::uint8_t> bytes = test::ReadBytes(file);
  std::wstring text;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    text.push_back(static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8)));
  }
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

class ProfileManagerTest : public ::testing::Test {
 protected:
  std::filesystem::path StrIni() const { return dir / "str.ini"; }

  // A str.ini as shipped: other sections around the ProfileList.
  void WriteList(const std::wstring& count, const Names& names, const std::wstring& current) {
    ASSERT_TRUE(ini.WriteString(StrIni(), L"Setting-EN", L"Item1", L"Left"));
    ASSERT_TRUE(ini.WriteString(StrIni(), L"Profile", L"ItemCount", count));
    for (std::size_t n = 0; n < names.size(); ++n) {
      ASSERT_TRUE(ini.WriteString(StrIni(), L"Profile", L"Item" + std::to_wstring(n), names[n]));
    }
    ASSERT_TRUE(ini.WriteString(StrIni(), L"Profile", L"CurProfileName", current));
    ASSERT_TRUE(ini.WriteString(StrIni(), L"Skins", L"Lan", L"EN"));
  }

  ProfileManager& Open(const Names& names, const std::wstring& current,
                       Language language = Language::English) {
    WriteList(std::to_wstring(names.size()), names, current);
    return OpenAsIs(language);
  }
  ProfileManager& OpenAsIs(Language language = Language::English) {
    manager = std::make_unique<ProfileManager>(
        ini, host, StrIni(), language, [this](ProfileCommand command, std::size_t position) {
          posted.emplace_back(command, position);
        });
    manager->Open();
    return *manager;
  }

  test::TempDir dir;
  PortableIniFile ini;
  test::FakeHost host;
  std::unique_ptr<ProfileManager> manager;
  std::vector<std::pair<ProfileCommand, std::size_t>> posted;
  AppState state;
};

TEST_F(ProfileManagerTest, OpensWithTheListAndTheLineInUse) {
  ProfileManager& m = Open({L"Office", L"Game_1", L"Game_2"}, L"Game_1");
  EXPECT_TRUE(m.open());
  EXPECT_EQ(m.names(), (Names{L"Office", L"Game_1", L"Game_2"}));
  EXPECT_EQ(m.selected(), 1u);
}

// The list search is by prefix with case ignored ...
TEST_F(ProfileManagerTest, CurrentNameFoundByPrefixIgnoringCase) {
  EXPECT_EQ(Open({L"Office", L"Gamer", L"Game"}, L"game").selected(), 1u);
  EXPECT_EQ(Open({L"Офис", L"Игра_1"}, L"игра").selected(), 1u);
  EXPECT_EQ(Open({L"Office", L"Game"}, L"Work").selected(), std::nullopt);
  EXPECT_EQ(Open({L"Office", L"Game"}, L"").selected(), std::nullopt);
}

// ... but the name that equals CurProfileName (the last one, as the loader takes it) comes
// first, or opening and closing the manager would switch to the earlier, longer name.
TEST_F(ProfileManagerTest, ExactNameWinsOverAnEarlierPrefixMatch) {
  EXPECT_EQ(Open({L"Game_10", L"Game_1"}, L"Game_1").selected(), 1u);
  EXPECT_EQ(Open({L"A", L"B", L"A"}, L"A").selected(), 2u);
  manager->Close();
  ConfigurationFiles loader(state, ini, host);
  state.programPath = dir / "QL-GM900.exe";
  test::WriteBytes(dir / "config2.bin", std::vector<std::uint8_t>(kConfigFileSize, 1));
  loader.LoadConfiguration();
  EXPECT_EQ(state.profileFileIndex, 2);
}

TEST_F(ProfileManagerTest, CountOutsideOneToSixOrNoFileGivesAnEmptyList) {
  for (const wchar_t* count : {L"0", L"7", L"", L"x"}) {
    WriteList(count, {L"A", L"B", L"C", L"D", L"E", L"F", L"G"}, L"A");
    EXPECT_TRUE(OpenAsIs().names().empty()) << count;
  }
  std::filesystem::remove(StrIni());
  ProfileManager& m = OpenAsIs();
  EXPECT_TRUE(m.names().empty());
  m.New();
  m.Close();
  EXPECT_FALSE(std::filesystem::exists(StrIni()));  // the close writes nothing
  EXPECT_EQ(posted, (std::vector<std::pair<ProfileCommand, std::size_t>>{{kProfileReload, 0}}));
}

TEST_F(ProfileManagerTest, NewNamesFollowTheLastName) {
  ProfileManager& m = Open({L"Office", L"Game_2"}, L"Office");
  m.New();  // after a name with "_": the base word and the number after the "_" plus one
  EXPECT_EQ(m.names().back(), L"Name_3");
  EXPECT_EQ(m.selected(), 2u);

  ProfileManager& four = Open({L"A_1", L"B", L"C", L"Office"}, L"A_1");
  four.New();  // without "_": the name itself and the number of names
  EXPECT_EQ(four.names().back(), L"Office_4");
  EXPECT_EQ(four.selected(), 4u);

  ProfileManager& odd = Open({L"Game_x2"}, L"Game_x2");
  odd.New();  // no number after the "_" counts as 0
  EXPECT_EQ(odd.names().back(), L"Name_1");

  WriteList(L"0", {}, L"");
  ProfileManager& empty = OpenAsIs(Language::German);
  empty.New();
  EXPECT_EQ(empty.names(), Names{L"PROFILE_0"});
  EXPECT_EQ(empty.selected(), 0u);
}

TEST_F(ProfileManagerTest, SeventhNameIsRefusedWithAWarning) {
  ProfileManager& m =
      Open({L"P_1", L"P_2", L"P_3", L"P_4", L"P_5", L"P_6"}, L"P_2", Language::German);
  m.New();
  EXPECT_EQ(m.names().size(), 6u);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, L"Profil Zahlen bis 6.");
  EXPECT_EQ(host.messages[0].title, L"Warnen ");
  m.Copy();  // the copy says nothing
  EXPECT_EQ(m.names().size(), 6u);
  EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(ProfileManagerTest, CopyAppendsWithoutSelecting) {
  ProfileManager& m = Open({L"Office", L"Game"}, L"Game");
  m.Copy();
  EXPECT_EQ(m.names().back(), L"Copy Game");
  EXPECT_EQ(m.selected(), 1u);
  ProfileManager& german = Open({L"Büro"}, L"Büro", Language::German);
  german.Copy();
  EXPECT_EQ(german.names().back(), L"Kopie  Büro");  // the word's own blank, then one more
  ProfileManager& none = Open({L"Office"}, L"Work");
  none.Copy();
  EXPECT_EQ(none.names().size(), 1u);
}

TEST_F(ProfileManagerTest, DeleteKeepsTheLastNameAndLeavesNoSelection) {
  ProfileManager& single = Open({L"Only"}, L"Only");
  single.Delete();
  EXPECT_EQ(single.names(), Names{L"Only"});

  ProfileManager& m = Open({L"A", L"B", L"C"}, L"C");
  m.ClickLine(1);
  m.Delete();
  EXPECT_EQ(m.names(), (Names{L"A", L"C"}));
  EXPECT_EQ(m.selected(), std::nullopt);
  m.Delete();  // nothing selected: nothing deleted
  EXPECT_EQ(m.names().size(), 2u);
}

TEST_F(ProfileManagerTest, EditOpensOnTheLineLastClickedOrAskedFor) {
  ProfileManager& m = Open({L"A", L"B"}, L"B");
  EXPECT_FALSE(m.Edit());  // selected at opening, never clicked: only remembered
  EXPECT_TRUE(m.Edit());
  m.ClickLine(0);
  EXPECT_TRUE(m.Edit());  // a click remembers the line: Edit opens at once
  m.SetSelection(1);      // moved by the keyboard
  EXPECT_FALSE(m.Edit());
  m.Rename(1, L"Game");
  EXPECT_EQ(m.names(), (Names{L"A", L"Game"}));
  EXPECT_EQ(m.selected(), 1u);
  m.Rename(5, L"nowhere");
  EXPECT_EQ(m.names().size(), 2u);
  m.SetSelection(std::nullopt);
  EXPECT_FALSE(m.Edit());
}

TEST_F(ProfileManagerTest, LoadAndSaveAskTheMainWindowWithThePosition) {
  ProfileManager& m = Open({L"A", L"B", L"C"}, L"Z");
  m.Load();  // nothing selected
  EXPECT_TRUE(posted.empty());
  m.ClickLine(2);
  m.Load();
  m.ClickLine(1);
  m.Save();
  EXPECT_EQ(posted, (std::vector<std::pair<ProfileCommand, std::size_t>>{{kProfileImport, 2},
                                                                         {kProfileExport, 1}}));
  EXPECT_EQ(m.chosenPosition(), 1u);
}

// The close rewrites the section in a fixed order, leaves the other sections alone, and asks
// the main window to reload: the loader then uses the files of the chosen position.
TEST_F(ProfileManagerTest, CloseWritesTheListThatTheLoaderUses) {
  ProfileManager& m = Open({L"Office", L"Game", L"Work"}, L"Office");
  m.ClickLine(1);
  m.Rename(1, L"Игра");
  m.New();
  m.Close();
  EXPECT_FALSE(m.open());
  EXPECT_EQ(posted, (std::vector<std::pair<ProfileCommand, std::size_t>>{{kProfileReload, 0}}));
  const std::vector<std::wstring> lines = Utf16Lines(StrIni());
  const std::vector<std::wstring> expected = {
      L"[Setting-EN]",          L"Item1=Left",  L"[Skins]",      L"Lan=EN",     L"[Profile]",
      L"CurProfileName=Work_3", L"ItemCount=4", L"Item0=Office", L"Item1=Игра", L"Item2=Work",
      L"Item3=Work_3"};
  EXPECT_EQ(lines, expected);

  state.programPath = dir / "QL-GM900.exe";
  for (int n = 0; n < 4; ++n) {
    test::WriteBytes(dir / ("config" + std::to_string(n) + ".bin"),
                     std::vector<std::uint8_t>(kConfigFileSize, static_cast<std::uint8_t>(n)));
  }
  ConfigurationFiles loader(state, ini, host);
  loader.LoadConfiguration();
  EXPECT_EQ(state.profileFileIndex, 3);
  EXPECT_EQ(state.files.configFile, dir / "config3.bin");
}

TEST_F(ProfileManagerTest, ClosingWithoutSelectionMakesLineZeroCurrent) {
  ProfileManager& m = Open({L"A", L"B", L"C"}, L"C");
  m.ClickLine(2);
  m.Delete();
  m.Close();
  EXPECT_EQ(ini.ReadString(StrIni(), L"Profile", L"CurProfileName"), L"A");
  EXPECT_EQ(ini.ReadString(StrIni(), L"Profile", L"ItemCount"), L"2");
  EXPECT_EQ(m.chosenPosition(), 0u);
  m.Close();  // once closed, a second close does nothing
  EXPECT_EQ(posted.size(), 1u);
}

TEST(ProfileManagerTexts, FiveLanguagesAndFonts) {
  EXPECT_EQ(ProfileManagerTextsFor(Language::English).title, L"Configuration");
  EXPECT_EQ(ProfileManagerTextsFor(Language::German).title, L"Konfiguration ");
  EXPECT_EQ(ProfileManagerTextsFor(Language::ChineseTraditional).menuDelete, L"刪除");
  EXPECT_EQ(ProfileManagerTextsFor(Language::ChineseSimplified).menuDelete, L"删除");
  EXPECT_EQ(ProfileManagerTextsFor(Language::Russian).baseWord, L"ПРОФИЛЬ");
}

}  // namespace
}  // namespace gm
