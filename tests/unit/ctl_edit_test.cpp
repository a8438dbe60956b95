// gm900ctl's get, set and import, and the JSON document they share: set against what the
// window's own edits and Save write, show --json -> import on generated records, and the
// one-line refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/settings_pages.h"
#include "cli/config_document.h"
#include "cli/ctl_commands.h"
#include "config/apply_flows.h"
#include "config/config_files.h"
#include "config/device_image.h"
#include "config/factory_files.h"
#include "config/key_table.h"
#include "ctl_test_args.h"
#include "device/discovery.h"
#include "device/virtual_mouse.h"
#include "fake_host.h"
#include "platform/desktop_settings.h"
#include "platform/portable_ini_file.h"
#include "temp_dir.h"

namespace gm::cli {
namespace {

struct Colours : ColourChooser {
  std::optional<Rgb> Choose() override { return Rgb{0x12, 0x34, 0x56}; }
};

struct QuietView : PageView {
  void ControlChanged(Control, int) override {}
  void EnableScrollLines(bool) override {}
  void SetScrollLinesText(const std::wstring&, bool) override {}
};

struct QuietWindow : ActionWindow {
  void HideMainWindow() override {}
  void ShowResetLayout() override {}
};

constexpr PagePlace kPlace{734, 100, 976, 242};

using test::Paths;

// The window's edits: clicks on the settings pages and picks of the button menus.
struct WindowEdit {
  SettingsPageEditor& pages;
  ButtonAssignment& buttons;

