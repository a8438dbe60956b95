#include "ui/dialog_picture_win32.h"

#include <optional>

#include "gfx/image_win32.h"
#include "gfx/mem_dc_win32.h"

namespace gm {

DialogPicture::~DialogPicture() {
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

bool DialogPicture::Load(const std::wstring& path) {
  std::optional<gfx::DibImage> image = gfx::DibImage::Load(path);
  if (!image) return false;
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, image->width(), image->height());
  ReleaseDC(nullptr, screen);
  if (bitmap == nullptr) return false;
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  bitmap_ = bitmap;
  size_ = {image->width(), image->height()};
  image->Premultiply();
  DrawInto([&image](HDC dc) {
    // Whatever the image leaves transparent shows black, as on a fresh bitmap.
    const RECT all{0, 0, image->width(), image->height()};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    image->Draw(dc, 0, 0);
  });
  return true;
}

void DialogPicture::CopyTo(HDC target) const {
  if (bitmap_ == nullptr) return;
  gfx::CMemDC picture(target, bitmap_);
}

void DrawLine(HDC dc, const std::wstring& text, RECT rect, COLORREF colour, HFONT font,
              UINT format) {
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(dc, colour);
  const HGDIOBJ oldFont = font != nullptr ? SelectObject(dc, font) : nullptr;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            format | DT_SINGLELINE | DT_NOPREFIX);
  if (oldFont != nullptr) SelectObject(dc, oldFont);
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}

}  // namespace gm
