// The two collapsible columns of page headers of the main window: where each header goes,
// which are drawn and clickable, the rule that decides how many open pages the right column
// shows before the rest is reached by scrolling, and the scroll thumb's threshold. Pure
// geometry: the window draws what the passes return.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "buttons/main_geometry.h"
#include "gfx/geometry.h"

namespace gm {

// The eleven page headers, in column order: three in the left column, eight in the right.
enum class Page : std::size_t {
  ButtonAssignment,
  MacroManager,  // a header only: it opens the macro manager
  XYSensitivity,
  Dpi,
  Lighting,
  ReportRate,
  MouseSpeed,
  DoubleClickSpeed,
  ScrollSpeed,
  AngleSnap,
  GestureCorrection,
};
inline constexpr std::size_t kPageCount = 11;
inline constexpr std::size_t kRightPageCount = 8;

constexpr std::size_t PageIndex(Page page) {
  return static_cast<std::size_t>(page);
}
constexpr Page RightPage(std::size_t k) {
  return static_cast<Page>(PageIndex(Page::Dpi) + k);
}

enum class ColumnPosition { Top, Scrolled };

// Default (collapsed) rectangle of each header.
extern const std::array<Rect, kPageCount> kDefaultHeaderRects;

inline constexpr Rect kScrollTrack{984, 32, 991, 595};
inline constexpr Rect kScrollThumbHome{984, 32, 991, 146};
// Where "/BK_MainMid.png" goes: under the view buttons' row and the mouse picture.
inline constexpr Rect kMiddlePanel{262, 107, 734, 515};
inline constexpr int kColumnTop = 32;
inline constexpr int kPageGap = 5;

// Sizes of the page backgrounds, measured at every full draw. A size of 0 (an image that could
// not be read) puts the next header 5 pixels below the header.
struct PageSizes {
  Size buttonAssignmentFront;
  Size buttonAssignmentSide;
  Size xySensitivity;
  Size dpi;
  Size lighting;
  Size reportRate;
  Size mouseAttribute;  // the mouse speed and double-click speed pages
  Size scrollSpeed;
  Size angleSnap;
  Size gestureCorrection;
};

// The size of a page's background in the view (none for the macro manager header).
Size PageSize(Page page, MouseView view, const PageSizes& sizes);

// One header drawn by a pass, with its page (open or closed) below it.
struct PageDraw {
  Page page;
  Rect header;
  bool open;
  int originX;  // the page's origin: left of its header
  int originY;  // bottom of its header
};

struct ColumnPlan {
  std::vector<PageDraw> pages;   // in drawing order
  bool thumbBackHome = false;    // the scroll thumb goes back to (984, 32, 991, 146)
  bool destroySwatches = false;  // the DPI page's colour swatches go away
};

enum class ThumbDecision { Nothing, ScrolledPass, TopPass };

class MainLayout {
 public:
  MainLayout() { Reset(); }

  // Closes every page, makes every right header clickable, the column top, the view front and
  // every header its default rectangle.
  void Reset();

  bool IsOpen(Page page) const { return open_[PageIndex(page)]; }
  void SetOpen(Page page, bool open) { open_[PageIndex(page)] = open; }
  void Toggle(Page page) { open_[PageIndex(page)] = !open_[PageIndex(page)]; }
  bool IsClickable(Page page) const;
  const Rect& HeaderRect(Page page) const { return headers_[PageIndex(page)]; }
  ColumnPosition position() const { return position_; }
  MouseView view() const { return view_; }
  void SetView(MouseView view) { view_ = view; }
  int OpenRightPageCount() const;

  // The left column: button assignment with its page, the macro manager header below it, X/Y
  // sensitivity with its page.
  ColumnPlan LeftPass(const PageSizes& sizes);
  // The right column from its top, stopping where the open pages no longer fit.
  ColumnPlan TopPass(const PageSizes& sizes);
  // The right column scrolled: mouse speed to gesture correction from the top of the column.
  ColumnPlan ScrolledPass(const PageSizes& sizes);

  // The scroll thumb was dragged to a new top: which pass, if any, runs.
  ThumbDecision OnThumbMoved(int newTop) const;

 private:
  int PageHeight(Page page, const PageSizes& sizes) const;
  // Places the header at top, records the draw, returns where the next header starts.
  int Place(Page page, int x, int top, const PageSizes& sizes, ColumnPlan& plan);

  std::array<bool, kPageCount> open_{};
  std::array<bool, kRightPageCount> clickable_{};
  std::array<Rect, kPageCount> headers_{};
  ColumnPosition position_ = ColumnPosition::Top;
  MouseView view_ = MouseView::Front;
};

}  // namespace gm
