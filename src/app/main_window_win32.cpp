#include "app/main_window_win32.h"

#include <objidl.h>
// After objidl.h.
#include <gdiplus.h>

#include "app/app_messages.h"
#include "app/main_fonts.h"
#include "device/device_notification.h"
#include "device/device_operations.h"
#include "device/discovery.h"
#include "platform/debug_output.h"

namespace gm {
namespace {

constexpr wchar_t kInstanceMutexName[] = L"PDKX512OEMMutex";
constexpr wchar_t kMainWindowClass[] = L"KX512OEMNewGMClass";
constexpr int kIconResource = 720;
constexpr int kDefaultWidth = 1000;
constexpr int kDefaultHeight = 650;

}  // namespace

CHidMouseDlg::CHidMouseDlg(AppServices& services)
    : services_(services),
      tray_(services.uiLog),
      controller_(services.state, services.host, services.hid, *this),
      files_(services.state, services.ini, services.host) {
  controller_.reloadFiles = [this] {
    files_.LoadCaptions();
    files_.LoadConfiguration();
  };
}

CHidMouseDlg::~CHidMouseDlg() {
  if (instanceMutex_ != nullptr) CloseHandle(instanceMutex_);
  if (mainFont_ != nullptr) DeleteObject(mainFont_);
  if (smallFont_ != nullptr) DeleteObject(smallFont_);
}

bool CHidMouseDlg::Initialise() {
  // 1. One instance: a second one ends at once, before showing anything.
  instanceMutex_ = CreateMutexW(nullptr, FALSE, kInstanceMutexName);
  if (instanceMutex_ != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
    services_.uiLog.Line(L"second-instance");
    ExitProcess(0);
  }

  HINSTANCE instance = GetModuleHandleW(nullptr);
  icon_ = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
  if (icon_ == nullptr) icon_ = LoadIconW(nullptr, IDI_APPLICATION);

  WndCreateArgs args;
  args.className = kMainWindowClass;
  args.dialogClassAttributes = true;
  args.style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX;
  // 3. A tool window has no taskbar button.
  args.exStyle = WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES;
  args.width = kDefaultWidth;
  args.height = kDefaultHeight;
  args.x = (GetSystemMetrics(SM_CXSCREEN) - args.width) / 2;
  args.y = (GetSystemMetrics(SM_CYSCREEN) - args.height) / 2;
  args.icon = icon_;
  if (!Create(args)) return false;
  // 2. Big and small icon.
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));

  if (StartDeviceLink()) {
    // 16. The first page while the mouse is connected.
    if (services_.state.connectedFlag == 1) {
      FullDraw();
      controller_.SetFirstPageBuilt();
    }
    // 17. The notification-area icon with the tip text.
    tray_.Add(hwnd(), icon_, kMsgTrayIcon, services_.state.texts[slot::kTitle]);
  }
  ShowMainWindow();
  return true;
}

DiscoveryHooks CHidMouseDlg::Hooks() {
  DiscoveryHooks hooks;
  hooks.wakeListener = [this] {
    if (wake_) wake_->Set();
  };
  hooks.debugLine = &WriteDebuggerLine;
  return hooks;
}

