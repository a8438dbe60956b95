// Frames, checksums, chunking and pauses of the command link.
#include <gtest/gtest.h>

#include <numeric>

#include "device/command_link.h"
#include "device/device_operations.h"
#include "fake_host.h"
#include "scripted_hid.h"

namespace gm {
namespace {

using test::FakeHost;
using test::ScriptedHid;

struct LinkFixture : ::testing::Test {
  LinkFixture() {
    state.commandHandle = 1;
    state.inputReportLength = 65;
  }
  ScriptedHid hid;
  FakeHost host;
  LinkState state;
  CommandLink link{hid, host, state};
};

TEST(CommandFrame, ChecksumsOfKnownCommands) {
  EXPECT_EQ(CommandChecksum(DeviceCommand::Make(0x82)), 0x7D);
  EXPECT_EQ(CommandChecksum(DeviceCommand::Make(0x01, 0xFC)), 0x02);
  EXPECT_EQ(CommandChecksum(DeviceCommand::Make(0x0F, 19, 0x80)), 0x5D);
  // The sum wraps modulo 256 and the frame always sums to 0xFF.
  DeviceCommand big = DeviceCommand::Make(0xFF, 0xFF, 0xFF);
  big.bytes[3] = 0xFF;
  const auto report = FeatureReport(big);
  const unsigned sum = std::accumulate(report.begin() + 1, report.end(), 0u);
  EXPECT_EQ(sum % 256, 0xFFu);
}

TEST(CommandFrame, CallersChecksumByteIsIgnored) {
  DeviceCommand command = DeviceCommand::Make(0x82);
  command.bytes[7] = 0x11;
  const auto report = FeatureReport(command);
  EXPECT_EQ(report[0], 0);
  EXPECT_EQ(report[1], 0x82);
  EXPECT_EQ(report[8], 0x7D);
}

TEST_F(LinkFixture, WriteCommandSendsOneFeatureReportAndFetchesNothing) {
  DeviceCommand command = DeviceCommand::Make(0x02);
  link.SendCommand(command);
  ASSERT_EQ(hid.sent.size(), 1u);
  EXPECT_EQ(hid.sent[0].bytes, (std::vector<std::uint8_t>{0, 2, 0, 0, 0, 0, 0, 0, 0xFD}));
  EXPECT_EQ(hid.featureReads, 0);
  EXPECT_TRUE(host.pauses.empty());
}

TEST_F(LinkFixture, ReadCommandCopiesReplyOverCommand) {
  hid.featureReplies.push_back({0, 0x82, 3, 0, 0, 0, 0, 0, 0x7A});
  DeviceConfig config;
  EXPECT_EQ(ReadCurrentProfile(link, config), 3);
  EXPECT_EQ(config.profile, 3);
}

TEST_F(LinkFixture, ReadWithNoReplyReadsAsProfileZero) {
  DeviceConfig config;
  config.profile = 5;
  EXPECT_EQ(ReadCurrentProfile(link, config), 0);
}

TEST_F(LinkFixture, WriteOf128BytesSendsTwoChunksWithPauses) {
  Block data{};
  std::iota(data.begin(), data.end(), std::uint8_t{0});
  DeviceCommand command = DeviceCommand::Make(0x0C, 0, 0x80);
  link.Transfer(command, data);
  ASSERT_EQ(hid.sent.size(), 3u);
  ASSERT_EQ(hid.sent[1].kind, "write");
  ASSERT_EQ(hid.sent[1].bytes.size(), 65u);
  ASSERT_EQ(hid.sent[2].bytes.size(), 65u);
  EXPECT_EQ(hid.sent[1].bytes[0], 0);
  EXPECT_EQ(hid.sent[1].bytes[1], 0);
  EXPECT_EQ(hid.sent[1].bytes[64], 63);
  EXPECT_EQ(hid.sent[2].bytes[1], 64);
  EXPECT_EQ(hid.sent[2].bytes[64], 127);
  EXPECT_EQ(host.pauses, (std::vector<std::uint32_t>{100, 100}));
}

TEST_F(LinkFixture, WriteLengthDecidesChunkCountAndShortBufferIsPadded) {
  std::vector<std::uint8_t> data(10, 0xAA);
  DeviceCommand zero = DeviceCommand::Make(0x0C, 0, 0);
  link.Transfer(zero, data);
  EXPECT_EQ(hid.sent.size(), 1u);  // length 0: the command alone

  hid.sent.clear();
  DeviceCommand odd = DeviceCommand::Make(0x0C, 0, 65);
  link.Transfer(odd, data);  // 65 bytes announced, only 10 given: no read past the buffer
  ASSERT_EQ(hid.sent.size(), 3u);
  EXPECT_EQ(hid.sent[1].bytes[10], 0xAA);
  EXPECT_EQ(hid.sent[1].bytes[11], 0);
  EXPECT_EQ(hid.sent[2].bytes[1], 0);
}

TEST_F(LinkFixture, ReadAnnouncingZeroLengthReadsNothing) {
  hid.featureReplies.push_back({0, 0x8C, 0, 0, 0, 0, 0, 0, 0x73});
  Block data{};
  data.fill(0x55);
  DeviceCommand command = DeviceCommand::Make(0x8C);
  link.Transfer(command, data);
  EXPECT_TRUE(hid.readSizes.empty());
  EXPECT_EQ(data[0], 0x55);
}

TEST_F(LinkFixture, ReadBeyondBlockDrainsReportsButStaysInBlock) {
  hid.featureReplies.push_back({0, 0x8C, 0, 0xC0, 0, 0, 0, 0, 0});  // announces 192 bytes
  for (std::uint8_t k = 0; k < 3; ++k) {
    std::vector<std::uint8_t> input(65, static_cast<std::uint8_t>(0x10 + k));
    input[0] = 0;
    hid.inputReports.push_back(input);
  }
  std::array<std::uint8_t, 140> guarded{};
  guarded.fill(0xEE);
  DeviceCommand command = DeviceCommand::Make(0x8C);
  link.Transfer(command, std::span<std::uint8_t>(guarded.data(), 128));
  EXPECT_EQ(hid.readSizes, (std::vector<std::size_t>{65, 65, 65}));
  EXPECT_EQ(guarded[0], 0x10);
  EXPECT_EQ(guarded[127], 0x11);
  EXPECT_EQ(guarded[128], 0xEE);  // nothing written past the 128-byte block
}

TEST_F(LinkFixture, OversizedInputReportLengthIsBoundedByBuffer) {
  state.inputReportLength = 4000;
  hid.featureReplies.push_back({0, 0x8C, 0, 0x40, 0, 0, 0, 0, 0});
  Block data{};
  DeviceCommand command = DeviceCommand::Make(0x8C);
  link.Transfer(command, data);
  ASSERT_EQ(hid.readSizes.size(), 1u);
  EXPECT_LE(hid.readSizes[0], 80u);
}

}  // namespace
}  // namespace gm
