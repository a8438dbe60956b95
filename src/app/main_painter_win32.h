// Draws the main window from the skin into its off-screen picture: the chrome (background,
// logo, buttons, mouse picture), the page headers and the open pages of a column plan.
#pragma once

#include <windows.h>

#include <string>

#include "app/app_state.h"
#include "app/main_layout.h"
#include "platform/file_path.h"

namespace gm {

// A label keeps this many pixels free at the sides of its rectangle that it is placed from:
// both for a centred one, the right for a left-aligned one.
inline constexpr int kLabelPadding = 3;

// The font a label is drawn in: `font` when `text` fits `rect` with its padding, else a copy of
// it made smaller until it does (not below 9 pixels), which the caller deletes.
HFONT FontToFit(HDC dc, HFONT font, const std::wstring& text, const Rect& rect, UINT format);
// The same for a text that may take `width` pixels, with a font not smaller than `smallest`
// pixels: the font reached when even that is too wide.
HFONT SmallerFontToFit(HDC dc, HFONT font, const std::wstring& text, int width, int smallest);
// The width of a text in a font.
int TextWidth(HDC dc, HFONT font, const std::wstring& text);

class MainPainter {
 public:
  // middlePanelDrawn: the middle panel's image lies under the mouse picture (after a view
  // change) rather than only the window's background.
  MainPainter(const AppState& state, const FilePath& skinFolder, HFONT mainFont, HFONT smallFont,
              bool middlePanelDrawn = false)
      : state_(state),
        skinFolder_(skinFolder),
        mainFont_(mainFont),
        smallFont_(smallFont),
        middlePanelDrawn_(middlePanelDrawn) {}
  // The painter keeps a reference to the folder: a temporary (a path converted on the way in)
  // would be gone before the first draw.
  MainPainter(const AppState&, FilePath&&, HFONT, HFONT, bool = false) = delete;

  // A skin image at its natural size; a missing file draws nothing.
  void Image(HDC dc, const wchar_t* name, int x, int y) const;
  void Image(HDC dc, const std::wstring& name, int x, int y) const {
    Image(dc, name.c_str(), x, y);
  }
  // One line of text in the skin's colour with a transparent background.
  void Text(HDC dc, const std::wstring& text, const Rect& rect, UINT format,
            HFONT font = nullptr) const;
  // One line of a page's label in rect, in a smaller main font when the language's text would
  // not fit otherwise (FontToFit), so that it is never cut.
  void FittedText(HDC dc, const std::wstring& text, const Rect& rect, UINT format) const;
  // Left-aligned text wrapped at word breaks, the block centred vertically in rect (and
  // reaching beyond it, centred the same, when it needs more height).
  void WrappedText(HDC dc, const std::wstring& text, const Rect& rect) const;

  // Background, logo, scroll track, title-bar and bottom buttons, the view buttons and the
  // mouse picture of the view, and the texts of the buttons.
  void Chrome(HDC dc, MouseView view) const;
  // The Save button while the mouse is written: its face with the share sent as a percentage
  // and a thin bar of that length along its foot, in the skin's text colour. A negative
  // percent draws the button as it is otherwise.
  void SaveButton(HDC dc, int percent) const;
  void ViewButtons(HDC dc, MouseView view) const;
  void MousePicture(HDC dc, MouseView view) const;
  // The mouse picture of the view drawn again, within its own place, over what the window drew
  // under it.
  void MousePictureAgain(HDC dc, MouseView view) const;
  // The window's background within the place of a skin image drawn at the top-left of rect
  // (and within rect): what a button's looks are drawn on.
  void BackgroundUnder(HDC dc, const wchar_t* image, const Rect& rect) const;
  void Header(HDC dc, Page page, const Rect& header) const;
  // The headers of a plan and the pages open below them.
  void Column(HDC dc, const ColumnPlan& plan, MouseView view, const PageSizes& sizes) const;
  // Row `row` of the open button assignment page of the view in one of the drop-down box's
  // looks, drawn again over the page, which is restored under the row first.
  void ButtonRow(HDC dc, MouseView view, int row, const wchar_t* look) const;
  // A button's label on the drop-down box of the row at `top`, kept inside the box.
  void Label(HDC dc, const std::wstring& label, int top) const;
  void LeftColumnBackground(HDC dc) const;
  void RightColumnBackground(HDC dc) const;

  // Sizes of the page backgrounds, read from the skin.
  PageSizes MeasurePages() const;

  const AppState& state() const { return state_; }
  HFONT smallFont() const { return smallFont_; }

 private:
  std::wstring Path(const wchar_t* name) const;
  void Page(HDC dc, const PageDraw& draw, MouseView view, const PageSizes& sizes) const;
  void ButtonRows(HDC dc, MouseView view) const;

  const AppState& state_;
  const FilePath& skinFolder_;
  HFONT mainFont_;
  HFONT smallFont_;
  bool middlePanelDrawn_;
};

}  // namespace gm
