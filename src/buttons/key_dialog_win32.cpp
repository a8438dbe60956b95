#include "buttons/key_dialog_win32.h"

#include "gfx/mem_dc_win32.h"
#include "gfx/skin_files.h"
#include "ui/dialog_picture_win32.h"
#include "ui/main_fonts_win32.h"

namespace gm {
namespace {

constexpr wchar_t kKeyDialogClass[] = L"QLGM900KeyDialog";
constexpr UINT kHoverMilliseconds = 10;
// Behind everything while no background could be loaded.
constexpr COLORREF kEmptyFill = RGB(40, 40, 40);

}  // namespace

KeyDialogWindow::KeyDialogWindow(const KeyDialogContext& context, const Look& look)
    : context_(context), look_(look) {}

KeyDialogWindow::~KeyDialogWindow() {
  hook_.Remove();
  if (picture_ != nullptr) DeleteObject(picture_);
  if (font_ != nullptr) DeleteObject(font_);
}

void KeyDialogWindow::CentreOnOwner(int width, int height, int& x, int& y) const {
  RECT area{};
  if (context_.owner != nullptr && IsWindowVisible(context_.owner)) {
    GetWindowRect(context_.owner, &area);
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  x = area.left + (area.right - area.left - width) / 2;
  y = area.top + (area.bottom - area.top - height) / 2;
}

bool KeyDialogWindow::Open() {
  // The background, and the window at its size.
  background_ = gfx::DibImage::Load(SkinPath(look_.background));
  if (background_) {
    background_->Premultiply();
    size_ = {background_->width(), background_->height()};
  } else {
    size_ = look_.fallbackSize;
  }
  WndCreateArgs args;
  args.className = kKeyDialogClass;
  args.dialogClassAttributes = true;
  args.style = WS_POPUP | WS_CLIPCHILDREN;
  args.parent = context_.owner;
  args.width = size_.width;
  args.height = size_.height;
  CentreOnOwner(args.width, args.height, args.x, args.y);
  if (!Create(args)) return false;
  HDC windowDc = GetDC(hwnd());
  picture_ = CreateCompatibleBitmap(windowDc, size_.width, size_.height);
  ReleaseDC(hwnd(), windowDc);

  if (!background_) {
    // Without texts, controls and key capture; the buttons still work.
    context_.host.ShowMessage(std::wstring(kBackgroundErrorText),
                              std::wstring(look_.failureCaption), kMbOk);
    Redraw();
    return true;
  }
  // With the background: the font, texts and controls, then the key hook.
  font_ = CreateFontFor(look_.font, context_.language);
  CreateControls();
  Redraw();
  // The key hook, on this thread only.
  if (!hook_.Install([this](WPARAM virtualKey, LPARAM flags) { OnKey(virtualKey, flags); })) {
    context_.host.ShowMessage(HookInstallErrorText(look_.hookName, hook_.lastError()),
                              gfx::kApplicationCaption, kMbOk);
  }
  return true;
}

DialogEnd KeyDialogWindow::Run() {
  const int result = RunModal(context_.owner, static_cast<int>(DialogEnd::Cancelled));
  hook_.Remove();
  return static_cast<DialogEnd>(result);
}

void KeyDialogWindow::End(DialogEnd end) {
  hook_.Remove();
  EndModal(static_cast<int>(end));
}

HWND KeyDialogWindow::CreateChild(const wchar_t* className, DWORD style, const Rect& rect, int id) {
  // Clipped by their siblings: the modifier list lies over the key boxes.
  HWND child = CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
                               rect.left, rect.top, rect.width(), rect.height(), hwnd(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleW(nullptr), nullptr);
  if (child != nullptr && font_ != nullptr) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  }
  return child;
}

void KeyDialogWindow::DrawCentredText(HDC dc, std::wstring_view text, const Rect& rect) const {
  if (text.empty()) return;
  const Rgb colour = context_.textColour;
  // A text wider than its rectangle (German in a narrow box) spills out evenly rather than
  // losing its first and last letters.
  DrawLine(dc, std::wstring(text), {rect.left, rect.top, rect.right, rect.bottom},
           RGB(colour.red, colour.green, colour.blue), font_, DT_CENTER | DT_VCENTER | DT_NOCLIP);
}

void KeyDialogWindow::DrawButton(HDC dc, DialogButton button, const Rect& rect,
                                 std::wstring_view text) {
  const bool over = Hover().IsOver(button);
  gfx::DrawPng(context_.host, dc, SkinPath(over ? look_.buttonOver : look_.buttonNormal), rect.left,
               rect.top);
  if (ready()) DrawCentredText(dc, text, rect);
}

void KeyDialogWindow::Compose(HDC dc) {
  RECT all{0, 0, size_.width, size_.height};
  HBRUSH fill = CreateSolidBrush(kEmptyFill);
  FillRect(dc, &all, fill);
  DeleteObject(fill);
  if (background_) background_->Draw(dc, 0, 0);
  const Rect close = kKeyDialogCloseButton;
  gfx::DrawPng(
      context_.host, dc,
      SkinPath(Hover().IsOver(DialogButton::Close) ? skin::kCloseOver : skin::kCloseNormal),
      close.left, close.top);
  DrawButton(dc, DialogButton::Ok, look_.ok, OkText());
  DrawButton(dc, DialogButton::Cancel, look_.cancel, CancelText());
  if (ready()) DrawExtras(dc);
}

void KeyDialogWindow::Redraw() {
  // A missing image shows a message box, whose own loop may bring more mouse moves here.
  if (picture_ == nullptr || composing_) return;
  composing_ = true;
  HDC windowDc = GetDC(hwnd());
  {
    gfx::CMemDC memory(windowDc, picture_);
    Compose(memory);
  }
  ReleaseDC(hwnd(), windowDc);
  composing_ = false;
}

bool KeyDialogWindow::PreTranslateMessage(const MSG& message) {
  return Discards(message);
}

LRESULT KeyDialogWindow::OnEraseBackground(HDC) {
  return 1;  // the picture covers the whole window
}

void KeyDialogWindow::OnPaint(HDC dc) {
  if (picture_ != nullptr) {
    gfx::CMemDC copy(dc, picture_);  // nothing new to draw: the picture is current
  }
}

void KeyDialogWindow::OnMouseMove(Point p) {
  bool changed = false;
  if (Hover().OnMouseMove(p, changed)) {
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_HOVER, hwnd(), kHoverMilliseconds};
    TrackMouseEvent(&track);
  }
  if (changed) Redraw();
}

void KeyDialogWindow::OnMouseHover(Point p) {
  if (Hover().OnHover(p)) Redraw();
}

void KeyDialogWindow::OnClose() {
  End(DialogEnd::Cancelled);
}

}  // namespace gm
