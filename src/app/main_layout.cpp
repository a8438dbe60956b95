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
    {20, 107, 262, 127},   // Button Assignment
    {20, 132, 262, 170},   // Macro Manager
    {20, 175, 262, 195},   // X/Y Sensitivity Setting
    {734, 32, 976, 52},    // DPI Setting
    {734, 57, 976, 77},    // Lighting
    {734, 82, 976, 102},   // USB Report Rate
    {734, 107, 976, 127},  // Mouse Speed
    {734, 132, 976, 152},  // Double Click Speed
    {734, 157, 976, 177},  // Scroll Speed
    {734, 182, 976, 202},  // Angle Snap
    {734, 205, 976, 225},  // Gesture Correction
}};

void MainLayout::Reset() {
  open_.fill(false);
  clickable_.fill(true);
  headers_ = kDefaultHeaderRects;
  position_ = ColumnPosition::Top;
  view_ = MouseView::Front;
}

bool MainLayout::IsClickable(Page page) const {
  if (PageIndex(page) < PageIndex(Page::Dpi)) return true;
  return clickable_[PageIndex(page) - PageIndex(Page::Dpi)];
}

int MainLayout::OpenRightPageCount() const {
  int count = 0;
  for (std::size_t k = 0; k < kRightPageCount; ++k) count += IsOpen(RightPage(k)) ? 1 : 0;
  return count;
}

Size PageSize(Page page, MouseView view, const PageSizes& sizes) {
  switch (page) {
    case Page::ButtonAssignment:
      return view == MouseView::Front ? sizes.buttonAssignmentFront : sizes.buttonAssignmentSide;
    case Page::XYSensitivity:
      return sizes.xySensitivity;
    case Page::Dpi:
      return sizes.dpi;
    case Page::Lighting:
      return sizes.lighting;
    case Page::ReportRate:
      return sizes.reportRate;
    case Page::MouseSpeed:
    case Page::DoubleClickSpeed:
      return sizes.mouseAttribute;
    case Page::ScrollSpeed:
      return sizes.scrollSpeed;
    case Page::AngleSnap:
      return sizes.angleSnap;
    case Page::GestureCorrection:
      return sizes.gestureCorrection;
    case Page::MacroManager:
      break;
  }
  return {};
}

int MainLayout::PageHeight(Page page, const PageSizes& sizes) const {
  return PageSize(page, view_, sizes).height;
}

int MainLayout::Place(Page page, int x, int top, const PageSizes& sizes, ColumnPlan& plan) {
  const int height = page == Page::MacroManager ? kMacroHeaderHeight : kHeaderHeight;
  const Rect header{x, top, x + kColumnWidth, top + height};
  headers_[PageIndex(page)] = header;
  const bool open = page != Page::MacroManager && IsOpen(page);
  plan.pages.push_back({page, header, open, x, header.bottom});
  if (PageIndex(page) >= PageIndex(Page::Dpi)) {
    clickable_[PageIndex(page) - PageIndex(Page::Dpi)] = true;
  }
  const int pageHeight = open ? PageHeight(page, sizes) : 0;
  return header.bottom + (open && pageHeight > 0 ? pageHeight : 0) + kPageGap;
}

ColumnPlan MainLayout::LeftPass(const PageSizes& sizes) {
  ColumnPlan plan;
  int next = Place(Page::ButtonAssignment, kLeftX,
                   kDefaultHeaderRects[PageIndex(Page::ButtonAssignment)].top, sizes, plan);
  next = Place(Page::MacroManager, kLeftX, next, sizes, plan);
  Place(Page::XYSensitivity, kLeftX, next, sizes, plan);
  return plan;
}

ColumnPlan MainLayout::TopPass(const PageSizes& sizes) {
  ColumnPlan plan;
  position_ = ColumnPosition::Top;
  clickable_.fill(false);
  const auto e = [this](Page page) { return IsOpen(page) ? 1 : 0; };
  const bool e1 = IsOpen(Page::Dpi);
  const bool e2 = IsOpen(Page::Lighting);
  const bool e3 = IsOpen(Page::ReportRate);

  // The DPI header never moves; the pages after it follow one another.
  int next = Place(Page::Dpi, kRightX, kColumnTop, sizes, plan);
  next = Place(Page::Lighting, kRightX, next, sizes, plan);
  next = Place(Page::ReportRate, kRightX, next, sizes, plan);
  int n = e(Page::Dpi) + e(Page::Lighting) + e(Page::ReportRate);
  bool stop = n == 3 || (n == 2 && e1 && e3);

  if (!stop) {
    next = Place(Page::MouseSpeed, kRightX, next, sizes, plan);
    n += e(Page::MouseSpeed);
    stop = n >= 3 || (n == 2 && e1 && (e2 || IsOpen(Page::MouseSpeed)));
  }
  if (!stop) {
    next = Place(Page::DoubleClickSpeed, kRightX, next, sizes, plan);
    n += e(Page::DoubleClickSpeed);
    stop = n >= 3 || (n == 2 && e1 && (e2 || IsOpen(Page::DoubleClickSpeed)));
  }
  if (!stop) {
    next = Place(Page::ScrollSpeed, kRightX, next, sizes, plan);
    n += e(Page::ScrollSpeed);
    if (n < 2 || (n == 2 && !e1 && !e3)) {
      next = Place(Page::AngleSnap, kRightX, next, sizes, plan);
      Place(Page::GestureCorrection, kRightX, next, sizes, plan);
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
