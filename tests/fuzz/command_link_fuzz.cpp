// The command link against a device that answers with random report lengths and bytes: the
// connect, Save and read-back sequences and the DPI balloon built on the read-back. Whatever
// the device answers, every report sent is whole, a Save still sends the record's blocks, and
// a read-back writes nothing beyond settings block 0.
#include <algorithm>
#include <cstdint>

#include "app/main_controller.h"
#include "config/apply_flows.h"
#include "config/key_table.h"
#include "device/command_link.h"
#include "device/device_events.h"
#include "device/device_operations.h"
#include "fake_host.h"
#include "fuzz_support.h"
#include "scripted_device.h"

namespace {

std::vector<std::uint8_t> SentData(const std::vector<std::vector<std::uint8_t>>& writes) {
  std::vector<std::uint8_t> data;
  for (const auto& report : writes) {
    GM_FUZZ_CHECK(report.size() == gm::kDataReportLength && report[0] == 0);
    data.insert(data.end(), report.begin() + 1, report.end());
  }
  return data;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  gm::fuzz::Input in(data, size);
  gm::LinkState link;
  link.commandHandle = 1;
  link.inputReportLength = in.Uint16();
  link.featureReportLength = gm::kFeatureReportLength;

  gm::ConfigState state;
  gm::DeviceConfig& config = state.device;
  gm::SettingsRecord& record = state.record;
  for (std::size_t i = 0; i < record.settings.size(); ++i) {
    record.settings[i] = static_cast<std::uint8_t>(i * 7);
  }
  for (std::size_t k = 0; k < record.macros.size(); ++k)
    record.macros[k].fill(static_cast<std::uint8_t>(k));
  gm::LanguageTable texts;

  gm::fuzz::ScriptedDevice device(in);
  gm::test::FakeHost host;
  gm::CommandLink commands(device, host, link);
  const std::size_t readSize = std::clamp<std::size_t>(link.inputReportLength, 1, 80);

  while (!in.empty()) {
    device.features.clear();
    device.writes.clear();
    device.readSizes.clear();
    switch (in.Byte() % 4) {
      case 0:
        gm::ConnectToMouse(commands, state);
        GM_FUZZ_CHECK(record.at(gm::rec::kProfile) == config.profile);
        GM_FUZZ_CHECK(config.connectArgument == 0xFC);
        break;
      case 1: {
        gm::SendConfigurationToMouse(commands, state);
        // The blocks go out whole, in order, whatever the device answered.
        std::vector<std::uint8_t> expected(config.settingsBlocks[0].begin(),
                                           config.settingsBlocks[0].end());
        expected.insert(expected.end(), config.keyTable.begin(), config.keyTable.end());
        for (const gm::MacroBlock& block : record.macros) {
          expected.insert(expected.end(), block.begin(), block.end());
        }
        GM_FUZZ_CHECK(SentData(device.writes) == expected);
        GM_FUZZ_CHECK(config.profile == 0 && record.at(gm::rec::kProfile) == 0);
        break;
      }
      case 2: {
        const gm::DeviceConfig before = config;
        gm::RunReadBackSequence(commands, config);
        for (const std::size_t asked : device.readSizes) GM_FUZZ_CHECK(asked == readSize);
        // Only the profile and settings block 0 take what the device answered.
        gm::DeviceConfig rest = config;
        rest.profile = before.profile;
        rest.settingsBlocks[0] = before.settingsBlocks[0];
        GM_FUZZ_CHECK(rest == before);
        break;
      }
      default: {
        const unsigned code = in.Byte() % 16;
        const unsigned value = in.Byte();
        const auto balloon =
            gm::DeviceEventBalloon(code, value, texts, [&]() -> const gm::SettingsBlock& {
              gm::RunReadBackSequence(commands, config);
              return config.settingsBlocks[0];
            });
        if (balloon && code >= gm::kEventDpiStageFirst && code <= gm::kEventDpiStageLast) {
          const unsigned dpi = (config.settingsBlocks[0][0x54 + value - 1] + 1u) * 100u;
          GM_FUZZ_CHECK(balloon->text.ends_with(std::to_wstring(dpi)));
        }
        break;
      }
    }
    for (const auto& feature : device.features) {
      GM_FUZZ_CHECK(feature.size() == gm::kFeatureReportLength && feature[0] == 0);
    }
  }
  return 0;
}
