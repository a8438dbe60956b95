#include "app/wnd_win32.h"

namespace gm {

Wnd::~Wnd() {
  Destroy();
}

Wnd* Wnd::FromHandle(HWND hwnd) {
  return reinterpret_cast<Wnd*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

bool Wnd::RegisterWindowClass(const wchar_t* className, bool dialogClassAttributes, HICON icon) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW existing{};
  if (GetClassInfoW(instance, className, &existing) != FALSE) return true;
  WNDCLASSW windowClass{};
  if (dialogClassAttributes) {
    // The system dialog class (#32770) gives the look of a dialog: cursor, brush, extra bytes.
    GetClassInfoW(nullptr, MAKEINTRESOURCEW(0x8002), &windowClass);
  }
  windowClass.lpfnWndProc = &Wnd::WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = className;
  windowClass.hIcon = icon;
  if (windowClass.hCursor == nullptr) windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  return RegisterClassW(&windowClass) != 0;
}

bool Wnd::Create(const WndCreateArgs& args) {
  if (!RegisterWindowClass(args.className, args.dialogClassAttributes, args.icon)) return false;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  HWND hwnd =
      CreateWindowExW(args.exStyle, args.className, args.title.c_str(), args.style, args.x, args.y,
                      args.width, args.height, args.parent, nullptr, instance, this);
  return hwnd != nullptr;
}

void Wnd::Destroy() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

LRESULT Wnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool Wnd::PreTranslateMessage(const MSG&) {
  return false;
}

int Wnd::RunModal(HWND owner, int ended) {
  if (hwnd_ == nullptr) return ended;
  const bool ownerWasEnabled = owner != nullptr && IsWindowEnabled(owner) != FALSE;
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  modalRunning_ = true;
  modalResult_ = ended;
  MSG message;
  while (modalRunning_ && hwnd_ != nullptr) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      // WM_QUIT belongs to the outer loop: end this run and hand it on.
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (PreTranslateMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  modalRunning_ = false;
  // The owner first, so that activation does not pass to another program's window.
  if (ownerWasEnabled) EnableWindow(owner, TRUE);
  if (hwnd_ != nullptr) ShowWindow(hwnd_, SW_HIDE);
  if (owner != nullptr) SetActiveWindow(owner);
  return modalResult_;
}

void Wnd::EndModal(int result) {
  modalResult_ = result;
  if (!modalRunning_) return;
  modalRunning_ = false;
  // Wakes the loop if the call came from a nested loop (a message box) rather than from it.
  if (hwnd_ != nullptr) PostMessageW(hwnd_, WM_NULL, 0, 0);
}

LRESULT CALLBACK Wnd::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Wnd* self = nullptr;
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    self = static_cast<Wnd*>(create->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = FromHandle(hwnd);
  }
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  // The windows take the dialog class's attributes, double clicks among them: the second
  // click of a quick pair arrives as a double click and is a click like the first.
  if (message == WM_LBUTTONDBLCLK) message = WM_LBUTTONDOWN;
  if (message == WM_NCDESTROY) {
    const LRESULT result = self->OnMessage(message, wParam, lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->OnFinalMessage();
    return result;
  }
  return self->OnMessage(message, wParam, lParam);
}

int RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace gm
