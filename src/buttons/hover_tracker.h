// The main window's hot areas: seven skinned buttons and, while the button assignment page is
// open, the drop-down boxes of the rows of the view. A pointer move over a hot area asks the
// system for a hover notification; the notification lights the area; the next move outside
// every hot area puts back whatever is still lit. One flag per area remembers what is drawn in
// a look other than its resting one.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "buttons/main_geometry.h"
#include "gfx/geometry.h"

namespace gm {

// The seven buttons first, in the order a hover notification tests them, then the 12 rows.
enum class HotButton : std::size_t { Reset, Cancel, Save, Help, Close, Minimise, Config };
inline constexpr std::size_t kHotButtonCount = 7;
inline constexpr std::size_t kAssignmentRowCount = 12;
inline constexpr std::size_t kHotAreaCount = kHotButtonCount + kAssignmentRowCount;

// An index 0..18: a HotButton, or kHotButtonCount + row.
struct HotArea {
  std::size_t index = 0;

  static constexpr HotArea Button(HotButton button) { return {static_cast<std::size_t>(button)}; }
  static constexpr HotArea Row(std::size_t row) { return {kHotButtonCount + row}; }
  constexpr bool isRow() const { return index >= kHotButtonCount; }
  constexpr std::size_t row() const { return index - kHotButtonCount; }
  constexpr HotButton button() const { return static_cast<HotButton>(index); }
  friend constexpr bool operator==(HotArea, HotArea) = default;
};

// The rectangle of a hot area in window pixels.
Rect HotAreaRect(HotArea area);
// "reset", "cancel", "save", "help", "close", "minimise", "config", "row0" .. "row11".
std::wstring HotAreaName(HotArea area);

// A row's drop-down box: (120, 129 + 20k) - (250, 145 + 20k).
Rect AssignmentRowBox(std::size_t row);
// The rows the page shows in a view (7 front, 12 side) and the button of a row.
std::size_t RowsOfView(MouseView view);
std::size_t ButtonOfRow(MouseView view, std::size_t row);
std::size_t RowOfButton(std::size_t button);
MouseView ViewOfButton(std::size_t button);

// What the page makes hot: rows only while it is open, as many as the view shows.
struct HotRows {
  bool pageOpen = false;
  MouseView view = MouseView::Front;
  std::size_t count() const { return pageOpen ? RowsOfView(view) : 0; }
};

class HoverTracker {
 public:
  struct MoveResult {
    bool requestHover = false;           // the point is on a hot area: ask for a hover notification
    std::vector<HotArea> restore;        // draw these in their resting look (flags now clear)
    std::vector<std::size_t> partsBack;  // buttons whose mouse picture part goes back to normal
  };
  struct HoverResult {
    std::optional<HotArea> lit;    // draw it in its hover look (flag now set)
    std::vector<HotArea> restore;  // draw these in their resting look (flags now clear)
  };

  // A pointer move of the main window; openList is the button whose function list is open,
  // whose mouse picture part stays lit.
  MoveResult OnPointerMove(Point p, const HotRows& rows, std::optional<std::size_t> openList);
  // The pointer rested on the window at p.
  HoverResult OnHover(Point p, const HotRows& rows);

  // A pick leaves its row in the leave look until the next move outside the hot areas.
  void SetRowFlag(std::size_t row) { flags_[HotArea::Row(row).index] = true; }
  bool flagged(HotArea area) const { return flags_[area.index]; }
  bool anyFlagged() const;
  void Clear() { flags_ = {}; }

 private:
  std::optional<HotArea> AreaAt(Point p, const HotRows& rows) const;

  std::array<bool, kHotAreaCount> flags_{};
};

}  // namespace gm
