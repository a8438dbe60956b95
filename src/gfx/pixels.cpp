#include "gfx/pixels.h"

#include <algorithm>

namespace gm::gfx {

void PremultiplyBgra(std::span<std::uint8_t> pixels) {
  const std::size_t whole = pixels.size() - pixels.size() % 4;
  for (std::size_t i = 0; i < whole; i += 4) {
    const unsigned alpha = pixels[i + 3];
    for (std::size_t c = 0; c < 3; ++c)
      pixels[i + c] = static_cast<std::uint8_t>(pixels[i + c] * alpha / 255u);
  }
}

ColorMatrix HighlightMatrix() {
  ColorMatrix m{};
  m[0][0] = m[1][1] = m[2][2] = 1.05f;
  m[3][3] = 1.0f;
  m[4][0] = m[4][1] = m[4][2] = 0.05f;
  m[4][4] = 1.0f;
  return m;
}

ColorMatrix GreyMatrix() {
  ColorMatrix m{};
  for (std::size_t out = 0; out < 3; ++out) {
    m[0][out] = 0.3f;
    m[1][out] = 0.59f;
    m[2][out] = 0.11f;
  }
  m[3][3] = 1.0f;
  m[4][4] = 1.0f;
  return m;
}

ColorF TransformColor(const ColorMatrix& matrix, ColorF color) {
  const std::array<float, 5> in{color.r, color.g, color.b, color.a, 1.0f};
  std::array<float, 4> out{};
  for (std::size_t col = 0; col < 4; ++col) {
    float sum = 0;
    for (std::size_t row = 0; row < 5; ++row) sum += in[row] * matrix[row][col];
    out[col] = std::clamp(sum, 0.0f, 1.0f);
  }
  return {out[0], out[1], out[2], out[3]};
}

}  // namespace gm::gfx
