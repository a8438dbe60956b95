#include "help/help_dialog_win32.h"

#include "gfx/skin_files.h"

namespace gm {
namespace {

constexpr wchar_t kHelpClass[] = L"QLGM900HelpPanel";
// The panel's size while it has no background image.
constexpr int kDefaultWidth = kHelpVersionBand.right;
constexpr int kDefaultHeight = kHelpVersionBand.bottom;

RECT ToRect(const Rect& r) {
  return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

CHelpDialog::CHelpDialog(Language language, Shell& shell, Host& host)
    : language_(language), panel_(language, shell), host_(host) {}

CHelpDialog::~CHelpDialog() {
  Destroy();
  if (font_ != nullptr) DeleteObject(font_);
}

bool CHelpDialog::Open(HWND mainWindow, const FilePath& skinFolder) {
  WndCreateArgs args;
  args.className = kHelpClass;
  args.dialogClassAttributes = true;
  args.style = WS_CHILD | WS_CLIPSIBLINGS;
  args.x = kHelpPanelAt.x;
  args.y = kHelpPanelAt.y;
  args.width = kDefaultWidth;
  args.height = kDefaultHeight;
  args.parent = mainWindow;
  if (!Create(args)) return false;

  if (picture_.Load(skinFolder.Wide() + skin::kHelpWindow)) {
    const SIZE size = picture_.size();
    SetWindowPos(hwnd(), HWND_TOP, kHelpPanelAt.x, kHelpPanelAt.y, size.cx, size.cy,
                 SWP_NOACTIVATE);
    font_ = CreateFontFor(FontUse::Help, language_);
    DrawLines();
  } else {
    host_.ShowMessage(L"error", kHelpBackgroundFailed, kMbOk);
  }
  SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowWindow(hwnd(), SW_SHOWNA);
  return true;
}

void CHelpDialog::DrawLines() {
  const HelpTexts& texts = panel_.texts();
  picture_.DrawInto([&](HDC dc) {
    constexpr UINT kCentred = DT_CENTER | DT_VCENTER;
    DrawLine(dc, texts.link, ToRect(kHelpLinkBand), RGB(0, 0, 0), font_, kCentred);
    DrawLine(dc, texts.update, ToRect(kHelpUpdateBand), RGB(0, 0, 0), font_, kCentred);
    DrawLine(dc, texts.version, ToRect(kHelpVersionBand), RGB(0, 0, 0), font_, kCentred);
  });
}

LRESULT CHelpDialog::OnEraseBackground(HDC dc) {
  return picture_.loaded() ? 1 : Wnd::OnEraseBackground(dc);
}

void CHelpDialog::OnPaint(HDC dc) {
  picture_.CopyTo(dc);  // nothing without the picture
}

void CHelpDialog::OnLeftButtonDown(Point p) {
  panel_.OnClick(p.x, p.y);
}

}  // namespace gm
