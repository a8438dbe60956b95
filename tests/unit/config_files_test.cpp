// The configuration files: choosing the configuration in use, loading and saving it, captions,
// import and export, and files that are missing, of the wrong size or damaged.
#include <gtest/gtest.h>

#include <random>

#include "app/app_state.h"
#include "config/config_files.h"
#include "config/factory_files.h"
#include "fake_host.h"
#include "platform/portable_ini_file.h"
#include "temp_dir.h"

namespace gm {
namespace {

using test::AsciiBytes;
using test::ReadBytes;
using test::Utf16File;
using test::WriteBytes;

// A record whose every byte says which file it came from.
// Every setting stays in range (a file that is not is damaged): the mark lies in bytes no
// setting reads and in the macros.
SettingsRecord Marked(std::uint8_t mark) {
  SettingsRecord record = FactoryRecord();
  std::fill_n(record.settings.begin() + 1, 4, mark);
  for (MacroBlock& block : record.macros) block.fill(static_cast<std::uint8_t>(mark + 100));
  return record;
}

std::vector<std::uint8_t> ConfigBytes(std::uint8_t flag, const SettingsRecord& record) {
  std::vector<std::uint8_t> bytes(kConfigFileSize);
  bytes[0] = flag;
  record.CopyTo(
      std::span<std::uint8_t, SettingsRecord::kSize>(bytes.data() + 1, SettingsRecord::kSize));
  return bytes;
}

class ConfigFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { state.programPath = dir / "QL-GM900.exe"; }

  std::filesystem::path At(const std::string& name) const { return dir / name; }

  void WriteProfileList(const std::wstring& count, const std::vector<std::wstring>& names,
                        const std::wstring& current) {
    ASSERT_TRUE(ini.WriteString(At("str.ini"), L"Profile", L"ItemCount", count));
    for (std::size_t n = 0; n < names.size(); ++n) {
      ASSERT_TRUE(
          ini.WriteString(At("str.ini"), L"Profile", L"Item" + std::to_wstring(n), names[n]));
    }
    ASSERT_TRUE(ini.WriteString(At("str.ini"), L"Profile", L"CurProfileName", current));
  }
  void WriteConfigs() {
    WriteBytes(At("config.bin"), ConfigBytes(0, Marked(10)));
    for (std::uint8_t n = 0; n < 6; ++n) {
      WriteBytes(At("config" + std::to_string(n) + ".bin"), ConfigBytes(1, Marked(n)));
    }
  }

