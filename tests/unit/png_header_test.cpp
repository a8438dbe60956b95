// The size read from a PNG header without decoding, and the files it must leave to the decoder.
#include <gtest/gtest.h>

#include <vector>

#include "gfx/png_header.h"
#include "png_writer.h"

namespace gm::gfx {
namespace {

TEST(PngHeaderSize, ReadsTheSizeOfEveryColourTypeTheSkinUses) {
  const std::vector<test::PngImage> images = {{3, 2, 6, std::vector<std::uint8_t>(24, 7), {}, {}},
                                              {1, 5, 2, std::vector<std::uint8_t>(15, 7), {}, {}},
                                              {4, 1, 3, {0, 1, 0, 1}, {255, 0, 0, 0, 255, 0}, {0}}};
  for (const test::PngImage& image : images) {
    const auto size = PngHeaderSize(test::EncodePng(image));
    ASSERT_TRUE(size) << image.colourType;
    EXPECT_EQ(size->width, image.width);
    EXPECT_EQ(size->height, image.height);
  }
}

// The header with one byte changed and its CRC made to match again, so that only the field
// itself can be refused.
std::vector<std::uint8_t> Changed(std::vector<std::uint8_t> png, std::size_t at, std::uint8_t to) {
  png[at] = to;
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 12; i < 29; ++i) {
    crc ^= png[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  crc ^= 0xFFFFFFFFu;
  for (std::size_t k = 0; k < 4; ++k) png[29 + k] = static_cast<std::uint8_t>(crc >> (24 - 8 * k));
  return png;
}

// Anything a decoder would refuse goes to the decoder, which then refuses it as before.
TEST(PngHeaderSize, LeavesAnyOtherOrDamagedHeaderToTheDecoder) {
  const std::vector<std::uint8_t> good =
      test::EncodePng({2, 2, 2, std::vector<std::uint8_t>(12), {}, {}});
  ASSERT_TRUE(PngHeaderSize(Changed(good, 24, 16)));                       // 16-bit RGB exists
  EXPECT_FALSE(PngHeaderSize(std::span(good).first(kPngHeaderSize - 1)));  // truncated
  EXPECT_FALSE(PngHeaderSize(Changed(good, 0, 'B')));    // not the signature (a BMP, say)
  EXPECT_FALSE(PngHeaderSize(Changed(good, 15, 'X')));   // first chunk not IHDR
  EXPECT_FALSE(PngHeaderSize(Changed(good, 16, 0x80)));  // width over 2^31 - 1
  EXPECT_FALSE(PngHeaderSize(Changed(good, 19, 0)));     // width 0
  EXPECT_FALSE(PngHeaderSize(Changed(good, 24, 4)));     // 4-bit RGB does not exist
  EXPECT_FALSE(PngHeaderSize(Changed(good, 25, 5)));     // nor colour type 5
  EXPECT_FALSE(PngHeaderSize(Changed(good, 28, 2)));     // unknown interlace method
  std::vector<std::uint8_t> wrongCrc = good;
  wrongCrc[32] ^= 1;
  EXPECT_FALSE(PngHeaderSize(wrongCrc));
}

// A skin's background must be whole before the window relies on it: a file cut anywhere, or
// with a byte changed after its header, is refused; trailing bytes after the end chunk are not.
TEST(PngStreamComplete, RefusesTruncatedOrDamagedStreams) {
  const std::vector<std::uint8_t> good =
      test::EncodePng({4, 3, 6, std::vector<std::uint8_t>(48, 9), {}, {}});
  EXPECT_TRUE(PngStreamComplete(good));
  std::vector<std::uint8_t> trailing = good;
  trailing.push_back(0);
  EXPECT_TRUE(PngStreamComplete(trailing));
  for (std::size_t size = 0; size < good.size(); ++size) {
    EXPECT_FALSE(PngStreamComplete(std::span(good).first(size))) << size;
  }
  for (std::size_t at = kPngHeaderSize; at < good.size(); ++at) {
    std::vector<std::uint8_t> damaged = good;
    damaged[at] ^= 0x40;
    EXPECT_FALSE(PngStreamComplete(damaged)) << at;
  }
  // No image data: the end chunk right after the header.
  std::vector<std::uint8_t> empty(good.begin(), good.begin() + kPngHeaderSize);
  empty.insert(empty.end(), good.end() - 12, good.end());
  EXPECT_FALSE(PngStreamComplete(empty));
}

}  // namespace
}  // namespace gm::gfx
