// Save, Reset and Cancel over the virtual mouse: what reaches the mouse, the files and the
// desktop, in which order, and the flags and timers between clicks.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/main_controller.h"
#include "config/apply_flows.h"
#include "config/config_files.h"
#include "config/factory_files.h"
#include "config/key_table.h"
#include "device/discovery.h"
#include "device/virtual_mouse.h"
#include "fake_host.h"
#include "platform/portable_ini_file.h"
#include "temp_dir.h"

namespace gm {
namespace {

// File steps that log into the host's window calls (one timeline) and play the loader: in
// DefaultsMode the factory settings part replaces the record's, otherwise the stored record.
class FakeFileSteps : public ConfigurationFileSteps {
 public:
  FakeFileSteps(AppState& state, std::vector<std::string>& log) : state_(state), log_(log) {}

  void LoadConfiguration() override {
    log_.push_back("load-configuration defaults=" + std::to_string(state_.defaultsMode));
    if (state_.defaultsMode == 1) {
      state_.record.settings = factory.settings;
    } else {
      state_.record = stored;
    }
  }
  void LoadCaptions() override {
    log_.push_back("load-captions defaults=" + std::to_string(state_.defaultsMode));
  }
  void SaveConfiguration() override {
    log_.push_back("save-configuration");
    stored = state_.record;
    if (onSave) onSave();
  }
  void SaveCaptions() override { log_.push_back("save-captions"); }

  SettingsRecord factory;
  SettingsRecord stored;
  std::function<void()> onSave;

 private:
  AppState& state_;
  std::vector<std::string>& log_;
};

class FakeWindow : public ActionWindow {
 public:
  explicit FakeWindow(std::vector<std::string>& log) : log_(log) {}
  void HideMainWindow() override { log_.push_back("hide"); }
  void ShowResetLayout() override { log_.push_back("reset-layout"); }

 private:
  std::vector<std::string>& log_;
};

SettingsRecord Edited(std::uint8_t base) {
  SettingsRecord record;
  record.at(rec::kReportRateCode) = 4;
  for (std::size_t k = 0; k < kDpiStageCount; ++k) {
    record.dpiStage(k) = static_cast<std::uint8_t>(base + k);
    record.stageEnabled(k) = k % 2 == 0 ? 1 : 0;
  }
  record.at(rec::kLightingMode) = 3;
  record.at(rec::kNeonPeriod) = 2;
  record.at(rec::kPointerPrecision) = 1;
  record.at(rec::kPointerSpeed) = 3;
  record.at(rec::kWheelLines) = 5;
  record.at(rec::kDoubleClickSpeed) = 2;
  record.button(ButtonField::Category, 4) = 12;
  record.button(ButtonField::MacroNumber, 4) = 2;
  for (std::size_t m = 0; m < kMacroCount; ++m) record.macros[m].fill(static_cast<std::uint8_t>(m));
  return record;
}

struct SaveFlowsTest : ::testing::Test {
  SaveFlowsTest() { ConnectMouse(); }

  void ConnectMouse() { ASSERT_TRUE(Discover(mouse, state)); }

  std::vector<std::string>& log() { return host.windowCalls; }