  void Click(Control control, int index, int x, int y) {
    pages.Click(ControlOf(control), index, kPlace, x, y);
  }
  void ClickIn(Control control, int index) {
    const Rect area = ControlOf(control).area(kPlace, index);
    Click(control, index, (area.left + area.right) / 2, (area.top + area.bottom) / 2);
  }
  // A slider click that gives position p: one step of s pixels per position from k on.
  void Slide(Control control, int index, SliderRule rule, int position) {
    const Rect area = ControlOf(control).area(kPlace, index);
    Click(control, index, area.left + rule.k + rule.s * (position - 2), area.top + 1);
  }
  // A speed dial click at the middle of the angle that gives position p (2..12).
  void Dial(Control control, int position) {
    const double angle = position == 12 ? 0.0 : ((11 - position) * 18 + 9) * 3.14159265 / 180;
    const int centreX = kPlace.x + kPlace.width / 2;
    const int centreY = kPlace.y + 91;
    Click(control, 0, centreX + static_cast<int>(std::lround(60 * std::cos(angle))),
          centreY - static_cast<int>(std::lround(60 * std::sin(angle))));
  }
};

// A program folder with the factory files and two macros, as a user has it.
void MakeProgramFolder(const std::filesystem::path& folder, IniFile& ini) {
  ASSERT_EQ(WriteFactoryFiles(folder, ini), L"");
  for (const wchar_t* name : {L"Macro_1", L"Macro_2"}) {
    ASSERT_TRUE(ini.WriteString(folder / "record.ini", name, L"ItemCount", L"1"));
    ASSERT_TRUE(ini.WriteString(folder / "record.ini", name, L"Item0", L"A   Dn"));
  }
}

// What a Save leaves: the files in use and what the mouse holds.
struct Saved {
  std::vector<std::uint8_t> config;
  std::vector<std::uint8_t> captions;
  VirtualMouseMemory mouse;
};

void ExpectSameSave(const Saved& window, const Saved& set, const std::string& what) {
  EXPECT_EQ(set.config, window.config) << what;
  EXPECT_EQ(set.captions, window.captions) << what;
  EXPECT_EQ(set.mouse.settingsBlocks[0], window.mouse.settingsBlocks[0]) << what;
  EXPECT_EQ(set.mouse.keyTable, window.mouse.keyTable) << what;
  EXPECT_EQ(set.mouse.macros, window.mouse.macros) << what;
  EXPECT_EQ(set.mouse.reportRateCode, window.mouse.reportRateCode) << what;
}

// The program started in the folder, the edit made in the window, then Save.
Saved SaveInWindow(const std::filesystem::path& folder,
                   const std::function<void(WindowEdit&)>& edit) {
  PortableIniFile ini;
  test::FakeHost host;
  VirtualMouse mouse;
  AppState state;
  state.programPath = folder / "QL-GM900.exe";
  ConfigurationFiles files(state, ini, host);
  EXPECT_TRUE(Discover(mouse, state));
  files.LoadConfiguration();
  state.UseLanguage(files.ReadLanguageCode());
  files.LoadCaptions();
  ButtonAssignment buttons(state.record, state.labels, state.language);
  if (state.firstRunFlag == 0) buttons.DefaultLabels();  // as the first draw does
  QuietView view;
  Colours colours;
  SettingsPageEditor pages(state.record, view, colours);
  WindowEdit window{pages, buttons};
  edit(window);
  RecordingDesktopSettings desktop;
  ConfigurationFilesSteps steps(files);
  QuietWindow actions;
  SaveFlows flows(state, state, host, mouse, desktop, steps, actions);
  flows.ApplyAction();
  return {test::ReadBytes(folder / "config0.bin"), test::ReadBytes(folder / "str0.ini"),
          mouse.memory()};
}

// The same folder changed by set, then the file sent by apply.
Saved SaveBySet(const std::filesystem::path& folder, const std::vector<std::string>& pairs) {
  PortableIniFile ini;
  OutText out, err;
  test::Paths args = {folder / "config0.bin"};
  for (const std::string& pair : pairs) args.push_back(FilePath::FromUtf8(pair));
  for (const char* option : {"--captions", "str0.ini", "--macros", "record.ini"}) {
    args.emplace_back(std::string(option).find("--") == 0 ? std::filesystem::path(option)
                                                          : folder / option);
  }
  EXPECT_EQ(SetCommand(args, {out, err}, ini), kExitOk) << err.str();
  VirtualMouse mouse;
  test::FakeHost host;
  EXPECT_EQ(ApplyCommand(Paths{folder / "config0.bin"}, {out, err}, {&mouse, &host, {}}), kExitOk)
      << err.str();
  return {test::ReadBytes(folder / "config0.bin"), test::ReadBytes(folder / "str0.ini"),
          mouse.memory()};
}

struct SameEdit {
  const char* what;
  std::vector<std::string> pairs;
  std::function<void(WindowEdit&)> edit;
};

TEST(SetTest, EveryKindOfSettingWritesWhatTheWindowsSaveWrites) {
  const std::vector<SameEdit> edits = {
      {"a DPI level",
       {"dpi.stage3.dpi=1700"},
       [](WindowEdit& w) {
         const Rect bar = ControlOf(Control::DpiLevel).area(kPlace, 2);
         w.Click(Control::DpiLevel, 2, bar.left, 204 - 17);
       }},
      {"a stage off",
       {"dpi.stage2.enabled=false"},
       [](WindowEdit& w) { w.ClickIn(Control::DpiEnable, 1); }},
      {"a colour",
       {"dpi.stage5.colour=#123456"},
       [](WindowEdit& w) { w.ClickIn(Control::DpiSwatch, 4); }},
      {"lighting",
       {"lighting.mode=NEON", "lighting.neonPeriod=15", "lighting.brightness=25",
        "lighting.respirationPeriod=4"},
       [](WindowEdit& w) {
         w.ClickIn(Control::LightingMode, 2);
         w.Slide(Control::LightingSlider, 2, kLightingSlider, 5);
         w.Slide(Control::LightingSlider, 0, kLightingSlider, 2);
         w.Slide(Control::LightingSlider, 1, kLightingSlider, 1);
       }},
      {"the sliders' right ends",
       {"lighting.brightness=slider end", "lighting.respirationPeriod=Slider End",
        "lighting.neonPeriod=slider end", "sensor.gestureCorrection=slider end"},
       [](WindowEdit& w) {
         for (int row = 0; row < 3; ++row)
           w.Slide(Control::LightingSlider, row, kLightingSlider, 6);
         w.Slide(Control::GestureSlider, 0, kGestureSlider, 6);
       }},
      {"the report rate",
       {"general.reportRate=250"},
       [](WindowEdit& w) {
         const Rect dial = ControlOf(Control::ReportRateDial).area(kPlace, 0);
         w.Click(Control::ReportRateDial, 0, (dial.left + dial.right) / 2 - 30,
                 (dial.top + dial.bottom) / 2 + 30);
       }},
      {"the desktop's speeds",
       {"desktop.pointerSpeed=12", "desktop.doubleClickTime=830"},
       [](WindowEdit& w) {
         w.Dial(Control::MouseSpeedDial, 7);
         w.Dial(Control::DoubleClickSpeedDial, 2);
       }},
      {"the wheel",
       {"desktop.scrollOneScreen=true", "desktop.wheelLines=42"},
       [](WindowEdit& w) {
         w.ClickIn(Control::ScrollMode, 1);
         w.pages.ScrollLinesTextChanged(L"42");
       }},
      {"the sensor",
       {"sensor.angleSnap=True", "sensor.gestureCorrection=1", "sensor.xSensitivity=8",
        "sensor.ySensitivity=11"},
       [](WindowEdit& w) {
         w.ClickIn(Control::AngleSnap, 0);
         w.Slide(Control::GestureSlider, 0, kGestureSlider, 4);
         w.Slide(Control::XSensitivity, 0, kSensitivitySlider, 8);
         const Rect y = ControlOf(Control::YSensitivity).area(kPlace, 0);
         w.Click(Control::YSensitivity, 0, y.right - 1, y.top + 1);
       }},
      {"simple functions and lists",
       {"buttons.button1.function=Double Click", "buttons.button2.function=Multimedia: Volume Up",
        "buttons.button3.function=HotKey: Copy (Ctrl + C)",
        "buttons.buttonS1.function=Windows: Run", "buttons.buttonS2.function=CPI Cycle: DPI Loop",
        "buttons.buttonS12.function=Click"},
       [](WindowEdit& w) {
         w.buttons.PickSimple(0, 5);
         w.buttons.PickMedia(1, 6);
         w.buttons.PickHotKey(2, 2);
         w.buttons.PickWindows(7, 6);
         w.buttons.PickDpi(8, 2);
         w.buttons.PickSimple(18, 0);
       }},
      {"keys and combinations",
       {"buttons.button4.function=Single Key: Num +", "buttons.buttonS3.function=Single Key: none",
        "buttons.buttonS4.function=Combo Key: Left Ctrl + Shift + A",
        "buttons.buttonS5.function=Combo Key: no modifier + Right Ctrl + A",
        "buttons.buttonS6.function=Combo Key: Right Alt + none + Num +"},
       [](WindowEdit& w) {
         w.buttons.PickSingleKey(3, L"Num +");
         w.buttons.PickSingleKey(9, L"");
         w.buttons.PickCombo(10, L"Left Ctrl", L"Shift", L"A");
         w.buttons.PickCombo(11, L"", L"Right Ctrl", L"A");
         w.buttons.PickCombo(12, L"Right Alt", L"", L"Num +");
       }},
      {"a macro",
       {"buttons.button5.function=Macro Key: Macro_2, repeat while held"},
       [](WindowEdit& w) { w.buttons.PickMacro(4, 1, 2, L"Macro_2"); }},
  };
  // Written once and copied: the INI engine's writes are made durable one by one.
  test::TempDir folder;
  PortableIniFile ini;
  MakeProgramFolder(folder.path(), ini);
  // File by file: mingw's copy of a folder into an existing one fails.
  const auto copy = [&](const std::filesystem::path& to) {
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
      std::filesystem::copy_file(entry.path(), to / entry.path().filename());
    }
  };
  for (const SameEdit& edit : edits) {
    test::TempDir window, set;
    copy(window.path());
    copy(set.path());
    ExpectSameSave(SaveInWindow(window.path(), edit.edit), SaveBySet(set.path(), edit.pairs),
                   edit.what);
  }
}

std::vector<std::uint8_t> FileBytes(const ConfigurationContent& content) {
  std::vector<std::uint8_t> bytes(kConfigurationFileSize, content.firstRunFlag);
  content.record.CopyTo(
      std::span<std::uint8_t, SettingsRecord::kSize>(bytes.data() + 1, SettingsRecord::kSize));
  return bytes;
}

struct EditTest : ::testing::Test {
  EditTest() {
    content.firstRunFlag = 1;
    content.record = FactoryRecord();
    // Parameters of functions the buttons no longer have, which no change may touch.
    for (std::size_t at = 80; at < SettingsRecord::kSettingsSize; ++at) {
      if (content.record.at(at) == 0) content.record.at(at) = static_cast<std::uint8_t>(at);
    }
    test::WriteBytes(config, FileBytes(content));
  }
  int Set(test::Paths args) {
    args.insert(args.begin(), config);
    err.str("");
    return SetCommand(args, {out, err}, ini);
  }
  std::string Get(const std::string& name) {
    out.str("");
    err.str("");
    EXPECT_EQ(GetCommand(Paths{config, name}, {out, err}, ini), kExitOk) << err.str();
    std::string text = out.str();
    if (!text.empty()) text.pop_back();
    return text;
  }

