// What the macro dialogs share beyond the common dialog picture: a face that can restore any
// part of itself from the background before drawing it again, the window that shows it and
// follows the pointer over it, word-wrapped texts, and list boxes kept equal to a list of lines.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/geometry.h"
#include "ui/dialog_picture_win32.h"
#include "ui/wnd_win32.h"

namespace gm {

// The background as loaded, kept for the dialog's life, and the picture every paint and update
// draws into. An update restores its area from the background, draws, and copies the picture
// to the window in one step.
class DialogFace {
 public:
  // False when the background cannot be loaded.
  bool Load(HWND window, const std::wstring& path);
  bool loaded() const { return picture_.loaded(); }
  Size size() const { return {picture_.size().cx, picture_.size().cy}; }

  void Update(const Rect& area, const std::function<void(HDC)>& draw);
  void Redraw(const std::function<void(HDC)>& draw) {
    Update({0, 0, size().width, size().height}, draw);
  }
  // The picture as it is, into a window's paint context.
  void Paint(HDC dc) const { picture_.CopyTo(dc); }

 private:
  HWND window_ = nullptr;
  DialogPicture background_;
  DialogPicture picture_;
};

// A window whose face is a DialogFace: painted from it once it is loaded, and told where the
// pointer is until it leaves the window.
class FacedWindow : public Wnd {
 protected:
  LRESULT OnEraseBackground(HDC dc) override;
  void OnPaint(HDC dc) override;
  void OnMouseMove(Point p) override;
  void OnMouseLeave() override;
  // The pointer is at `at` in the client area, or (nullopt) has left the window.
  virtual void OnPointer(std::optional<Point> at) = 0;

  DialogFace face_;

 private:
  bool trackingLeave_ = false;
};

// Texts with a transparent background; one that does not fit spills out of its rectangle.
// One line centred in both directions, or at the left edge centred vertically.
void DrawCentredText(HDC dc, std::wstring_view text, const Rect& rect, COLORREF colour, HFONT font);
void DrawLeftText(HDC dc, std::wstring_view text, const Rect& rect, COLORREF colour, HFONT font);
// Where a block of lines taller than its rectangle goes: out evenly above and below, or, where
// something lies just below (above) the rectangle, keeping to its bottom (top) edge.
enum class Spill { Even, Up, Down };
// Word-wrapped lines, centred vertically as a block. A block taller than the rectangle and the
// room of 2 * `room` pixels beside it (`room` above and below when it spills evenly) is drawn in
// a smaller size of the font until it fits.
void DrawWrappedText(HDC dc, std::wstring_view text, const Rect& rect, COLORREF colour, HFONT font,
                     int room, Spill spill = Spill::Even);

// The rectangle with, across it, the extent of the text drawn centred in it in this font: the
// area a redraw must restore when the text is wider than its rectangle.
Rect CentredTextArea(HWND window, HFONT font, std::wstring_view text, const Rect& rect);

// The text as it fits into `width` pixels in the font selected into the DC: whole, or cut between
// two characters and ended with "..." (the main window's rows end a long label so).
std::wstring EndEllipsis(HDC dc, std::wstring_view text, int width);
// The lines as they fit across the list box in its font (EndEllipsis).
std::vector<std::wstring> FittedListLines(HWND list, const std::vector<std::wstring>& lines);

// Makes the list box show `lines` with `selected` selected (-1: none), rewriting only the lines
// from the first that differs.
void SyncListBox(HWND list, const std::vector<std::wstring>& lines, int selected);

}  // namespace gm