bool CHidMouseDlg::StartDeviceLink() {
  AppState& state = services_.state;
  // 5. Find the mouse and connect.
  if (Discover(services_.hid, state, Hooks())) {
    state.connectedFlag = 1;
    CommandLink link(services_.hid, services_.host, state.link);
    RunConnectSequence(link, state.device, state.record);
  } else {
    state.connectedFlag = 0;
  }
  // 6. The listener's wake event.
  wake_ = std::make_unique<Win32WakeEvent>();
  if (!wake_->valid()) {
    services_.host.ShowMessage(L"CreateEvent failed.", L"", kMbOk);
    return false;
  }
  // 7. The listener thread, running only while the mouse is connected.
  listener_ = std::make_unique<Listener>(services_.hid, state, *wake_,
                                         [this](std::uint8_t code, std::uint8_t value) {
                                           SendMessageW(hwnd(), kMsgDeviceEvent, code, value);
                                         });
  listenerThread_ =
      CreateThread(nullptr, 0, &CHidMouseDlg::ListenerThreadProc, this, CREATE_SUSPENDED, nullptr);
  if (listenerThread_ != nullptr && state.connectedFlag == 1) ResumeListener();
  // 8. Hot-plug notifications.
  deviceChange_ =
      std::make_unique<DeviceChangeHandler>(services_.hid, services_.host, state, Hooks(), *this);
  if (!RegisterHidInterfaceNotifications(hwnd())) {
    services_.host.ShowMessage(L"RegisterDeviceNotification failed!!!", L"", kMbOk);
    return false;
  }
  // 9. The configuration.
  files_.LoadConfiguration();
  state.savedRecord = state.record;
  // 10, 11. The language, chosen once by the caption file's code.
  FillLanguageTable(state.texts, files_.ReadLanguageCode());
  // 12. The captions and skin values.
  files_.LoadCaptions();
  // 13. The skin folder and the window's size from its background.
  skinFolder_ = SkinFolder(state.programPath, state.skin.path);
  SizeToBackground();
  // 14. The skin's text colour.
  state.textColour = TextColour(state.skin);
  // 15. The fonts.
  CreateFonts();
  return true;
}

std::filesystem::path CHidMouseDlg::SkinFolder(const std::filesystem::path& program,
                                               const std::wstring& skinName) {
  return program.parent_path() / L"Skins" / skinName;
}

