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

void SendConfigurationToMouse(CommandLink& link, ConfigState& state) {
  state.record.at(rec::kProfile) = 0;  // the Save writes profile 0, which the record follows
  BuildDeviceConfig(state.record, state.device);
  RunApplySequence(link, state.device);
}

void ApplyToDevice(CommandLink& link, ConfigState& state, ConfigurationFileSteps& files) {
  SendConfigurationToMouse(link, state);
  files.SaveConfigurationAndCaptions();
}

void SaveFlows::ApplyConnected() {
  CommandLink link(hid_, host_, session_.link);
  ApplyToDevice(link, state_, files_);
  state_.savedRecord = state_.record;
  ApplyPointerSettings(state_.record, desktop_, host_);
}

void SaveFlows::ApplyAction() {
  if (saveBusy_) return;
  saveBusy_ = true;
  if (session_.connectedFlag == 1) {
    host_.SetWaitCursor();
    host_.StartTimer(kSaveCursorTimer, kWaitCursorMs);
    ApplyConnected();
  }
  // Started only now: the window is blocked during the Save, so the flag lasts until 2 s
  // after its end and clicks queued meanwhile are ignored.
  host_.StartTimer(kSaveBusyTimer, kSaveBusyMs);
}

bool SaveFlows::ResetAction() {
  if (resetBusy_) return false;
  resetBusy_ = true;
  host_.SetWaitCursor();
  host_.StartTimer(kResetCursorTimer, kWaitCursorMs);

  const std::uint8_t profile = state_.record.at(rec::kProfile);
  state_.defaultsMode = 1;
  files_.LoadConfiguration();  // in DefaultsMode: the settings part of the factory file only
  files_.LoadCaptions();
  state_.record.at(rec::kProfile) = profile;

  if (session_.connectedFlag == 1) ApplyConnected();

  window_.ShowResetLayout();
  state_.defaultsMode = 0;
  // As for the Save: started after the blocking apply, so clicks queued meanwhile find the
  // flag set.
  host_.StartTimer(kResetBusyTimer, kSaveBusyMs);
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
    case kResetCursorTimer:
    case kSaveCursorTimer:
      host_.RestoreArrowCursor();
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
