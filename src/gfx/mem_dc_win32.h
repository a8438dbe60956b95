// Off-screen drawing: everything is drawn into a memory context that uses the target's
// coordinates, and the finished picture reaches the target with one copy when the CMemDC ends.
#pragma once

#include <windows.h>

namespace gm::gfx {

class CMemDC {
 public:
  // Draws into a bitmap of its own the size of `rect` (the target's clip box when null or
  // empty). A printer target is drawn into directly.
  explicit CMemDC(HDC target, const RECT* rect = nullptr);
  // Draws into a caller's picture (a window's kept background bitmap), which then covers the
  // target from its origin; the picture stays the caller's. A picture that cannot be selected
  // (still selected elsewhere) leaves the drawing to the target and copies nothing.
  CMemDC(HDC target, HBITMAP picture);
  // Copies the picture to the target at the same place.
  ~CMemDC();
  CMemDC(const CMemDC&) = delete;
  CMemDC& operator=(const CMemDC&) = delete;

  HDC dc() const { return offScreen_ ? memory_ : target_; }
  operator HDC() const { return dc(); }
  const RECT& rect() const { return rect_; }
  bool offScreen() const { return offScreen_; }

 private:
  HDC target_;
  HDC memory_ = nullptr;
  HBITMAP bitmap_ = nullptr;  // ours to delete; null when drawing into a caller's picture
  HGDIOBJ oldBitmap_ = nullptr;
  RECT rect_{};
  bool offScreen_ = false;
};

}  // namespace gm::gfx
