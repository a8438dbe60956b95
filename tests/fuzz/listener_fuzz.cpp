// The listener's handling of event reports: random reports of random lengths on the event
// interface, reads that fail or do not start, the mouse coming and going between passes, and
// each event handed on turned into its balloon (with a read-back from a device that answers
// at random). Only a report read whole enough and marked 6, 7 is handed on, with its bytes.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/app_state.h"
#include "app/main_controller.h"
#include "device/command_link.h"
#include "device/device_events.h"
#include "device/device_operations.h"
#include "device/listener.h"
#include "fake_host.h"
#include "fuzz_support.h"
#include "scripted_device.h"

namespace {

// Never blocks: the scripted device completes every read at once, and a pass that would wait
// for discovery simply ends.
class ImmediateWake : public gm::WakeEvent {
 public:
  void Set() override { set = true; }
  void Reset() override { set = false; }
  void Wait() override {}
  bool set = false;
};

// Records the reports the device hands to the listener.
class RecordingDevice : public gm::fuzz::ScriptedDevice {
 public:
  using ScriptedDevice::ScriptedDevice;
  bool StartEventRead(gm::HidHandle handle, std::span<std::uint8_t> buffer,
                      gm::WakeEvent& wake) override {
    buffer_ = buffer;
    return ScriptedDevice::StartEventRead(handle, buffer, wake);
  }
  std::size_t FinishEventRead(gm::HidHandle handle) override {
    lastCount = ScriptedDevice::FinishEventRead(handle);
    last.assign(buffer_.begin(), buffer_.end());
    return lastCount;
  }
  std::size_t lastCount = 0;
  std::vector<std::uint8_t> last;
  std::size_t readSize() const { return buffer_.size(); }

 private:
  std::span<std::uint8_t> buffer_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  gm::fuzz::Input in(data, size);
  gm::AppState state;
  state.link.eventInputReportLength = in.Uint16();
  state.link.commandHandle = 1;
  state.link.inputReportLength = 65;
  state.UseLanguage((in.Byte() & 1) != 0 ? L"GER" : L"EN");

  RecordingDevice device(in);
  gm::test::FakeHost host;
  gm::CommandLink commands(device, host, state.link);
  ImmediateWake wake;
  std::optional<std::pair<std::uint8_t, std::uint8_t>> handed;
  gm::Listener listener(device, state, wake, [&](std::uint8_t code, std::uint8_t value) {
    GM_FUZZ_CHECK(!handed.has_value());
    handed = {code, value};
    const auto balloon =
        gm::DeviceEventBalloon(code, value, state.texts, [&]() -> const gm::SettingsBlock& {
          gm::RunReadBackSequence(commands, state.device);
          return state.device.settingsBlocks[0];
        });
    const bool shown = (code >= gm::kEventDpiStageFirst && code <= gm::kEventDpiStageLast &&
                        value >= 1 && value <= gm::kDpiStageCount) ||
                       (code == gm::kEventMacroKey && value != 0) ||
                       code == gm::kEventMouseDetected || code == gm::kEventMouseNotDetected;
    GM_FUZZ_CHECK(balloon.has_value() == shown);
    if (balloon && code == gm::kEventMacroKey) {
      GM_FUZZ_CHECK(balloon->text ==
                    state.texts[gm::slot::kMacroKeyBalloon] + std::to_wstring(value));
    }
  });

  for (int pass = 0; pass < 256 && !in.empty(); ++pass) {
    const std::uint8_t situation = in.Byte();
    state.connectedFlag = (situation & 3) != 0 ? 1 : (situation & 4) != 0 ? 2 : 0;
    state.link.eventHandle = (situation & 8) != 0 ? gm::kInvalidHidHandle : 2;
    device.lastCount = 0;
    handed.reset();
    listener.Pass();
    if (device.readSize() != 0) {
      GM_FUZZ_CHECK(device.readSize() <= gm::kListenerBufferSize);
      GM_FUZZ_CHECK(device.readSize() == std::clamp<std::size_t>(state.link.eventInputReportLength,
                                                                 1, gm::kListenerBufferSize));
    }
    if (state.connectedFlag != 1 || state.link.eventHandle == gm::kInvalidHidHandle) {
      GM_FUZZ_CHECK(!handed.has_value());
      continue;
    }
    if (handed) GM_FUZZ_CHECK(device.lastCount != 0);
    // A report read whole (at least the four bytes that matter) is handed on exactly when it
    // is marked 6, 7.
    if (device.lastCount >= 4) {
      const auto& report = device.last;
      const bool marked = report[0] == gm::kEventReportId && report[1] == gm::kEventReportMarker;
      GM_FUZZ_CHECK(handed.has_value() == marked);
      if (marked) GM_FUZZ_CHECK(handed->first == report[2] && handed->second == report[3]);
    }
  }
  return 0;
}
