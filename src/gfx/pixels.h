// Pixel arithmetic of the image drawing that does not need the platform.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace gm::gfx {

// Premultiplies 8-bit blue, green, red, alpha pixels in place, as per-pixel alpha blending
// wants them: each colour channel becomes floor(channel * alpha / 255); alpha stays.
// A trailing partial pixel (size not a multiple of 4) is left alone.
void PremultiplyBgra(std::span<std::uint8_t> pixels);

// A 5 x 5 colour matrix laid out as GDI+ expects it: the row vector (r, g, b, a, 1), each
// channel 0..1, times the matrix gives (r', g', b', a', w).
using ColorMatrix = std::array<std::array<float, 5>, 5>;

// The highlighted look of an image button: each colour channel becomes 1.05 c + 0.05.
ColorMatrix HighlightMatrix();
// The greyed look of a disabled image button: every channel becomes 0.3 r + 0.59 g + 0.11 b.
ColorMatrix GreyMatrix();

struct ColorF {
  float r = 0;
  float g = 0;
  float b = 0;
  float a = 0;
};

// What GDI+ makes of one colour through the matrix, results clamped to 0..1.
ColorF TransformColor(const ColorMatrix& matrix, ColorF color);

}  // namespace gm::gfx
