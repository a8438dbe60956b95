// Skin images: loading an image file into a device-independent bitmap and drawing it with its
// alpha channel at its own size.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/host.h"

namespace gm::gfx {

// The caption of the toolkit's own message boxes: the application's default caption.
inline constexpr wchar_t kApplicationCaption[] = L"QL-GM900";
inline constexpr wchar_t kLoadImageFailed[] = L"LoadPng---Load image failed.";

// A decoded image: a top-down DIB section of 32 bits per pixel (blue, green, red, alpha) when the
// file carries alpha, else 24 bits per pixel; an image with one fully transparent palette
// colour is kept as 24 bits with that colour as its transparent colour.
class DibImage {
 public:
  DibImage() = default;
  DibImage(DibImage&& other) noexcept;
  DibImage& operator=(DibImage&& other) noexcept;
  DibImage(const DibImage&) = delete;
  DibImage& operator=(const DibImage&) = delete;
  ~DibImage();

  // Decodes any file GDI+ reads; nothing on failure.
  static std::optional<DibImage> Load(const std::wstring& path);

  HBITMAP bitmap() const { return bitmap_; }
  int width() const { return width_; }
  int height() const { return height_; }
  int bitsPerPixel() const { return bitsPerPixel_; }
  int pitch() const { return pitch_; }
  bool hasAlpha() const { return hasAlpha_; }
  std::optional<COLORREF> transparentColour() const { return transparentColour_; }
  std::uint8_t* bits() const { return bits_; }

  // Multiplies the colour channels by alpha, as per-pixel blending wants them (32-bit only).
  void Premultiply();
  // Draws the image at (x, y) at its own size: blended by its alpha, keyed by its transparent
  // colour, or copied. Expects premultiplied pixels for an image with alpha.
  bool Draw(HDC dc, int x, int y) const;

 private:
  void Release();

  HBITMAP bitmap_ = nullptr;
  std::uint8_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int bitsPerPixel_ = 0;
  int pitch_ = 0;
  bool hasAlpha_ = false;
  std::optional<COLORREF> transparentColour_;
};

// Draws the image file at (x, y): 1 on success; on failure shows "LoadPng---Load image
// failed." through the host (owned by its window) and returns 0. Reads the file every time.
int DrawPng(Host& host, HDC dc, const std::wstring& path, int x, int y);

// The main window's variant: a file that cannot be loaded draws nothing and says nothing.
bool DrawSkinImage(HDC dc, const std::wstring& path, int x, int y);

// Width and height of an image file without drawing it; nothing if it cannot be loaded.
std::optional<SIZE> ImageFileSize(const std::wstring& path);

}  // namespace gm::gfx
