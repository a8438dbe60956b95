// Writes small PNG files for tests (uncompressed deflate blocks): RGB, RGBA, or a palette with
// optional per-entry alpha.
#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace gm::test {

struct PngImage {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int colourType = 6;                 // 2 RGB, 6 RGBA, 3 palette
  std::vector<std::uint8_t> pixels;   // rows of RGB / RGBA bytes or palette indexes
  std::vector<std::uint8_t> palette;  // RGB triples (colour type 3)
  std::vector<std::uint8_t> alphas;   // palette alpha (tRNS), may be shorter than the palette
};

inline std::vector<std::uint8_t> EncodePng(const PngImage& image) {
  auto crc32 = [](const std::vector<std::uint8_t>& bytes, std::size_t from) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = from; i < bytes.size(); ++i) {
      crc ^= bytes[i];
      for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
  };
  auto put32 = [](std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
      out.push_back(static_cast<std::uint8_t>(v >> shift));
  };
  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  auto chunk = [&](const char* type, const std::vector<std::uint8_t>& data) {
    put32(png, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    put32(png, crc32(png, start));
  };

  std::vector<std::uint8_t> header;
  put32(header, image.width);
  put32(header, image.height);
  header.insert(header.end(), {8, static_cast<std::uint8_t>(image.colourType), 0, 0, 0});
  chunk("IHDR", header);
  if (image.colourType == 3) {
    chunk("PLTE", image.palette);
    if (!image.alphas.empty()) chunk("tRNS", image.alphas);
  }

  const std::size_t channels = image.colourType == 6 ? 4 : image.colourType == 2 ? 3 : 1;
  const std::size_t stride = image.width * channels;
  std::vector<std::uint8_t> raw;
  for (std::size_t row = 0; row < image.height; ++row) {
    raw.push_back(0);  // filter: none
    raw.insert(raw.end(), image.pixels.begin() + static_cast<std::ptrdiff_t>(row * stride),
               image.pixels.begin() + static_cast<std::ptrdiff_t>((row + 1) * stride));
  }
  std::vector<std::uint8_t> z = {0x78, 0x01};
  for (std::size_t at = 0; at < raw.size() || at == 0; at += 65535) {
    const std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
    z.push_back(at + n >= raw.size() ? 1 : 0);
    z.insert(z.end(), {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                       static_cast<std::uint8_t>(~n), static_cast<std::uint8_t>(~n >> 8)});
    z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
             raw.begin() + static_cast<std::ptrdiff_t>(at + n));
    if (raw.empty()) break;
  }
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  put32(z, b << 16 | a);
  chunk("IDAT", z);
  chunk("IEND", {});
  return png;
}

inline void WritePng(const std::string& path, const PngImage& image) {
  const std::vector<std::uint8_t> bytes = EncodePng(image);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

}  // namespace gm::test
