// The connect, apply and read-back sequences against the virtual mouse: order of reports,
// pauses, and what the mouse holds afterwards.
#include <gtest/gtest.h>

#include <numeric>
#include <sstream>

#include "app/app_state.h"
#include "config/apply_flows.h"
#include "config/key_table.h"
#include "device/device_operations.h"
#include "device/virtual_mouse.h"
#include "fake_host.h"

namespace gm {
namespace {

struct VirtualMouseFixture : ::testing::Test {
  VirtualMouseFixture() {
    mouse.SetTrace(&trace);
    state.link.commandHandle = mouse.Open(VirtualMouse::kCommandPath, HidOpenMode::CommandAccess);
    state.link.inputReportLength = VirtualMouse::kInputReportLength;
  }

  std::vector<std::string> TraceLines() const {
    std::vector<std::string> lines;
    std::istringstream in(traceText.str());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  std::ostringstream traceText;
  Trace trace{traceText};
  VirtualMouse mouse;
  test::FakeHost host;
  AppState state;
  CommandLink link{mouse, host, state.link};
};

SettingsRecord SampleRecord() {
  SettingsRecord record;
  record.at(rec::kReportRateCode) = 2;
  const std::uint8_t stages[] = {5, 10, 15, 20, 40, 80, 120};
  for (std::size_t k = 0; k < kDpiStageCount; ++k) {
    record.dpiStage(k) = stages[k];
    record.stageEnabled(k) = 1;
    record.setStageColour(k, {static_cast<std::uint8_t>(k), 0x20, 0xF0});
  }
  record.at(rec::kLightingMode) = 2;
  record.at(rec::kRespirationPeriod) = 4;
  record.at(rec::kXSensitivity) = 5;
  record.at(rec::kYSensitivity) = 5;
  for (std::size_t m = 0; m < kMacroCount; ++m) {
    std::iota(record.macros[m].begin(), record.macros[m].end(), static_cast<std::uint8_t>(m));
  }
  return record;
}

TEST_F(VirtualMouseFixture, ConnectReadsProfileAndSendsFC) {
  mouse.memory().profile = 4;
  state.device.keyTable.fill(0x33);
  ConnectToMouse(link, state);
  EXPECT_EQ(state.device.profile, 4);
  EXPECT_EQ(state.record.at(rec::kProfile), 4);
  EXPECT_EQ(state.device.connectArgument, 0xFC);
  EXPECT_EQ(state.device.keyTable[0], 0);  // the device image was zeroed
  EXPECT_EQ(mouse.memory().connectArgument, 0xFC);
  const auto lines = TraceLines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "set-feature 00 82 00 00 00 00 00 00 7d");
  EXPECT_EQ(lines[1], "get-feature 00 82 04 00 00 00 00 00 79");
  EXPECT_EQ(lines[2], "set-feature 00 01 fc 00 00 00 00 00 02");
  EXPECT_TRUE(host.pauses.empty());
}

TEST_F(VirtualMouseFixture, ApplyWritesEveryBlockInOrderWithProtocolPauses) {
  state.record = SampleRecord();
  state.record.at(rec::kProfile) = 3;
  state.device.profile = 3;
  SendConfigurationToMouse(link, state);
  const SettingsRecord& record = state.record;

  EXPECT_EQ(record.at(rec::kProfile), 0);
  EXPECT_EQ(state.device.profile, 0);
  EXPECT_EQ(state.device.reportRateCode, 2);
  EXPECT_EQ(mouse.memory().reportRateCode, 2);
  EXPECT_EQ(mouse.memory().settingsBlocks[0], BuildSettingsBlock(record));
  EXPECT_EQ(mouse.memory().settingsBlocks[1], kSettingsTemplate);
  EXPECT_EQ(mouse.memory().keyTable, EncodeKeyTable(record));
  EXPECT_EQ(mouse.memory().macros, record.macros);
  EXPECT_EQ(state.device.macros, record.macros);
  EXPECT_EQ(mouse.memory().rejectedCommands, 0u);

  std::vector<std::uint32_t> expected = {10, 10, 100, 100, 10, 100, 100, 2};
  for (int i = 0; i < 19; ++i) expected.insert(expected.end(), {100, 100, 20});
  EXPECT_EQ(host.pauses, expected);
  EXPECT_EQ(host.TotalPause(), 4612u);

  std::vector<std::string> commands;
  for (const auto& line : TraceLines()) {
    if (line.rfind("set-feature", 0) == 0) commands.push_back(line.substr(15, 5));
  }
  std::vector<std::string> expectedCommands = {"02 00", "03 00", "0c 00", "0d 00"};
  for (int i = 1; i <= 19; ++i) {
    char text[8];
    std::snprintf(text, sizeof text, "0f %02x", i);
    expectedCommands.push_back(text);
  }
  EXPECT_EQ(commands, expectedCommands);
}

TEST_F(VirtualMouseFixture, FirstMacroCommandCarriesRecordsFirstBlock) {
  state.record = SampleRecord();
  SendConfigurationToMouse(link, state);
  const auto lines = TraceLines();
  auto it = std::find(lines.begin(), lines.end(), "set-feature 00 0f 01 80 00 00 00 00 6f");
  ASSERT_NE(it, lines.end());
  // The next report carries block bytes 0-63 of macro 0: 00 01 02 ...
  ASSERT_NE(it + 1, lines.end());
  EXPECT_EQ((it + 1)->substr(0, 20), "write 00 00 01 02 03");
}

TEST_F(VirtualMouseFixture, ReadBackReplacesSettingsBlockZeroOnly) {
  mouse.memory().profile = 2;
  mouse.memory().settingsBlocks[2][0x56] = 0x0E;
  state.device.settingsBlocks[0].fill(0x99);
  state.device.keyTable.fill(0x44);
  RunReadBackSequence(link, state.device);
  EXPECT_EQ(state.device.profile, 2);
  EXPECT_EQ(state.device.settingsBlocks[0], mouse.memory().settingsBlocks[2]);
  EXPECT_EQ(state.device.keyTable[0], 0x44);
  EXPECT_EQ(host.pauses, (std::vector<std::uint32_t>{10}));
}

TEST_F(VirtualMouseFixture, BadChecksumIsIgnoredByTheMouse) {
  std::array<std::uint8_t, 9> report = {0, 0x03, 2, 8, 0, 0, 0, 0, 0x00};
  EXPECT_TRUE(mouse.SetFeature(state.link.commandHandle, report));
  EXPECT_EQ(mouse.memory().rejectedCommands, 1u);
  EXPECT_EQ(mouse.memory().profile, 0);
  EXPECT_EQ(mouse.memory().reportRateCode, 1);
}

TEST_F(VirtualMouseFixture, ClosedOrForeignHandleFails) {
  mouse.Close(state.link.commandHandle);
  std::array<std::uint8_t, 9> report = FeatureReport(DeviceCommand::Make(0x82));
  EXPECT_FALSE(mouse.SetFeature(state.link.commandHandle, report));
  EXPECT_EQ(mouse.Open(L"\\\\?\\hid#vid_1234", HidOpenMode::Probe), kInvalidHidHandle);
}

}  // namespace
}  // namespace gm
