// The main window's Save, Reset and Cancel: the configuration goes to the mouse, to its
// files and to the desktop (Save), the factory settings replace the edited ones and are
// applied (Reset), or unapplied edits are thrown away (Cancel). What is sent is decided here;
// the sending is a job of a DeviceJobRunner (the device worker in the program).
#pragma once

#include <cstdint>
#include <functional>

#include "config/config_state.h"
#include "device/command_link.h"
#include "device/device_session.h"
#include "device/device_worker.h"
#include "platform/desktop_settings.h"
#include "platform/hid_system.h"
#include "platform/host.h"

namespace gm {

// Timers of the main window that the flows start; the window hands their WM_TIMER back.
inline constexpr unsigned kSaveBusyTimer = 1;   // clears the save-busy flag
inline constexpr unsigned kResetBusyTimer = 4;  // clears the reset-busy flag
inline constexpr std::uint32_t kSaveBusyMs = 2000;

// The configuration-file steps the flows take: the program's configuration files in use.
class ConfigurationFileSteps {
 public:
  virtual ~ConfigurationFileSteps() = default;
  virtual void LoadConfiguration() = 0;
  virtual void LoadCaptions() = 0;
  virtual void SaveConfiguration() = 0;
  virtual void SaveCaptions() = 0;
  // A Save's two files: both written or neither.
  virtual void SaveConfigurationAndCaptions() {
    SaveConfiguration();
    SaveCaptions();
  }
};

class ConfigurationFiles;

// The program's configuration files as the flows' file steps.
class ConfigurationFilesSteps : public ConfigurationFileSteps {
 public:
  explicit ConfigurationFilesSteps(ConfigurationFiles& files) : files_(files) {}
  void LoadConfiguration() override;
  void LoadCaptions() override;
  void SaveConfiguration() override;
  void SaveCaptions() override;
  void SaveConfigurationAndCaptions() override;

 private:
  ConfigurationFiles& files_;
};

// What the flows ask of the main window besides the Host's cursor and timers.
class ActionWindow {
 public:
  virtual ~ActionWindow() = default;
  // Hide it; it stays in the notification area.
  virtual void HideMainWindow() = 0;
  // After a Reset: clear the selection and hover state, close every page and redraw the
  // whole window.
  virtual void ShowResetLayout() = 0;
};

// The connect sequence on a mouse just found: the device image starts afresh with the mouse's
// current profile, which the record takes too.
void ConnectToMouse(CommandLink& link, ConfigState& state);
// The same as a job of the runner, waited for.
void ConnectToMouse(DeviceJobRunner& runner, ConfigState& state);

// The device part of a Save: profile 0 in the record, the whole device image built from it,
// then sent (command 0x02, profile and report rate, settings block 0, the key table, the 19
// macro blocks; with the protocol's pauses).
void SendConfigurationToMouse(CommandLink& link, ConfigState& state);

// The whole Save sequence: the device part, then the configuration file and the captions.
void ApplyToDevice(CommandLink& link, ConfigState& state, ConfigurationFileSteps& files);

// The three flows with the state they keep between clicks. One instance lives as long as the
// main window; every call runs on the window's thread, and so do the ends of the jobs.
class SaveFlows {
 public:
  // session: whether the mouse is connected, and the link to send over when it is. The jobs
  // run in place until RunJobsOn names another runner.
  SaveFlows(ConfigState& state, const DeviceSession& session, Host& host, HidSystem& hid,
            DesktopSettings& desktop, ConfigurationFileSteps& files, ActionWindow& window)
      : state_(state),
        session_(session),
        host_(host),
        desktop_(desktop),
        files_(files),
        window_(window),
        inPlace_(hid, host, session.link) {}

  // The runner of the APPLY jobs from now on; it must outlive the flows.
  void RunJobsOn(DeviceJobRunner& runner) { runner_ = &runner; }
  // Called after each APPLY's end, with the apply's outcome, once its files are written.
  std::function<void(const DeviceJobResult&)> onApplyEnd;

  // The Save button. Ignored while the save-busy flag is set (from the click until 2 s after
  // the Save's end). With the mouse connected: profile 0 in the record, the device image built
  // from it and sent as a job; at the job's end the record as it was sent goes to the files,
  // becomes the saved copy and sets the desktop pointer settings. Edits made meanwhile stay
  // unsaved edits. Without the mouse nothing is sent or saved.
  void ApplyAction();
  // The Reset button: the settings part of the factory configuration (macros and byte 0 kept)
  // and the factory captions; applied like a Save when the mouse is connected. Guarded like
  // the Save: ignored from the click until 2 s after its end, so that a double click runs it
  // once. True when it ran.
  bool ResetAction();
  // The Cancel button: back to the saved copy of the record, reload the files at the next
  // opening, hide the window.
  void CancelAction();
  // WM_TIMER of the main window. Handles timers 1 and 4 and returns true; false for any other.
  bool OnTimer(unsigned id);

  // From a Save's or Reset's click until its APPLY job (and any queued after it) has ended.
  bool applying() const { return applying_ > 0; }
  bool saveBusy() const { return saveBusy_; }
  bool resetBusy() const { return resetBusy_; }
  bool reloadOnOpen() const { return reloadOnOpen_; }
  // The opening from the notification area: true once after a Cancel, and the flag is cleared.
  bool TakeReloadOnOpen();

 private:
  // Sends the record as an APPLY job; busyTimer starts at the job's end.
  void ApplyConnected(unsigned busyTimer);
  // The job's end: the files, the saved copy and the desktop settings from the record sent.
  void FinishApply(const SettingsRecord& sent);

  ConfigState& state_;
  const DeviceSession& session_;
  Host& host_;
  DesktopSettings& desktop_;
  ConfigurationFileSteps& files_;
  ActionWindow& window_;
  InPlaceJobRunner inPlace_;
  DeviceJobRunner* runner_ = &inPlace_;
  unsigned applying_ = 0;  // APPLY jobs not yet ended
  bool saveBusy_ = false;
  bool resetBusy_ = false;
  bool reloadOnOpen_ = false;
};

}  // namespace gm
