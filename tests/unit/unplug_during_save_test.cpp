// A mouse that goes away in the middle of a Save, at every report of the sequence in turn, and
// a single report that fails at every point once: the Save ends, the configuration file holds
// the new record whole, the user is told the mouse is gone, a Save meanwhile sends nothing,
// and the first Save after the mouse is back sends the whole sequence, which the mouse holds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "config/apply_flows.h"
#include "config/config_files.h"
#include "config/factory_files.h"
#include "config/key_table.h"
#include "device/device_operations.h"
#include "device/discovery.h"
#include "device/hot_plug.h"
#include "device/virtual_mouse.h"
#include "fake_host.h"
#include "memory_ini_file.h"
#include "platform/portable_ini_file.h"
#include "temp_dir.h"

namespace gm {
namespace {

// The virtual mouse behind a counter of the reports on its command interface: at report
// number failAt the mouse is pulled out (unplug) or that one report is lost (once).
class FailingHid : public HidSystem {
 public:
  enum class Failure { None, Unplug, Once };
  explicit FailingHid(VirtualMouse& mouse) : mouse_(mouse) {}

  void FailAt(std::size_t report, Failure failure) {
    reports = 0;
    failAt_ = report;
    failure_ = failure;
  }
  std::size_t reports = 0;

  HidInterfaceSet OpenInterfaceSet() override { return mouse_.OpenInterfaceSet(); }
  void CloseInterfaceSet(HidInterfaceSet set) override { mouse_.CloseInterfaceSet(set); }
  HidEnumResult EnumerateInterface(HidInterfaceSet set, std::uint32_t index) override {
    return mouse_.EnumerateInterface(set, index);
  }
  bool ReadInterfacePath(HidInterfaceSet set, std::wstring& path) override {
    return mouse_.ReadInterfacePath(set, path);
  }
  HidHandle Open(const std::wstring& path, HidOpenMode mode) override {
    return mouse_.Open(path, mode);
  }
  void Close(HidHandle handle) override { mouse_.Close(handle); }
  bool GetAttributes(HidHandle handle, HidAttributes& attributes) override {
    return mouse_.GetAttributes(handle, attributes);
  }
  HidPreparsedData GetPreparsedData(HidHandle handle) override {
    return mouse_.GetPreparsedData(handle);
  }
  HidCapsStatus GetCaps(HidPreparsedData preparsed, HidCaps& caps) override {
    return mouse_.GetCaps(preparsed, caps);
  }
  void FreePreparsedData(HidPreparsedData preparsed) override {
    mouse_.FreePreparsedData(preparsed);
  }
  bool SetFeature(HidHandle handle, std::span<const std::uint8_t> report) override {
    return Reaches() && mouse_.SetFeature(handle, report);
  }
  bool GetFeature(HidHandle handle, std::span<std::uint8_t> report) override {
    return Reaches() && mouse_.GetFeature(handle, report);
  }
  bool WriteReport(HidHandle handle, std::span<const std::uint8_t> report) override {
    return Reaches() && mouse_.WriteReport(handle, report);
  }
  std::size_t ReadReport(HidHandle handle, std::span<std::uint8_t> report) override {
    return Reaches() ? mouse_.ReadReport(handle, report) : 0;
  }
  bool StartEventRead(HidHandle handle, std::span<std::uint8_t> buffer, WakeEvent& wake) override {
    return mouse_.StartEventRead(handle, buffer, wake);
  }
  std::size_t FinishEventRead(HidHandle handle) override { return mouse_.FinishEventRead(handle); }

 private:
  bool Reaches() {
    const std::size_t number = reports++;
    if (number != failAt_) return true;
    if (failure_ == Failure::Unplug) mouse_.Unplug();
    return failure_ == Failure::None;
  }

  VirtualMouse& mouse_;
  std::size_t failAt_ = 0;
  Failure failure_ = Failure::None;
};

class WindowSteps : public DeviceChangeActions, public ActionWindow {
 public:
  explicit WindowSteps(ConfigurationFiles& files) : files_(files) {}
  void SendDeviceEvent(std::uint8_t code, std::uint8_t value) override {
    log.push_back("event " + std::to_string(code) + " " + std::to_string(value));
  }
  void HideMainWindow() override { log.push_back("hide"); }
  void ClearSelectionAndHover() override {}
  void ReloadConfiguration() override {
    files_.LoadConfiguration();
    files_.LoadCaptions();
  }
  void ResumeListener() override {}
  void ShowResetLayout() override {}
  std::vector<std::string> log;

 private:
  ConfigurationFiles& files_;
};

struct UnplugDuringSave : ::testing::Test {
  UnplugDuringSave() {
    PortableIniFile factoryIni;
    EXPECT_EQ(WriteFactoryFiles(dir.path(), factoryIni), L"");
    // The captions live in memory (a file each would make every Save slow); the configuration
    // files are real.
    ini.WriteString(dir / "str.ini", L"Profile", L"ItemCount", L"1");
    ini.WriteString(dir / "str.ini", L"Profile", L"Item0", L"Default");
    ini.WriteString(dir / "str.ini", L"Profile", L"CurProfileName", L"Default");
    state.programPath = dir / "QL-GM900.exe";
    EXPECT_TRUE(Discover(hid, state));
    files.LoadConfiguration();
    files.LoadCaptions();
    state.savedRecord = state.record;
    // One whole Save: the number of reports it takes.
    flows.ApplyAction();
    flows.OnTimer(kSaveBusyTimer);
    sequenceReports = hid.reports;
  }

