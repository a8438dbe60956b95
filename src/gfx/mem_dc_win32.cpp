#include "gfx/mem_dc_win32.h"

namespace gm::gfx {

CMemDC::CMemDC(HDC target, const RECT* rect) : target_(target) {
  if (rect != nullptr && !IsRectEmpty(rect)) {
    rect_ = *rect;
  } else {
    GetClipBox(target, &rect_);
  }
  if (GetDeviceCaps(target, TECHNOLOGY) == DT_RASPRINTER) return;
  memory_ = CreateCompatibleDC(target);
  bitmap_ = CreateCompatibleBitmap(target, rect_.right - rect_.left, rect_.bottom - rect_.top);
  if (memory_ == nullptr || bitmap_ == nullptr) {
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    if (memory_ != nullptr) DeleteDC(memory_);
    memory_ = nullptr;
    bitmap_ = nullptr;
    return;  // draw straight into the target rather than nowhere
  }
  oldBitmap_ = SelectObject(memory_, bitmap_);
  SetWindowOrgEx(memory_, rect_.left, rect_.top, nullptr);
  offScreen_ = true;
}

CMemDC::CMemDC(HDC target, HBITMAP picture) : target_(target) {
  BITMAP info{};
  memory_ = CreateCompatibleDC(target);
  if (memory_ != nullptr && GetObjectW(picture, sizeof(info), &info) != 0) {
    oldBitmap_ = SelectObject(memory_, picture);
  }
  // Not selectable: drawing into the target beats copying the context's empty bitmap over it.
  if (oldBitmap_ == nullptr) {
    if (memory_ != nullptr) DeleteDC(memory_);
    memory_ = nullptr;
    GetClipBox(target, &rect_);
    return;
  }
  rect_ = {0, 0, info.bmWidth, info.bmHeight};
  offScreen_ = true;
}

CMemDC::~CMemDC() {
  if (!offScreen_) return;
  BitBlt(target_, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top,
         memory_, rect_.left, rect_.top, SRCCOPY);
  SelectObject(memory_, oldBitmap_);
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  DeleteDC(memory_);
}

}  // namespace gm::gfx
