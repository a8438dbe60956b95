// The HidSystem on hidapi, run on a table of hidapi functions backed by the virtual mouse that
// behaves as hidraw does (nodes /dev/hidrawN, reads of the unnumbered command interface without
// their report id): gm900ctl's apply, info and verify through it, and its failures in words.
#include <gtest/gtest.h>

#include <cerrno>
#include <deque>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/ctl_commands.h"
#include "ctl_test_args.h"
#include "device/virtual_mouse.h"
#include "fake_host.h"
#include "platform/hidapi_hid_system.h"
#include "temp_dir.h"

namespace gm {
namespace {

struct VirtualHidapi {
  VirtualMouse mouse;
  int openErrno = 0;                     // every open fails with it
  std::optional<std::size_t> readLimit;  // reads give at most this many bytes
  int unplugAtWrite = 0;                 // the mouse is pulled out before this write (1, 2...)
  int writes = 0;
  std::deque<HidHandle> handles;    // what the device pointers point at
  std::vector<std::wstring> nodes;  // /dev/hidrawN is the virtual path nodes[N]

  std::string Node(const std::wstring& path) {
    auto at = std::find(nodes.begin(), nodes.end(), path);
    if (at == nodes.end()) at = nodes.insert(nodes.end(), path);
    return "/dev/hidraw" + std::to_string(at - nodes.begin());
  }
  static HidHandle Handle(HidapiDevice device) { return *static_cast<HidHandle*>(device); }

  HidapiFunctions Table() {
    HidapiFunctions table;
    table.init = [] { return 0; };
    table.enumerate = [this](std::uint16_t vendor, std::uint16_t product) {
      std::vector<HidapiDeviceInfo> entries;
      const HidInterfaceSet set = mouse.OpenInterfaceSet();
      std::wstring path;
      for (std::uint32_t i = 0; mouse.EnumerateInterface(set, i) == HidEnumResult::Ok; ++i) {
        mouse.ReadInterfacePath(set, path);
        const HidHandle probe = mouse.Open(path, HidOpenMode::Probe);
        HidAttributes attributes;
        HidCaps caps;
        mouse.GetAttributes(probe, attributes);
        const HidPreparsedData preparsed = mouse.GetPreparsedData(probe);
        mouse.GetCaps(preparsed, caps);
        mouse.FreePreparsedData(preparsed);
        mouse.Close(probe);
        if (attributes.vendorId != vendor || attributes.productId != product) continue;
        entries.push_back({Node(path), attributes.vendorId, attributes.productId,
                           attributes.versionNumber, caps.usagePage, caps.usage,
                           static_cast<int>(i)});
      }
      mouse.CloseInterfaceSet(set);
      return entries;
    };
    table.openPath = [this](const std::string& node) -> HidapiDevice {
      if (openErrno != 0) return nullptr;
      const std::size_t index = std::stoul(node.substr(std::string("/dev/hidraw").size()));
      const HidHandle handle = mouse.Open(nodes.at(index), HidOpenMode::CommandAccess);
      if (handle == kInvalidHidHandle) return nullptr;
      return &handles.emplace_back(handle);
    };
    table.close = [this](HidapiDevice device) { mouse.Close(Handle(device)); };
    table.sendFeatureReport = [this](HidapiDevice device, const std::uint8_t* data,
                                     std::size_t size) {
      return mouse.SetFeature(Handle(device), {data, size}) ? static_cast<int>(size) : -1;
    };
    table.getFeatureReport = [this](HidapiDevice device, std::uint8_t* data, std::size_t size) {
      return mouse.GetFeature(Handle(device), {data, size}) ? static_cast<int>(size) : -1;
    };
    table.write = [this](HidapiDevice device, const std::uint8_t* data, std::size_t size) {
      if (++writes == unplugAtWrite) mouse.Unplug();
      return mouse.WriteReport(Handle(device), {data, size}) ? static_cast<int>(size) : -1;
    };
    table.readTimeout = [this](HidapiDevice device, std::uint8_t* data, std::size_t size, int) {
      std::vector<std::uint8_t> report(size + 1);
      const std::size_t got = mouse.ReadReport(Handle(device), report);
      if (got == 0) return mouse.plugged() ? 0 : -1;
      // hidraw: the data alone, no report id.
      const std::size_t dataSize = std::min(got - 1, readLimit.value_or(got - 1));
      std::copy_n(report.begin() + 1, dataSize, data);
      return static_cast<int>(dataSize);
    };
    table.openError = [this](const std::string&) { return openErrno; };
    return table;
  }
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

struct HidapiTest : ::testing::Test {
  HidapiTest() {
    SettingsRecord record;
    record.at(rec::kReportRateCode) = 2;
    for (std::size_t k = 0; k < kDpiStageCount; ++k) record.dpiStage(k) = 10;
    // Values in range, as apply sends no other without --force.
    record.at(rec::kLightingMode) = 1;
    record.at(rec::kBrightness) = 3;
    record.at(rec::kXSensitivity) = record.at(rec::kYSensitivity) = 5;
    record.at(rec::kGestureCorrection) = 3;
    record.macros[4][1] = 1;
    std::vector<std::uint8_t> bytes(cli::kConfigurationFileSize, 1);
    record.CopyTo(
        std::span<std::uint8_t, SettingsRecord::kSize>(bytes.data() + 1, SettingsRecord::kSize));
    test::WriteBytes(config, bytes);
  }