void CHidMouseDlg::SizeToBackground() {
  Gdiplus::Bitmap background((skinFolder_ / L"main.png").c_str());
  if (background.GetLastStatus() != Gdiplus::Ok) return;  // keeps the default size
  SetWindowPos(hwnd(), nullptr, 0, 0, static_cast<int>(background.GetWidth()),
               static_cast<int>(background.GetHeight()),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CHidMouseDlg::CreateFonts() {
  const DWORD version = GetVersion();
  const bool windows62 = LOBYTE(LOWORD(version)) == 6 && HIBYTE(LOWORD(version)) == 2;
  const auto make = [](const FontSpec& spec) {
    return CreateFontW(spec.height, 0, 0, 0, spec.weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, spec.face.c_str());
  };
  mainFont_ = make(MainFontSpec(services_.state.texts.language(), windows62));
  smallFont_ = make(SmallFontSpec());
}

DWORD WINAPI CHidMouseDlg::ListenerThreadProc(void* self) {
  static_cast<CHidMouseDlg*>(self)->listener_->Run();
}

void CHidMouseDlg::SendDeviceEvent(std::uint8_t code, std::uint8_t value) {
  SendMessageW(hwnd(), kMsgDeviceEvent, code, value);
}

void CHidMouseDlg::ReloadConfiguration() {
  files_.LoadConfiguration();
  files_.LoadCaptions();
}

void CHidMouseDlg::ResumeListener() {
  if (listenerThread_ == nullptr) return;
  // However often it was suspended, it runs from now on.
  while (ResumeThread(listenerThread_) > 1) {
  }
  listenerRunning_ = true;
  // Discovery wakes the listener when it opens the event interface, before ConnectedFlag is
  // set; a listener that looked in between would wait for good. Wake it once more now.
  if (wake_) wake_->Set();
}

void CHidMouseDlg::OnProfileCommand(unsigned command) {
  switch (command) {
    case 0:
      files_.ImportConfiguration();
      break;
    case 1:
      files_.ExportConfiguration();
      break;
    case 2:
      files_.LoadConfiguration();
      files_.LoadCaptions();
      ClearSelectionAndHover();
      Relayout();
      break;
    default:
      break;
  }
}

void CHidMouseDlg::OnVirtualPlug(bool plugged) {
  VirtualMouse* mouse = services_.virtualMouse;
  if (mouse == nullptr) return;
  if (plugged) {
    mouse->Plug();
  } else {
    mouse->Unplug();
  }
  services_.uiLog.Line(plugged ? L"virtual-plug" : L"virtual-unplug");
  deviceChange_->OnDeviceChange(plugged ? kDbtDeviceArrival : kDbtDeviceRemoveComplete,
                                kDbtDevtypDeviceInterface,
                                VirtualMouse::NotificationName(VirtualMouse::kCommandPath));
}

void CHidMouseDlg::ShowMainWindow() {
  SetForegroundWindow(hwnd());
  ShowWindow(hwnd(), SW_SHOW);
  services_.uiLog.Line(L"window-shown");
}

void CHidMouseDlg::HideMainWindow() {
  ShowWindow(hwnd(), SW_HIDE);
  services_.uiLog.Line(L"window-hidden");
}

bool CHidMouseDlg::IsMainWindowVisible() const {
  return IsWindowVisible(hwnd()) != FALSE;
}

void CHidMouseDlg::ShowBalloon(const std::wstring& text, const std::wstring& title,
                               unsigned timeoutMs) {
  tray_.ShowBalloon(text, title, timeoutMs);
}

void CHidMouseDlg::ShowTrayMenu(const std::wstring& exitText) {
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return;
  AppendMenuW(menu, MF_STRING, kCmdExit, exitText.c_str());
  POINT cursor{};
  GetCursorPos(&cursor);
  SetForegroundWindow(hwnd());
  services_.uiLog.Line(L"tray-menu " + exitText);
  TrackPopupMenu(menu, TPM_BOTTOMALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hwnd(), nullptr);
  DestroyMenu(menu);
}

void CHidMouseDlg::FullDraw() {
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void CHidMouseDlg::Relayout() {
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void CHidMouseDlg::ClearSelectionAndHover() {}

void CHidMouseDlg::EndProgram() {
  controller_.CloseDevice();
  tray_.Remove();
  services_.uiLog.Line(L"exit");
  ExitProcess(0);
}

LRESULT CHidMouseDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kMsgTrayIcon:
      controller_.OnTrayMouse(static_cast<unsigned>(lParam));
      return 0;
    case kMsgDeviceEvent:
      controller_.OnDeviceEvent(static_cast<unsigned>(wParam), static_cast<unsigned>(lParam));
      return 0;
    case WM_DEVICECHANGE: {
      if (!deviceChange_) return TRUE;
      const DeviceChangeMessage change =
          ReadDeviceChangeMessage(static_cast<std::uintptr_t>(wParam), lParam);
      return deviceChange_->OnDeviceChange(change.event, change.deviceType, change.interfaceName);
    }
    case kMsgProfileCommand:
      OnProfileCommand(static_cast<unsigned>(wParam));
      return 0;
    case kMsgVirtualPlug:
      OnVirtualPlug(wParam != 0);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kCmdExit) EndProgram();
      return 0;
    case WM_CLOSE:
      HideMainWindow();
      return 0;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<LRESULT>(icon_);
    case WM_ERASEBKGND:
      if (services_.state.connectedFlag != 1) return 1;
      break;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd(), &paint);
      RECT client;
      GetClientRect(hwnd(), &client);
      HBRUSH brush = CreateSolidBrush(RGB(24, 26, 31));
      FillRect(dc, &client, brush);
      DeleteObject(brush);
      EndPaint(hwnd(), &paint);
      return 0;
    }
    case WM_LBUTTONDOWN:
      // Any point that no control takes drags the frameless window.
      PostMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, lParam);
      return 0;
    case WM_DESTROY:
      controller_.CloseDevice();
      tray_.Remove();
      return 0;
    default:
      break;
  }
  return Wnd::OnMessage(message, wParam, lParam);
}

}  // namespace gm
