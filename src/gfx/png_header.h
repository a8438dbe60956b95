// The size a PNG file declares in its header, read without decoding the image, and whether a
// file holds a whole PNG stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace gm::gfx {

// The signature and the whole first chunk (IHDR with its CRC).
inline constexpr std::size_t kPngHeaderSize = 33;

struct PngSize {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
};

// Width and height from the first bytes of a file, when they are a PNG signature followed by an
// IHDR chunk that a decoder accepts (sizes 1..2^31-1, a valid depth and colour type, standard
// methods, a matching CRC); nothing otherwise.
std::optional<PngSize> PngHeaderSize(std::span<const std::uint8_t> bytes);

// True when the bytes are a whole PNG stream: a valid header, then chunks that each fit and
// carry a matching CRC, image data, and the end chunk. A truncated or damaged file is not;
// checked without decompressing the image.
bool PngStreamComplete(std::span<const std::uint8_t> bytes);

}  // namespace gm::gfx
