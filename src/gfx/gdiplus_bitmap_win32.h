// GDI+ bitmaps owned by the toolkit: from a file, or from one of the program's PNG resources.
#pragma once

#include "gfx/gdiplus_win32.h"

namespace gm::gfx {

// Resource id of the scroll thumb's image (an 8 x 114 PNG with alpha).
inline constexpr UINT kScrollThumbPng = 184;

class CGdiPlusBitmap {
 public:
  CGdiPlusBitmap() = default;
  virtual ~CGdiPlusBitmap();
  CGdiPlusBitmap(const CGdiPlusBitmap&) = delete;
  CGdiPlusBitmap& operator=(const CGdiPlusBitmap&) = delete;

  bool Load(const wchar_t* file);
  virtual void Empty();
  Gdiplus::GpBitmap* bitmap() const { return bitmap_; }
  explicit operator bool() const { return bitmap_ != nullptr; }
  UINT width() const;
  UINT height() const;

 protected:
  Gdiplus::GpBitmap* bitmap_ = nullptr;
};

class CGdiPlusBitmapResource : public CGdiPlusBitmap {
 public:
  ~CGdiPlusBitmapResource() override;
  // Finds the resource `id` of `type` in `module` (the program when null) and decodes it from a
  // copy in a movable global block, which is kept as long as the bitmap lives.
  bool Load(UINT id, const wchar_t* type = L"PNG", HMODULE module = nullptr);
  void Empty() override;

 private:
  HGLOBAL buffer_ = nullptr;
};

}  // namespace gm::gfx