  VirtualMouse mouse;
  test::FakeHost host;
  AppState state;
  RecordingDesktopSettings desktop;
  FakeFileSteps files{state, host.windowCalls};
  FakeWindow window{host.windowCalls};
  SaveFlows flows{state, state, host, mouse, desktop, files, window};
};

TEST_F(SaveFlowsTest, SaveSendsEverythingThenSavesFilesThenDesktop) {
  state.record = Edited(10);
  state.record.at(rec::kProfile) = 2;
  const SettingsRecord edited = state.record;
  files.onSave = [&] {
    // The mouse already holds the whole configuration when the file is written.
    EXPECT_EQ(mouse.memory().macros, edited.macros);
    EXPECT_TRUE(desktop.calls.empty());
  };

  flows.ApplyAction();

  EXPECT_EQ(log(), (std::vector<std::string>{"save-configuration", "save-captions",
                                             "start-timer 1 2000"}));
  EXPECT_EQ(mouse.memory().settingsBlocks[0], BuildSettingsBlock(edited));
  EXPECT_EQ(mouse.memory().keyTable, EncodeKeyTable(edited));
  EXPECT_EQ(mouse.memory().keyTable[4 * kKeyTableSlot[4]], kSlotMacro);
  EXPECT_EQ(mouse.memory().reportRateCode, 4);
  EXPECT_EQ(state.record.at(rec::kProfile), 0);
  EXPECT_EQ(files.stored.at(rec::kProfile), 0);
  EXPECT_EQ(state.savedRecord, state.record);
  EXPECT_EQ(desktop.calls,
            (std::vector<std::string>{"SETMOUSE 6 10 1 /2", "SETMOUSESPEED 4 /2",
                                      "SETWHEELSCROLLLINES 5 /2", "SETDOUBLECLICKTIME 830 /3"}));
  EXPECT_EQ(host.TotalPause(), 4612u);
  EXPECT_TRUE(flows.saveBusy());
}

// Save and Reset alike: clicks queued while the apply blocked the window, or a double click,
// run the flow once; its timer ends the guard, and the other button's guard is not touched.
TEST_F(SaveFlowsTest, ClicksWhileBusyAreIgnoredUntilTheFlowsTimer) {
  for (const bool reset : {false, true}) {
    SCOPED_TRACE(reset ? "reset" : "save");
    const auto click = [&] { reset ? (void)flows.ResetAction() : flows.ApplyAction(); };
    const auto busy = [&] { return reset ? flows.resetBusy() : flows.saveBusy(); };
    const unsigned timer = reset ? kResetBusyTimer : kSaveBusyTimer;
    log().clear();
    state.record = Edited(10);
    click();
    const std::size_t pausesAfterFirst = host.pauses.size();
    EXPECT_TRUE(busy());
    EXPECT_FALSE(reset ? flows.saveBusy() : flows.resetBusy());
    click();  // queued while the first run blocked the window
    click();
    EXPECT_EQ(host.pauses.size(), pausesAfterFirst);
    EXPECT_EQ(std::count(log().begin(), log().end(), "save-configuration"), 1);

    EXPECT_TRUE(flows.OnTimer(timer));
    EXPECT_FALSE(busy());
    EXPECT_EQ(host.timers.count(timer), 0u);
    click();
    EXPECT_EQ(std::count(log().begin(), log().end(), "save-configuration"), 2);
    flows.OnTimer(timer);
  }
}

TEST_F(SaveFlowsTest, SaveWithoutMouseDoesNothingButTheBusyTimer) {
  state.connectedFlag = 0;
  state.record = Edited(10);
  const SettingsRecord saved = state.savedRecord;
  flows.ApplyAction();
  EXPECT_EQ(log(), (std::vector<std::string>{"start-timer 1 2000"}));
  EXPECT_TRUE(host.pauses.empty());
  EXPECT_TRUE(desktop.calls.empty());
  EXPECT_EQ(mouse.memory().settingsBlocks[0], kSettingsTemplate);
  EXPECT_EQ(state.savedRecord, saved);
  EXPECT_EQ(state.record.at(rec::kReportRateCode), 4);  // the edit is kept, not applied
  EXPECT_TRUE(flows.saveBusy());
}

TEST_F(SaveFlowsTest, OnlyTheBusyTimersAreTheFlows) {
  flows.ApplyAction();
  flows.ResetAction();
  log().clear();
  for (const unsigned other : {0u, 2u, 3u, 5u}) EXPECT_FALSE(flows.OnTimer(other));
  EXPECT_TRUE(log().empty());     // no cursor is set or restored: the window is never blocked
  EXPECT_TRUE(flows.saveBusy());  // only timers 1 and 4 clear the guards
  EXPECT_TRUE(flows.resetBusy());
  EXPECT_EQ(host.timers, (std::map<unsigned, std::uint32_t>{{kSaveBusyTimer, kSaveBusyMs},
                                                            {kResetBusyTimer, kSaveBusyMs}}));
}

TEST_F(SaveFlowsTest, ResetAppliesFactorySettingsWithCurrentMacros) {
  files.factory = Edited(30);
  files.factory.at(rec::kProfile) = 0;
  state.record = Edited(10);
  for (MacroBlock& block : state.record.macros) block.fill(0x5A);
  state.record.at(rec::kProfile) = 3;

  flows.ResetAction();

  EXPECT_EQ(log(),
            (std::vector<std::string>{"load-configuration defaults=1", "load-captions defaults=1",
                                      "save-configuration", "save-captions", "start-timer 4 2000",
                                      "reset-layout"}));
  EXPECT_EQ(state.defaultsMode, 0);
  EXPECT_EQ(state.record.dpiStage(0), 30);
  EXPECT_EQ(state.record.macros[18][127], 0x5A);
  EXPECT_EQ(files.stored, state.record);         // factory settings and current macros, saved
  EXPECT_EQ(state.record.at(rec::kProfile), 0);  // set by the Save that followed
  EXPECT_EQ(mouse.memory().settingsBlocks[0], BuildSettingsBlock(state.record));
  EXPECT_EQ(mouse.memory().macros[0][0], 0x5A);
  EXPECT_EQ(state.savedRecord, state.record);
  EXPECT_EQ(desktop.calls.size(), 4u);
  EXPECT_FALSE(flows.saveBusy());  // a Save may follow at once
}

TEST_F(SaveFlowsTest, ResetWithoutMouseChangesOnlyMemoryAndKeepsByteZero) {
  state.connectedFlag = 0;
  files.factory = Edited(30);
  state.record = Edited(10);
  state.record.at(rec::kProfile) = 3;
  const SettingsRecord saved = state.savedRecord;

  flows.ResetAction();

  EXPECT_EQ(log(),
            (std::vector<std::string>{"load-configuration defaults=1", "load-captions defaults=1",
                                      "reset-layout", "start-timer 4 2000"}));
  EXPECT_EQ(state.record.at(rec::kProfile), 3);
  EXPECT_EQ(state.record.dpiStage(0), 30);
  EXPECT_EQ(state.savedRecord, saved);
  EXPECT_TRUE(host.pauses.empty());
  EXPECT_TRUE(desktop.calls.empty());
  EXPECT_EQ(state.defaultsMode, 0);
}

TEST_F(SaveFlowsTest, CancelReturnsToTheLastRecordThatReachedTheMouse) {
  state.record = Edited(10);
  state.savedRecord = state.record;  // as loaded at start-up
  state.record.dpiStage(0) = 77;
  flows.ApplyAction();  // reaches the mouse: becomes the saved copy
  flows.OnTimer(kSaveBusyTimer);
  const SettingsRecord applied = state.record;

  state.record.dpiStage(0) = 88;
  state.connectedFlag = 0;
  flows.ApplyAction();  // does not reach the mouse
  state.record.dpiStage(1) = 99;
  log().clear();

  flows.CancelAction();
  EXPECT_EQ(state.record, applied);
  EXPECT_EQ(log(), (std::vector<std::string>{"hide"}));
  EXPECT_TRUE(flows.reloadOnOpen());
  EXPECT_TRUE(flows.TakeReloadOnOpen());
  EXPECT_FALSE(flows.TakeReloadOnOpen());
}

// The flows on the real configuration files, beside a program in a fresh folder with the
// factory files.
struct SaveFlowsFilesTest : ::testing::Test {
  SaveFlowsFilesTest() {
    EXPECT_EQ(WriteFactoryFiles(dir.path(), ini), L"");
    state.programPath = dir / "QL-GM900.exe";
    EXPECT_TRUE(Discover(mouse, state));
    configurationFiles.LoadConfiguration();
    configurationFiles.LoadCaptions();
    state.savedRecord = state.record;
    factoryBin = test::ReadBytes(dir / "config.bin");
    factoryStr = test::ReadBytes(dir / "str.ini");
  }

