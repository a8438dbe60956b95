// Where a vertically dragged image button may go: the main window's scroll thumb moves along
// its track only, and a move that would leave the track is refused (the thumb stays at the
// last accepted place).
#pragma once

#include <optional>

#include "gfx/geometry.h"

namespace gm::gfx {

struct DragBounds {
  int left = 984;         // the button moves only while its left edge is here
  int minTop = 32;        // the new top must be at least this
  int bottomLimit = 596;  // the new bottom must be less than this
};

// current: the button's rectangle in its parent's coordinates; dy: the pointer's vertical
// movement since the press. Returns the new rectangle, or nothing if the move is refused.
std::optional<Rect> DragVertically(const Rect& current, int dy, const DragBounds& bounds = {});

}  // namespace gm::gfx
