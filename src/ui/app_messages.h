// Window messages and command ids of the program, kept in one place.
#pragma once

namespace gm {

inline constexpr unsigned kMsgTrayIcon = 0x401;        // WM_USER+1: mouse message on the icon
inline constexpr unsigned kMsgDeviceEvent = 0x402;     // WM_USER+2: device event code, value
inline constexpr unsigned kMsgProfileCommand = 0xB03;  // 0 import, 1 export, 2 reload
inline constexpr unsigned kMsgStartUpdater = 0xB13;
inline constexpr unsigned kMsgThumbMoved = 0xB20;     // new top of the scroll thumb
inline constexpr unsigned kMsgRecorderEvent = 0x926;  // inside the macro manager
// Inside the macro picker (WM_APP+0x20): choose line wParam of the drop list and close it.
inline constexpr unsigned kMsgPickerChooseLine = 0x8020;
// Inside the combination-key dialog (WM_APP+0x40, +0x41): a captured key's name (lParam: a
// std::wstring*, sent on the same thread), and closing the modifier list after a choice.
inline constexpr unsigned kMsgKeyNameCaptured = 0x8040;
inline constexpr unsigned kMsgCloseModifierList = 0x8041;

// In the main window (WM_APP+0x60): a menu list's selection change or double click, handled
// after the list's own handling returned (wParam: the list's id, lParam: its selection).
inline constexpr unsigned kMsgMenuPick = 0x8060;

// Items of the notification-area menu.
inline constexpr unsigned kCmdExit = 1028;
inline constexpr unsigned kCmdTrayProfile = 1040;  // + the position in the ProfileList (0-5)
inline constexpr unsigned kCmdTrayAutomatic = 1050;
inline constexpr unsigned kCmdTrayRules = 1051;
inline constexpr unsigned kCmdTrayStartWithWindows = 1052;

// The main window's timers are the Save, Reset and Cancel flows' (config/apply_flows.h) and
// the automatic profiles' look at the program in front (kForegroundTimer); the
// device event codes carried by kMsgDeviceEvent are in device/device_events.h.

inline constexpr unsigned kForegroundTimer = 7;
inline constexpr unsigned kForegroundPollMs = 250;

// Mouse messages carried in lParam of kMsgTrayIcon.
inline constexpr unsigned kMouseLeftDown = 0x201;
inline constexpr unsigned kMouseLeftUp = 0x202;
inline constexpr unsigned kMouseLeftDoubleClick = 0x203;
inline constexpr unsigned kMouseRightUp = 0x205;

}  // namespace gm
