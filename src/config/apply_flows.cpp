#include "config/apply_flows.h"

#include "config/config_files.h"
#include "config/device_image.h"
#include "config/pointer_settings.h"
#include "device/device_operations.h"

namespace gm {

void ConfigurationFilesSteps::LoadConfiguration() {
  files_.LoadConfiguration();
}
void ConfigurationFilesSteps::LoadCaptions() {
  files_.LoadCaptions();
}
void ConfigurationFilesSteps::SaveConfiguration() {
  files_.SaveConfiguration();
}
void ConfigurationFilesSteps::SaveCaptions() {
  files_.SaveCaptions();
}
void ConfigurationFilesSteps::SaveConfigurationAndCaptions() {
  files_.SaveConfigurationAndCaptions();
}

void ConnectToMouse(CommandLink& link, ConfigState& state) {
  state.record.at(rec::kProfile) = RunConnectSequence(link, state.device);
}

void ConnectToMouse(DeviceJobRunner& runner, ConfigState& state) {
  const DeviceJobResult result = runner.RunAndWait({DeviceJobKind::Connect, {}});
  state.device = result.image;
  state.record.at(rec::kProfile) = result.image.profile;
}

void SendConfigurationToMouse(CommandLink& link, ConfigState& state) {
  state.record.at(rec::kProfile) = 0;  // the Save writes profile 0, which the record follows
  BuildDeviceConfig(state.record, state.device);
  RunApplySequence(link, state.device);
}

void ApplyToDevice(CommandLink& link, ConfigState& state, ConfigurationFileSteps& files) {
  SendConfigurationToMouse(link, state);
  files.SaveConfigurationAndCaptions();
}

void SaveFlows::ApplyConnected(unsigned busyTimer) {
  state_.record.at(rec::kProfile) = 0;  // the Save writes profile 0, which the record follows
  BuildDeviceConfig(state_.record, state_.device);
  ++applying_;
  runner_->Run({DeviceJobKind::Apply, state_.device},
               [this, sent = state_.record, busyTimer](const DeviceJobResult& result) {
                 FinishApply(sent);
                 --applying_;
                 // Started only at the end, so that clicks meanwhile and until 2 s after it
                 // are ignored.
                 host_.StartTimer(busyTimer, kSaveBusyMs);
                 if (onApplyEnd) onApplyEnd(result);
               });
}

void SaveFlows::FinishApply(const SettingsRecord& sent) {
  // The files take the record as it was sent; edits made while it was sent stay in the record.
  const SettingsRecord edited = state_.record;
  state_.record = sent;
  files_.SaveConfiguration();
  files_.SaveCaptions();
  state_.record = edited;
  state_.savedRecord = sent;
  ApplyPointerSettings(sent, desktop_, host_);
}

void SaveFlows::ApplyAction() {
  if (saveBusy_) return;
  saveBusy_ = true;
  if (session_.connectedFlag == 1) {
    ApplyConnected(kSaveBusyTimer);
  } else {
    host_.StartTimer(kSaveBusyTimer, kSaveBusyMs);
  }
}

bool SaveFlows::ResetAction() {
  if (resetBusy_) return false;
  resetBusy_ = true;

  const std::uint8_t profile = state_.record.at(rec::kProfile);
  state_.defaultsMode = 1;
  files_.LoadConfiguration();  // in DefaultsMode: the settings part of the factory file only
  files_.LoadCaptions();
  state_.record.at(rec::kProfile) = profile;

  const bool connected = session_.connectedFlag == 1;
  if (connected) ApplyConnected(kResetBusyTimer);

  window_.ShowResetLayout();
  state_.defaultsMode = 0;
  if (!connected) host_.StartTimer(kResetBusyTimer, kSaveBusyMs);
  return true;
}

void SaveFlows::CancelAction() {
  state_.record = state_.savedRecord;
  reloadOnOpen_ = true;
  window_.HideMainWindow();
}

bool SaveFlows::OnTimer(unsigned id) {
  switch (id) {
    case kSaveBusyTimer:
      saveBusy_ = false;
      host_.KillTimer(id);
      return true;
    case kResetBusyTimer:
      resetBusy_ = false;
      host_.KillTimer(id);
      return true;
    default:
      return false;
  }
}

bool SaveFlows::TakeReloadOnOpen() {
  const bool reload = reloadOnOpen_;
  reloadOnOpen_ = false;
  return reload;
}

}  // namespace gm
