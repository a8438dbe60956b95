// Draws the settings pages from the skin: an open page with its controls and labels, and after
// an edit only the control that changed, over the page's own background. Each control's look is
// one case of Draw; where the controls sit and what they show comes from the pages' table.
#pragma once

#include <windows.h>

#include <vector>

#include "app/main_layout.h"
#include "app/main_painter_win32.h"
#include "app/settings_pages.h"

namespace gm {

class PagePainter {
 public:
  explicit PagePainter(const MainPainter& base) : base_(base) {}

  // An open page: its background at the origin, its controls and its labels (the child windows
  // are the page view's).
  void OpenPage(HDC dc, gm::Page page, const PagePlace& place) const;

  // One control again after an edit: instance `index`, or a group of choices as a whole.
  void Redraw(HDC dc, const PageControl& control, const PagePlace& place, int index) const;

 private:
  const SettingsRecord& record() const { return base_.state().record; }
  const std::wstring& Text(std::size_t slot) const { return base_.state().texts[slot]; }
  std::uint32_t Value(Control control, int index) const;
  // The control's look: instance `index` of fields, every choice of a group.
  void Draw(HDC dc, Control control, const PagePlace& place, int index) const;
  // What a redraw paints over: the instance's rectangle, or each choice's, unless its look
  // reaches beyond them.
  std::vector<Rect> RedrawAreas(const PageControl& control, const PagePlace& place,
                                int index) const;
  // The page's fixed texts.
  void Labels(HDC dc, gm::Page page, const PagePlace& place) const;
  // Paints the column's and the page's backgrounds inside rect, then draw(), clipped to rect.
  template <typename DrawStep>
  void Patch(HDC dc, gm::Page page, const PagePlace& place, const Rect& rect, DrawStep draw) const;
  void Check(HDC dc, const Rect& box, bool on) const;

  const MainPainter& base_;
};

// The skin image of a page's background (nothing for the button assignment page and the macro
// manager header).
const wchar_t* PageBackground(Page page);

}  // namespace gm
