// Draws the main window from the skin into its off-screen picture: the chrome (background,
// logo, buttons, mouse picture), the page headers and the open pages of a column plan.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

#include "app/app_state.h"
#include "app/main_layout.h"

namespace gm {

class MainPainter {
 public:
  MainPainter(const AppState& state, const std::filesystem::path& skinFolder, HFONT mainFont,
              HFONT smallFont)
      : state_(state), skinFolder_(skinFolder), mainFont_(mainFont), smallFont_(smallFont) {}

  // A skin image at its natural size; a missing file draws nothing.
  void Image(HDC dc, const wchar_t* name, int x, int y) const;
  void Image(HDC dc, const std::wstring& name, int x, int y) const {
    Image(dc, name.c_str(), x, y);
  }
  // One line of text in the skin's colour with a transparent background.
  void Text(HDC dc, const std::wstring& text, const Rect& rect, UINT format,
            HFONT font = nullptr) const;
  // Left-aligned text wrapped at word breaks, the block centred vertically in rect.
  void WrappedText(HDC dc, const std::wstring& text, const Rect& rect) const;

  // Background, logo, scroll track, title-bar and bottom buttons, the view buttons and the
  // mouse picture of the view, and the texts of the buttons.
  void Chrome(HDC dc, MouseView view) const;
  void ViewButtons(HDC dc, MouseView view) const;
  void MousePicture(HDC dc, MouseView view) const;
  void Header(HDC dc, Page page, const Rect& header) const;
  // The headers of a plan and the pages open below them.
  void Column(HDC dc, const ColumnPlan& plan, MouseView view, const PageSizes& sizes) const;
  // Row `row` of the open button assignment page of the view in one of the drop-down box's
  // looks, drawn again over the page: a caption wider than the box lies on the page beside it,
  // so the page is restored under the row first (nothing of a longer caption stays).
  void ButtonRow(HDC dc, MouseView view, int row, const wchar_t* look) const;
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
  const std::filesystem::path& skinFolder_;
  HFONT mainFont_;
  HFONT smallFont_;
};

}  // namespace gm
