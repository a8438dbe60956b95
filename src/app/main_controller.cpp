#include "app/main_controller.h"

#include "device/device_events.h"
#include "device/device_operations.h"
#include "device/discovery.h"
#include "ui/app_messages.h"

namespace gm {
namespace {

constexpr unsigned kEventBalloonMs = 5000;
constexpr unsigned kDetectionBalloonMs = 100;

}  // namespace

std::optional<Balloon> DeviceEventBalloon(unsigned code, unsigned value, const LanguageTable& texts,
                                          const std::function<const SettingsBlock&()>& readBack) {
  if (code >= kEventDpiStageFirst && code <= kEventDpiStageLast) {
    if (value < 1 || value > kDpiStageCount) return std::nullopt;
    const SettingsBlock& block = readBack();
    const unsigned dpi = (block[0x54 + value - 1] + 1u) * 100u;
    return Balloon{texts[slot::kFirstDpiStageBalloon + value - 1] + std::to_wstring(dpi), L"Info",
                   kEventBalloonMs};
  }
  if (code == kEventMacroKey) {
    if (value == 0) return std::nullopt;
    return Balloon{texts[slot::kMacroKeyBalloon] + std::to_wstring(value), L"Info",
                   kEventBalloonMs};
  }
  if (code == kEventMouseDetected)
    return Balloon{texts[slot::kMouseDetected], L"Info", kDetectionBalloonMs};
  if (code == kEventMouseNotDetected) {
    return Balloon{texts[slot::kMouseNotDetected], L"Warning", kDetectionBalloonMs};
  }
  return std::nullopt;
}

void ShowStartupFailure(Host& host, StartupFailure failure) {
  host.ShowMessage(failure == StartupFailure::WakeEvent ? L"CreateEvent failed."
                                                        : L"RegisterDeviceNotification failed!!!",
                   kProgramCaption, kMbOk);
}

MainController::MainController(AppState& state, Host& host, HidSystem& hid, MainView& view)
    : state_(state), hid_(hid), view_(view), inPlace_(hid, host, state.link) {}

void MainController::OnTrayMouse(unsigned mouseMessage) {
  if (mouseMessage == kMouseLeftUp || mouseMessage == kMouseLeftDoubleClick) {
    if (state_.connectedFlag != 1) {
      OnDeviceEvent(kEventMouseNotDetected, 0);
      return;
    }
    if (takeReloadOnOpen && takeReloadOnOpen()) {
      view_.ClearSelectionAndHover();
      if (reloadFiles) reloadFiles();
      view_.Relayout();
    } else if (firstPageBuilt_) {
      view_.Relayout();
    } else {
      view_.FullDraw();
      firstPageBuilt_ = true;
    }
    view_.ShowMainWindow();
  } else if (mouseMessage == kMouseRightUp) {
    view_.ShowTrayMenu(state_.texts[slot::kExit]);
  }
}

void MainController::RedrawIfVisible() {
  if (!view_.IsMainWindowVisible()) return;
  if (firstPageBuilt_) {
    view_.Relayout();
  } else {
    view_.FullDraw();
    firstPageBuilt_ = true;
  }
}

void MainController::OnDeviceEvent(unsigned code, unsigned value) {
  const auto show = [this](const std::optional<Balloon>& balloon) {
    if (balloon) view_.ShowBalloon(balloon->text, balloon->title, balloon->timeoutMs);
  };
  const bool readsBack = code >= kEventDpiStageFirst && code <= kEventDpiStageLast && value >= 1 &&
                         value <= kDpiStageCount;
  if (!readsBack) {
    show(DeviceEventBalloon(code, value, state_.texts, [this]() -> const SettingsBlock& {
      return state_.device.settingsBlocks[0];
    }));
    return;
  }
  runner_->Run({DeviceJobKind::ReadBack, state_.device}, [this, code, value,
                                                          show](const DeviceJobResult& result) {
    // What was read replaces the image's profile and settings block 0 only.
    state_.device.profile = result.image.profile;
    state_.device.settingsBlocks[0] = result.image.settingsBlocks[0];
    show(DeviceEventBalloon(code, value, state_.texts, [this]() -> const SettingsBlock& {
      return state_.device.settingsBlocks[0];
    }));
  });
}

void MainController::CloseDevice() {
  CloseInterfaces(hid_, state_.link);
}

}  // namespace gm
