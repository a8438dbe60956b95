#include "buttons/hover_tracker.h"

#include "buttons/main_geometry.h"

namespace gm {
namespace {

constexpr std::size_t kFrontRows = 7;
constexpr std::size_t kSideRows = 12;

// In the order a hover notification tests them (the HotButton order).
constexpr std::array<Rect, kHotButtonCount> kButtonRects = {
    kResetButton, kCancelButton,   kSaveButton,  kHelpButton,
    kCloseButton, kMinimiseButton, kConfigButton};

constexpr std::array<const wchar_t*, kHotButtonCount> kButtonNames = {
    L"reset", L"cancel", L"save", L"help", L"close", L"minimise", L"config"};

bool IsTrio(HotArea area) {
  return !area.isRow() && area.index <= static_cast<std::size_t>(HotButton::Save);
}

}  // namespace

Rect AssignmentRowBox(std::size_t row) {
  const int top = 129 + 20 * static_cast<int>(row);
  return {120, top, 250, top + 16};
}

Rect HotAreaRect(HotArea area) {
  return area.isRow() ? AssignmentRowBox(area.row()) : kButtonRects[area.index];
}

std::wstring HotAreaName(HotArea area) {
  if (area.isRow()) return L"row" + std::to_wstring(area.row());
  return kButtonNames[area.index];
}

std::size_t RowsOfView(MouseView view) {
  return view == MouseView::Front ? kFrontRows : kSideRows;
}

std::size_t ButtonOfRow(MouseView view, std::size_t row) {
  return view == MouseView::Front ? row : kFrontRows + row;
}

std::size_t RowOfButton(std::size_t button) {
  return button < kFrontRows ? button : button - kFrontRows;
}

MouseView ViewOfButton(std::size_t button) {
  return button < kFrontRows ? MouseView::Front : MouseView::Side;
}

bool HoverTracker::anyFlagged() const {
  for (bool flag : flags_) {
    if (flag) return true;
  }
  return false;
}

std::optional<HotArea> HoverTracker::AreaAt(Point p, const HotRows& rows) const {
  for (std::size_t i = 0; i < kHotButtonCount; ++i) {
    if (kButtonRects[i].Contains(p)) return HotArea{i};
  }
  for (std::size_t row = 0; row < rows.count(); ++row) {
    if (AssignmentRowBox(row).Contains(p)) return HotArea::Row(row);
  }
  return std::nullopt;
}

HoverTracker::MoveResult HoverTracker::OnPointerMove(Point p, const HotRows& rows,
                                                     std::optional<std::size_t> openList) {
  MoveResult result;
  if (AreaAt(p, rows)) {
    result.requestHover = true;
    return result;
  }
  for (std::size_t i = 0; i < kHotAreaCount; ++i) {
    if (!flags_[i]) continue;
    flags_[i] = false;
    const HotArea area{i};
    // A row the page no longer shows is not drawn over whatever is there now.
    if (area.isRow() && area.row() >= rows.count()) continue;
    result.restore.push_back(area);
    if (area.isRow()) {
      const std::size_t button = ButtonOfRow(rows.view, area.row());
      if (openList != button) result.partsBack.push_back(button);
    }
  }
  return result;
}

HoverTracker::HoverResult HoverTracker::OnHover(Point p, const HotRows& rows) {
  HoverResult result;
  const std::optional<HotArea> area = AreaAt(p, rows);
  if (!area) return result;
  // Reset, Cancel and Save put each other back; a row puts back the other rows; help,
  // minimise, close and Config light only themselves.
  for (std::size_t i = 0; i < kHotAreaCount; ++i) {
    const HotArea other{i};
    if (!flags_[i] || other == *area) continue;
    const bool sameGroup = (IsTrio(*area) && IsTrio(other)) ||
                           (area->isRow() && other.isRow() && other.row() < rows.count());
    if (!sameGroup) continue;
    flags_[i] = false;
    result.restore.push_back(other);
  }
  flags_[area->index] = true;
  result.lit = area;
  return result;
}

}  // namespace gm
