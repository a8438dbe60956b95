#include "gfx/thumb_drag.h"

namespace gm::gfx {

std::optional<Rect> DragVertically(const Rect& current, int dy, const DragBounds& bounds) {
  const Rect moved = current.Offset(0, dy);
  if (moved.left != bounds.left || moved.top < bounds.minTop || moved.bottom >= bounds.bottomLimit)
    return std::nullopt;
  return moved;
}

}  // namespace gm::gfx