  test::TempDir dir;
  std::filesystem::path config = dir / "config0.bin";
  PortableIniFile ini;
  ConfigurationContent content;
  OutText out, err;
};

TEST_F(EditTest, AWrongPairLeavesTheFileUntouchedAndSaysWhatIsAllowed) {
  const std::vector<std::uint8_t> before = test::ReadBytes(config);
  struct Refused {
    test::Paths args;
    std::string message;
  };
  const std::vector<Refused> cases = {
      {{"dpi.stage2.dpi=1600", "dpi.stage3.dpi=1650"},
       "dpi.stage3.dpi=1650: not allowed (the mouse has steps of 100 DPI: 1600 or 1700); "
       "allowed: 100 to 12000 in steps of 100"},
      {{"dpi.stage3.dpi=12100"}, "allowed: 100 to 12000 in steps of 100"},
      {{"lighting.mode=neon", "lihgting.mode=neon"}, "(did you mean lighting.mode?)"},
      {{"general.reportRate=300"}, "allowed: 125, 250, 500 or 1000 (Hz)"},
      {{"general.profile=2"}, "kept by the program itself"},
      {{"dpi.stage1.colour=red"}, "allowed: #rrggbb"},
      {{"buttons.button2.function=Multimedia: Loud"}, "takes one of: Media player, Next Track"},
      {{"buttons.button2.function=Clik"}, "(did you mean \"Click\"?)"},
      {{"buttons.button2.function=Single Key: a"}, "is none of them"},
      {{"buttons.button2.function=Macro Key: Macro_9, repeat while held"}, "no macro \"Macro_9\""},
      {{"buttons.button2.function=Combo Key: Left Ctrl+Left Shift + A"},
       "not a function the program gives a button"},
      {{"buttons.button2.function=CPI Cycle: unknown (9)"}, "not a function the program gives"},
      // The factory file has one button with Click: it keeps it.
      {{"buttons.button1.function=Menu"}, "the last button with \"Click\" keeps it"},
      {{"macros.macro1.repeat=3"}, "cannot be set"},
      {{"dpi.stage1.dpi"}, "NAME=VALUE is needed"},
      {{"lighting.mode=neon", "lighting.mode=standard"}, "lighting.mode is given twice"},
      {{"general.reportRate=1000.0"}, "allowed: 125, 250"},
      {{"general.reportRate=1e3"}, "allowed: 125, 250"},
      {{"buttons.button2.function=Single Key: key 0xff"}, "not a function the program gives"},
  };
  for (const Refused& refused : cases) {
    EXPECT_EQ(Set(refused.args), kExitFailed) << refused.message;
    EXPECT_NE(err.str().find(refused.message), std::string::npos) << err.str();
    const std::string message = err.str();
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    EXPECT_EQ(test::ReadBytes(config), before) << refused.message;
  }
  EXPECT_EQ(SetCommand(Paths{"-", "lighting.mode=neon"}, {out, err}, ini), kExitUsage);
  EXPECT_NE(err.str().find("give its path, not -"), std::string::npos);
  EXPECT_EQ(Set({}), kExitUsage);
}

TEST_F(EditTest, ChangesTouchOnlyTheirBytesAndClickMayMove) {
  // Click moves from button 1 to button 2 in one command.
  ASSERT_EQ(
      Set({"buttons.button2.function=Click", "buttons.button1.function=Combo Key: Right Ctrl + A"}),
      kExitOk)
      << err.str();
  const std::vector<std::uint8_t> after = test::ReadBytes(config);
  const std::vector<std::uint8_t> before = FileBytes(content);
  std::vector<std::size_t> changed;
  for (std::size_t at = 0; at < after.size(); ++at) {
    if (after[at] != before[at]) changed.push_back(at - 1);  // record offsets
  }
  const auto field = [](ButtonField f, std::size_t b) { return static_cast<std::size_t>(f) + b; };
  EXPECT_EQ(changed, (std::vector<std::size_t>{
                         field(ButtonField::Category, 0), field(ButtonField::Category, 1),
                         field(ButtonField::ComboModifier, 0), field(ButtonField::ComboKey1, 0),
                         field(ButtonField::ComboKey2, 0)}));
  EXPECT_EQ(after[0], 1);  // the flag as it was
  EXPECT_EQ(Get("buttons.button1.function"), "Combo Key: Right Ctrl + A");
  EXPECT_EQ(Get("general.reportRate"), "1000");
  EXPECT_EQ(Get("dpi.stage1.enabled"), "true");
  EXPECT_NE(Get("dpi.stage1").find("\"dpi\": 400"), std::string::npos);
  out.str("");
  EXPECT_EQ(GetCommand(Paths{config, "dpi.stage8.dpi"}, {out, err}, ini), kExitFailed);
  EXPECT_NE(err.str().find("did you mean dpi.stage1.dpi?"), std::string::npos) << err.str();
}

// A record of random bytes, a tenth of them of the kinds the window writes.
ConfigurationContent RandomContent(std::mt19937& random) {
  std::uniform_int_distribution<int> byte(0, 255);
  ConfigurationContent content;
  content.firstRunFlag = static_cast<std::uint8_t>(byte(random) % 3);
  for (auto& value : content.record.settings) value = static_cast<std::uint8_t>(byte(random));
  for (auto& block : content.record.macros) {
    const int used = byte(random) % 130;
    for (int i = 0; i < used && i < static_cast<int>(kBlockSize); ++i) {
      block[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(byte(random));
    }
  }
  for (std::size_t b = 0; b < kButtonCount; ++b) {
    // Categories in range more often, so that every function's text is read back.
    if (byte(random) % 2 == 0) {
      content.record.button(ButtonField::Category, b) =
          static_cast<std::uint8_t>(byte(random) % 16);
    }
  }
  return content;
}

TEST(DocumentTest, ShowJsonImportsBackToTheSameBytesForGeneratedRecords) {
  std::mt19937 random(2855);
  for (int n = 0; n < 200; ++n) {
    const ConfigurationContent original = RandomContent(random);
    Extras extras;
    if (n % 4 == 0) {
      // Names from record.ini travel in the document: the functions name their macros.
      extras.macros.emplace();
      for (int k = 0; k < n % 23; ++k) {
        extras.macros->push_back({"Macro, " + std::to_string(k) + " \x1b", 1});
      }
    }
    const std::string json = DocumentJson(original, extras);
    // Into a base that differs everywhere: the document alone decides.
    ConfigurationContent imported = RandomContent(random);
    const auto message = ImportDocument(json, imported, true);
    ASSERT_FALSE(message) << *message << "\n" << json;
    ASSERT_EQ(FileBytes(imported), FileBytes(original)) << json;
    DeviceConfig a, b;
    BuildDeviceConfig(original.record, a);
    BuildDeviceConfig(imported.record, b);
    ASSERT_EQ(a, b);
  }
}

TEST(DocumentTest, ImportNamesTheWrongPathInOneLine) {
  const ConfigurationContent base{0, FactoryRecord()};
  std::string deep;  // the path of the 64th level in a nest of arrays
  for (int level = 1; level < 64; ++level) deep += "[0]";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"[1, 2]", "(document): an object is needed"},
      {"{\"dpi\": {\"stage3\": {\"dpi\": 1650}}}", "dpi.stage3.dpi: 1650 is not allowed"},
      {"{\"dpi\": {\"stage3\": {\"dpi\": \"1600\"}}}", "dpi.stage3.dpi: \"1600\" is not allowed"},
      {"{\"dpi\": {\"stage3\": {\"dip\": 1600}}}",
       "dpi.stage3.dip: unknown key (did you mean dpi?)"},
      {"{\"lighting\": {\"mode\": {\"unknown\": 300}}}", "lighting.mode: {\"unknown\":300}"},
      {"{\"sensor\": 5}", "sensor: an object is needed"},
      {"{\"buttons\": {\"button2\": {\"function\": \"Menu\", \"colour\": \"x\"}}}",
       "buttons.button2.colour: unknown key"},
      {"{\"buttons\": {\"button20\": {}}}", "buttons.button20: unknown key"},
      {"{\"buttons\": {\"button2\": {\"function\": 7}}}", "buttons.button2.function: a string"},
      {"{\"macros\": {\"macro1\": {\"events\": \"0c0\"}}}", "macros.macro1.events:"},
      {"{\"unused\": {\"61\": 1}}", "unused.61: record byte 61 belongs to a setting"},
      {"{\"genral\": {}}", "genral: unknown key (did you mean general?)"},
      {"{\"general\": {\"reportRate\": 250,}}", "not JSON: parse error at line 1"},
      {"{\"general\": {\"reportRate\": 1e999}}", "not JSON: number overflow"},
      {"{\"buttons\": {\"button1\": {\"function\": \"Menu\"}}}",
       "buttons: no button has \"Click\""},
      {"{\"general\": {\"reportRate\": 250, \"reportRate\": 500}}",
       "general.reportRate: given twice in one object"},
      {"{\"general\": {\"reportRate\": 1000.0}}", "general.reportRate: 1000.0 is not allowed"},
      {"{\"general\": {\"reportRate\": 1e3}}", "general.reportRate: 1000.0 is not allowed"},
      {std::string("{}\0{\"x\": 1}", 11), "not JSON: a NUL byte at byte 3"},
      {"{\"sensor\": " + std::string(20000, '[') + std::string(20000, ']') + "}",
       "sensor" + deep + ": nested deeper than 64 levels"},
  };
  for (const auto& [document, expected] : cases) {
    ConfigurationContent content = base;
    const auto message = ImportDocument(document, content);
    ASSERT_TRUE(message) << document;
    EXPECT_EQ(message->rfind(expected, 0), 0u) << *message;
    EXPECT_EQ(message->find('\n'), std::string::npos) << *message;
    EXPECT_EQ(content, base) << document;
  }
  // A part of a document changes only what it holds.
  ConfigurationContent content = base;
  const std::string damaged =
      "{\"lighting\": {\"mode\": {\"unknown\": 254}}, \"buttons\": {\"button3\": "
      "{\"function\": \"Macro Key: unknown (255), repeat while held\", \"caption\": \"x\"}}}";
  EXPECT_EQ(ImportDocument(damaged, content),
            "lighting.mode: unknown (254) is outside its range (--force takes it)");
  EXPECT_EQ(content, base);
  ASSERT_FALSE(ImportDocument(damaged, content, true));
  SettingsRecord expected = base.record;
  expected.at(rec::kLightingMode) = 254;
  expected.button(ButtonField::Category, 2) = 12;
  expected.button(ButtonField::MacroNumber, 2) = 255;
  expected.button(ButtonField::MacroMode, 2) = 2;
  EXPECT_EQ(content.record, expected);
  EXPECT_EQ(OutOfRange(content),
            (std::vector<std::string>{
                "lighting.mode: unknown (254)",
                "buttons.button3.function: Macro Key: unknown (255), repeat while held"}));
}

