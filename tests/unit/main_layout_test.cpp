// The columns of page headers: positions, the fit rule of the right column and the thumb.
#include <gtest/gtest.h>

#include "app/main_layout.h"

namespace gm {
namespace {

PageSizes Sizes() {
  PageSizes sizes;
  sizes.buttonAssignmentFront = {242, 150};
  sizes.buttonAssignmentSide = {242, 250};
  sizes.xySensitivity = {242, 140};
  sizes.dpi = {242, 230};
  sizes.lighting = {242, 100};
  sizes.reportRate = {242, 140};
  sizes.mouseAttribute = {242, 110};
  sizes.scrollSpeed = {242, 80};
  sizes.angleSnap = {242, 40};
  sizes.gestureCorrection = {242, 70};
  return sizes;
}

std::vector<Page> Drawn(const ColumnPlan& plan) {
  std::vector<Page> pages;
  for (const auto& draw : plan.pages) pages.push_back(draw.page);
  return pages;
}

const std::vector<Page> kAllRight = {Page::Dpi,        Page::Lighting,         Page::ReportRate,
                                     Page::MouseSpeed, Page::DoubleClickSpeed, Page::ScrollSpeed,
                                     Page::AngleSnap,  Page::GestureCorrection};

TEST(MainLayout, ClosedColumnsSitAtTheirDefaults) {
  MainLayout layout;
  const auto right = layout.TopPass(Sizes());
  EXPECT_EQ(Drawn(right), kAllRight);
  EXPECT_FALSE(right.thumbBackHome);
  for (const auto& draw : right.pages) {
    if (draw.page == Page::GestureCorrection)
      continue;  // its default sits 3 pixels below angle snap, a pass puts 5
    EXPECT_EQ(draw.header, kDefaultHeaderRects[PageIndex(draw.page)]) << PageIndex(draw.page);
  }
  EXPECT_EQ(layout.HeaderRect(Page::GestureCorrection).top, 207);
  const auto left = layout.LeftPass(Sizes());
  for (const auto& draw : left.pages) {
    EXPECT_EQ(draw.header, kDefaultHeaderRects[PageIndex(draw.page)]);
  }
}

TEST(MainLayout, OpenPagesPushTheNextHeaderDown) {
  MainLayout layout;
  layout.SetOpen(Page::Lighting, true);
  const auto plan = layout.TopPass(Sizes());
  EXPECT_EQ(Drawn(plan), kAllRight);  // Lighting alone: every header is drawn
  EXPECT_EQ(layout.HeaderRect(Page::ReportRate),
            (Rect{734, 57 + 20 + 100 + 5, 976, 57 + 20 + 100 + 25}));
  EXPECT_EQ(plan.pages[1].originY, 77);

  layout.SetOpen(Page::ButtonAssignment, true);
  layout.LeftPass(Sizes());
  EXPECT_EQ(layout.HeaderRect(Page::MacroManager).top, 127 + 150 + 5);
  EXPECT_EQ(layout.HeaderRect(Page::MacroManager).height(), 38);
  EXPECT_EQ(layout.HeaderRect(Page::XYSensitivity).top, 127 + 150 + 5 + 38 + 5);
  layout.SetView(MouseView::Side);
  layout.LeftPass(Sizes());
  EXPECT_EQ(layout.HeaderRect(Page::MacroManager).top, 127 + 250 + 5);

  // A background that could not be measured: the next header 5 pixels below the header.
  PageSizes unmeasured = Sizes();
  unmeasured.buttonAssignmentSide = {};
  layout.LeftPass(unmeasured);
  EXPECT_EQ(layout.HeaderRect(Page::MacroManager).top, 132);
}

TEST(MainLayout, FitRuleOfTheRightColumn) {
  struct Case {
    std::vector<Page> open;
    std::vector<Page> drawn;
  };
  const std::vector<Case> cases = {
      {{Page::Dpi, Page::ReportRate}, {Page::Dpi, Page::Lighting, Page::ReportRate}},
      {{Page::Dpi, Page::Lighting, Page::ReportRate},
       {Page::Dpi, Page::Lighting, Page::ReportRate}},
      {{Page::Dpi, Page::Lighting},
       {Page::Dpi, Page::Lighting, Page::ReportRate, Page::MouseSpeed}},
      {{Page::Dpi, Page::MouseSpeed},
       {Page::Dpi, Page::Lighting, Page::ReportRate, Page::MouseSpeed}},
      {{Page::Dpi, Page::DoubleClickSpeed},
       {Page::Dpi, Page::Lighting, Page::ReportRate, Page::MouseSpeed, Page::DoubleClickSpeed}},
      {{Page::Lighting, Page::ReportRate, Page::MouseSpeed},
       {Page::Dpi, Page::Lighting, Page::ReportRate, Page::MouseSpeed}},
      {{Page::Lighting, Page::ScrollSpeed}, kAllRight},
      {{Page::Dpi, Page::ScrollSpeed},
       {Page::Dpi, Page::Lighting, Page::ReportRate, Page::MouseSpeed, Page::DoubleClickSpeed,
        Page::ScrollSpeed}},
      {{Page::ReportRate, Page::ScrollSpeed},
       {Page::Dpi, Page::Lighting, Page::ReportRate, Page::MouseSpeed, Page::DoubleClickSpeed,
        Page::ScrollSpeed}},
      {{Page::AngleSnap, Page::GestureCorrection}, kAllRight},
  };
  for (const auto& c : cases) {
    MainLayout layout;
    for (Page page : c.open) layout.SetOpen(page, true);
    const auto plan = layout.TopPass(Sizes());
    EXPECT_EQ(Drawn(plan), c.drawn)
        << "open " << c.open.size() << " first " << PageIndex(c.open[0]);
    EXPECT_EQ(plan.thumbBackHome, c.drawn.size() < 8);
    for (std::size_t k = 0; k < kRightPageCount; ++k) {
      EXPECT_EQ(layout.IsClickable(RightPage(k)), k < c.drawn.size());
    }
  }
}

TEST(MainLayout, ThumbScrollsOnlyWithTwoOpenPagesAndPastHalfTheTrack) {
  MainLayout layout;
  layout.SetOpen(Page::Lighting, true);
  EXPECT_EQ(layout.OnThumbMoved(400), ThumbDecision::Nothing);  // one open page

  layout.SetOpen(Page::Dpi, true);
  layout.SetOpen(Page::ReportRate, true);
  layout.TopPass(Sizes());
  EXPECT_EQ(layout.OnThumbMoved(312), ThumbDecision::Nothing);
  EXPECT_EQ(layout.OnThumbMoved(313), ThumbDecision::ScrolledPass);

  const auto scrolled = layout.ScrolledPass(Sizes());
  EXPECT_EQ(Drawn(scrolled),
            (std::vector<Page>{Page::MouseSpeed, Page::DoubleClickSpeed, Page::ScrollSpeed,
                               Page::AngleSnap, Page::GestureCorrection}));
  EXPECT_TRUE(scrolled.destroySwatches);
  EXPECT_EQ(layout.HeaderRect(Page::MouseSpeed), (Rect{734, 32, 976, 52}));
  EXPECT_FALSE(layout.IsClickable(Page::Dpi));
  EXPECT_FALSE(layout.IsClickable(Page::ReportRate));
  EXPECT_TRUE(layout.IsClickable(Page::GestureCorrection));
  EXPECT_EQ(layout.OnThumbMoved(400), ThumbDecision::Nothing);  // already scrolled
  EXPECT_EQ(layout.OnThumbMoved(100), ThumbDecision::TopPass);
}

TEST(MainLayout, ResetClosesEverythingAndRestoresDefaults) {
  MainLayout layout;
  layout.SetOpen(Page::Dpi, true);
  layout.SetOpen(Page::Lighting, true);
  layout.SetOpen(Page::ButtonAssignment, true);
  layout.SetView(MouseView::Side);
  layout.LeftPass(Sizes());
  layout.ScrolledPass(Sizes());
  layout.Reset();
  EXPECT_EQ(layout.OpenRightPageCount(), 0);
  EXPECT_FALSE(layout.IsOpen(Page::ButtonAssignment));
  EXPECT_EQ(layout.view(), MouseView::Front);
  EXPECT_EQ(layout.position(), ColumnPosition::Top);
  for (std::size_t k = 0; k < kRightPageCount; ++k) EXPECT_TRUE(layout.IsClickable(RightPage(k)));
  EXPECT_EQ(layout.HeaderRect(Page::MacroManager),
            kDefaultHeaderRects[PageIndex(Page::MacroManager)]);
  EXPECT_EQ(layout.HeaderRect(Page::MouseSpeed), kDefaultHeaderRects[PageIndex(Page::MouseSpeed)]);
}

TEST(Rect, HitTestIncludesLeftTopExcludesRightBottom) {
  constexpr Rect r{10, 20, 30, 40};
  EXPECT_TRUE(r.Contains(10, 20));
  EXPECT_TRUE(r.Contains(29, 39));
  EXPECT_FALSE(r.Contains(30, 39));
  EXPECT_FALSE(r.Contains(29, 40));
  EXPECT_FALSE(r.Contains(9, 20));
}

}  // namespace
}  // namespace gm
