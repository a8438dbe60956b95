#include "ui/wnd_win32.h"

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

namespace {

Point PointOf(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

LPARAM PointParam(Point p) {
  return MAKELPARAM(p.x, p.y);
}

}  // namespace

LRESULT Wnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd_, &paint);
      OnPaint(dc);
      EndPaint(hwnd_, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return OnEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(PointOf(lParam));
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(PointOf(lParam));
      return 0;
    case WM_MOUSEHOVER:
      OnMouseHover(PointOf(lParam));
      return 0;
    case WM_MOUSELEAVE:
      OnMouseLeave();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_TIMER:
      OnTimer(static_cast<UINT_PTR>(wParam));
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
      return OnControlColour(message, reinterpret_cast<HDC>(wParam),
                             reinterpret_cast<HWND>(lParam));
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

void Wnd::OnPaint(HDC) {}

LRESULT Wnd::OnEraseBackground(HDC dc) {
  return DefWindowProcW(hwnd_, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
}

void Wnd::OnLeftButtonDown(Point p) {
  DefWindowProcW(hwnd_, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(p));
}

void Wnd::OnMouseMove(Point p) {
  DefWindowProcW(hwnd_, WM_MOUSEMOVE, 0, PointParam(p));
}

void Wnd::OnMouseHover(Point p) {
  DefWindowProcW(hwnd_, WM_MOUSEHOVER, 0, PointParam(p));
}

void Wnd::OnMouseLeave() {
  DefWindowProcW(hwnd_, WM_MOUSELEAVE, 0, 0);
}

void Wnd::OnCommand(int id, int code, HWND control) {
  DefWindowProcW(hwnd_, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

void Wnd::OnTimer(UINT_PTR id) {
  DefWindowProcW(hwnd_, WM_TIMER, id, 0);
}

LRESULT Wnd::OnControlColour(UINT kind, HDC dc, HWND control) {
  return DefWindowProcW(hwnd_, kind, reinterpret_cast<WPARAM>(dc),
                        reinterpret_cast<LPARAM>(control));
}

void Wnd::OnClose() {
  DefWindowProcW(hwnd_, WM_CLOSE, 0, 0);
}

void Wnd::OnDestroy() {
  DefWindowProcW(hwnd_, WM_DESTROY, 0, 0);
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

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

std::wstring ListBoxLine(HWND list, int index) {
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
  return text;
}

}  // namespace gm
