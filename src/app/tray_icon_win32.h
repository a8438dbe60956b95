// The notification-area icon of the main window: add, tip, balloons, delete.
#pragma once

#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include <string>
#include <vector>

#include "ui/ui_log.h"

namespace gm {

class TrayIcon {
 public:
  explicit TrayIcon(UiLog& log) : log_(log) {}
  ~TrayIcon() { Remove(); }
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  bool Add(HWND window, HICON icon, UINT callbackMessage, const std::wstring& tip);
  // Balloon with the information icon; timeout in milliseconds.
  bool ShowBalloon(const std::wstring& text, const std::wstring& title, UINT timeoutMs);
  // A new tip for the icon (cut to the tip's 127 characters).
  bool SetTip(const std::wstring& tip);
  void Remove();
  // One line of the icon's menu: a command (its choice reaches the window as WM_COMMAND),
  // or a separator when the command is 0.
  struct MenuItem {
    UINT command = 0;
    std::wstring text;
    bool checked = false;
  };
  // The icon's menu at the pointer. Each item is logged as "tray-menu TEXT" (" [x]" after a
  // checked one).
  void ShowMenu(HWND window, const std::vector<MenuItem>& items);
  bool added() const { return added_; }

 private:
  UiLog& log_;
  NOTIFYICONDATAW data_{};
  bool added_ = false;
};

}  // namespace gm
