// The factory files the distribution ships: they load as the program loads them, every value
// is in its range, and the captions name the functions the buttons have.
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "buttons/button_assignment.h"
#include "config/config_files.h"
#include "config/factory_files.h"
#include "fake_host.h"
#include "platform/portable_ini_file.h"
#include "temp_dir.h"

namespace gm {
namespace {

TEST(FactoryFiles, LoadAsTheProgramLoadsThem) {
  test::TempDir temp;
  // The program's folder is made, with the one above it, under Cyrillic and Chinese names.
  const std::filesystem::path dir =
      temp / std::filesystem::path(u8"\u041C\u044B\u0448\u044C/\u9F20\u6807 QL");
  PortableIniFile ini;
  ASSERT_EQ(WriteFactoryFiles(dir, ini), L"");

  AppState state;
  state.programPath = dir / "QL-GM900.exe";
  test::FakeHost host;
  ConfigurationFiles files(state, ini, host);
  files.LoadConfiguration();
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(state.firstRunFlag, 0);
  EXPECT_EQ(state.record, FactoryRecord());
  EXPECT_EQ(state.files.configFile, dir / "config0.bin");
  EXPECT_EQ(ini.ReadString(dir / "str.ini", L"Profile", L"ItemCount"), L"6");
  EXPECT_EQ(ini.SectionNames(dir / "str0.ini", 1024),
            (std::vector<std::wstring>{L"Skins", L"Setting-EN", L"Setting-CHS", L"Setting-CHT",
                                       L"Setting-GER", L"Setting-RUS"}));
  EXPECT_EQ(files.ReadLanguageCode(), L"EN");

  for (const wchar_t* code : {L"", L"CHS", L"CHT", L"GER", L"RUS"}) {
    state.UseLanguage(code);
    files.LoadCaptions();
    // The values come back trimmed, as the profile functions read them.
    ButtonLabels expected = FactoryCaptions(state.texts.language());
    for (std::wstring& label : expected) label.erase(label.find_last_not_of(L' ') + 1);
    EXPECT_EQ(state.labels, expected) << "language " << std::wstring(code).size();
  }
  EXPECT_EQ(state.skin.path, L"Default");

  state.defaultsMode = 1;
  files.LoadConfiguration();
  EXPECT_EQ(state.record, FactoryRecord());
  EXPECT_EQ(test::ReadBytes(dir / "record.ini"), (std::vector<std::uint8_t>{0xFF, 0xFE}));
  std::size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().filename() == ".ql-gm900.lock") continue;  // the folder's update lock
    ++count;
    if (entry.path().extension() == ".bin") {
      EXPECT_EQ(entry.file_size(), kConfigFileSize);
    }
  }
  EXPECT_EQ(count, 15u);
}

TEST(FactoryFiles, EveryValueIsInItsRange) {
  const SettingsRecord record = FactoryRecord();
  const std::uint8_t rate = record.at(rec::kReportRateCode);
  EXPECT_TRUE(rate == 1 || rate == 2 || rate == 4 || rate == 8);
  for (std::size_t k = 0; k < kDpiStageCount; ++k) {
    EXPECT_GE(record.dpiStage(k), 1);
    EXPECT_LE(record.dpiStage(k), 120);
    EXPECT_LE(record.stageEnabled(k), 1);
    for (std::size_t other = 0; other < k; ++other) {
      EXPECT_NE(record.stageColour(k), record.stageColour(other)) << k << " " << other;
    }
  }
  EXPECT_GE(record.at(rec::kLightingMode), 1);
  EXPECT_LE(record.at(rec::kLightingMode), 3);
  for (std::size_t at :
       {rec::kBrightness, rec::kRespirationPeriod, rec::kNeonPeriod, rec::kGestureCorrection}) {
    EXPECT_GE(record.at(at), 1) << at;
    EXPECT_LE(record.at(at), 5) << at;
  }
  for (std::size_t at : {rec::kPointerSpeed, rec::kDoubleClickSpeed}) {
    EXPECT_GE(record.at(at), 2) << at;  // the dials give 2-12
    EXPECT_LE(record.at(at), 12) << at;
  }
  EXPECT_GE(record.at(rec::kWheelLines), 1);
  EXPECT_LE(record.at(rec::kWheelLines), 100);
  for (std::size_t at : {rec::kXSensitivity, rec::kYSensitivity}) {
    EXPECT_GE(record.at(at), 1) << at;
    EXPECT_LE(record.at(at), 10) << at;
  }
  for (std::size_t b = 0; b < kButtonCount; ++b) {
    EXPECT_LE(record.button(ButtonField::Category, b), 15);
  }
  EXPECT_EQ(record.macros, SettingsRecord{}.macros);
}

TEST(FactoryFiles, CaptionsAreTheDefaultLabelsOfTheButtonsFunctions) {
  for (std::size_t language = 0; language < kLanguageCount; ++language) {
    SettingsRecord record;
    ButtonLabels defaults;
    ButtonAssignment(record, defaults, static_cast<Language>(language)).DefaultLabels();
    EXPECT_EQ(FactoryCaptions(static_cast<Language>(language)), defaults) << language;
  }
  const SettingsRecord record = FactoryRecord();
  EXPECT_EQ(record.button(ButtonField::Category, 5), 6);
  EXPECT_EQ(record.button(ButtonField::DpiAction, 5), 1);
  EXPECT_EQ(record.button(ButtonField::DpiAction, 6), 2);
  EXPECT_EQ(record.button(ButtonField::Category, 18), 13);
  EXPECT_EQ(FactoryCaptions(Language::English)[3], L"Left Title Scroll");
}

}  // namespace
}  // namespace gm
