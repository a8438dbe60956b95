#include "gfx/image_win32.h"

#include <array>
#include <cstring>
#include <span>
#include <utility>
#include <vector>

#include "gfx/gdiplus_win32.h"
#include "gfx/pixels.h"
#include "gfx/png_header.h"

namespace gm::gfx {
namespace {

using namespace Gdiplus::DllExports;

// Owns a GDI+ bitmap for the length of a load.
struct GpBitmapHolder {
  Gdiplus::GpBitmap* bitmap = nullptr;
  ~GpBitmapHolder() {
    if (bitmap != nullptr) GdipDisposeImage(bitmap);
  }
};

// The single fully transparent entry of a palette whose other entries are opaque, if any.
std::optional<COLORREF> TransparentPaletteColour(Gdiplus::GpBitmap* bitmap, bool& partialAlpha) {
  partialAlpha = false;
  INT size = 0;
  if (GdipGetImagePaletteSize(bitmap, &size) != Gdiplus::Ok ||
      size < static_cast<INT>(sizeof(Gdiplus::ColorPalette)))
    return std::nullopt;
  std::vector<std::uint8_t> storage(static_cast<std::size_t>(size));
  auto* palette = reinterpret_cast<Gdiplus::ColorPalette*>(storage.data());
  if (GdipGetImagePalette(bitmap, palette, size) != Gdiplus::Ok) return std::nullopt;
  if ((palette->Flags & Gdiplus::PaletteFlagsHasAlpha) == 0) return std::nullopt;
  std::optional<COLORREF> key;
  for (UINT i = 0; i < palette->Count; ++i) {
    const Gdiplus::ARGB entry = palette->Entries[i];
    const unsigned alpha = entry >> 24;
    if (alpha == 255) continue;
    if (alpha != 0 || key) {
      partialAlpha = true;
      return std::nullopt;
    }
    key = RGB((entry >> 16) & 0xFF, (entry >> 8) & 0xFF, entry & 0xFF);
  }
  // The key must not also be the colour of an opaque entry, or those pixels would vanish.
  for (UINT i = 0; key && i < palette->Count; ++i) {
    const Gdiplus::ARGB entry = palette->Entries[i];
    if ((entry >> 24) == 255 &&
        RGB((entry >> 16) & 0xFF, (entry >> 8) & 0xFF, entry & 0xFF) == *key) {
      partialAlpha = true;
      return std::nullopt;
    }
  }
  return key;
}

// The width and height of a well-formed PNG header at the start of the file; nothing for any
// other file (GDI+ then measures it).
std::optional<PngSize> ReadPngSize(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::array<std::uint8_t, kPngHeaderSize> header{};
  DWORD got = 0;
  const BOOL read = ReadFile(file, header.data(), kPngHeaderSize, &got, nullptr);
  CloseHandle(file);
  if (!read || got != kPngHeaderSize) return std::nullopt;
  return PngHeaderSize(header);
}

}  // namespace

DibImage::DibImage(DibImage&& other) noexcept {
  *this = std::move(other);
}

DibImage& DibImage::operator=(DibImage&& other) noexcept {
  if (this != &other) {
    Release();
    bitmap_ = std::exchange(other.bitmap_, nullptr);
    bits_ = std::exchange(other.bits_, nullptr);
    width_ = other.width_;
    height_ = other.height_;
    bitsPerPixel_ = other.bitsPerPixel_;
    pitch_ = other.pitch_;
    hasAlpha_ = other.hasAlpha_;
    transparentColour_ = other.transparentColour_;
  }
  return *this;
}

DibImage::~DibImage() {
  Release();
}

void DibImage::Release() {
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  bitmap_ = nullptr;
  bits_ = nullptr;
}

std::optional<DibImage> DibImage::Load(const std::wstring& path) {
  GpBitmapHolder source;
  if (GdipCreateBitmapFromFile(path.c_str(), &source.bitmap) != Gdiplus::Ok) return std::nullopt;
  UINT width = 0;
  UINT height = 0;
  Gdiplus::PixelFormat format = 0;
  if (GdipGetImageWidth(source.bitmap, &width) != Gdiplus::Ok ||
      GdipGetImageHeight(source.bitmap, &height) != Gdiplus::Ok ||
      GdipGetImagePixelFormat(source.bitmap, &format) != Gdiplus::Ok || width == 0 || height == 0 ||
      width > 0x4000 || height > 0x4000)
    return std::nullopt;

  DibImage image;
  bool partialAlpha = false;
  if (Gdiplus::IsIndexedPixelFormat(format))
    image.transparentColour_ = TransparentPaletteColour(source.bitmap, partialAlpha);
  image.hasAlpha_ = Gdiplus::IsAlphaPixelFormat(format) || partialAlpha;
  image.width_ = static_cast<int>(width);
  image.height_ = static_cast<int>(height);
  image.bitsPerPixel_ = image.hasAlpha_ ? 32 : 24;
  image.pitch_ = ((image.width_ * image.bitsPerPixel_ / 8) + 3) & ~3;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = image.width_;
  info.bmiHeader.biHeight = -image.height_;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(image.bitsPerPixel_);
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  image.bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (image.bitmap_ == nullptr || bits == nullptr) return std::nullopt;
  image.bits_ = static_cast<std::uint8_t*>(bits);

  // GDI+ writes straight into the DIB: the locked buffer is ours (ImageLockModeUserInputBuf).
  Gdiplus::BitmapData data{};
  data.Width = width;
  data.Height = height;
  data.Stride = image.pitch_;
  data.PixelFormat = image.hasAlpha_ ? PixelFormat32bppARGB : PixelFormat24bppRGB;
  data.Scan0 = bits;
  const Gdiplus::GpRect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
  if (GdipBitmapLockBits(source.bitmap, &all,
                         Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                         data.PixelFormat, &data) != Gdiplus::Ok)
    return std::nullopt;
  GdipBitmapUnlockBits(source.bitmap, &data);
  return image;
}

void DibImage::Premultiply() {
  if (bitsPerPixel_ != 32 || bits_ == nullptr) return;
  GdiFlush();
  PremultiplyBgra(std::span<std::uint8_t>(
      bits_, static_cast<std::size_t>(pitch_) * static_cast<std::size_t>(height_)));
}

bool DibImage::Draw(HDC dc, int x, int y) const {
  if (bitmap_ == nullptr) return false;
  HDC source = CreateCompatibleDC(dc);
  if (source == nullptr) return false;
  HGDIOBJ old = SelectObject(source, bitmap_);
  BOOL done = FALSE;
  if (hasAlpha_) {
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    done = AlphaBlend(dc, x, y, width_, height_, source, 0, 0, width_, height_, blend);
  } else if (transparentColour_) {
    done = TransparentBlt(dc, x, y, width_, height_, source, 0, 0, width_, height_,
                          *transparentColour_);
  } else {
    done = StretchBlt(dc, x, y, width_, height_, source, 0, 0, width_, height_, SRCCOPY);
  }
  SelectObject(source, old);
  DeleteDC(source);
  return done != FALSE;
}

int DrawPng(Host& host, HDC dc, const std::wstring& path, int x, int y) {
  std::optional<DibImage> image = DibImage::Load(path);
  if (!image) {
    host.ShowMessage(kLoadImageFailed, kApplicationCaption, kMbOk);
    return 0;
  }
  image->Premultiply();
  image->Draw(dc, x, y);
  return 1;
}

bool DrawSkinImage(HDC dc, const std::wstring& path, int x, int y) {
  std::optional<DibImage> image = DibImage::Load(path);
  if (!image) return false;
  image->Premultiply();
  return image->Draw(dc, x, y);
}

std::optional<SIZE> ImageFileSize(const std::wstring& path) {
  // A PNG says its size in its first chunk: reading 33 bytes spares decoding the whole image
  // (GDI+ under Wine decodes every pixel when it opens a file).
  if (const std::optional<PngSize> size = ReadPngSize(path))
    return SIZE{static_cast<LONG>(size->width), static_cast<LONG>(size->height)};
  GpBitmapHolder source;
  if (GdipCreateBitmapFromFile(path.c_str(), &source.bitmap) != Gdiplus::Ok) return std::nullopt;
  UINT width = 0;
  UINT height = 0;
  if (GdipGetImageWidth(source.bitmap, &width) != Gdiplus::Ok ||
      GdipGetImageHeight(source.bitmap, &height) != Gdiplus::Ok)
    return std::nullopt;
  return SIZE{static_cast<LONG>(width), static_cast<LONG>(height)};
}

}  // namespace gm::gfx
