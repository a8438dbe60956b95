#include "app/main_painter_win32.h"

#include <algorithm>

#include "app/main_clicks.h"
#include "app/page_painter_win32.h"
#include "gfx/image_win32.h"
#include "gfx/skin_files.h"

namespace gm {
namespace {

constexpr std::size_t kHeaderTextSlot[kPageCount] = {
    slot::kButtonAssignment, slot::kMacroManager, slot::kXYSensitivity,    slot::kDpiSetting,
    slot::kLighting,         slot::kReportRate,   slot::kMouseSpeed,       slot::kDoubleClickSpeed,
    slot::kScrollSpeed,      slot::kAngleSnap,    slot::kGestureCorrection};

constexpr int kFrontRows = 7;
constexpr int kSideRows = 12;

Size Measure(const std::wstring& path) {
  const auto size = gfx::ImageFileSize(path);
  if (!size) return {};
  return {static_cast<int>(size->cx), static_cast<int>(size->cy)};
}

}  // namespace

int TextWidth(HDC dc, HFONT font, const std::wstring& text) {
  const HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  return static_cast<int>(size.cx);
}

HFONT SmallerFontToFit(HDC dc, HFONT font, const std::wstring& text, int width, int smallest) {
  HFONT fitted = font;
  if (TextWidth(dc, font, text) <= width) return fitted;
  LOGFONTW logFont{};
  GetObjectW(font, sizeof(logFont), &logFont);
  const int sign = logFont.lfHeight < 0 ? -1 : 1;
  for (int height = sign * logFont.lfHeight - 1; height >= smallest; --height) {
    logFont.lfHeight = sign * height;
    logFont.lfWidth = 0;
    HFONT smaller = CreateFontIndirectW(&logFont);
    if (smaller == nullptr) break;
    if (fitted != font) DeleteObject(fitted);
    fitted = smaller;
    if (TextWidth(dc, fitted, text) <= width) break;
  }
  return fitted;
}

HFONT FontToFit(HDC dc, HFONT font, const std::wstring& text, const Rect& rect, UINT format) {
  constexpr int kSmallestHeight = 9;
  const int room = rect.width() - kLabelPadding * ((format & DT_CENTER) != 0 ? 2 : 1);
  return SmallerFontToFit(dc, font, text, room, kSmallestHeight);
}

std::wstring MainPainter::Path(const wchar_t* name) const {
  return skinFolder_.Wide() + name;
}

void MainPainter::Image(HDC dc, const wchar_t* name, int x, int y) const {
  gfx::DrawSkinImage(dc, Path(name), x, y);
}

void MainPainter::Text(HDC dc, const std::wstring& text, const Rect& rect, UINT format,
                       HFONT font) const {
  RECT r{rect.left, rect.top, rect.right, rect.bottom};
  const HGDIOBJ old = SelectObject(dc, font != nullptr ? font : mainFont_);
  SetBkMode(dc, TRANSPARENT);
  const Rgb colour = state_.textColour;
  SetTextColor(dc, RGB(colour.red, colour.green, colour.blue));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
            format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(dc, old);
}

void MainPainter::FittedText(HDC dc, const std::wstring& text, const Rect& rect,
                             UINT format) const {
  HFONT font = FontToFit(dc, mainFont_, text, rect, format);
  Text(dc, text, rect, format, font);
  if (font != mainFont_) DeleteObject(font);
}

void MainPainter::WrappedText(HDC dc, const std::wstring& text, const Rect& rect) const {
  const HGDIOBJ old = SelectObject(dc, mainFont_);
  SetBkMode(dc, TRANSPARENT);
  const Rgb colour = state_.textColour;
  SetTextColor(dc, RGB(colour.red, colour.green, colour.blue));
  const int length = static_cast<int>(text.size());
  constexpr UINT kFormat = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;
  // Measure the block first, then give it the rectangle shrunk by half the spare height at
  // the top and at the bottom.
  RECT measured{rect.left, rect.top, rect.right, rect.top};
  DrawTextW(dc, text.c_str(), length, &measured, kFormat | DT_CALCRECT);
  const int block = measured.bottom - measured.top;
  const int top = rect.top + (rect.height() - block) / 2;
  RECT r{rect.left, top, rect.right,
         std::max(rect.bottom - (rect.height() - block) / 2, top + block)};
  DrawTextW(dc, text.c_str(), length, &r, kFormat);
  SelectObject(dc, old);
}

void MainPainter::Chrome(HDC dc, MouseView view) const {
  const LanguageTable& texts = state_.texts;
  Image(dc, skin::kMain, 0, 0);
  Image(dc, skin::kLogo, 20, 32);
  Image(dc, skin::kScrollTrack, 984, 32);
  Image(dc, skin::kHelpNormal, kHelpButton.left, kHelpButton.top);
  Image(dc, skin::kMinimiseNormal, kMinimiseButton.left, kMinimiseButton.top);
  Image(dc, skin::kCloseNormal, kCloseButton.left, kCloseButton.top);
  Image(dc, skin::kCancelNormal, kResetButton.left, kResetButton.top);
  Image(dc, skin::kCancelNormal, kCancelButton.left, kCancelButton.top);
  Image(dc, skin::kSaveNormal, kSaveButton.left, kSaveButton.top);
  Image(dc, skin::kConfigNormal, kConfigButton.left, kConfigButton.top);
  ViewButtons(dc, view);
  MousePicture(dc, view);
  Text(dc, texts[slot::kReset], kResetButton, DT_CENTER);
  Text(dc, texts[slot::kCancel], kCancelButton, DT_CENTER);
  Text(dc, texts[slot::kSave], kSaveButton, DT_CENTER);
  Text(dc, texts[slot::kConfig], {43, kConfigButton.top, kConfigButton.right, kConfigButton.bottom},
       DT_LEFT);
}

void MainPainter::SaveButton(HDC dc, int percent) const {
  BackgroundUnder(dc, skin::kSaveNormal, kSaveButton);
  Image(dc, skin::kSaveNormal, kSaveButton.left, kSaveButton.top);
  if (percent < 0) {
    Text(dc, state_.texts[slot::kSave], kSaveButton, DT_CENTER);
    return;
  }
  percent = std::min(percent, 100);
  Text(dc, std::to_wstring(percent) + L"%", kSaveButton, DT_CENTER);
  constexpr int kInset = 4;
  constexpr int kBarHeight = 2;
  const int width = kSaveButton.width() - 2 * kInset;
  const RECT bar{kSaveButton.left + kInset, kSaveButton.bottom - kInset - kBarHeight,
                 kSaveButton.left + kInset + width * percent / 100, kSaveButton.bottom - kInset};
  const Rgb colour = state_.textColour;
  HBRUSH brush = CreateSolidBrush(RGB(colour.red, colour.green, colour.blue));
  FillRect(dc, &bar, brush);
  DeleteObject(brush);
}

void MainPainter::ViewButtons(HDC dc, MouseView view) const {
  const bool front = view == MouseView::Front;
  Image(dc, front ? skin::kViewButtonSelected : skin::kViewButtonNormal, kFrontViewButton.left,
        kFrontViewButton.top);
  Image(dc, front ? skin::kViewButtonNormal : skin::kViewButtonSelected, kSideViewButton.left,
        kSideViewButton.top);
  Text(dc, state_.texts[slot::kFront], kFrontViewButton, DT_CENTER);
  Text(dc, state_.texts[slot::kSide], kSideViewButton, DT_CENTER);
}

void MainPainter::MousePicture(HDC dc, MouseView view) const {
  if (view == MouseView::Front) {
    Image(dc, skin::kMouseFront, skin::kMouseFrontAt.x, skin::kMouseFrontAt.y);
  } else {
    Image(dc, skin::kMouseSide, skin::kMouseSideAt.x, skin::kMouseSideAt.y);
  }
}

void MainPainter::MousePictureAgain(HDC dc, MouseView view) const {
  const bool front = view == MouseView::Front;
  const wchar_t* picture = front ? skin::kMouseFront : skin::kMouseSide;
  const Point at = front ? skin::kMouseFrontAt : skin::kMouseSideAt;
  const Size size = Measure(Path(picture));
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, at.x, at.y, at.x + size.width, at.y + size.height);
  Image(dc, skin::kMain, 0, 0);
  if (middlePanelDrawn_) Image(dc, skin::kMainMid, kMiddlePanel.left, kMiddlePanel.top);
  Image(dc, picture, at.x, at.y);
  RestoreDC(dc, saved);
}

