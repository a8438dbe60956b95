#include "gfx/gdip_button_win32.h"

#include <commctrl.h>

#include <optional>

#include "gfx/pixels.h"

namespace gm::gfx {
namespace {

using namespace Gdiplus::DllExports;

constexpr wchar_t kClassName[] = L"QLGM900ImageButton";

Gdiplus::ColorMatrix ToGdiplus(const ColorMatrix& matrix) {
  Gdiplus::ColorMatrix out{};
  for (std::size_t row = 0; row < 5; ++row)
    for (std::size_t col = 0; col < 5; ++col) out.m[row][col] = matrix[row][col];
  return out;
}

}  // namespace

CGdipButton::~CGdipButton() {
  Destroy();
}

bool CGdipButton::Create(HWND parent, const RECT& rect, int id) {
  static const bool registered = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &CGdipButton::WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.lpszClassName = kClassName;
    return RegisterClassW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  if (hwnd_ != nullptr || !registered) return false;
  parent_ = parent;
  CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, parent,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                  this);
  if (hwnd_ == nullptr) return false;
  highlighted_ = true;
  InvalidateRect(hwnd_, nullptr, FALSE);
  return true;
}

void CGdipButton::Destroy() {
  if (toolTip_ != nullptr) DestroyWindow(toolTip_);
  toolTip_ = nullptr;
  ReleaseCaches();
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);  // WM_NCDESTROY clears hwnd_
}

bool CGdipButton::LoadStdImage(UINT resourceId, const wchar_t* type) {
  return standard_.Load(resourceId, type);
}

bool CGdipButton::LoadAltImage(UINT resourceId, const wchar_t* type) {
  useAlternate_ = alternate_.Load(resourceId, type);
  return useAlternate_;
}

void CGdipButton::EnableButton(bool enabled) {
  if (hwnd_ != nullptr) EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

LRESULT CALLBACK CGdipButton::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* button = static_cast<CGdipButton*>(created->lpCreateParams);
    button->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(button));
  }
  auto* self = reinterpret_cast<CGdipButton*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  return self->OnMessage(message, wParam, lParam);
}