TEST_F(EditTest, ImportCommandWritesTheFileOrNothing) {
  const auto json = dir / "settings.json";
  std::ofstream(json) << "{\"general\": {\"reportRate\": 500}}";
  InText none{std::string()};
  const Streams io{out, err, &none};
  ASSERT_EQ(ImportCommand(Paths{json, dir / "out.bin", "--base", config}, io), kExitOk)
      << err.str();
  ConfigurationContent expected = content;
  expected.record.at(rec::kReportRateCode) = 2;
  EXPECT_EQ(test::ReadBytes(dir / "out.bin"), FileBytes(expected));
  // Without a base: the factory configuration.
  InText in(std::string("{\"dpi\": {\"stage1\": {\"dpi\": 100}}}"));
  ASSERT_EQ(ImportCommand(Paths{"-", dir / "out.bin"}, {out, err, &in}), kExitOk) << err.str();
  ConfigurationContent factory{0, FactoryRecord()};
  factory.record.dpiStage(0) = 1;
  EXPECT_EQ(test::ReadBytes(dir / "out.bin"), FileBytes(factory));

  InText bad(std::string("{\"dpi\": 1}"));
  err.str("");
  EXPECT_EQ(ImportCommand(Paths{"-", dir / "out.bin"}, {out, err, &bad}), kExitFailed);
  EXPECT_EQ(err.str(), "gm900ctl: standard input: dpi: an object is needed, not 1\n");
  EXPECT_EQ(test::ReadBytes(dir / "out.bin"), FileBytes(factory));
}

TEST_F(EditTest, ControlCharactersAreEscapedInText) {
  const auto captions = dir / "str0.ini";
  ASSERT_TRUE(ini.WriteString(captions, L"Setting-EN", L"Item1", L"a\x1b[31mb\x07"));
  const std::vector<std::uint8_t> bytes = FileBytes(content);
  InText in(std::string(std::string(bytes.begin(), bytes.end())));
  ASSERT_EQ(ShowCommand(Paths{"-", "--captions", captions}, {out, err, &in}, ini), kExitOk)
      << err.str();
  EXPECT_NE(out.str().find("(caption \"a\\x1b[31mb\\x07\")"), std::string::npos) << out.str();
  EXPECT_EQ(out.str().find('\x1b'), std::string::npos);
  EXPECT_EQ(Printable("\xc2\x9b"
                      "ok\n"),
            "\\u009bok\\x0a");
}

}  // namespace
}  // namespace gm::cli
