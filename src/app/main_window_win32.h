// CHidMouseDlg: the main window. Borderless, no taskbar button, lives in the notification
// area; its decisions are the MainController's.
#pragma once

#include <windows.h>

#include <array>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/assignment_page_win32.h"
#include "app/control_colours_win32.h"
#include "app/logged_shell.h"
#include "app/main_clicks.h"
#include "app/main_controller.h"
#include "app/main_layout.h"
#include "app/main_surface_win32.h"
#include "app/main_view.h"
#include "app/settings_pages_win32.h"
#include "app/tray_icon_win32.h"
#include "config/apply_flows.h"
#include "config/config_files.h"
#include "device/device_worker_win32.h"
#include "device/hot_plug.h"
#include "device/listener_thread_win32.h"
#include "device/virtual_mouse.h"
#include "help/help_dialog_win32.h"
#include "platform/file_path.h"
#include "platform/hid_system.h"
#include "platform/host.h"
#include "platform/ini_file.h"
#include "platform/win32_desktop_settings.h"
#include "platform/win32_host.h"
#include "platform/win32_shell.h"
#include "profiles/auto_profiles.h"
#include "profiles/config_dialog_win32.h"
#include "ui/ui_log.h"
#include "ui/wnd_win32.h"

namespace gm {

// Everything the program's windows share, made once by the application.
struct AppServices {
  AppState& state;
  Host& host;
  HidSystem& hid;
  IniFile& ini;
  UiLog& uiLog;
  VirtualMouse* virtualMouse = nullptr;  // set when --virtual-mouse is given
};

// App-private messages of the main window.
inline constexpr UINT kMsgVirtualPlug = WM_APP + 1;       // wParam 1 plug, 0 unplug
inline constexpr UINT kMsgDeviceJobReports = WM_APP + 2;  // the device worker has reports
inline constexpr wchar_t kMainWindowClass[] = L"KX512OEMNewGMClass";
inline constexpr int kIconResource = 720;

class CHidMouseDlg : public Wnd,
                     public MainView,
                     public DeviceChangeActions,
                     public MainClickActions,
                     public ActionWindow {
 public:
  // host: the Win32 host whose message boxes and timers belong to this window.
  CHidMouseDlg(AppServices& services, Win32Host& host);
  ~CHidMouseDlg() override;

  // Creates the window and runs the initialisation; false ends the program.
  bool Initialise();

  // MainView
  void ShowMainWindow() override;
  void HideMainWindow() override;
  bool IsMainWindowVisible() const override;
  void ShowBalloon(const std::wstring& text, const std::wstring& title,
                   unsigned timeoutMs) override;
  void ShowTrayMenu(const std::wstring& exitText) override;
  void FullDraw() override;
  void Relayout() override { surface_.Relayout(); }
  void ClearSelectionAndHover() override;

  // MainClickActions
  bool saveBusy() const override { return flows_.saveBusy(); }
  bool helpOpen() const override { return help_ != nullptr; }
  bool profileManagerOpen() const override { return profiles_ && profiles_->open(); }
  void Reset() override;
  void Cancel() override;
  void Save() override;
  void OpenHelp() override;
  void CloseHelp() override;
  void Minimise() override;
  void CloseProgram() override;
  void OpenProfileManager() override;
  void SetView(MouseView view) override { surface_.SetView(view); }
  void ToggleLeftPage(Page page) override { surface_.ToggleLeftPage(page); }
  void OpenMacroManager() override;
  void ToggleRightPage(Page page) override { surface_.ToggleRightPage(page); }
  void CloseButtonRowLists(int row) override;
  void OpenButtonMenu(std::size_t button) override;
  void DragWindow() override;

  // ActionWindow
  void ShowResetLayout() override;

  // DeviceChangeActions
  void SendDeviceEvent(std::uint8_t code, std::uint8_t value) override;
  void ReloadConfiguration() override;
  void ResumeListener() override;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnEraseBackground(HDC dc) override;
  void OnPaint(HDC dc) override;
  void OnLeftButtonDown(Point p) override;
  void OnCommand(int id, int code, HWND control) override;
  void OnTimer(UINT_PTR id) override;
  LRESULT OnControlColour(UINT message, HDC dc, HWND control) override;
  void OnClose() override;
  void OnDestroy() override;

 private:
  // Runs the rest of the initialisation once the window exists; false skips what follows.
  bool StartDeviceLink();
  DiscoveryHooks Hooks();
  // The virtual mouse was plugged in or pulled out: what Windows would announce.
  void OnVirtualPlug(bool plugged);
  // 0xB03 from the profile manager: 0 import, 1 export, 2 reload. While the mouse is written
  // it waits for the end: the files it switches are those the end writes.
  void OnProfileCommand(unsigned command);
  // Before a device change of the mouse is handled: the jobs end at their next report and
  // their ends are taken, so that discovery never meets a running sequence.
  void EndDeviceJobs();
  // Progress and end of a Save's or Reset's APPLY: the Save button, the tray tip, the ui log.
  void ShowApplyProgress(unsigned percent);
  void OnApplyEnd(const DeviceJobResult& result);
  // True (and logged as "NAME-refused") while the mouse is written.
  bool RefusedWhileApplying(const wchar_t* name);
  void CreateFonts();

  // Profile N of the ProfileList becomes the profile in use (CurProfileName, its files and
  // captions) and is applied to the mouse as a Save applies it. A choice by hand becomes the
  // profile automatic switching comes back to; it is refused while the mouse is written or the
  // window has unsaved edits (with a balloon). True when the profile was taken.
  bool UseProfile(std::size_t position, bool byHand);
  bool HasUnsavedEdits() const;
  // A Save or Reset of the profile in use is on its way to the mouse.
  void MouseHoldsProfileInUse();
  // The rules file: read at start and after the rules window wrote it; written whole.
  void LoadAutoProfiles();
  void WriteAutoProfiles();
  // The look at the program in front runs while automatic switching is on.
  void UpdateForegroundWatch();
  void OnForegroundTimer();
  void OnTrayCommand(unsigned id);
  void OpenRulesWindow();
  // After the profile manager's close: rules follow renamed profiles, go with deleted ones.
  void FollowProfileManager();
  void ShowAutoBalloon(const std::wstring& text);

  AppServices& services_;
  Win32Host& ownerHost_;
  TrayIcon tray_;
  MainController controller_;
  ConfigurationFiles files_;
  ConfigurationFilesSteps fileSteps_;
  Win32DesktopSettings desktop_;
  SaveFlows flows_;
  FilePath skinFolder_;
  HFONT mainFont_ = nullptr;
  HFONT smallFont_ = nullptr;
  MainLayout layout_;
  PageSizes sizes_;
  MainSurface surface_;  // the window's face and the drawing of its columns
  ControlColours controlColours_;
  Win32PageView pages_;  // the settings pages' child windows and redraws
  int clickX_ = 0;
  int clickY_ = 0;
  HICON icon_ = nullptr;
  HANDLE instanceMutex_ = nullptr;
  ListenerThread listener_;  // the event interface's reader, on its own thread
  // Every command sequence runs on its thread; declared after what its jobs' ends touch.
  WindowDeviceWorker worker_;
  // "save-done" or "reset-done" for each APPLY not yet ended, in order.
  std::deque<const wchar_t*> applyDoneLines_;
  std::optional<unsigned> heldProfileCommand_;  // arrived while the mouse was written
  std::unique_ptr<DeviceChangeHandler> deviceChange_;
  Win32Shell systemShell_;
  LoggedShell shell_{systemShell_, services_.uiLog};  // the help link and the updater
  std::unique_ptr<CHelpDialog> help_;                 // while the help panel is open
  std::unique_ptr<CConfigDialog> profiles_;           // the profile manager last opened
  AssignmentPage assignment_;  // the button rows' menus and the hover highlighting
  AutoProfileSwitcher switcher_;
  FilePath rulesFile_;
  bool watchedConnected_ = false;  // the mouse was connected at the last look
  // The ProfileList when the profile manager opened, compared with the one it leaves.
  std::optional<std::vector<std::wstring>> namesBeforeManager_;
};

}  // namespace gm
