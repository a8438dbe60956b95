// Pixel arithmetic of image drawing, the image button's colour matrices and the thumb's drag.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "gfx/pixels.h"
#include "gfx/thumb_drag.h"

namespace gm::gfx {
namespace {

TEST(Premultiply, ScalesColourByAlphaWithIntegerDivision) {
  // blue, green, red, alpha
  std::vector<std::uint8_t> pixels = {50,  100, 200, 128,  // from the drawing rules
                                      9,   8,   7,   0,    // invisible: black-transparent
                                      17,  34,  51,  255,  // opaque: unchanged
                                      255, 255, 255, 1,    // floor(255 / 255) = 1
                                      254, 1,   128, 254,  // floor rounds down
                                      33};                 // trailing partial pixel
  PremultiplyBgra(pixels);
  const std::vector<std::uint8_t> expected = {25,  50, 100, 128, 0, 0,   0, 0,   17,  34, 51,
                                              255, 1,  1,   1,   1, 253, 0, 127, 254, 33};
  EXPECT_EQ(pixels, expected);
}

TEST(ColorMatrix, HighlightBrightensEachChannelAndKeepsAlpha) {
  const ColorF out = TransformColor(HighlightMatrix(), {0.5f, 0.2f, 0.0f, 0.4f});
  EXPECT_NEAR(out.r, 0.575f, 1e-5);
  EXPECT_NEAR(out.g, 0.26f, 1e-5);
  EXPECT_NEAR(out.b, 0.05f, 1e-5);
  EXPECT_NEAR(out.a, 0.4f, 1e-6);
  const ColorF white = TransformColor(HighlightMatrix(), {1, 1, 1, 1});
  EXPECT_FLOAT_EQ(white.r, 1.0f);  // clamped, not 1.1
}

TEST(ColorMatrix, GreyUsesLuminanceWeightsForEveryChannel) {
  const ColorF red = TransformColor(GreyMatrix(), {1, 0, 0, 0.5f});
  EXPECT_NEAR(red.r, 0.3f, 1e-6);
  EXPECT_NEAR(red.g, 0.3f, 1e-6);
  EXPECT_NEAR(red.b, 0.3f, 1e-6);
  EXPECT_NEAR(red.a, 0.5f, 1e-6);
  const ColorF mixed = TransformColor(GreyMatrix(), {0.2f, 0.4f, 0.6f, 1});
  EXPECT_NEAR(mixed.g, 0.3f * 0.2f + 0.59f * 0.4f + 0.11f * 0.6f, 1e-6);
  EXPECT_NEAR(mixed.r, mixed.b, 1e-6);
}

TEST(ThumbDrag, MovesWithinTheTrackOnly) {
  const Rect start{984, 32, 991, 146};
  EXPECT_EQ(DragVertically(start, 50), (Rect{984, 82, 991, 196}));
  EXPECT_EQ(DragVertically(start, -1), std::nullopt);  // top 31
  EXPECT_EQ(DragVertically(start, 449), (Rect{984, 481, 991, 595}));
  EXPECT_EQ(DragVertically(start, 450), std::nullopt);              // bottom 596
  EXPECT_EQ(DragVertically(start.Offset(1, 0), 10), std::nullopt);  // not on the track
}

TEST(ThumbDrag, AFastDragPastTheEndStopsAtTheLastAcceptedPlace) {
  // The pointer races from top 100 to far below the track in steps of 200: the thumb does not
  // snap to the end, it stays where the last accepted step left it.
  Rect thumb{984, 100, 991, 214};
  for (int step : {200, 200, 200})
    if (auto moved = DragVertically(thumb, step)) thumb = *moved;
  EXPECT_EQ(thumb.top, 300);
}

}  // namespace
}  // namespace gm::gfx