  // The configuration file in use as flag and record.
  std::pair<std::uint8_t, SettingsRecord> InUse() const {
    const auto bytes = test::ReadBytes(dir / "config0.bin");
    EXPECT_EQ(bytes.size(), kConfigFileSize);
    SettingsRecord record;
    if (bytes.size() != kConfigFileSize) return {0, record};
    record.CopyFrom(std::span<const std::uint8_t, SettingsRecord::kSize>(bytes.data() + 1,
                                                                         SettingsRecord::kSize));
    return {bytes[0], record};
  }

  void ExpectFactoryFilesUntouched() {
    EXPECT_EQ(test::ReadBytes(dir / "config.bin"), factoryBin);
    EXPECT_EQ(test::ReadBytes(dir / "str.ini"), factoryStr);
  }

  test::TempDir dir;
  PortableIniFile ini;
  VirtualMouse mouse;
  test::FakeHost host;
  AppState state;
  RecordingDesktopSettings desktop;
  ConfigurationFiles configurationFiles{state, ini, host};
  ConfigurationFilesSteps steps{configurationFiles};
  std::vector<std::string> windowLog;
  FakeWindow window{windowLog};
  SaveFlows flows{state, state, host, mouse, desktop, steps, window};
  std::vector<std::uint8_t> factoryBin;
  std::vector<std::uint8_t> factoryStr;
};

TEST_F(SaveFlowsFilesTest, SaveAndResetWriteTheConfigurationInUseOnly) {
  ASSERT_EQ(state.files.configFile, dir / "config0.bin");
  state.record.dpiStage(0) = 77;
  for (MacroBlock& block : state.record.macros) block.fill(0x5A);

  flows.ApplyAction();
  EXPECT_EQ(InUse(), std::make_pair(std::uint8_t{1}, state.record));
  EXPECT_EQ(InUse().second.dpiStage(0), 77);
  flows.OnTimer(kSaveBusyTimer);

  state.record.dpiStage(0) = 55;
  flows.ResetAction();
  SettingsRecord expected = FactoryRecord();
  expected.at(rec::kProfile) = 0;
  expected.macros = state.record.macros;
  EXPECT_EQ(state.record, expected);  // factory settings with the current macros
  EXPECT_EQ(InUse(), std::make_pair(std::uint8_t{1}, expected));
  EXPECT_EQ(mouse.memory().settingsBlocks[0], BuildSettingsBlock(expected));
  EXPECT_TRUE(host.messages.empty());
  ExpectFactoryFilesUntouched();
}

TEST_F(SaveFlowsFilesTest, ResetWithoutMouseThenSaveStillWritesTheConfigurationInUse) {
  state.connectedFlag = 0;
  state.record.dpiStage(0) = 55;
  const auto before = InUse();
  flows.ResetAction();
  EXPECT_EQ(state.record.dpiStage(0), FactoryRecord().dpiStage(0));
  EXPECT_EQ(InUse(), before);  // nothing reached a file

  state.connectedFlag = 1;
  state.record.dpiStage(1) = 66;
  flows.ApplyAction();
  EXPECT_EQ(InUse(), std::make_pair(std::uint8_t{1}, state.record));
  ExpectFactoryFilesUntouched();
}

// A runner that keeps the jobs until the test lets them run, in order, in place: the window's
// thread going on while the worker sends.
class HeldJobRunner : public DeviceJobRunner {
 public:
  HeldJobRunner(HidSystem& hid, Host& host, const LinkState& link) : inPlace_(hid, host, link) {}
  void Run(const DeviceJob& job, Done done) override { held_.push_back({job, std::move(done)}); }
  DeviceJobResult RunAndWait(const DeviceJob& job) override { return inPlace_.RunAndWait(job); }
  bool busy() const override { return !held_.empty(); }
  std::size_t held() const { return held_.size(); }
  void RunAll() {
    while (!held_.empty()) {
      auto [job, done] = std::move(held_.front());
      held_.erase(held_.begin());
      const DeviceJobResult result = inPlace_.RunAndWait(job);
      if (done) done(result);
    }
  }

