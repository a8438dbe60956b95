#include "app/main_layout.h"

namespace gm {
namespace {

constexpr int kLeftX = 20;
constexpr int kRightX = 734;
constexpr int kColumnWidth = 242;
constexpr int kHeaderHeight = 20;
constexpr int kMacroHeaderHeight = 38;
// The thumb scrolls the column once its top is half the track below the column's top.
constexpr int kScrollThreshold = (kScrollTrack.bottom - kColumnTop) / 2;

}  // namespace

const std::array<Rect, kPageCount> kDefaultHeaderRects = {{
    {20, 107, 262, 127},   // L1 Button Assignment
    {20, 132, 262, 170},   // L2 Macro Manager
    {20, 175, 262, 195},   // L3 X/Y Sensitivity Setting
    {734, 32, 976, 52},    // R1 DPI Setting
    {734, 57, 976, 77},    // R2 Lighting
    {734, 82, 976, 102},   // R3 USB Report Rate
    {734, 107, 976, 127},  // R4 Mouse Speed
    {734, 132, 976, 152},  // R5 Double Click Speed
    {734, 157, 976, 177},  // R6 Scroll Speed
    {734, 182, 976, 202},  // R7 Angle Snap
    {734, 205, 976, 225},  // R8 Gesture Correction
}};

void MainLayout::Reset() {
  open_.fill(false);
  clickable_.fill(true);
  headers_ = kDefaultHeaderRects;
  position_ = ColumnPosition::Top;
  view_ = MouseView::Front;
}

bool MainLayout::IsClickable(Page page) const {
  if (PageIndex(page) < PageIndex(Page::R1)) return true;
  return clickable_[PageIndex(page) - PageIndex(Page::R1)];
}

int MainLayout::OpenRightPageCount() const {
  int count = 0;
  for (std::size_t k = 0; k < kRightPageCount; ++k) count += IsOpen(RightPage(k)) ? 1 : 0;
  return count;
}

int MainLayout::PageHeight(Page page, const PageSizes& sizes) const {
  switch (page) {
    case Page::L1:
      return view_ == MouseView::Front ? sizes.buttonAssignmentFront.height
                                       : sizes.buttonAssignmentSide.height;
    case Page::L3:
      return sizes.xySensitivity.height;
    case Page::R1:
      return sizes.dpi.height;
    case Page::R2:
      return sizes.lighting.height;
    case Page::R3:
      return sizes.reportRate.height;
    case Page::R4:
    case Page::R5:
      return sizes.mouseAttribute.height;
    case Page::R6:
      return sizes.scrollSpeed.height;
    case Page::R7:
      return sizes.angleSnap.height;
    case Page::R8:
      return sizes.gestureCorrection.height;
    case Page::L2:
      break;
  }
  return 0;
}

int MainLayout::Place(Page page, int x, int top, const PageSizes& sizes, ColumnPlan& plan) {
  const int height = page == Page::L2 ? kMacroHeaderHeight : kHeaderHeight;
  const Rect header{x, top, x + kColumnWidth, top + height};
  headers_[PageIndex(page)] = header;
  const bool open = page != Page::L2 && IsOpen(page);
  plan.pages.push_back({page, header, open, x, header.bottom});
  if (PageIndex(page) >= PageIndex(Page::R1)) {
    clickable_[PageIndex(page) - PageIndex(Page::R1)] = true;
  }
  const int pageHeight = open ? PageHeight(page, sizes) : 0;
  return header.bottom + (open && pageHeight > 0 ? pageHeight : 0) + kPageGap;
}

ColumnPlan MainLayout::LeftPass(const PageSizes& sizes) {
  ColumnPlan plan;
  int next = Place(Page::L1, kLeftX, kDefaultHeaderRects[PageIndex(Page::L1)].top, sizes, plan);
  next = Place(Page::L2, kLeftX, next, sizes, plan);
  Place(Page::L3, kLeftX, next, sizes, plan);
  return plan;
}

ColumnPlan MainLayout::TopPass(const PageSizes& sizes) {
  ColumnPlan plan;
  position_ = ColumnPosition::Top;
  clickable_.fill(false);
  const auto e = [this](Page page) { return IsOpen(page) ? 1 : 0; };
  const bool e1 = IsOpen(Page::R1);
  const bool e2 = IsOpen(Page::R2);
  const bool e3 = IsOpen(Page::R3);

  // The DPI header never moves; the pages after it follow one another.
  int next = Place(Page::R1, kRightX, kColumnTop, sizes, plan);
  next = Place(Page::R2, kRightX, next, sizes, plan);
  next = Place(Page::R3, kRightX, next, sizes, plan);
  int n = e(Page::R1) + e(Page::R2) + e(Page::R3);
  bool stop = n == 3 || (n == 2 && e1 && e3);

  if (!stop) {
    next = Place(Page::R4, kRightX, next, sizes, plan);
    n += e(Page::R4);
    stop = n >= 3 || (n == 2 && e1 && (e2 || IsOpen(Page::R4)));
  }
  if (!stop) {
    next = Place(Page::R5, kRightX, next, sizes, plan);
    n += e(Page::R5);
    stop = n >= 3 || (n == 2 && e1 && (e2 || IsOpen(Page::R5)));
  }
  if (!stop) {
    next = Place(Page::R6, kRightX, next, sizes, plan);
    n += e(Page::R6);
    if (n < 2 || (n == 2 && !e1 && !e3)) {
      next = Place(Page::R7, kRightX, next, sizes, plan);
      Place(Page::R8, kRightX, next, sizes, plan);
    } else {
      stop = true;
    }
  }
  plan.thumbBackHome = stop;
  return plan;
}

ColumnPlan MainLayout::ScrolledPass(const PageSizes& sizes) {
  ColumnPlan plan;
  position_ = ColumnPosition::Scrolled;
  clickable_.fill(false);
  plan.destroySwatches = true;
  int next = kColumnTop;
  for (std::size_t k = 3; k < kRightPageCount; ++k) {
    next = Place(RightPage(k), kRightX, next, sizes, plan);
  }
  return plan;
}

ThumbDecision MainLayout::OnThumbMoved(int newTop) const {
  if (OpenRightPageCount() < 2) return ThumbDecision::Nothing;
  const bool farDown = newTop - kColumnTop >= kScrollThreshold;
  if (farDown && position_ != ColumnPosition::Scrolled) return ThumbDecision::ScrolledPass;
  if (!farDown && position_ != ColumnPosition::Top) return ThumbDecision::TopPass;
  return ThumbDecision::Nothing;
}

}  // namespace gm
