#include "app/page_painter_win32.h"

#include <algorithm>

#include "gfx/skin_files.h"

namespace gm {
namespace {

// Half the gap between two DPI value boxes.
constexpr int kValueTextOverhang = 5;

constexpr std::size_t kLightingModeSlot[kLightingRows] = {slot::kStandard, slot::kRespiration,
                                                          slot::kNeon};

Rect Union(const Rect& a, const Rect& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

bool LeftColumn(Page page) {
  return PageIndex(page) < PageIndex(Page::Dpi);
}

}  // namespace

const wchar_t* PageBackground(Page page) {
  switch (page) {
    case Page::XYSensitivity:
      return skin::kXYSensitivityPage;
    case Page::Dpi:
      return skin::kDpiPage;
    case Page::Lighting:
      return skin::kLightingPage;
    case Page::ReportRate:
      return skin::kReportRatePage;
    case Page::MouseSpeed:
    case Page::DoubleClickSpeed:
      return skin::kMouseSpeedPage;
    case Page::ScrollSpeed:
      return skin::kScrollSpeedPage;
    case Page::AngleSnap:
      return skin::kAngleSnapPage;
    case Page::GestureCorrection:
      return skin::kGesturePage;
    case Page::ButtonAssignment:
    case Page::MacroManager:
      break;
  }
  return nullptr;
}

template <typename Draw>
void PagePainter::Patch(HDC dc, gm::Page page, const PagePlace& place, const Rect& rect,
                        Draw draw) const {
  // The controls' images have transparent parts: what lay under the old look goes first.
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  if (LeftColumn(page)) {
    base_.LeftColumnBackground(dc);
  } else {
    base_.RightColumnBackground(dc);
  }
  if (const wchar_t* background = PageBackground(page)) {
    base_.Image(dc, background, place.x, place.y);
  }
  draw();
  RestoreDC(dc, saved);
}

void PagePainter::Check(HDC dc, const Rect& box, bool on) const {
  base_.Image(dc, on ? skin::kEnable : skin::kDisable, box.left, box.top);
}

void PagePainter::OpenPage(HDC dc, gm::Page page, const PagePlace& place) const {
  const wchar_t* background = PageBackground(page);
  if (background == nullptr) return;
  base_.Image(dc, background, place.x, place.y);
  switch (page) {
    case Page::Dpi:
      Dpi(dc);
      break;
    case Page::Lighting:
      Lighting(dc, place);
      break;
    case Page::ReportRate:
      DrawReportRate(dc, place);
      break;
    case Page::MouseSpeed:
    case Page::DoubleClickSpeed:
      DrawSpeed(dc, page, place);
      break;
    case Page::ScrollSpeed:
      ScrollSpeed(dc, place);
      break;
    case Page::AngleSnap:
      AngleSnapPage(dc, place);
      break;
    case Page::GestureCorrection:
      Gesture(dc, place);
      break;
    case Page::XYSensitivity:
      XYSensitivity(dc, place);
      break;
    case Page::ButtonAssignment:
    case Page::MacroManager:
      break;
  }
}

// DPI page.

void PagePainter::Dpi(HDC dc) const {
  for (std::size_t k = 0; k < kDpiStageCount; ++k) {
    DrawDpiLevel(dc, k);
    Check(dc, DpiEnableBox(k), record().stageEnabled(k) != 0);
  }
}

void PagePainter::DrawDpiLevel(HDC dc, std::size_t stage) const {
  const std::uint8_t level = record().dpiStage(stage);
  const Rect bar = DpiLevelBar(stage);
  const Rect box = DpiValueBox(stage);
  base_.Image(dc, skin::DpiStage(level), bar.left, bar.top);
  base_.Image(dc, skin::kDpiValueBox, box.left, box.top);
  base_.Text(dc, DpiValueText(level), box, DT_CENTER | DT_NOCLIP, base_.smallFont());
}

void PagePainter::DpiLevel(HDC dc, std::size_t stage) const {
  const PagePlace place{kDpiPageOrigin.x, kDpiPageOrigin.y, 0, 0};
  Patch(dc, Page::Dpi, place, DpiLevelBar(stage), [&] {
    base_.Image(dc, skin::DpiStage(record().dpiStage(stage)), DpiLevelBar(stage).left,
                DpiLevelBar(stage).top);
  });
  // "12000" may be wider than its box: the value's text reaches into the gap beside it.
  const Rect box = DpiValueBox(stage);
  const Rect text{box.left - kValueTextOverhang, box.top, box.right + kValueTextOverhang,
                  box.bottom};
  Patch(dc, Page::Dpi, place, text, [&] {
    base_.Image(dc, skin::kDpiValueBox, box.left, box.top);
    base_.Text(dc, DpiValueText(record().dpiStage(stage)), box, DT_CENTER | DT_NOCLIP,
               base_.smallFont());
  });
}

void PagePainter::DpiEnable(HDC dc, std::size_t stage) const {
  const PagePlace place{kDpiPageOrigin.x, kDpiPageOrigin.y, 0, 0};
  Patch(dc, Page::Dpi, place, DpiEnableBox(stage),
        [&] { Check(dc, DpiEnableBox(stage), record().stageEnabled(stage) != 0); });
}

// Lighting page.

void PagePainter::Lighting(HDC dc, const PagePlace& place) const {
  for (int r = 0; r < kLightingRows; ++r) {
    DrawLightingRadio(dc, place, r);
    base_.Text(dc, Text(kLightingModeSlot[r]), LightingModeLabel(place, r), DT_LEFT);
    DrawLightingSlider(dc, place, r);
    for (int i = 0; i < kLightingScaleLabels; ++i) {
      base_.Text(dc, LightingScaleText(r, i), LightingScaleLabel(place, r, i), DT_LEFT,
                 base_.smallFont());
    }
  }
}

void PagePainter::DrawLightingRadio(HDC dc, const PagePlace& place, int row) const {
  Check(dc, LightingModeRadio(place, row), record().at(rec::kLightingMode) == row + 1);
}

void PagePainter::DrawLightingSlider(HDC dc, const PagePlace& place, int row) const {
  const Rect slider = gm::LightingSlider(place, row);
  base_.Image(dc, skin::LightingSlider(record().at(LightingPositionOffset(row))), slider.left,
              slider.top);
}

void PagePainter::LightingModes(HDC dc, const PagePlace& place) const {
  for (int r = 0; r < kLightingRows; ++r) {
    Patch(dc, Page::Lighting, place, LightingModeRadio(place, r),
          [&] { DrawLightingRadio(dc, place, r); });
  }
}

void PagePainter::LightingSlider(HDC dc, const PagePlace& place, int row) const {
  Patch(dc, Page::Lighting, place, gm::LightingSlider(place, row),
        [&] { DrawLightingSlider(dc, place, row); });
}

// Report rate page.

void PagePainter::DrawReportRate(HDC dc, const PagePlace& place) const {
  // A code other than the four the page sets shows no dial.
  const auto hertz = ReportRateHertz(record().at(rec::kReportRateCode));
  if (!hertz) return;
  const Rect dial = ReportRateDial(place);
  base_.Image(dc, skin::ReportRateDial(*hertz), dial.left, dial.top);
}

void PagePainter::ReportRate(HDC dc, const PagePlace& place) const {
  Patch(dc, Page::ReportRate, place, ReportRateDial(place), [&] { DrawReportRate(dc, place); });
}

// Mouse speed and double-click speed pages.

void PagePainter::DrawSpeed(HDC dc, gm::Page page, const PagePlace& place) const {
  const SpeedPage speed = page == Page::MouseSpeed ? SpeedPage::Mouse : SpeedPage::DoubleClick;
  const Rect dial = SpeedDial(place);
  base_.Image(dc, skin::SpeedDial(record().at(SpeedOffset(speed))), dial.left, dial.top);
  base_.Text(dc, Text(slot::kSlow), SpeedSlowLabel(place), DT_CENTER);
  base_.Text(dc, Text(slot::kFast), SpeedFastLabel(place), DT_CENTER);
}

void PagePainter::Speed(HDC dc, gm::Page page, const PagePlace& place) const {
  const Rect area = Union(SpeedDial(place), Union(SpeedSlowLabel(place), SpeedFastLabel(place)));
  Patch(dc, page, place, area, [&] { DrawSpeed(dc, page, place); });
}

// Scroll speed page.

void PagePainter::ScrollSpeed(HDC dc, const PagePlace& place) const {
  DrawScrollRadios(dc, place);
  base_.Text(dc, Text(slot::kNumberOfRows), ScrollRowsLabel(place), DT_LEFT);
  base_.WrappedText(dc, Text(slot::kScrollOneScreen), ScrollOneScreenLabel(place));
  const Rect box = ScrollLinesBox(place);
  base_.Image(dc, skin::kScrollLinesBox, box.left, box.top);
}

void PagePainter::DrawScrollRadios(HDC dc, const PagePlace& place) const {
  const ScrollRadioLooks looks = ScrollRadiosFor(record().at(rec::kScrollOneScreen));
  const Rect rows = ScrollRowsRadio(place);
  const Rect screen = ScrollOneScreenRadio(place);
  base_.Image(dc, looks.rows ? skin::kScrollRadioOn : skin::kScrollRadioOff, rows.left, rows.top);
  base_.Image(dc, looks.oneScreen ? skin::kScrollRadioOn : skin::kScrollRadioOff, screen.left,
              screen.top);
}

void PagePainter::ScrollRadios(HDC dc, const PagePlace& place) const {
  Patch(dc, Page::ScrollSpeed, place, Union(ScrollRowsRadio(place), ScrollOneScreenRadio(place)),
        [&] { DrawScrollRadios(dc, place); });
}

// Angle snap page.

void PagePainter::AngleSnapPage(HDC dc, const PagePlace& place) const {
  DrawAngleSnap(dc, place);
  base_.Text(dc, Text(slot::kOn), AngleSnapOnLabel(place), DT_LEFT);
  base_.Text(dc, Text(slot::kOff), AngleSnapOffLabel(place), DT_LEFT);
}

void PagePainter::DrawAngleSnap(HDC dc, const PagePlace& place) const {
  const bool on = record().at(rec::kAngleSnap) == 1;
  Check(dc, AngleSnapOnRadio(place), on);
  Check(dc, AngleSnapOffRadio(place), !on);
}

void PagePainter::AngleSnap(HDC dc, const PagePlace& place) const {
  Patch(dc, Page::AngleSnap, place, AngleSnapOnRadio(place), [&] { DrawAngleSnap(dc, place); });
  Patch(dc, Page::AngleSnap, place, AngleSnapOffRadio(place), [&] { DrawAngleSnap(dc, place); });
}

// Gesture correction page.

void PagePainter::Gesture(HDC dc, const PagePlace& place) const {
  DrawGestureSlider(dc, place);
  for (int i = 0; i < kGestureScaleLabels; ++i) {
    base_.Text(dc, GestureScaleText(i), GestureScaleLabel(place, i), DT_LEFT);
  }
}

void PagePainter::DrawGestureSlider(HDC dc, const PagePlace& place) const {
  const Rect slider = gm::GestureSlider(place);
  base_.Image(dc, skin::GestureSlider(record().at(rec::kGestureCorrection)), slider.left,
              slider.top);
}

void PagePainter::GestureSlider(HDC dc, const PagePlace& place) const {
  Patch(dc, Page::GestureCorrection, place, gm::GestureSlider(place),
        [&] { DrawGestureSlider(dc, place); });
}

// X/Y sensitivity page.

void PagePainter::XYSensitivity(HDC dc, const PagePlace& place) const {
  for (Axis axis : {Axis::X, Axis::Y}) {
    base_.Text(dc, Text(axis == Axis::X ? slot::kXAxis : slot::kYAxis),
               SensitivityLabel(place, axis), DT_LEFT);
    DrawSensitivitySlider(dc, place, axis);
    for (int i = 0; i < kSensitivityScaleLabels; ++i) {
      base_.Text(dc, std::to_wstring(i + 1), SensitivityScaleLabel(place, axis, i), DT_LEFT);
    }
  }
}

void PagePainter::DrawSensitivitySlider(HDC dc, const PagePlace& place, Axis axis) const {
  const Rect slider = SensitivitySlider(place, axis);
  base_.Image(dc, skin::StageSlider(record().at(SensitivityOffset(axis))), slider.left, slider.top);
}

void PagePainter::Sensitivity(HDC dc, const PagePlace& place, Axis axis) const {
  Patch(dc, Page::XYSensitivity, place, SensitivitySlider(place, axis),
        [&] { DrawSensitivitySlider(dc, place, axis); });
}

}  // namespace gm
