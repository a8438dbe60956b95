#include "gfx/gdiplus_bitmap_win32.h"

#include <cstring>

namespace gm::gfx {

using namespace Gdiplus::DllExports;

CGdiPlusBitmap::~CGdiPlusBitmap() {
  CGdiPlusBitmap::Empty();
}

bool CGdiPlusBitmap::Load(const wchar_t* file) {
  Empty();
  if (GdipCreateBitmapFromFile(file, &bitmap_) != Gdiplus::Ok) bitmap_ = nullptr;
  return bitmap_ != nullptr;
}

void CGdiPlusBitmap::Empty() {
  if (bitmap_ != nullptr) GdipDisposeImage(bitmap_);
  bitmap_ = nullptr;
}

UINT CGdiPlusBitmap::width() const {
  UINT width = 0;
  if (bitmap_ != nullptr) GdipGetImageWidth(bitmap_, &width);
  return width;
}

UINT CGdiPlusBitmap::height() const {
  UINT height = 0;
  if (bitmap_ != nullptr) GdipGetImageHeight(bitmap_, &height);
  return height;
}

CGdiPlusBitmapResource::~CGdiPlusBitmapResource() {
  CGdiPlusBitmapResource::Empty();
}

void CGdiPlusBitmapResource::Empty() {
  CGdiPlusBitmap::Empty();
  if (buffer_ != nullptr) GlobalFree(buffer_);
  buffer_ = nullptr;
}

bool CGdiPlusBitmapResource::Load(UINT id, const wchar_t* type, HMODULE module) {
  Empty();
  if (module == nullptr) module = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), type);
  if (resource == nullptr) return false;
  const DWORD size = SizeofResource(module, resource);
  if (size == 0) return false;
  HGLOBAL loaded = LoadResource(module, resource);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return false;

  buffer_ = GlobalAlloc(GMEM_MOVEABLE, size);
  if (buffer_ == nullptr) return false;
  void* copy = GlobalLock(buffer_);
  if (copy == nullptr) {
    Empty();
    return false;
  }
  std::memcpy(copy, bytes, size);
  GlobalUnlock(buffer_);

  IStream* stream = nullptr;
  if (CreateStreamOnHGlobal(buffer_, FALSE, &stream) != S_OK || stream == nullptr) {
    Empty();
    return false;
  }
  if (GdipCreateBitmapFromStream(stream, &bitmap_) != Gdiplus::Ok) bitmap_ = nullptr;
  stream->Release();
  if (bitmap_ == nullptr) {
    Empty();
    return false;
  }
  return true;
}

}  // namespace gm::gfx
