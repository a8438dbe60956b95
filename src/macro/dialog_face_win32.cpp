#include "macro/dialog_face_win32.h"

#include <algorithm>

namespace gm {
namespace {

RECT ToRect(const Rect& r) {
  return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

bool DialogFace::Load(HWND window, const std::wstring& path) {
  window_ = window;
  // Both start as the background; the picture is drawn over from then on.
  return background_.Load(path) && picture_.Load(path);
}

void DialogFace::Update(const Rect& area, const std::function<void(HDC)>& draw) {
  if (!loaded()) return;
  picture_.DrawInto([&](HDC picture) {
    background_.DrawInto([&](HDC background) {
      BitBlt(picture, area.left, area.top, area.width(), area.height(), background, area.left,
             area.top, SRCCOPY);
    });
    draw(picture);
  });
  HDC windowDc = GetDC(window_);
  picture_.CopyTo(windowDc);
  ReleaseDC(window_, windowDc);
}

LRESULT FacedWindow::OnEraseBackground(HDC dc) {
  return face_.loaded() ? 1 : Wnd::OnEraseBackground(dc);
}

void FacedWindow::OnPaint(HDC dc) {
  face_.Paint(dc);
}

void FacedWindow::OnMouseMove(Point p) {
  if (!trackingLeave_) {
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, hwnd(), 0};
    trackingLeave_ = TrackMouseEvent(&track) != FALSE;
  }
  OnPointer(p);
}

void FacedWindow::OnMouseLeave() {
  trackingLeave_ = false;
  OnPointer(std::nullopt);
}

void DrawCentredText(HDC dc, std::wstring_view text, const Rect& rect, COLORREF colour,
                     HFONT font) {
  DrawLine(dc, std::wstring(text), ToRect(rect), colour, font, DT_CENTER | DT_VCENTER | DT_NOCLIP);
}

void DrawLeftText(HDC dc, std::wstring_view text, const Rect& rect, COLORREF colour, HFONT font) {
  DrawLine(dc, std::wstring(text), ToRect(rect), colour, font, DT_LEFT | DT_VCENTER | DT_NOCLIP);
}

void DrawWrappedText(HDC dc, std::wstring_view text, const Rect& rect, COLORREF colour, HFONT font,
                     int room, Spill spill) {
  const HGDIOBJ oldFont = SelectObject(dc, font);
  const auto measure = [&] {
    RECT measured = ToRect(rect);
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &measured,
              DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    return static_cast<int>(measured.bottom - measured.top);
  };
  int height = measure();
  // Too many lines for the room: the same face, smaller, down to a size still legible.
  HFONT smaller = nullptr;
  LOGFONTW face{};
  if (height > rect.height() + 2 * room && GetObjectW(font, sizeof(face), &face) != 0) {
    constexpr LONG kSmallest = 9;
    while (height > rect.height() + 2 * room && face.lfHeight > kSmallest) {
      --face.lfHeight;
      face.lfWidth = 0;
      HFONT next = CreateFontIndirectW(&face);
      if (next == nullptr) break;
      SelectObject(dc, next);
      if (smaller != nullptr) DeleteObject(smaller);
      smaller = next;
      height = measure();
    }
  }
  // DrawText centres only single lines: the block is placed in the middle, spilling out evenly
  // above and below when it is taller than its rectangle.
  RECT placed = ToRect(rect);
  if (height <= rect.height() || spill == Spill::Even) {
    placed.top += (rect.height() - height) / 2;
  } else if (spill == Spill::Up) {
    placed.top += rect.height() - height;
  }
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(dc, colour);
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &placed,
            DT_WORDBREAK | DT_NOPREFIX | DT_NOCLIP);
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
  if (smaller != nullptr) DeleteObject(smaller);
}

Rect CentredTextArea(HWND window, HFONT font, std::wstring_view text, const Rect& rect) {
  HDC dc = GetDC(window);
  const HGDIOBJ oldFont = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
  SelectObject(dc, oldFont);
  ReleaseDC(window, dc);
  // One pixel more on each side for glyphs that reach past their advance.
  const int left = rect.left + (rect.width() - static_cast<int>(size.cx)) / 2 - 1;
  const int right = left + static_cast<int>(size.cx) + 2;
  return {std::min(rect.left, left), rect.top, std::max(rect.right, right), rect.bottom};
}

std::wstring EndEllipsis(HDC dc, std::wstring_view text, int width) {
  const auto extent = [dc](std::wstring_view part) {
    SIZE size{};
    GetTextExtentPoint32W(dc, part.data(), static_cast<int>(part.size()), &size);
    return static_cast<int>(size.cx);
  };
  if (extent(text) <= width) return std::wstring(text);
  constexpr std::wstring_view kEllipsis = L"...";
  const int room = std::max(0, width - extent(kEllipsis));
  INT fit = 0;
  SIZE ignored{};
  GetTextExtentExPointW(dc, text.data(), static_cast<int>(text.size()), room, &fit, nullptr,
                        &ignored);
  auto end = static_cast<std::size_t>(std::clamp<INT>(fit, 0, static_cast<INT>(text.size())));
  // Not half a surrogate pair, nor a blank before the dots.
  if (end > 0 && end < text.size() && IS_HIGH_SURROGATE(text[end - 1])) --end;
  while (end > 0 && text[end - 1] == L' ') --end;
  return std::wstring(text.substr(0, end)) + std::wstring(kEllipsis);
}

std::vector<std::wstring> FittedListLines(HWND list, const std::vector<std::wstring>& lines) {
  RECT client{};
  GetClientRect(list, &client);
  // The list box draws its lines a pixel or two in from its left edge.
  constexpr int kLineMargins = 4;
  const int width = static_cast<int>(client.right - client.left) - kLineMargins;
  HDC dc = GetDC(list);
  const HGDIOBJ oldFont =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
  std::vector<std::wstring> fitted;
  fitted.reserve(lines.size());
  for (const std::wstring& line : lines) fitted.push_back(EndEllipsis(dc, line, width));
  SelectObject(dc, oldFont);
  ReleaseDC(list, dc);
  return fitted;
}

void SyncListBox(HWND list, const std::vector<std::wstring>& lines, int selected) {
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  const int wanted = static_cast<int>(lines.size());
  int same = 0;
  while (same < count && same < wanted &&
         ListBoxLine(list, same) == lines[static_cast<std::size_t>(same)]) {
    ++same;
  }
  if (same < count || same < wanted) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (int i = count - 1; i >= same; --i) {
      SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(i), 0);
    }
    for (int i = same; i < wanted; ++i) {
      SendMessageW(list, LB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(lines[static_cast<std::size_t>(i)].c_str()));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
  }
  if (static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)) != selected) {
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  }
}

}  // namespace gm
