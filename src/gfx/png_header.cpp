#include "gfx/png_header.h"

#include <algorithm>
#include <array>

namespace gm::gfx {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

std::uint32_t BigEndian(std::span<const std::uint8_t> bytes, std::size_t at) {
  return (std::uint32_t{bytes[at]} << 24) | (std::uint32_t{bytes[at + 1]} << 16) |
         (std::uint32_t{bytes[at + 2]} << 8) | std::uint32_t{bytes[at + 3]};
}

// CRC-32 as PNG chunks carry it (ISO 3309, reflected, polynomial 0xEDB88320).
std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const std::uint8_t byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc ^ 0xFFFFFFFFu;
}

bool ValidDepth(std::uint8_t colourType, std::uint8_t depth) {
  switch (colourType) {
    case 0:  // grey
      return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3:  // palette
      return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:  // RGB
    case 4:  // grey with alpha
    case 6:  // RGB with alpha
      return depth == 8 || depth == 16;
    default:
      return false;
  }
}

}  // namespace

std::optional<PngSize> PngHeaderSize(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kPngHeaderSize) return std::nullopt;
  for (std::size_t i = 0; i < kSignature.size(); ++i)
    if (bytes[i] != kSignature[i]) return std::nullopt;
  // Length 13 and type "IHDR", then width, height, depth, colour type, compression, filter,
  // interlace, and the CRC of type and data.
  if (BigEndian(bytes, 8) != 13 || bytes[12] != 'I' || bytes[13] != 'H' || bytes[14] != 'D' ||
      bytes[15] != 'R')
    return std::nullopt;
  const PngSize size{BigEndian(bytes, 16), BigEndian(bytes, 20)};
  constexpr std::uint32_t kLargest = 0x7FFFFFFFu;
  if (size.width == 0 || size.height == 0 || size.width > kLargest || size.height > kLargest)
    return std::nullopt;
  if (!ValidDepth(bytes[25], bytes[24]) || bytes[26] != 0 || bytes[27] != 0 || bytes[28] > 1)
    return std::nullopt;
  if (Crc32(bytes.subspan(12, 17)) != BigEndian(bytes, 29)) return std::nullopt;
  return size;
}

bool PngStreamComplete(std::span<const std::uint8_t> bytes) {
  if (!PngHeaderSize(bytes)) return false;
  bool imageData = false;
  // Each chunk: length, type, data, CRC of type and data.
  for (std::size_t at = kSignature.size(); bytes.size() - at >= 12;) {
    const std::uint32_t length = BigEndian(bytes, at);
    if (length > bytes.size() - at - 12) return false;
    const std::span<const std::uint8_t> typeAndData = bytes.subspan(at + 4, 4 + length);
    if (Crc32(typeAndData) != BigEndian(bytes, at + 8 + length)) return false;
    const auto is = [&](const char* type) {
      return std::equal(typeAndData.begin(), typeAndData.begin() + 4, type);
    };
    if (is("IDAT")) imageData = true;
    if (is("IEND")) return imageData;
    at += 12 + length;
  }
  return false;
}

}  // namespace gm::gfx
