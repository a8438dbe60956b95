// Points and rectangles in window pixels. A point hits a rectangle when
// left <= x < right and top <= y < bottom.
#pragma once

namespace gm {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr int width() const { return right - left; }
  constexpr int height() const { return bottom - top; }
  constexpr bool empty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(int x, int y) const {
    return left <= x && x < right && top <= y && y < bottom;
  }
  constexpr bool Contains(Point p) const { return Contains(p.x, p.y); }
  constexpr Rect Offset(int dx, int dy) const {
    return {left + dx, top + dy, right + dx, bottom + dy};
  }
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend constexpr bool operator==(const Size&, const Size&) = default;
};

}  // namespace gm