LRESULT CGdipButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) RelayToToolTip(message, wParam, lParam);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ENABLE:
      InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      pressed_ = true;
      if (toggle_) alternateShown_ = !alternateShown_;
      dragging_ = true;
      lastDrag_ = ScreenPoint(lParam);
      SetCapture(hwnd_);
      InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    }
    case WM_LBUTTONUP: {
      const bool wasPressed = pressed_;
      pressed_ = false;
      dragging_ = false;
      if (GetCapture() == hwnd_) ReleaseCapture();
      InvalidateRect(hwnd_, nullptr, FALSE);
      RECT client;
      GetClientRect(hwnd_, &client);
      const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (wasPressed && PtInRect(&client, at))
        SendMessageW(parent_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd_), BN_CLICKED),
                     reinterpret_cast<LPARAM>(hwnd_));
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (pressed_ || dragging_) {
        pressed_ = false;
        dragging_ = false;
        InvalidateRect(hwnd_, nullptr, FALSE);
      }
      return 0;
    case WM_MOUSEMOVE: {
      if (!tracking_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, hwnd_, 1};
        tracking_ = TrackMouseEvent(&track) != FALSE;
      }
      if (dragging_) DragTo(ScreenPoint(lParam));
      return 0;
    }
    case WM_MOUSEHOVER:
      OnHover();
      return 0;
    case WM_MOUSELEAVE:
      tracking_ = false;
      highlighted_ = true;
      InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    case WM_DESTROY:
      if (toolTip_ != nullptr) DestroyWindow(toolTip_);
      toolTip_ = nullptr;
      return 0;
    case WM_NCDESTROY: {
      HWND gone = hwnd_;
      SetWindowLongPtrW(gone, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      return DefWindowProcW(gone, message, wParam, lParam);
    }
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

POINT CGdipButton::ScreenPoint(LPARAM lParam) const {
  POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  ClientToScreen(hwnd_, &point);
  return point;
}

void CGdipButton::DragTo(POINT screen) {
  RECT window;
  GetWindowRect(hwnd_, &window);
  MapWindowPoints(HWND_DESKTOP, parent_, reinterpret_cast<POINT*>(&window), 2);
  const Rect current{window.left, window.top, window.right, window.bottom};
  const std::optional<Rect> moved = DragVertically(current, screen.y - lastDrag_.y);
  if (!moved || *moved == current) return;
  lastDrag_ = screen;
  SetWindowPos(hwnd_, nullptr, moved->left, moved->top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  PostMessageW(dragTarget_ != nullptr ? dragTarget_ : parent_, kThumbMovedMessage,
               static_cast<WPARAM>(moved->top), 0);
}

void CGdipButton::OnHover() {
  highlighted_ = true;
  InvalidateRect(hwnd_, nullptr, FALSE);
  if (toolTip_ != nullptr) DestroyWindow(toolTip_);
  toolTip_ = nullptr;
  if (toolTipText_.empty()) return;
  toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
  if (toolTip_ == nullptr) return;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd_);
  tool.lpszText = toolTipText_.data();
  SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(toolTip_, TTM_SETDELAYTIME, TTDT_AUTOMATIC, 2000);
  SendMessageW(toolTip_, TTM_ACTIVATE, TRUE, 0);
  SendMessageW(toolTip_, TTM_POPUP, 0, 0);
}

void CGdipButton::RelayToToolTip(UINT message, WPARAM wParam, LPARAM lParam) {
  if (toolTip_ == nullptr) return;
  MSG msg{hwnd_, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
  GetCursorPos(&msg.pt);
  SendMessageW(toolTip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

CGdipButton::Look CGdipButton::ChooseLook() const {
  if (!IsWindowEnabled(hwnd_)) return Look::Greyed;
  const bool alternate = useAlternate_ && alternateShown_;
  if (pressed_) return alternate ? Look::AlternatePressed : Look::StandardPressed;
  if (highlighted_) return alternate ? Look::AlternateHighlighted : Look::StandardHighlighted;
  return alternate ? Look::Alternate : Look::Standard;
}

void CGdipButton::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  if (!cachesBuilt_ && standard_) BuildCaches();
  if (cachesBuilt_) {
    inUse_ = ChooseLook();
    RECT client;
    GetClientRect(hwnd_, &client);
    BitBlt(dc, 0, 0, client.right, client.bottom, LookContext(inUse_), 0, 0, SRCCOPY);
  }
  EndPaint(hwnd_, &paint);
}

void CGdipButton::BuildCaches() {
  RECT client;
  GetClientRect(hwnd_, &client);
  HDC screen = GetDC(hwnd_);
  for (CachedLook& look : looks_) {
    look.dc = CreateCompatibleDC(screen);
    look.bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    if (look.dc == nullptr || look.bitmap == nullptr) {
      ReleaseDC(hwnd_, screen);
      ReleaseCaches();
      return;
    }
    look.old = SelectObject(look.dc, look.bitmap);
  }
  ReleaseDC(hwnd_, screen);

  CaptureBackground(LookContext(Look::Background));
  const Gdiplus::ColorMatrix highlight = ToGdiplus(HighlightMatrix());
  const Gdiplus::ColorMatrix grey = ToGdiplus(GreyMatrix());
  RenderLook(Look::Standard, standard_.bitmap(), 0, nullptr);
  RenderLook(Look::StandardPressed, standard_.bitmap(), 0, nullptr);
  RenderLook(Look::StandardHighlighted, standard_.bitmap(), 0, &highlight);
  RenderLook(Look::Greyed, standard_.bitmap(), 0, &grey);
  if (alternate_) {
    RenderLook(Look::Alternate, alternate_.bitmap(), 0, nullptr);
    RenderLook(Look::AlternatePressed, alternate_.bitmap(), 1, nullptr);
    RenderLook(Look::AlternateHighlighted, alternate_.bitmap(), 0, &highlight);
  }
  cachesBuilt_ = true;
  inUse_ = Look::Standard;
}

void CGdipButton::ReleaseCaches() {
  for (CachedLook& look : looks_) {
    if (look.dc != nullptr) {
      if (look.old != nullptr) SelectObject(look.dc, look.old);
      DeleteDC(look.dc);
    }
    if (look.bitmap != nullptr) DeleteObject(look.bitmap);
    look = {};
  }
  cachesBuilt_ = false;
}

void CGdipButton::CaptureBackground(HDC into) {
  RECT window;
  GetWindowRect(hwnd_, &window);
  MapWindowPoints(HWND_DESKTOP, parent_, reinterpret_cast<POINT*>(&window), 2);
  HDC parentDc = GetDC(parent_);
  BitBlt(into, 0, 0, window.right - window.left, window.bottom - window.top, parentDc, window.left,
         window.top, SRCCOPY);
  ReleaseDC(parent_, parentDc);
}

void CGdipButton::RefreshBackground() {
  if (cachesBuilt_) CaptureBackground(LookContext(Look::Background));
}

void CGdipButton::RenderLook(Look look, Gdiplus::GpBitmap* image, int offset,
                             const Gdiplus::ColorMatrix* matrix) {
  HDC dc = LookContext(look);
  RECT client;
  GetClientRect(hwnd_, &client);
  BitBlt(dc, 0, 0, client.right, client.bottom, LookContext(Look::Background), 0, 0, SRCCOPY);
  Gdiplus::GpGraphics* graphics = nullptr;
  if (GdipCreateFromHDC(dc, &graphics) != Gdiplus::Ok) return;
  UINT width = 0;
  UINT height = 0;
  GdipGetImageWidth(image, &width);
  GdipGetImageHeight(image, &height);
  const INT w = static_cast<INT>(width);
  const INT h = static_cast<INT>(height);
  if (matrix == nullptr) {
    GdipDrawImageRectI(graphics, image, offset, offset, w, h);
  } else {
    Gdiplus::GpImageAttributes* attributes = nullptr;
    if (GdipCreateImageAttributes(&attributes) == Gdiplus::Ok) {
      GdipSetImageAttributesColorMatrix(attributes, Gdiplus::ColorAdjustTypeDefault, TRUE, matrix,
                                        nullptr, Gdiplus::ColorMatrixFlagsDefault);
      GdipDrawImageRectRectI(graphics, image, 0, 0, w, h, 0, 0, w, h, Gdiplus::UnitPixel,
                             attributes, nullptr, nullptr);
      GdipDisposeImageAttributes(attributes);
    }
  }
  GdipDeleteGraphics(graphics);
}

}  // namespace gm::gfx
