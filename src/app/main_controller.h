// The main window's decisions, free of any window: the notification-area icon's clicks, the
// device events and their balloons, hiding and ending.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/app_state.h"
#include "app/main_view.h"
#include "device/command_link.h"
#include "device/device_worker.h"
#include "platform/hid_system.h"
#include "platform/host.h"

namespace gm {

struct Balloon {
  std::wstring text;
  std::wstring title;
  unsigned timeoutMs = 0;
  friend bool operator==(const Balloon&, const Balloon&) = default;
};

// The balloon for a device event, or nothing for events that are ignored. For a DPI stage
// event the settings block is read back from the mouse first (readBack), then the stage's DPI
// is taken from it.
std::optional<Balloon> DeviceEventBalloon(unsigned code, unsigned value, const LanguageTable& texts,
                                          const std::function<const SettingsBlock&()>& readBack);

// The caption of the program's messages that have no title of their own.
inline constexpr wchar_t kProgramCaption[] = L"QL-GM900";

// Start-up failures that end the main window's initialisation.
enum class StartupFailure { WakeEvent, DeviceNotifications };
// Shows the failure's fixed English text under the program's caption.
void ShowStartupFailure(Host& host, StartupFailure failure);

class MainController {
 public:
  MainController(AppState& state, Host& host, HidSystem& hid, MainView& view);

  // WM_USER+1: lParam is the mouse message on the icon.
  void OnTrayMouse(unsigned mouseMessage);
  // WM_USER+2. A DPI stage event's read-back is a job of the runner; its balloon comes at the
  // job's end, after any job queued before it.
  void OnDeviceEvent(unsigned code, unsigned value);
  // The runner of the read-back jobs from now on (in place until then); it must outlive this.
  void RunJobsOn(DeviceJobRunner& runner) { runner_ = &runner; }
  void SetFirstPageBuilt() { firstPageBuilt_ = true; }
  bool firstPageBuilt() const { return firstPageBuilt_; }
  // After the files were read again under a shown window (an arrival): the window shows what
  // was read, and nothing of the lists and hover looks that were cleared. A hidden window is
  // drawn when the icon shows it.
  void RedrawIfVisible();
  // Exit and the close button: close the device handles that are open.
  void CloseDevice();

  // Loads the captions and the configuration files again (after a Cancel).
  std::function<void()> reloadFiles;
  // True once after a Cancel: the next opening from the icon reloads the files.
  std::function<bool()> takeReloadOnOpen;

 private:
  AppState& state_;
  HidSystem& hid_;
  MainView& view_;
  InPlaceJobRunner inPlace_;
  DeviceJobRunner* runner_ = &inPlace_;
  bool firstPageBuilt_ = false;
};

}  // namespace gm
