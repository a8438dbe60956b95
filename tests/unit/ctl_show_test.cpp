// gm900ctl's show, diff and verify: a configuration in words, compared with another file or
// with what the mouse reports.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

#include "cli/config_words.h"
#include "cli/ctl_commands.h"
#include "config/language_table.h"
#include "ctl_test_args.h"
#include "device/virtual_mouse.h"
#include "fake_host.h"
#include "platform/portable_ini_file.h"
#include "temp_dir.h"

namespace gm::cli {
namespace {

SettingsRecord Sample() {
  SettingsRecord record;
  record.at(rec::kReportRateCode) = 4;
  for (std::size_t k = 0; k < kDpiStageCount; ++k) {
    record.dpiStage(k) = static_cast<std::uint8_t>(4 * (k + 1));
    record.stageEnabled(k) = k == 6 ? 0 : 1;
    record.setStageColour(k, {0xFF, static_cast<std::uint8_t>(k), 0x0A});
  }
  record.at(rec::kLightingMode) = 2;
  record.at(rec::kRespirationPeriod) = 3;
  record.at(rec::kGestureCorrection) = 1;
  auto set = [&](std::size_t b, std::uint8_t category) {
    record.button(ButtonField::Category, b) = category;
  };
  set(1, 7);
  record.button(ButtonField::MediaUsage, 1) = 0xE9;
  set(2, 11);
  record.button(ButtonField::ComboModifier, 2) = 0x01;
  record.button(ButtonField::ComboKey1, 2) = 0xE1;
  record.button(ButtonField::ComboKey2, 2) = 0x04;
  set(3, 12);
  record.button(ButtonField::MacroNumber, 3) = 1;
  record.button(ButtonField::MacroMode, 3) = 2;
  set(4, 6);
  record.button(ButtonField::DpiAction, 4) = 3;
  set(5, 8);
  record.button(ButtonField::HotKeyLetter, 5) = 0x06;
  set(6, 40);  // from a damaged file
  record.macros[1][1] = 3;
  record.macros[1][2] = 0x0C;
  record.macros[1][3] = 0x04;
  return record;
}

std::vector<std::uint8_t> FileBytes(const SettingsRecord& record, std::uint8_t flag = 1) {
  std::vector<std::uint8_t> bytes(kConfigurationFileSize, flag);
  record.CopyTo(
      std::span<std::uint8_t, SettingsRecord::kSize>(bytes.data() + 1, SettingsRecord::kSize));
  return bytes;
}

struct ShowTest : ::testing::Test {
  ShowTest() { test::WriteBytes(config, FileBytes(Sample())); }

  template <typename Command, typename... Extra>
  int Run(Command command, test::Paths args, Extra&&... extra) {
    out.str("");
    err.str("");
    return command(args, Streams{out, err}, extra...);
  }
  bool Printed(const std::string& line) const {
    std::istringstream lines(out.str());
    for (std::string printed; std::getline(lines, printed);) {
      if (printed == line) return true;
    }
    return false;
  }