void MainPainter::BackgroundUnder(HDC dc, const wchar_t* image, const Rect& rect) const {
  const Size size = Measure(Path(image));
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, rect.left, rect.top, std::max(rect.right, rect.left + size.width),
                    std::max(rect.bottom, rect.top + size.height));
  Image(dc, skin::kMain, 0, 0);
  RestoreDC(dc, saved);
}

void MainPainter::Header(HDC dc, gm::Page page, const Rect& header) const {
  Image(dc, page == Page::MacroManager ? skin::kMacroManagerHeader : skin::kHeader, header.left,
        header.top);
  Text(dc, state_.texts[kHeaderTextSlot[PageIndex(page)]],
       {header.left + 10, header.top, header.right, header.bottom}, DT_LEFT);
}

void MainPainter::LeftColumnBackground(HDC dc) const {
  Image(dc, skin::kMainLeft, 20, 107);
}

void MainPainter::RightColumnBackground(HDC dc) const {
  Image(dc, skin::kMainRight, 734, 32);
}

void MainPainter::Column(HDC dc, const ColumnPlan& plan, MouseView view,
                         const PageSizes& sizes) const {
  for (const PageDraw& draw : plan.pages) {
    Header(dc, draw.page, draw.header);
    if (draw.open) Page(dc, draw, view, sizes);
  }
}

