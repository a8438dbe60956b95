// gm900ctl's apply, encode and info, run as the tool runs them: arguments in, text and exit
// status out, on the virtual mouse.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "cli/ctl_commands.h"
#include "config/factory_files.h"
#include "config/key_table.h"
#include "ctl_test_args.h"
#include "device/trace.h"
#include "device/virtual_mouse.h"
#include "fake_host.h"
#include "fake_mouse_lock.h"
#include "platform/portable_ini_file.h"
#include "temp_dir.h"

namespace gm::cli {
namespace {

SettingsRecord SampleRecord() {
  SettingsRecord record;
  record.at(rec::kReportRateCode) = 2;
  const std::uint8_t stages[] = {4, 8, 16, 32, 64, 80, 120};
  for (std::size_t k = 0; k < kDpiStageCount; ++k) {
    record.dpiStage(k) = stages[k];
    record.stageEnabled(k) = k == 3 ? 0 : 1;
    record.setStageColour(k, {static_cast<std::uint8_t>(0x10 * k), 0x80, 0xFF});
  }
  record.at(rec::kLightingMode) = 1;
  record.at(rec::kBrightness) = 4;
  record.at(rec::kAngleSnap) = 1;
  record.at(rec::kGestureCorrection) = 2;
  record.at(rec::kXSensitivity) = 5;
  record.at(rec::kYSensitivity) = 10;
  record.button(ButtonField::Category, 6) = 7;
  record.button(ButtonField::MediaUsage, 6) = 0x83;
  for (std::size_t m = 0; m < kMacroCount; ++m) {
    std::iota(record.macros[m].begin(), record.macros[m].end(), static_cast<std::uint8_t>(m));
  }
  return record;
}

std::vector<std::uint8_t> ConfigurationBytes(const SettingsRecord& record) {
  std::vector<std::uint8_t> bytes(kConfigurationFileSize);
  record.CopyTo(
      std::span<std::uint8_t, SettingsRecord::kSize>(bytes.data() + 1, SettingsRecord::kSize));
  return bytes;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool StartsWith(const std::string& text, std::string_view prefix) {
  return text.rfind(prefix, 0) == 0;
}

struct CtlTest : ::testing::Test {
  CtlTest() { test::WriteBytes(config, ConfigurationBytes(SampleRecord())); }

  int Run(int (*command)(Args, Streams), test::Paths args) {
    out.str("");
    err.str("");
    return command(args, {out, err});
  }
  int Run(int (*command)(Args, Streams, const SystemAccess&), test::Paths args) {
    out.str("");
    err.str("");
    return command(args, {out, err}, system);
  }

  test::TempDir dir;
  std::filesystem::path config = dir / "config.bin";
  OutText out;
  OutText err;
  VirtualMouse systemMouse;  // stands in for the system's HID driver
  test::FakeHost systemHost;
  test::FakeMouseLock lock;
  SystemAccess system{&systemMouse, &systemHost, {}, &lock};
};

TEST_F(CtlTest, EncodeShowsTheBlocksOfASave) {
  ASSERT_EQ(Run(EncodeCommand, {config}), kExitOk) << err.str();
  const auto lines = Lines(out.str());
  ASSERT_EQ(lines.size(), 2 + kMacroCount);
  const SettingsRecord record = SampleRecord();
  EXPECT_EQ(lines[0], "settings-block " + HexBytes(BuildSettingsBlock(record)));
  EXPECT_EQ(lines[1], "key-table " + HexBytes(EncodeKeyTable(record)));
  EXPECT_EQ(lines[2], "macro-block 0 " + HexBytes(record.macros[0]));
  EXPECT_EQ(lines[20], "macro-block 18 " + HexBytes(record.macros[18]));
  EXPECT_NE(lines[1].find("03 00 83 01"), std::string::npos);  // button 6 "Media player"
  EXPECT_TRUE(err.str().empty());
}

TEST_F(CtlTest, BadFilesAndArgumentsGiveClearErrors) {
  test::WriteBytes(dir / "short.bin", std::vector<std::uint8_t>(kConfigurationFileSize - 1));
  test::WriteBytes(dir / "long.bin", std::vector<std::uint8_t>(kConfigurationFileSize + 1));
  std::filesystem::create_directory(dir / "folder.bin");

  for (auto command :
       {EncodeCommand, +[](Args a, Streams io) { return ApplyCommand(a, io, {}); }}) {
    EXPECT_EQ(Run(command, {dir / "missing.bin"}), kExitFailed);
    EXPECT_NE(err.str().find("missing.bin: no such file"), std::string::npos) << err.str();
    EXPECT_EQ(Run(command, {dir / "short.bin"}), kExitFailed);
    EXPECT_NE(err.str().find("2854 bytes; a configuration file has 2855"), std::string::npos);
    EXPECT_EQ(Run(command, {dir / "long.bin"}), kExitFailed);
    EXPECT_NE(err.str().find("2856 bytes"), std::string::npos);
    EXPECT_EQ(Run(command, {dir / "folder.bin"}), kExitFailed);
    EXPECT_NE(err.str().find("not a regular file"), std::string::npos);
    EXPECT_EQ(Run(command, {}), kExitUsage);
    EXPECT_NE(err.str().find("(see gm900ctl help "), std::string::npos) << err.str();
    const std::string message = err.str();
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    EXPECT_EQ(Run(command, {config, config}), kExitUsage);
    EXPECT_EQ(Run(command, {"--bogus", config}), kExitUsage);
    EXPECT_NE(err.str().find("unknown option --bogus"), std::string::npos);
    EXPECT_TRUE(out.str().empty());
  }
  EXPECT_EQ(Run(EncodeCommand, {"--virtual", config}), kExitUsage);
  EXPECT_EQ(Run(InfoCommand, {config}), kExitUsage);
  EXPECT_EQ(Run(InfoCommand, {"--trace"}), kExitUsage);
  // A bad file never reaches the mouse.
  EXPECT_EQ(Run(ApplyCommand, {dir / "short.bin"}), kExitFailed);
  EXPECT_TRUE(systemHost.pauses.empty());
  EXPECT_EQ(systemMouse.memory().settingsBlocks[0], kSettingsTemplate);
}

// encode and apply refuse every value set refuses (one check), and take the sliders' right
// ends the window stores.
TEST_F(CtlTest, OutOfRangeValuesNeedForceAndTheSliderEndsPass) {
  using Edit = void (*)(SettingsRecord&);
  const std::vector<std::pair<std::string, Edit>> refused = {
      {"buttons.button3.function: Single Key: key 0xff",
       [](SettingsRecord& r) {
         r.button(ButtonField::Category, 2) = 10;
         r.button(ButtonField::SingleKey, 2) = 0xFF;
       }},
      {"buttons.button3.function: Combo Key: Left Ctrl+Left Shift+Left Alt+Left Win+Right "
       "Ctrl+Right Shift+Right Alt+Right Win + A",
       [](SettingsRecord& r) {
         r.button(ButtonField::Category, 2) = 11;
         r.button(ButtonField::ComboModifier, 2) = 0xFF;
         r.button(ButtonField::ComboKey1, 2) = 0x04;
       }},
      {"buttons.button3.function: Combo Key: Left Ctrl + key 0xff",
       [](SettingsRecord& r) {
         r.button(ButtonField::Category, 2) = 11;
         r.button(ButtonField::ComboModifier, 2) = 0x01;
         r.button(ButtonField::ComboKey1, 2) = 0xFF;
       }},
      {"buttons: no button has \"Click\" (Left key must be selected!)",
       [](SettingsRecord& r) {
         for (std::size_t b = 0; b < kButtonCount; ++b) {
           if (r.button(ButtonField::Category, b) == 0) r.button(ButtonField::Category, b) = 1;
         }
       }},
      {"lighting.brightness: unknown (7)", [](SettingsRecord& r) { r.at(rec::kBrightness) = 7; }},
  };
  for (const auto& [line, edit] : refused) {
    SettingsRecord record = SampleRecord();
    edit(record);
    test::WriteBytes(config, ConfigurationBytes(record));
    EXPECT_EQ(Run(EncodeCommand, {config}), kExitFailed) << line;
    EXPECT_NE(err.str().find("  " + line + "\n"), std::string::npos) << err.str();
    EXPECT_EQ(Run(EncodeCommand, {config, "--force"}), kExitOk) << line;
  }
  SettingsRecord ends = SampleRecord();
  for (std::size_t at :
       {rec::kBrightness, rec::kRespirationPeriod, rec::kNeonPeriod, rec::kGestureCorrection}) {
    ends.at(at) = 6;
  }
  ends.at(rec::kXSensitivity) = 11;
  ends.button(ButtonField::Category, 2) = 10;  // "Single Key: none", as an untouched dialog gives
  test::WriteBytes(config, ConfigurationBytes(ends));
  EXPECT_EQ(Run(EncodeCommand, {config}), kExitOk) << err.str();
  EXPECT_NE(out.str().find(HexBytes(BuildSettingsBlock(ends))), std::string::npos);
}

TEST_F(CtlTest, ApplyVirtualTracesTheWholeSaveAndTheMouseHoldsWhatEncodeShows) {
  ASSERT_EQ(Run(EncodeCommand, {config}), kExitOk);
  const auto encoded = Lines(out.str());

  ASSERT_EQ(Run(ApplyCommand, {"--virtual", "--trace", config}), kExitOk) << err.str();
  const auto lines = Lines(out.str());
  ASSERT_GT(lines.size(), encoded.size());
  const auto split = lines.end() - static_cast<std::ptrdiff_t>(encoded.size());
  const std::vector<std::string> trace(lines.begin(), split);
  const std::vector<std::string> held(split, lines.end());
  EXPECT_EQ(held, encoded);

  // Connect, then the Save: 0x02, 0x03 with 500 Hz, 0x0C, 0x0D, 0x0F x 19.
  ASSERT_GE(trace.size(), 4u);
  EXPECT_EQ(trace[0], "set-feature 00 82 00 00 00 00 00 00 7d");
  EXPECT_EQ(trace[1], "get-feature 00 82 00 00 00 00 00 00 7d");
  EXPECT_EQ(trace[2], "set-feature 00 01 fc 00 00 00 00 00 02");
  EXPECT_EQ(trace[3], "set-feature 00 02 00 00 00 00 00 00 fd");
  int writes = 0, features = 0, reads = 0;
  unsigned paused = 0;
  for (const std::string& line : trace) {
    if (StartsWith(line, "write ")) ++writes;
    if (StartsWith(line, "set-feature ")) ++features;
    if (StartsWith(line, "read ")) ++reads;
    if (StartsWith(line, "pause ")) paused += static_cast<unsigned>(std::stoul(line.substr(6)));
  }
  EXPECT_EQ(writes, 2 * (2 + 19));
  EXPECT_EQ(features, 2 + 4 + 19);
  EXPECT_EQ(reads, 0);
  EXPECT_EQ(paused, 4612u);
  EXPECT_NE(std::find(trace.begin(), trace.end(), "set-feature 00 03 00 02 00 00 00 00 fa"),
            trace.end());
  // The virtual mouse is not waited for, and the system's devices are left alone.
  EXPECT_TRUE(systemHost.pauses.empty());
  EXPECT_EQ(systemMouse.memory().connectArgument, 0);
}

TEST_F(CtlTest, FactoryConfigurationReachesTheVirtualMouseAsEncoded) {
  PortableIniFile ini;
  ASSERT_EQ(WriteFactoryFiles(dir.path(), ini), L"");
  ASSERT_EQ(Run(EncodeCommand, {config}), kExitOk);
  const auto encoded = Lines(out.str());
  ASSERT_EQ(encoded.size(), 2 + kMacroCount);
  EXPECT_EQ(encoded[1], "key-table " + HexBytes(EncodeKeyTable(FactoryRecord())));

  ASSERT_EQ(Run(ApplyCommand, {"--trace", "--virtual", config}), kExitOk) << err.str();
  const auto lines = Lines(out.str());
  ASSERT_GT(lines.size(), encoded.size());
  EXPECT_EQ(std::vector<std::string>(lines.end() - static_cast<std::ptrdiff_t>(encoded.size()),
                                     lines.end()),
            encoded);
}

TEST_F(CtlTest, ApplyOnTheSystemMouseWaitsAndTracesWhatCrossesTheDriver) {
  OutText ownText;
  Trace own(ownText);
  systemMouse.SetTrace(&own);
  systemMouse.memory().profile = 3;
  ASSERT_EQ(Run(ApplyCommand, {config, "--trace"}), kExitOk) << err.str();

  std::vector<std::string> reports;
  for (const std::string& line : Lines(out.str())) {
    if (!StartsWith(line, "pause ") && !StartsWith(line, "applied ")) reports.push_back(line);
  }
  EXPECT_EQ(reports, Lines(ownText.str()));  // the tool's trace is the mouse's own view
  EXPECT_EQ(Lines(out.str()).back(), "applied " + config.string());
  EXPECT_EQ(systemHost.TotalPause(), 4612u);
  EXPECT_EQ(systemMouse.memory().profile, 0);
  EXPECT_EQ(systemMouse.memory().settingsBlocks[0], BuildSettingsBlock(SampleRecord()));
  EXPECT_EQ(systemMouse.memory().keyTable, EncodeKeyTable(SampleRecord()));
  EXPECT_EQ(systemMouse.memory().macros, SampleRecord().macros);
}

TEST_F(CtlTest, NoMouseOrNoHidSaysSoWithStatusTwo) {
  systemMouse.Unplug();
  EXPECT_EQ(Run(ApplyCommand, {config}), kExitNoMouse);
  EXPECT_NE(err.str().find("no QL-GM900 mouse found"), std::string::npos);
  EXPECT_EQ(Run(InfoCommand, {}), kExitNoMouse);
  EXPECT_NE(err.str().find("no QL-GM900 mouse found"), std::string::npos);
  EXPECT_TRUE(out.str().empty());

  system = {};
  EXPECT_EQ(Run(InfoCommand, {}), kExitNoMouse);
  EXPECT_NE(err.str().find("use --virtual"), std::string::npos);
  EXPECT_EQ(Run(ApplyCommand, {config}), kExitNoMouse);
  EXPECT_NE(err.str().find("no access to HID devices"), std::string::npos);
  EXPECT_EQ(Run(InfoCommand, {"--virtual"}), kExitOk);
}

TEST_F(CtlTest, AMouseHeldByAnotherProgramIsReportedAndNothingIsSent) {
  // Free: held for the whole run, from discovery to the last report, and let go after it.
  ASSERT_EQ(Run(InfoCommand, {}), kExitOk) << err.str();
  EXPECT_EQ(lock.acquired, 1);
  EXPECT_FALSE(lock.held);

  lock.takenElsewhere = true;
  OutText ownText;
  Trace own(ownText);
  systemMouse.SetTrace(&own);
  for (auto command : {ApplyCommand, InfoCommand}) {
    EXPECT_EQ(Run(command, command == ApplyCommand ? test::Paths{config} : test::Paths{}),
              kExitNoMouse);
    EXPECT_EQ(err.str(), "gm900ctl: the mouse is busy: another program has held it for 15 s\n");
    EXPECT_TRUE(out.str().empty());
  }
  EXPECT_TRUE(ownText.str().empty());  // no report reached the mouse
  // The virtual mouse is this process's own: no lock.
  EXPECT_EQ(Run(ApplyCommand, {"--virtual", config}), kExitOk) << err.str();
}

TEST_F(CtlTest, InfoReadsBackAndDecodesWhatASaveSent) {
  ASSERT_EQ(Run(ApplyCommand, {config}), kExitOk);
  ASSERT_EQ(Run(InfoCommand, {}), kExitOk) << err.str();
  const auto lines = Lines(out.str());
  const std::vector<std::string> expected = {
      "profile: 0",
      "stage 1: 400 DPI, enabled, colour #0080ff",
      "stage 2: 800 DPI, enabled, colour #1080ff",
      "stage 3: 1600 DPI, enabled, colour #2080ff",
      "stage 4: 3200 DPI, disabled, colour #3080ff",
      "stage 5: 6400 DPI, enabled, colour #4080ff",
      "stage 6: 8000 DPI, enabled, colour #5080ff",
      "stage 7: 12000 DPI, enabled, colour #6080ff",
      "lighting: standard, brightness position 4 (0x47-0x49: 01 08 03)",
      "sensitivity: X 100 (position 5), Y 200 (position 10)",
      "angle snap: on (0x33: 01)",
      "gesture correction: -10 (0x30: 11, 0x31: f6)",
      "settings-block " + HexBytes(BuildSettingsBlock(SampleRecord()))};
  EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace gm::cli