  test::TempDir dir;
  AppState state;
  PortableIniFile ini;
  test::FakeHost host;
  ConfigurationFiles files{state, ini, host};
};

TEST_F(ConfigFilesTest, ProfileListChoosesTheConfigurationInUse) {
  WriteConfigs();
  WriteProfileList(L"3", {L"A", L"B", L"C"}, L"B");
  files.LoadConfiguration();
  EXPECT_EQ(state.profileFileIndex, 1);
  EXPECT_EQ(state.record, Marked(1));
  EXPECT_EQ(state.firstRunFlag, 1);
  EXPECT_EQ(state.files.configFile, At("config1.bin"));
  EXPECT_EQ(state.files.captionFile, At("str1.ini"));
  EXPECT_EQ(state.files.macroFile, At("record.ini"));
  EXPECT_EQ(state.files.profileList, At("str.ini"));

  WriteProfileList(L"3", {L"B", L"b", L"B"}, L"B");  // exact match, the last one wins
  files.LoadConfiguration();
  EXPECT_EQ(state.profileFileIndex, 2);

  WriteProfileList(L"3", {L"X", L"Y", L"Z"}, L"B");  // no match: the previous one stays
  files.LoadConfiguration();
  EXPECT_EQ(state.profileFileIndex, 2);
  EXPECT_EQ(state.record, Marked(2));
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(ConfigFilesTest, ItemCountOutsideOneToSixLoadsNothing) {
  WriteConfigs();
  for (const std::wstring count : {L"", L"0", L"7", L"-1", L"abc"}) {
    WriteProfileList(count, {L"A"}, L"A");
    files.LoadConfiguration();
    EXPECT_EQ(state.record, SettingsRecord{}) << "ItemCount " << count.size();
    EXPECT_TRUE(state.files.configFile.empty());
  }
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(ConfigFilesTest, MissingOrWrongSizedFilesLeaveTheRecord) {
  WriteProfileList(L"6", {L"0", L"1", L"2", L"3", L"4", L"5"}, L"3");
  state.record = Marked(77);
  state.firstRunFlag = 1;

  files.LoadConfiguration();  // config3.bin missing
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, L"Config file is not exist.");
  EXPECT_EQ(host.messages[0].title, L"QL-GM900");
  EXPECT_EQ(host.messages[0].flags, kMbOk);

  const std::vector<std::uint8_t> good = ConfigBytes(0, Marked(3));
  for (std::size_t size : {0u, 1u, 2854u, 2856u, 100000u}) {
    std::vector<std::uint8_t> bytes = good;
    bytes.resize(size, 0);
    WriteBytes(At("config3.bin"), bytes);
    files.LoadConfiguration();
    EXPECT_EQ(state.record, Marked(77)) << size;
    EXPECT_EQ(state.firstRunFlag, 1) << size;
  }
  std::filesystem::remove(At("config3.bin"));
  std::filesystem::create_directory(At("config3.bin"));
  files.LoadConfiguration();
  EXPECT_EQ(state.record, Marked(77));
  EXPECT_EQ(host.messages.size(), 1u);
}

// A file holding a value the program never writes is damaged: the start, a Reset (the factory
// file), a profile switch and an import read nothing from it, and a message names it. The
// sliders' right ends are the program's own values.
TEST_F(ConfigFilesTest, OutOfRangeFilesAreDamagedAndNamed) {
  WriteConfigs();
  WriteProfileList(L"6", {L"0", L"1", L"2", L"3", L"4", L"5"}, L"0");
  using Bytes = std::vector<std::pair<std::size_t, std::uint8_t>>;  // file offset, byte
  const auto at = [](auto offset) { return 1 + static_cast<std::size_t>(offset); };
  const auto button = [at](ButtonField field, std::size_t b) {
    return at(static_cast<std::size_t>(field) + b);
  };
  const std::vector<Bytes> damages = {
      {{0, 2}},
      {{at(rec::kReportRateCode), 0xC1}},
      {{at(rec::kDpiStages + 6), 0}},
      {{at(rec::kDpiStages), 121}},
      {{at(rec::kWheelLines), 101}},  // reaches only the desktop
      {{at(rec::kNeonPeriod), 7}},    // sent only in another lighting mode
      {{at(rec::kXSensitivity), 12}},
      {{button(ButtonField::Category, 4), 16}},
      {{button(ButtonField::Category, 4), 10}, {button(ButtonField::SingleKey, 4), 0xFF}},
      {{button(ButtonField::Category, 4), 11}, {button(ButtonField::ComboModifier, 4), 0x11}},
      {{button(ButtonField::Category, 0), 1}},  // no button left with "Click"
  };
  for (const Bytes& damage : damages) {
    std::vector<std::uint8_t> bytes = ConfigBytes(1, Marked(0));
    for (const auto& [offset, byte] : damage) bytes[offset] = byte;
    WriteBytes(At("config0.bin"), bytes);
    state.record = Marked(77);
    host.messages.clear();
    files.LoadConfiguration();
    EXPECT_EQ(state.record, Marked(77)) << damage[0].first;
    ASSERT_EQ(host.messages.size(), 1u) << damage[0].first;
    EXPECT_NE(host.messages[0].text.find(L"damaged"), std::wstring::npos);
    EXPECT_EQ(host.messages[0].text.substr(host.messages[0].text.size() - 11), L"config0.bin");
  }
  // Random bytes as the factory file: a Reset keeps the settings, an import the record.
  std::mt19937 random(2855);
  std::vector<std::uint8_t> noise(kConfigFileSize);
  for (std::uint8_t& byte : noise) byte = static_cast<std::uint8_t>(random());
  WriteBytes(At("config.bin"), noise);
  WriteBytes(At("noise.bin"), noise);
  host.messages.clear();
  state.defaultsMode = 1;
  files.LoadConfiguration();
  state.defaultsMode = 0;
  host.fileAnswers = {At("noise.bin").wstring()};
  EXPECT_FALSE(files.ImportConfiguration());
  EXPECT_EQ(state.record, Marked(77));
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_NE(host.messages[1].text.find(L"noise.bin"), std::wstring::npos);

  SettingsRecord ends = Marked(0);
  for (std::size_t offset :
       {rec::kBrightness, rec::kRespirationPeriod, rec::kNeonPeriod, rec::kGestureCorrection}) {
    ends.at(offset) = 6;
  }
  ends.at(rec::kXSensitivity) = ends.at(rec::kYSensitivity) = 11;
  WriteBytes(At("config0.bin"), ConfigBytes(1, ends));
  files.LoadConfiguration();
  EXPECT_EQ(state.record, ends);
  EXPECT_EQ(host.messages.size(), 2u);
}

TEST_F(ConfigFilesTest, DefaultsModeReadsOnlyTheFactorySettings) {
  WriteConfigs();
  state.record = Marked(5);
  state.defaultsMode = 1;
  files.LoadConfiguration();
  EXPECT_EQ(state.record.settings, Marked(10).settings);
  EXPECT_EQ(state.record.macros, Marked(5).macros);
  EXPECT_EQ(state.firstRunFlag, 0);
  EXPECT_EQ(state.files.configFile, At("config.bin"));
  EXPECT_EQ(state.files.captionFile, At("str.ini"));

  // The next save goes to the configuration in use, not to the factory file.
  state.defaultsMode = 0;
  state.profileFileIndex = 4;
  files.SaveConfiguration();
  EXPECT_EQ(ReadBytes(At("config.bin")), ConfigBytes(0, Marked(10)));
  EXPECT_EQ(ReadBytes(At("config4.bin")), ConfigBytes(1, state.record));
  EXPECT_EQ(state.files.captionFile, At("str4.ini"));
}

TEST_F(ConfigFilesTest, PathsReplaceOnlyTheProgramsFileName) {
  const auto folder = dir / "QL-GM900.exe";  // a folder with the program's name
  std::filesystem::create_directory(folder);
  EXPECT_EQ(ProgramFilePath(folder / "QL-GM900.exe", L"str.ini"), folder / "str.ini");
  EXPECT_EQ(ProgramFilePath(folder / "renamed.exe", L"config0.bin"), folder / "config0.bin");

  state.programPath = folder / "QL-GM900.exe";
  WriteBytes(folder / "config0.bin", ConfigBytes(1, Marked(9)));
  ASSERT_TRUE(ini.WriteString(folder / "str.ini", L"Profile", L"ItemCount", L"1"));
  files.LoadConfiguration();
  EXPECT_EQ(state.record, Marked(9));

  EXPECT_EQ(CompanionCaptionFile(dir / "x.bin.d" / "a.bin"), dir / "x.bin.d" / "a.ini");
}

TEST_F(ConfigFilesTest, SaveWritesFlagOneAndTheRecordButNeverCreatesTheFile) {
  state.profileFileIndex = 2;
  state.record = Marked(42);
  files.SaveConfiguration();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, L"Config file is not exist.");
  EXPECT_FALSE(std::filesystem::exists(At("config2.bin")));

  WriteBytes(At("config2.bin"), ConfigBytes(0, Marked(1)));
  files.SaveConfiguration();
  const std::vector<std::uint8_t> saved = ReadBytes(At("config2.bin"));
  ASSERT_EQ(saved.size(), 2855u);
  EXPECT_EQ(saved[0], 1);
  EXPECT_EQ(saved, ConfigBytes(1, Marked(42)));
  EXPECT_EQ(state.firstRunFlag, 0);                 // the flag of the file last read
  EXPECT_EQ(test::FilesIn(dir.path()).size(), 1u);  // no temporary file left behind

  // A file that cannot be opened for writing is reported and left as it is.
  std::filesystem::remove(At("config2.bin"));
  std::filesystem::create_directory(At("config2.bin"));
  files.SaveConfiguration();
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(host.messages[1].title, L"NULL ==fp ");
  EXPECT_EQ(host.messages[1].text.rfind(L"Error Code is: ", 0), 0u);
  EXPECT_EQ(host.messages[1].text.substr(host.messages[1].text.size() - 2), L" \n");
  EXPECT_TRUE(std::filesystem::is_directory(At("config2.bin")));
}

TEST_F(ConfigFilesTest, CaptionsFollowTheLanguageSection) {
  state.UseLanguage(L"CHS");
  state.files.captionFile = At("str0.ini");
  WriteBytes(At("str0.ini"), Utf16File(u"[Skins]\r\nLan=CHS\r\nPath=Dark\r\nRColor=12abc\r\n"
                                       u"GColor=300\r\n[Setting-EN]\r\nItem1=Click\r\n"
                                       u"[Setting-CHS]\r\nItem1=左键\r\nItem19=按键关闭\r\n"));
  files.LoadCaptions();
  EXPECT_EQ(files.ReadLanguageCode(), L"CHS");
  EXPECT_EQ(state.labels[0], L"左键");
  EXPECT_EQ(state.labels[1], L"");
  EXPECT_EQ(state.labels[18], L"按键关闭");
  EXPECT_EQ(state.skin.path, L"Dark");
  EXPECT_EQ(TextColour(state.skin), (Rgb{12, 255, 0}));

  state.labels[1] = L"右键";
  files.SaveCaptions();
  EXPECT_EQ(ini.ReadString(At("str0.ini"), L"Setting-CHS", L"Item2"), L"右键");
  EXPECT_EQ(ini.ReadString(At("str0.ini"), L"Setting-CHS", L"Item19"), L"按键关闭");
  EXPECT_EQ(ini.ReadString(At("str0.ini"), L"Setting-EN", L"Item2"), L"");
  EXPECT_EQ(ini.ReadString(At("str0.ini"), L"Setting-EN", L"Item1"), L"Click");
}

// A caption file made by a save after it was lost gets the skin keys, so that the next start
// draws the skin in its colour instead of the default green for good; keys it has stay.
TEST_F(ConfigFilesTest, SaveCaptionsCompletesTheSkinKeys) {
  state.files.profileList = At("str.ini");
  const auto skinOf = [&](const char* file) {
    std::wstring values;
    for (const wchar_t* key : {L"Path", L"RColor", L"GColor", L"BColor"}) {
      values += ini.ReadString(At(file), L"Skins", key) + L";";
    }
    return values;
  };
  state.files.captionFile = At("str0.ini");  // neither it nor str.ini exists: factory values
  files.SaveCaptions();
  EXPECT_EQ(skinOf("str0.ini"), L"Default;255;255;255;");

  ASSERT_TRUE(ini.WriteString(At("str.ini"), L"Skins", L"Path", L"Dark"));
  ASSERT_TRUE(ini.WriteString(At("str.ini"), L"Skins", L"RColor", L"10"));
  ASSERT_TRUE(ini.WriteString(At("str1.ini"), L"Skins", L"GColor", L"20"));
  ASSERT_TRUE(ini.WriteString(At("str1.ini"), L"Skins", L"BColor", L""));
  state.files.captionFile = At("str1.ini");  // from str.ini, else factory; its own kept
  files.SaveCaptions();
  EXPECT_EQ(skinOf("str1.ini"), L"Dark;10;20;255;");
  EXPECT_EQ(ini.ReadString(At("str1.ini"), L"Setting-EN", L"Item1"), state.labels[0]);

  state.files.captionFile = At("str.ini");  // str.ini itself: what it lacks from the factory
  files.SaveCaptions();
  EXPECT_EQ(skinOf("str.ini"), L"Dark;10;255;255;");
}

TEST(ConfigFileNumbers, LeadingNumberReadsLikeTheCLibrary) {
  EXPECT_EQ(LeadingNumber(L"255"), 255);
  EXPECT_EQ(LeadingNumber(L"  7x"), 7);
  EXPECT_EQ(LeadingNumber(L"-5"), -5);
  EXPECT_EQ(LeadingNumber(L"abc"), 0);
  EXPECT_EQ(LeadingNumber(L""), 0);
  EXPECT_EQ(LeadingNumber(L"99999999999999999999"), 2147483647);
  EXPECT_EQ(TextColour({L"Default", L"-5", L"abc", L"256"}), (Rgb{0, 0, 255}));
  // A key that is missing or empty leaves the colour to the window's default, not black.
  EXPECT_EQ(SkinTextColour({L"Default", L"-5", L"abc", L"256"}), (Rgb{0, 0, 255}));
  EXPECT_EQ(SkinTextColour({L"Default", L"255", L"", L"255"}), std::nullopt);
  EXPECT_EQ(SkinTextColour({}), std::nullopt);
}

TEST_F(ConfigFilesTest, ImportMakesTheChosenFileTheConfigurationInUse) {
  WriteConfigs();
  state.profileFileIndex = 3;
  state.files.configFile = At("config3.bin");
  state.record = Marked(60);
  std::filesystem::create_directory(At("elsewhere"));
  std::filesystem::remove(At("config3.bin"));  // created by the import

  // Cancel, a name without ".bin" and a file of the wrong size change nothing.
  WriteBytes(At("elsewhere/short.bin"), std::vector<std::uint8_t>(2854, 7));
  WriteBytes(At("elsewhere/bin.dat"), ConfigBytes(1, Marked(20)));
  host.fileAnswers = {std::nullopt, At("elsewhere/bin.dat").wstring(),
                      At("elsewhere/short.bin").wstring()};
  for (int i = 0; i < 3; ++i) files.ImportConfiguration();
  EXPECT_EQ(state.record, Marked(60));
  EXPECT_TRUE(host.messages.empty());
  ASSERT_EQ(host.fileDialogs.size(), 3u);
  EXPECT_FALSE(host.fileDialogs[0].save);
  EXPECT_EQ(host.fileDialogs[0].request.filter, L"Gaming Mouse Profile(*.bin)|*.bin||");
  EXPECT_EQ(host.fileDialogs[0].request.startFile, At("config3.bin").wstring());
  EXPECT_EQ(host.fileDialogs[0].request.flags,
            kOfnFileMustExist | kOfnHideReadOnly | kOfnOverwritePrompt);

  WriteBytes(At("elsewhere/game.bin"), ConfigBytes(1, Marked(20)));
  ASSERT_TRUE(ini.WriteString(At("elsewhere/game.ini"), L"Setting-EN", L"Item1", L"Menu"));
  host.fileAnswers = {At("elsewhere/game.bin").wstring()};
  files.ImportConfiguration();
  SettingsRecord expected = Marked(20);
  expected.at(rec::kProfile) = 3;
  EXPECT_EQ(state.record, expected);
  EXPECT_EQ(state.labels[0], L"Menu");
  EXPECT_EQ(ReadBytes(At("config3.bin")), ConfigBytes(1, expected));
  EXPECT_EQ(ini.ReadString(At("str3.ini"), L"Setting-EN", L"Item1"), L"Menu");
  EXPECT_EQ(state.files.captionFile, At("str3.ini"));
}

// The reload at the profile manager's close: it brings in another profile or what an import
// read, and otherwise keeps the window's unsaved edits (record and captions).
TEST_F(ConfigFilesTest, ReloadAtTheCloseKeepsEditsUnlessTheProfileChangedOrWasImported) {
  WriteConfigs();
  ASSERT_TRUE(ini.WriteString(At("str1.ini"), L"Setting-EN", L"Item1", L"Stored"));
  ASSERT_TRUE(ini.WriteString(At("str2.ini"), L"Setting-EN", L"Item1", L"Two"));
  WriteProfileList(L"3", {L"A", L"B", L"C"}, L"B");
  files.LoadConfiguration();
  files.LoadCaptions();
  const auto edit = [&] {
    state.record = Marked(70);
    state.labels[0] = L"Edited";
  };

  edit();  // same profile, nothing imported; renames and a damaged list change nothing
  WriteProfileList(L"3", {L"Office", L"B", L"Work"}, L"B");
  EXPECT_FALSE(files.RunProfileCommand(kProfileReload));
  WriteProfileList(L"9", {L"A", L"B", L"C"}, L"A");
  EXPECT_FALSE(files.RunProfileCommand(kProfileReload));
  WriteProfileList(L"3", {L"A", L"B", L"C"}, L"Gone");  // no name matches: still profile 1
  EXPECT_FALSE(files.RunProfileCommand(kProfileReload));
  EXPECT_EQ(state.record, Marked(70));
  EXPECT_EQ(state.labels[0], L"Edited");
  EXPECT_EQ(state.profileFileIndex, 1);

  WriteProfileList(L"3", {L"A", L"B", L"C"}, L"C");  // another profile: loaded
  EXPECT_TRUE(files.RunProfileCommand(kProfileReload));
  EXPECT_EQ(state.record, Marked(2));
  EXPECT_EQ(state.labels[0], L"Two");

  // A cancelled import loaded nothing; a completed one is shown by the reload even though
  // the profile stays the same, and only once.
  host.fileAnswers = {std::nullopt, At("config4.bin").wstring()};
  EXPECT_FALSE(files.RunProfileCommand(kProfileImport));
  edit();
  EXPECT_FALSE(files.RunProfileCommand(kProfileReload));
  EXPECT_EQ(state.record, Marked(70));
  EXPECT_FALSE(files.RunProfileCommand(kProfileImport));
  EXPECT_TRUE(files.RunProfileCommand(kProfileReload));
  SettingsRecord imported = Marked(4);
  imported.at(rec::kProfile) = 2;
  EXPECT_EQ(state.record, imported);
  edit();
  EXPECT_FALSE(files.RunProfileCommand(kProfileReload));
  EXPECT_EQ(state.record, Marked(70));

  // An import that another read of the files (an arrival, a Reset, a reopen) already replaced
  // no longer makes the close throw away the edits made since.
  host.fileAnswers = {At("config4.bin").wstring()};
  EXPECT_FALSE(files.RunProfileCommand(kProfileImport));
  files.LoadConfiguration();
  edit();
  EXPECT_FALSE(files.RunProfileCommand(kProfileReload));
  EXPECT_EQ(state.record, Marked(70));
}

TEST_F(ConfigFilesTest, ExportWritesThePairAtTheChosenPlaceAndBesideTheProgram) {
  state.profileFileIndex = 1;
  state.files.configFile = At("config1.bin");
  state.record = Marked(33);
  state.labels[0] = L"Клик";
  const auto folder = dir / "x.bin.d";  // ".bin" in the folder's name must not matter
  std::filesystem::create_directory(folder);
  host.fileAnswers = {std::nullopt, (folder / "mine").wstring()};
  files.ExportConfiguration();
  EXPECT_EQ(test::FilesIn(folder).size(), 0u);
  files.ExportConfiguration();

  ASSERT_EQ(host.fileDialogs.size(), 2u);
  EXPECT_TRUE(host.fileDialogs[1].save);
  EXPECT_EQ(host.fileDialogs[1].request.flags, kOfnHideReadOnly | kOfnOverwritePrompt);
  for (const auto& place : {folder, dir.path()}) {
    EXPECT_EQ(ReadBytes(place / "mine.bin"), ConfigBytes(1, Marked(33)));
    EXPECT_EQ(ini.ReadString(place / "mine.ini", L"Setting-EN", L"Item1"), L"Клик");
    EXPECT_EQ(ReadBytes(place / "mine.ini").at(0), 0xFF);  // UTF-16, so nothing became "?"
  }
  EXPECT_EQ(state.files.captionFile, At("str1.ini"));
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(ConfigFilesTest, DamagedProfileListNeverCrashesOrChangesTheRecord) {
  WriteConfigs();
  state.record = Marked(77);
  std::mt19937 random(2855);
  std::vector<std::uint8_t> garbage(4096);
  for (auto& byte : garbage) byte = static_cast<std::uint8_t>(random());
  std::vector<std::uint8_t> truncated = Utf16File(u"[Profile]\r\nItemCou");
  truncated.push_back('n');
  const std::vector<std::vector<std::uint8_t>> cases = {
      garbage, Utf16File(u"[Profile]\r\nItemCount=" + std::u16string(100000, u'9')),
      AsciiBytes("[Profile]\nItemCount=\xFF\xFE"), truncated};
  for (const auto& bytes : cases) {
    WriteBytes(At("str.ini"), bytes);
    files.LoadConfiguration();
    files.LoadCaptions();
    EXPECT_EQ(state.record, Marked(77));
  }
  EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace gm
