// Reads what a test needs from a PNG file's header without decoding it: signature, size, bit
// depth and colour type.
#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>

namespace gm::test {

struct PngHeader {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int bitDepth = 0;
  int colourType = 0;  // 2 = RGB, 6 = RGBA, 3 = palette
};

inline std::optional<PngHeader> ReadPngHeader(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::array<unsigned char, 26> b{};
  if (!in.read(reinterpret_cast<char*>(b.data()), b.size())) return std::nullopt;
  const std::array<unsigned char, 16> lead = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                              0,    0,   0,   13,  'I',  'H',  'D',  'R'};
  for (std::size_t i = 0; i < lead.size(); ++i)
    if (b[i] != lead[i]) return std::nullopt;
  auto be32 = [&](std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) << 24 | static_cast<std::uint32_t>(b[at + 1]) << 16 |
           static_cast<std::uint32_t>(b[at + 2]) << 8 | static_cast<std::uint32_t>(b[at + 3]);
  };
  return PngHeader{be32(16), be32(20), b[24], b[25]};
}

}  // namespace gm::test
