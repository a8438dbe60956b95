// Draws the settings pages from the skin: an open page with all its controls, and after an
// edit only the control that changed, over the page's own background.
#pragma once

#include <windows.h>

#include "app/main_layout.h"
#include "app/main_painter_win32.h"
#include "app/settings_pages.h"

namespace gm {

class PagePainter {
 public:
  explicit PagePainter(const MainPainter& base) : base_(base) {}

  // An open page: its background at the origin and its controls (the child windows are the
  // main window's).
  void OpenPage(HDC dc, gm::Page page, const PagePlace& place) const;

  // One control again, after an edit.
  void DpiLevel(HDC dc, std::size_t stage) const;  // bar and value box
  void DpiEnable(HDC dc, std::size_t stage) const;
  void LightingModes(HDC dc, const PagePlace& place) const;
  void LightingSlider(HDC dc, const PagePlace& place, int row) const;
  void ReportRate(HDC dc, const PagePlace& place) const;
  void Speed(HDC dc, gm::Page page, const PagePlace& place) const;  // dial and labels
  void ScrollRadios(HDC dc, const PagePlace& place) const;
  void AngleSnap(HDC dc, const PagePlace& place) const;
  void GestureSlider(HDC dc, const PagePlace& place) const;
  void Sensitivity(HDC dc, const PagePlace& place, Axis axis) const;

 private:
  const SettingsRecord& record() const { return base_.state().record; }
  const std::wstring& Text(std::size_t slot) const { return base_.state().texts[slot]; }
  // Paints the column's and the page's backgrounds inside rect, then draw(), clipped to rect.
  template <typename Draw>
  void Patch(HDC dc, gm::Page page, const PagePlace& place, const Rect& rect, Draw draw) const;
  void Check(HDC dc, const Rect& box, bool on) const;

  void DrawDpiLevel(HDC dc, std::size_t stage) const;
  void DrawLightingRadio(HDC dc, const PagePlace& place, int row) const;
  void DrawLightingSlider(HDC dc, const PagePlace& place, int row) const;
  void DrawReportRate(HDC dc, const PagePlace& place) const;
  void DrawSpeed(HDC dc, gm::Page page, const PagePlace& place) const;
  void DrawScrollRadios(HDC dc, const PagePlace& place) const;
  void DrawAngleSnap(HDC dc, const PagePlace& place) const;
  void DrawGestureSlider(HDC dc, const PagePlace& place) const;
  void DrawSensitivitySlider(HDC dc, const PagePlace& place, Axis axis) const;

  void Dpi(HDC dc) const;
  void Lighting(HDC dc, const PagePlace& place) const;
  void ScrollSpeed(HDC dc, const PagePlace& place) const;
  void AngleSnapPage(HDC dc, const PagePlace& place) const;
  void Gesture(HDC dc, const PagePlace& place) const;
  void XYSensitivity(HDC dc, const PagePlace& place) const;

  const MainPainter& base_;
};

// The skin image of a page's background (nothing for the button assignment page and the macro
// manager header).
const wchar_t* PageBackground(Page page);

}  // namespace gm