 private:
  InPlaceJobRunner inPlace_;
  std::vector<std::pair<DeviceJob, Done>> held_;
};

class SilentView : public MainView {
 public:
  void ShowMainWindow() override {}
  void HideMainWindow() override {}
  bool IsMainWindowVisible() const override { return true; }
  void ShowBalloon(const std::wstring& text, const std::wstring&, unsigned) override {
    balloons.push_back(text);
  }
  void ShowTrayMenu(const std::wstring&) override {}
  void FullDraw() override {}
  void Relayout() override {}
  void ClearSelectionAndHover() override {}
  std::vector<std::wstring> balloons;
};

// Save and Reset while the worker sends: the window goes on taking edits, clicks and device
// events; the end writes what was sent, not what was edited meanwhile.
TEST_F(SaveFlowsFilesTest, EditsWhileTheMouseIsWrittenStayUnsavedEdits) {
  HeldJobRunner runner(mouse, host, state.link);
  flows.RunJobsOn(runner);
  SilentView view;
  MainController controller(state, host, mouse, view);
  controller.RunJobsOn(runner);
  state.UseLanguage(L"");
  int ends = 0;
  flows.onApplyEnd = [&](const DeviceJobResult& result) {
    EXPECT_FALSE(result.ended);
    ++ends;
  };

  state.record.dpiStage(2) = 15;  // 1500 DPI
  const auto before = InUse();
  flows.ApplyAction();
  SettingsRecord sent = state.record;
  EXPECT_TRUE(flows.applying());
  EXPECT_TRUE(host.timers.empty());  // the busy timer starts at the end
  state.record.dpiStage(2) = 30;     // an edit while the mouse is written
  flows.ApplyAction();               // a second Save meanwhile is ignored
  controller.OnDeviceEvent(1, 3);    // stage 3: read back after the APPLY
  EXPECT_EQ(runner.held(), 2u);
  EXPECT_TRUE(view.balloons.empty());
  EXPECT_EQ(InUse(), before);

  runner.RunAll();
  EXPECT_EQ(ends, 1);
  EXPECT_FALSE(flows.applying());
  EXPECT_TRUE(flows.saveBusy());
  EXPECT_EQ(host.timers.count(kSaveBusyTimer), 1u);
  EXPECT_EQ(InUse(), std::make_pair(std::uint8_t{1}, sent));
  EXPECT_EQ(state.savedRecord, sent);
  EXPECT_EQ(state.record.dpiStage(2), 30);  // still the user's unsaved edit
  EXPECT_EQ(view.balloons, (std::vector<std::wstring>{L"Switch DPI into the third stage 1500"}));
  flows.CancelAction();
  EXPECT_EQ(state.record, sent);

  // Reset: the window shows the factory layout at the click; the file follows at the end.
  flows.OnTimer(kSaveBusyTimer);
  windowLog.clear();
  EXPECT_TRUE(flows.ResetAction());
  EXPECT_EQ(windowLog, (std::vector<std::string>{"reset-layout"}));
  EXPECT_FALSE(flows.ResetAction());
  sent = state.record;
  state.record.dpiStage(0) = 3;
  EXPECT_EQ(InUse().second, state.savedRecord);
  runner.RunAll();
  EXPECT_EQ(ends, 2);
  EXPECT_EQ(InUse().second, sent);
  EXPECT_EQ(mouse.memory().settingsBlocks[0], BuildSettingsBlock(sent));
  EXPECT_EQ(state.record.dpiStage(0), 3);
}

}  // namespace
}  // namespace gm