  int Run(int (*command)(cli::Args, cli::Streams, const cli::SystemAccess&), test::Paths args,
          bool viaHidapi = true) {
    out.str("");
    err.str("");
    const cli::SystemAccess access{&system, &host, [this] { return system.failure(); }};
    return command(args, {out, err}, viaHidapi ? access : cli::SystemAccess{});
  }

  test::TempDir dir;
  std::filesystem::path config = dir / "config.bin";
  VirtualHidapi hidapi;
  HidapiHidSystem system{hidapi.Table()};
  test::FakeHost host;
  cli::OutText out;
  cli::OutText err;
};

TEST_F(HidapiTest, ApplyInfoAndVerifyGoThroughTheMappingByteForByte) {
  ASSERT_EQ(Run(cli::ApplyCommand, {"--virtual", "--trace", config}, false), cli::kExitOk);
  std::vector<std::string> virtualTrace = Lines(out.str());
  virtualTrace.resize(virtualTrace.size() - (2 + kMacroCount));  // the blocks it then held

  ASSERT_EQ(Run(cli::ApplyCommand, {"--trace", config}), cli::kExitOk) << err.str();
  std::vector<std::string> trace = Lines(out.str());
  EXPECT_EQ(trace.back(), "applied " + config.string());
  trace.pop_back();
  EXPECT_EQ(trace, virtualTrace);
  EXPECT_EQ(host.TotalPause(), 4612u);
  EXPECT_EQ(hidapi.mouse.memory().settingsBlocks[0][0x54], 9);

  // Reads come back with the report id in front: the settings block is read back unshifted.
  ASSERT_EQ(Run(cli::InfoCommand, {}), cli::kExitOk) << err.str();
  EXPECT_NE(out.str().find("stage 7: 1000 DPI, disabled"), std::string::npos) << out.str();
  EXPECT_EQ(Run(cli::VerifyCommand, {config}), cli::kExitOk) << out.str() << err.str();
  EXPECT_TRUE(system.failure().empty());
}

TEST_F(HidapiTest, NoMouseOnTheBus) {
  hidapi.mouse.Unplug();
  EXPECT_EQ(Run(cli::InfoCommand, {}), cli::kExitNoMouse);
  EXPECT_NE(err.str().find("no QL-GM900 mouse found"), std::string::npos);
}

TEST_F(HidapiTest, NoPermissionNamesTheNodeAndTheRule) {
  hidapi.openErrno = EACCES;
  EXPECT_EQ(Run(cli::ApplyCommand, {config}), cli::kExitNoMouse);
  EXPECT_TRUE(system.permissionDenied());
  EXPECT_NE(err.str().find("no permission to open /dev/hidraw"), std::string::npos) << err.str();
  EXPECT_NE(err.str().find("70-ql-gm900.rules"), std::string::npos);
  const std::string message = err.str();
  EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1);
  EXPECT_TRUE(out.str().empty());
  EXPECT_EQ(hidapi.mouse.memory().connectArgument, 0);  // nothing reached the mouse
}

TEST_F(HidapiTest, AShortReadIsReportedAndNoHalfResultPrinted) {
  hidapi.readLimit = 10;
  EXPECT_EQ(Run(cli::InfoCommand, {}), cli::kExitNoMouse);
  EXPECT_NE(err.str().find("a data report of 11 of 65 bytes"), std::string::npos) << err.str();
  EXPECT_TRUE(out.str().empty()) << out.str();
}

TEST_F(HidapiTest, AnUnplugMidTransferStopsTheApply) {
  hidapi.unplugAtWrite = 5;  // in the key table
  EXPECT_EQ(Run(cli::ApplyCommand, {config}), cli::kExitNoMouse);
  EXPECT_NE(err.str().find("the mouse stopped answering (writing a data report on /dev/hidraw"),
            std::string::npos)
      << err.str();
  EXPECT_TRUE(out.str().empty());
  EXPECT_EQ(hidapi.writes, 5);  // nothing is written after the failure
}

}  // namespace
}  // namespace gm