void MainPainter::Page(HDC dc, const PageDraw& draw, MouseView view, const PageSizes& sizes) const {
  if (draw.page == Page::ButtonAssignment) {
    Image(dc, view == MouseView::Front ? skin::kButtonAssignmentFront : skin::kButtonAssignmentSide,
          draw.originX, draw.originY);
    ButtonRows(dc, view);
    return;
  }
  PagePainter(*this).OpenPage(dc, draw.page, PlaceOf(draw, sizes));
}

void MainPainter::ButtonRow(HDC dc, MouseView view, int row, const wchar_t* look) const {
  const bool front = view == MouseView::Front;
  const std::size_t button = (front ? 0 : kFrontRows) + static_cast<std::size_t>(row);
  const int top = 129 + 20 * row;
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, 31, top, 262, top + 16);
  Image(dc, front ? skin::kButtonAssignmentFront : skin::kButtonAssignmentSide, 20, 127);
  RestoreDC(dc, saved);
  Text(dc, state_.texts[slot::kFirstButtonName + button], {31, top, 115, top + 16}, DT_CENTER);
  Image(dc, look, 120, top);
  Label(dc, state_.labels[button], top);
}

void MainPainter::Label(HDC dc, const std::wstring& label, int top) const {
  // A label a little wider than its box (a catalogue text in German or Russian) is drawn a
  // pixel or two smaller; one that is still too wide (a long macro name or combination) ends
  // with "..." inside the box in the usual font: the mark says the label is longer, and a
  // font small enough for it would soon be unreadable. The box is the whole span a label can
  // cover, so redrawing the row puts back everything an older label drew.
  constexpr int kSmallerBy = 2;
  const Rect box{120, top, 250, top + 16};
  const int room = box.width() - 2;
  LOGFONTW logFont{};
  GetObjectW(mainFont_, sizeof(logFont), &logFont);
  const int height = logFont.lfHeight < 0 ? -logFont.lfHeight : logFont.lfHeight;
  HFONT font = SmallerFontToFit(dc, mainFont_, label, room, height - kSmallerBy);
  if (TextWidth(dc, font, label) <= room) {
    Text(dc, label, box, DT_CENTER, font);
  } else {
    Text(dc, label, box, DT_CENTER | DT_END_ELLIPSIS);
  }
  if (font != mainFont_) DeleteObject(font);
}

void MainPainter::ButtonRows(HDC dc, MouseView view) const {
  const bool front = view == MouseView::Front;
  const int rows = front ? kFrontRows : kSideRows;
  const std::size_t firstButton = front ? 0 : kFrontRows;
  for (int r = 0; r < rows; ++r) {
    const std::size_t button = firstButton + static_cast<std::size_t>(r);
    const int top = 129 + 20 * r;
    Text(dc, state_.texts[slot::kFirstButtonName + button], {31, top, 115, top + 16}, DT_CENTER);
    Image(dc, skin::kDropdownNormal, 120, top);
    Label(dc, state_.labels[button], top);
  }
}

PageSizes MainPainter::MeasurePages() const {
  PageSizes sizes;
  sizes.buttonAssignmentFront = Measure(Path(skin::kButtonAssignmentFront));
  sizes.buttonAssignmentSide = Measure(Path(skin::kButtonAssignmentSide));
  sizes.xySensitivity = Measure(Path(skin::kXYSensitivityPage));
  sizes.dpi = Measure(Path(skin::kDpiPage));
  sizes.lighting = Measure(Path(skin::kLightingPage));
  sizes.reportRate = Measure(Path(skin::kReportRatePage));
  sizes.mouseAttribute = Measure(Path(skin::kMouseSpeedPage));
  sizes.scrollSpeed = Measure(Path(skin::kScrollSpeedPage));
  sizes.angleSnap = Measure(Path(skin::kAngleSnapPage));
  sizes.gestureCorrection = Measure(Path(skin::kGesturePage));
  return sizes;
}

}  // namespace gm
