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
// Word-wrapped lines, centred vertically as a block. A block taller than the rectangle and
// `room` pixels above and below it is drawn in a smaller size of the font until it fits.
// With `upward`, a block taller than the rectangle keeps to its bottom edge and takes the
// room above only (something lies just below the rectangle).
void DrawWrappedText(HDC dc, std::wstring_view text, const Rect& rect, COLORREF colour, HFONT font,
                     int room, bool upward = false);

// The rectangle with, across it, the extent of the text drawn centred in it in this font: the
// area a redraw must restore when the text is wider than its rectangle.
Rect CentredTextArea(HWND window, HFONT font, std::wstring_view text, const Rect& rect);

// Makes the list box show `lines` with `selected` selected (-1: none), rewriting only the lines
// from the first that differs.
void SyncListBox(HWND list, const std::vector<std::wstring>& lines, int selected);

}  // namespace gm