  test::TempDir dir;
  std::filesystem::path config = dir / "config.bin";
  PortableIniFile ini;
  OutText out;
  OutText err;
};

TEST_F(ShowTest, ShowsEverySettingInWordsWithCaptionsAndMacroNames) {
  LanguageTable german;
  FillLanguageTable(german, L"GER");
  const auto captions = dir / "str.ini";
  ASSERT_TRUE(ini.WriteString(captions, L"Skins", L"Lan", L"GER"));
  ASSERT_TRUE(ini.WriteString(captions, german[slot::kCaptionSection], L"Item2", L"Lauter ä"));
  const auto macros = dir / "record.ini";
  for (const wchar_t* name : {L"Macro_1", L"Macro_2"}) {
    ASSERT_TRUE(ini.WriteString(macros, name, L"ItemCount", L"2"));
    ASSERT_TRUE(ini.WriteString(macros, name, L"Item0", L"A   Dn"));
    ASSERT_TRUE(ini.WriteString(macros, name, L"Item1", L"A   Up"));
  }

  ASSERT_EQ(Run(ShowCommand, {config, "--captions", captions, "--macros", macros}, ini), kExitOk)
      << err.str();
  for (const char* line : {
           "  Report rate: 250 Hz",
           "  Saved by the program: yes",
           "  Stage 1: 400 DPI, enabled, colour #ff000a",
           "  Stage 7: 2800 DPI, disabled, colour #ff060a",
           "  Mode: respiration",
           "  Respiration period: 6 s",
           "  Gesture correction: -2",
           "  Button 2: Multimedia: Volume Up (caption \"Lauter ä\")",
           "  Button 3: Combo Key: Left Ctrl + Shift + A (caption \"\")",
           "  Button 4: Macro Key: Macro_2, repeat while held (caption \"\")",
           "  Button 5: CPI Cycle: DPI Loop (caption \"\")",
           "  Button 6: HotKey: Copy (Ctrl + C) (caption \"\")",
           "  Button 7: unknown (40) (caption \"\")",
           "  Macro 1: Macro_1, 2 items, empty block",
           "  Macro 2: Macro_2, 2 items, repeat 3, 2 of 126 bytes",
       }) {
    EXPECT_TRUE(Printed(line)) << line << "\n" << out.str();
  }

  ASSERT_EQ(Run(ShowCommand, {"--json", config, "--macros", macros}, ini), kExitOk);
  const std::string json = out.str();
  EXPECT_EQ(json.front(), '{');
  EXPECT_NE(json.find("\"reportRate\": 250,"), std::string::npos);
  EXPECT_NE(json.find("\"function\": \"Macro Key: Macro_2, repeat while held\""),
            std::string::npos);
  EXPECT_NE(json.find("\"buttonS12\": "), std::string::npos);
  EXPECT_EQ(std::count(json.begin(), json.end(), '{'), std::count(json.begin(), json.end(), '}'));
}

// The sliders' right ends are the window's own values: shown with what the mouse gets, and in
// the document as "slider end", not as a damaged byte.
TEST_F(ShowTest, SliderEndsShowAsTheWindowStoresThem) {
  SettingsRecord ends = Sample();
  for (std::size_t at :
       {rec::kBrightness, rec::kRespirationPeriod, rec::kNeonPeriod, rec::kGestureCorrection}) {
    ends.at(at) = 6;
  }
  test::WriteBytes(config, FileBytes(ends));
  ASSERT_EQ(Run(ShowCommand, {config}, ini), kExitOk) << err.str();
  EXPECT_TRUE(Printed("  Respiration period: slider end (the mouse gets period 6; 8 s is 5)"))
      << out.str();
  EXPECT_TRUE(Printed("  Gesture correction: 0 (slider end: no correction)")) << out.str();
  ASSERT_EQ(Run(ShowCommand, {config, "--json"}, ini), kExitOk);
  const auto document = nlohmann::json::parse(out.str());
  EXPECT_EQ(document["lighting"]["brightness"], "slider end");
  EXPECT_EQ(document["sensor"]["gestureCorrection"], "slider end");
}

TEST_F(ShowTest, DamagedInputGivesOneLineNamingTheFileAndNoDocument) {
  test::WriteBytes(dir / "short.bin", std::vector<std::uint8_t>(100));
  const auto emptyCaptions = dir / "empty.ini";
  ASSERT_TRUE(ini.WriteString(emptyCaptions, L"Skins", L"Lan", L"CHS"));
  using test::Paths;
  const std::vector<Paths> cases = {
      Paths{dir / "short.bin"},
      Paths{config, "--captions", dir / "missing.ini"},
      Paths{config, "--captions", emptyCaptions},
      Paths{config, "--macros", dir.path()},
      Paths{config, "--captions", "-"},  // INI files are read by their path
      Paths{config, "--macros", "-"},
  };
  for (const auto& args : cases) {
    EXPECT_NE(Run(ShowCommand, args, ini), kExitOk);
    EXPECT_TRUE(out.str().empty()) << out.str();
    const std::string message = err.str();
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    EXPECT_NE(err.str().find(args.back().Utf8()), std::string::npos) << err.str();
  }
  EXPECT_EQ(Run(ShowCommand, {config, "--captions"}, ini), kExitUsage);
  EXPECT_NE(err.str().find("--captions needs a FILE"), std::string::npos);
  // Paths and options as given are printed with their control characters escaped.
  EXPECT_EQ(Run(ShowCommand, {dir / "x\x1b[2Jy.bin"}, ini), kExitFailed);
  EXPECT_NE(err.str().find("x\\x1b[2Jy.bin: no such file"), std::string::npos) << err.str();
  EXPECT_EQ(Run(ShowCommand, {config, std::filesystem::path(u8"--j\u009bson")}, ini), kExitUsage);
  EXPECT_NE(err.str().find("unknown option --j\\u009bson (see gm900ctl help show)"),
            std::string::npos)
      << err.str();
  EXPECT_EQ(Run(DiffCommand, {"-", "-"}), kExitUsage);
  EXPECT_NE(err.str().find("only one of A.bin and B.bin can be -"), std::string::npos);
}

TEST_F(ShowTest, DiffNamesWhatChangedAndExitsByTheResult) {
  SettingsRecord other = Sample();
  other.button(ButtonField::Category, 3) = 3;
  other.dpiStage(2) = 16;
  test::WriteBytes(dir / "other.bin", FileBytes(other));
  EXPECT_EQ(Run(DiffCommand, {config, config}), kExitOk);
  EXPECT_TRUE(out.str().empty());

  ASSERT_EQ(Run(DiffCommand, {config, dir / "other.bin"}), kExitFailed);
  EXPECT_EQ(out.str(),
            "Stage 3: 1200 DPI, enabled, colour #ff020a -> 1600 DPI, enabled, colour #ff020a\n"
            "Button 4: Macro Key: macro 2, repeat while held -> IE Forward\n");

  // Bytes no setting shows still count.
  other = Sample();
  other.button(ButtonField::MediaUsage, 0) = 0xB5;  // button 1 is not a multimedia key
  test::WriteBytes(dir / "other.bin", FileBytes(other));
  EXPECT_EQ(Run(DiffCommand, {config, dir / "other.bin"}), kExitFailed);
  EXPECT_EQ(out.str(), "Bytes no setting uses: record offsets 118\n");

  // --json names the same change by its path, with both values as the document holds them.
  other = Sample();
  other.dpiStage(2) = 16;
  test::WriteBytes(dir / "other.bin", FileBytes(other));
  ASSERT_EQ(Run(DiffCommand, {"--json", config, dir / "other.bin"}), kExitFailed);
  const auto diff = nlohmann::json::parse(out.str());
  EXPECT_EQ(diff["equal"], false);
  EXPECT_EQ(diff["differences"],
            nlohmann::json::parse(R"([{"setting": "dpi.stage3.dpi", "a": 1200, "b": 1600}])"));
  ASSERT_EQ(Run(DiffCommand, {"--json", config, config}), kExitOk);
  EXPECT_EQ(nlohmann::json::parse(out.str())["differences"].size(), 0u);

  EXPECT_EQ(Run(DiffCommand, {config, dir / "missing.bin"}), kExitUsage);
  EXPECT_NE(err.str().find("missing.bin: no such file"), std::string::npos);
  EXPECT_EQ(Run(DiffCommand, {config}), kExitUsage);
}

TEST_F(ShowTest, VerifyComparesTheMouseWithASaveOfTheFile) {
  VirtualMouse mouse;
  test::FakeHost host;
  const SystemAccess system{&mouse, &host, {}};
  // The sample holds a damaged button: only --force sends it.
  ASSERT_EQ(Run(ApplyCommand, {config}, system), kExitFailed);
  EXPECT_NE(err.str().find("buttons.button7.function: unknown (40)"), std::string::npos);
  ASSERT_EQ(Run(ApplyCommand, {config, "--force"}, system), kExitOk);
  EXPECT_EQ(Run(VerifyCommand, {config}, system), kExitOk) << out.str();
  EXPECT_NE(out.str().find("the mouse holds what a Save of"), std::string::npos);
  EXPECT_EQ(Run(VerifyCommand, {config, "--json"}, system), kExitOk) << out.str();
  EXPECT_EQ(nlohmann::json::parse(out.str())["equal"], true);
  EXPECT_EQ(Run(InfoCommand, {"--json"}, system), kExitOk);
  const auto info = nlohmann::json::parse(out.str());
  EXPECT_EQ(info["dpi"]["stage1"]["dpi"], 400);
  EXPECT_EQ(info["lighting"]["mode"], "respiration");

  SettingsRecord other = Sample();
  other.dpiStage(0) = 8;
  other.at(rec::kAngleSnap) = 1;
  test::WriteBytes(dir / "other.bin", FileBytes(other));
  EXPECT_EQ(Run(VerifyCommand, {dir / "other.bin"}, system), kExitFailed);
  EXPECT_TRUE(
      Printed("stage 1: 800 DPI, enabled, colour #ff000a -> 400 DPI, enabled, colour "
              "#ff000a"))
      << out.str();
  EXPECT_TRUE(Printed("angle snap: on (0x33: 01) -> off (0x33: 00)"));
  EXPECT_TRUE(Printed("settings byte 0x5c: 07 -> 03"));  // the second copy of the stages

  mouse.memory().profile = 2;  // the read-back follows the mouse's current profile
  EXPECT_EQ(Run(VerifyCommand, {config}, system), kExitFailed);
  EXPECT_TRUE(Printed("profile: 0 -> 2")) << out.str();

  mouse.Unplug();
  EXPECT_EQ(Run(VerifyCommand, {config}, system), kExitNoMouse);
  EXPECT_EQ(Run(VerifyCommand, {dir / "missing.bin"}, system), kExitUsage);
}

}  // namespace
}  // namespace gm::cli
