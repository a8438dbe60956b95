// CConfigDialog: the profile manager window, frameless and semi-transparent, over the main
// window's top-left corner: a title, a close box, the list of names (control 130) with its
// context menu and in-place rename, and the New button. Its decisions are the ProfileManager's.
#pragma once

#include <windows.h>

#include "platform/file_path.h"
#include "platform/ini_file.h"
#include "platform/win32_host.h"
#include "profiles/profile_manager.h"
#include "ui/dialog_picture_win32.h"
#include "ui/ui_log.h"
#include "ui/wnd_win32.h"

namespace gm {

// The height of a line of the name list in `font`: the font's cell, and room below it for the
// marks that reach further down than its descent (the underscore of "Profile_3").
int ProfileLineHeight(HFONT font);

class CConfigDialog : public Wnd {
 public:
  // profileList: str.ini; textColour: the skin's text colour.
  CConfigDialog(IniFile& ini, const FilePath& profileList, Language language, Rgb textColour,
                UiLog& log);
  ~CConfigDialog() override;

  // Opens the window over the main window's client area at (0, 0), sized to the skin's
  // "/Config/Config.png", and shows it; from then on it is moved, hidden and shown with the
  // main window. Without that image the window shows empty (its close box still answers).
  // False when no window could be made.
  bool Open(HWND mainWindow, const FilePath& skinFolder);
  // From the opening until it is closed (its close box, Alt+F4).
  bool open() const { return manager_.open(); }
  const ProfileManager& manager() const { return manager_; }
  // While the main window runs a file dialog for it: the window takes no input (a second
  // Load, or the close box and its reload in the middle of an import). The window is held as
  // well while the main window is disabled by any other modal dialog of it (a key dialog, the
  // macro manager, a message box): a file dialog nested in one would enable the main window
  // under it when it closes.
  void HoldInput(bool hold);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnEraseBackground(HDC dc) override;
  void OnPaint(HDC dc) override;
  void OnLeftButtonDown(Point p) override;
  void OnCommand(int id, int code, HWND control) override;
  LRESULT OnControlColour(UINT kind, HDC dc, HWND control) override;
  void OnClose() override;
  void OnDestroy() override;

 private:
  void CreateNameList();
  void ShowNames();
  void DrawFace(const FilePath& skinFolder);
  void ShowContextMenu(POINT screen);
  void RequestEdit();
  void OpenEditor();
  void CloseWindow();
  void CommitRename();
  POINT MainWindowOrigin() const;  // the main window's client origin on the screen
  // Takes input only while neither HoldInput nor a disabled main window holds it.
  void UpdateHold();
  // After a change of the main window's place or visibility.
  void FollowMainWindow(const WINDOWPOS& change);
  static LRESULT CALLBACK MainWindowProc(HWND main, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
  static LRESULT CALLBACK NameListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);

  Win32Host host_;  // message boxes over this window
  ProfileManager manager_;
  Language language_;
  Rgb textColour_;
  UiLog& log_;
  HWND mainWindow_ = nullptr;
  DialogPicture picture_;
  HFONT font_ = nullptr;
  HBRUSH listBrush_ = nullptr;
  HWND nameList_ = nullptr;
  bool holdAsked_ = false;  // HoldInput(true) until HoldInput(false)
  bool held_ = false;       // the window is disabled
};

}  // namespace gm