  // A record unlike the last one saved, macros included.
  void Edit(std::uint8_t seed) {
    state.record.dpiStage(0) = seed;
    state.record.at(rec::kReportRateCode) = static_cast<std::uint8_t>(1 + seed % 4);
    for (std::size_t m = 0; m < kMacroCount; ++m) {
      state.record.macros[m].fill(static_cast<std::uint8_t>(seed + m));
    }
  }
  SettingsRecord InUse() const {
    const auto bytes = test::ReadBytes(dir / "config0.bin");
    EXPECT_EQ(bytes.size(), kConfigFileSize);
    SettingsRecord record;
    if (bytes.size() == kConfigFileSize) {
      record.CopyFrom(std::span<const std::uint8_t, SettingsRecord::kSize>(bytes.data() + 1,
                                                                           SettingsRecord::kSize));
    }
    return record;
  }
  void ExpectMouseHolds(const SettingsRecord& record) {
    EXPECT_EQ(mouse.memory().settingsBlocks[0], BuildSettingsBlock(record));
    EXPECT_EQ(mouse.memory().keyTable, EncodeKeyTable(record));
    EXPECT_EQ(mouse.memory().macros, record.macros);
    EXPECT_EQ(mouse.memory().reportRateCode, record.at(rec::kReportRateCode));
  }
  void Notify(std::uint32_t event) {
    plug.OnDeviceChange(event, kDbtDevtypDeviceInterface,
                        VirtualMouse::NotificationName(VirtualMouse::kCommandPath));
  }
  void Save() {
    flows.ApplyAction();
    flows.OnTimer(kSaveBusyTimer);
  }

  test::TempDir dir;
  test::MemoryIniFile ini;
  VirtualMouse mouse;
  FailingHid hid{mouse};
  test::FakeHost host;
  AppState state;
  RecordingDesktopSettings desktop;
  ConfigurationFiles files{state, ini, host};
  ConfigurationFilesSteps steps{files};
  WindowSteps window{files};
  SaveFlows flows{state, state, host, hid, desktop, steps, window};
  DeviceChangeHandler plug{hid, host,   state,
                           {},  window, [this](CommandLink& link) { ConnectToMouse(link, state); }};
  std::size_t sequenceReports = 0;
};

TEST_F(UnplugDuringSave, AtEveryReportTheFileStaysWholeAndTheNextSaveSendsEverything) {
  ASSERT_EQ(sequenceReports, 65u);  // 0x02, 0x03, then 3 x (command and two chunks) x 21
  for (std::size_t at = 0; at < sequenceReports; ++at) {
    SCOPED_TRACE("unplugged at report " + std::to_string(at));
    window.log.clear();
    Edit(static_cast<std::uint8_t>(at + 1));
    const SettingsRecord edited = state.record;
    hid.FailAt(at, FailingHid::Failure::Unplug);
    Save();
    EXPECT_EQ(hid.reports, sequenceReports);  // the Save ran to its end, reports failing
    SettingsRecord expected = edited;
    expected.at(rec::kProfile) = 0;
    EXPECT_EQ(InUse(), expected);  // the configuration file holds the new record, whole

    // The removal reaches the window: the user is told, the window hides.
    Notify(kDbtDeviceRemoveComplete);
    EXPECT_EQ(window.log, (std::vector<std::string>{"event 15 0", "hide"}));
    EXPECT_EQ(state.connectedFlag, 0u);
    hid.FailAt(sequenceReports, FailingHid::Failure::None);
    Save();  // no mouse: nothing is sent, nothing is written
    EXPECT_EQ(hid.reports, 0u);
    EXPECT_EQ(InUse(), expected);

    mouse.Plug();
    Notify(kDbtDeviceArrival);
    ASSERT_EQ(state.connectedFlag, 1u);
    EXPECT_EQ(state.record, InUse());  // reloaded from the file
    hid.FailAt(sequenceReports, FailingHid::Failure::None);
    Save();
    EXPECT_EQ(hid.reports, sequenceReports);
    ExpectMouseHolds(state.record);
  }
}

TEST_F(UnplugDuringSave, AReportLostAtEveryPointIsMadeGoodByTheNextSave) {
  for (std::size_t at = 0; at < sequenceReports; ++at) {
    SCOPED_TRACE("report " + std::to_string(at) + " lost");
    Edit(static_cast<std::uint8_t>(0x80 + at));
    hid.FailAt(at, FailingHid::Failure::Once);
    Save();
    EXPECT_EQ(InUse(), state.record);
    hid.FailAt(sequenceReports, FailingHid::Failure::None);
    Save();
    ExpectMouseHolds(state.record);
    EXPECT_EQ(mouse.memory().rejectedCommands, 0u);
  }
}

}  // namespace
}  // namespace gm
