#include "app/tray_icon_win32.h"

#include <cwchar>

namespace gm {
namespace {

void CopyText(wchar_t* to, std::size_t capacity, const std::wstring& text) {
  std::wcsncpy(to, text.c_str(), capacity - 1);
  to[capacity - 1] = L'\0';
}

}  // namespace

bool TrayIcon::Add(HWND window, HICON icon, UINT callbackMessage, const std::wstring& tip) {
  data_ = NOTIFYICONDATAW{};
  // The version-3 layout (with balloons); NOTIFYICONDATAW_V3_SIZE is 952 bytes on 32-bit and
  // 968 bytes on 64-bit Windows.
  data_.cbSize = NOTIFYICONDATAW_V3_SIZE;
  data_.hWnd = window;
  data_.uID = 1;
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data_.uCallbackMessage = callbackMessage;
  data_.hIcon = icon;
  CopyText(data_.szTip, std::size(data_.szTip), tip);
  added_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
  log_.Line(L"tray-add " + tip);
  return added_;
}

bool TrayIcon::ShowBalloon(const std::wstring& text, const std::wstring& title, UINT timeoutMs) {
  CopyText(data_.szInfo, std::size(data_.szInfo), text);
  CopyText(data_.szInfoTitle, std::size(data_.szInfoTitle), title);
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
  data_.dwInfoFlags = NIIF_INFO;
  data_.uTimeout = timeoutMs;
  log_.Line(L"balloon " + title + L"|" + text + L"|" + std::to_wstring(timeoutMs));
  return Shell_NotifyIconW(NIM_MODIFY, &data_) != FALSE;
}

bool TrayIcon::SetTip(const std::wstring& tip) {
  if (!added_) return false;
  CopyText(data_.szTip, std::size(data_.szTip), tip);
  data_.uFlags = NIF_TIP;
  log_.Line(L"tray-tip " + tip);
  return Shell_NotifyIconW(NIM_MODIFY, &data_) != FALSE;
}

void TrayIcon::ShowMenu(HWND window, const std::vector<MenuItem>& items) {
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return;
  for (const MenuItem& item : items) {
    if (item.command == 0) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const UINT flags = item.checked ? MF_STRING | MF_CHECKED : MF_STRING;
    AppendMenuW(menu, flags, item.command, item.text.c_str());
    log_.Line(L"tray-menu " + item.text + (item.checked ? L" [x]" : L""));
  }
  POINT cursor{};
  GetCursorPos(&cursor);
  SetForegroundWindow(window);
  TrackPopupMenu(menu, TPM_BOTTOMALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window, nullptr);
  DestroyMenu(menu);
}

void TrayIcon::Remove() {
  if (!added_) return;
  Shell_NotifyIconW(NIM_DELETE, &data_);
  added_ = false;
  log_.Line(L"tray-delete");
}

}  // namespace gm
