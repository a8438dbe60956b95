// What the skinned dialogs share: the background bitmap a dialog keeps for its life (the skin
// image it was sized to, with everything drawn on it since), and one-line texts.
#pragma once

#include <windows.h>

#include <string>

#include "ui/main_fonts_win32.h"

namespace gm {

class DialogPicture {
 public:
  DialogPicture() = default;
  DialogPicture(const DialogPicture&) = delete;
  DialogPicture& operator=(const DialogPicture&) = delete;
  ~DialogPicture();

  // Loads the image file into a new bitmap of its size; false (and no bitmap) on failure.
  bool Load(const std::wstring& path);
  bool loaded() const { return bitmap_ != nullptr; }
  SIZE size() const { return size_; }

  // Runs draw(dc) with the bitmap selected into a memory context.
  template <typename Draw>
  void DrawInto(Draw draw) {
    if (bitmap_ == nullptr) return;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    const HGDIOBJ old = SelectObject(memory, bitmap_);
    draw(memory);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
  }
  // Copies the picture to a window's context in one step (a CMemDC over the bitmap).
  void CopyTo(HDC target) const;

 private:
  HBITMAP bitmap_ = nullptr;
  SIZE size_{};
};

// Draws a single line of text into a rectangle with a transparent background.
void DrawLine(HDC dc, const std::wstring& text, RECT rect, COLORREF colour, HFONT font,
              UINT format);

}  // namespace gm
