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

Rect SpeedArea(const PagePlace& place) {
  return Union(SpeedDial(place), Union(SpeedSlowLabel(place), SpeedFastLabel(place)));
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

template <typename DrawStep>
void PagePainter::Patch(HDC dc, gm::Page page, const PagePlace& place, const Rect& rect,
                        DrawStep draw) const {
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

std::uint32_t PagePainter::Value(Control control, int index) const {
  return FieldValue(record(), ControlOf(control), index);
}

void PagePainter::OpenPage(HDC dc, gm::Page page, const PagePlace& place) const {
  const wchar_t* background = PageBackground(page);
  if (background == nullptr) return;
  base_.Image(dc, background, place.x, place.y);
  for (const PageControl& control : PageControls()) {
    if (control.page != page) continue;
    const int draws = control.instances == Instances::Fields ? control.count : 1;
    for (int i = 0; i < draws; ++i) Draw(dc, control.control, place, i);
  }
  Labels(dc, page, place);
}

void PagePainter::Redraw(HDC dc, const PageControl& control, const PagePlace& place,
                         int index) const {
  for (const Rect& area : RedrawAreas(control, place, index)) {
    Patch(dc, control.page, place, area, [&] { Draw(dc, control.control, place, index); });
  }
}

std::vector<Rect> PagePainter::RedrawAreas(const PageControl& control, const PagePlace& place,
                                           int index) const {
  switch (control.control) {
    case Control::DpiLevel: {
      // "12000" may be wider than its box: the value's text reaches into the gap beside it.
      const Rect box = DpiValueBox(static_cast<std::size_t>(index));
      return {control.area(place, index),
              {box.left - kValueTextOverhang, box.top, box.right + kValueTextOverhang, box.bottom}};
    }
    case Control::MouseSpeedDial:
    case Control::DoubleClickSpeedDial:
      return {SpeedArea(place)};  // the dial with its labels
    default:
      break;
  }
  if (control.instances == Instances::Fields) return {control.area(place, index)};
  std::vector<Rect> areas;
  for (int i = 0; i < control.count; ++i) areas.push_back(control.area(place, i));
  return areas;
}

void PagePainter::Draw(HDC dc, Control control, const PagePlace& place, int index) const {
  const std::size_t stage = static_cast<std::size_t>(index);
  switch (control) {
    case Control::DpiSwatch:
      break;  // a child window of the page view
    case Control::DpiEnable:
      Check(dc, DpiEnableBox(stage), Value(control, index) != 0);
      break;
    case Control::DpiLevel: {
      const std::uint32_t level = Value(control, index);
      const Rect bar = DpiLevelBar(stage);
      const Rect box = DpiValueBox(stage);
      base_.Image(dc, skin::DpiStage(static_cast<int>(level)), bar.left, bar.top);
      base_.Image(dc, skin::kDpiValueBox, box.left, box.top);
      base_.Text(dc, DpiValueText(static_cast<std::uint8_t>(level)), box, DT_CENTER | DT_NOCLIP,
                 base_.smallFont());
      break;
    }
    case Control::LightingMode:
      for (int r = 0; r < kLightingRows; ++r) {
        Check(dc, LightingModeRadio(place, r), Value(control, 0) == static_cast<unsigned>(r + 1));
      }
      break;
    case Control::LightingSlider: {
      const Rect slider = gm::LightingSlider(place, index);
      base_.Image(dc, skin::LightingSlider(static_cast<int>(Value(control, index))), slider.left,
                  slider.top);
      break;
    }
    case Control::ReportRateDial: {
      // A code other than the four the page sets shows no dial.
      const auto hertz = ReportRateHertz(static_cast<std::uint8_t>(Value(control, 0)));
      if (!hertz) break;
      const Rect dial = ReportRateDial(place);
      base_.Image(dc, skin::ReportRateDial(*hertz), dial.left, dial.top);
      break;
    }
    case Control::MouseSpeedDial:
    case Control::DoubleClickSpeedDial: {
      const Rect dial = SpeedDial(place);
      base_.Image(dc, skin::SpeedDial(static_cast<int>(Value(control, 0))), dial.left, dial.top);
      base_.FittedText(dc, Text(slot::kSlow), SpeedSlowLabel(place), DT_CENTER);
      base_.FittedText(dc, Text(slot::kFast), SpeedFastLabel(place), DT_CENTER);
      break;
    }
    case Control::ScrollMode: {
      const ScrollRadioLooks looks = ScrollRadiosFor(static_cast<std::uint8_t>(Value(control, 0)));
      const Rect rows = ScrollRowsRadio(place);
      const Rect screen = ScrollOneScreenRadio(place);
      base_.Image(dc, looks.rows ? skin::kScrollRadioOn : skin::kScrollRadioOff, rows.left,
                  rows.top);
      base_.Image(dc, looks.oneScreen ? skin::kScrollRadioOn : skin::kScrollRadioOff, screen.left,
                  screen.top);
      break;
    }
    case Control::ScrollLines: {
      // One image holds the box and its arrows; the edit box over it is the page view's.
      const Rect box = ScrollLinesBox(place);
      base_.Image(dc, skin::kScrollLinesBox, box.left, box.top);
      break;
    }
    case Control::AngleSnap: {
      const bool on = Value(control, 0) == 1;
      Check(dc, AngleSnapOnRadio(place), on);
      Check(dc, AngleSnapOffRadio(place), !on);
      break;
    }
    case Control::GestureSlider: {
      const Rect slider = gm::GestureSlider(place);
      base_.Image(dc, skin::GestureSlider(static_cast<int>(Value(control, 0))), slider.left,
                  slider.top);
      break;
    }
    case Control::XSensitivity:
    case Control::YSensitivity: {
      const Rect slider =
          SensitivitySlider(place, control == Control::XSensitivity ? Axis::X : Axis::Y);
      base_.Image(dc, skin::StageSlider(static_cast<int>(Value(control, 0))), slider.left,
                  slider.top);
      break;
    }
  }
}

void PagePainter::Labels(HDC dc, gm::Page page, const PagePlace& place) const {
  switch (page) {
    case Page::Lighting:
      for (int r = 0; r < kLightingRows; ++r) {
        base_.FittedText(dc, Text(kLightingModeSlot[r]), LightingModeLabel(place, r), DT_LEFT);
        for (int i = 0; i < kLightingScaleLabels; ++i) {
          // "100%" would reach the page's border line: a label that does not fit between its
          // left edge and the page's edge ends at the latter instead.
          const std::wstring text = LightingScaleText(r, i);
          Rect label = LightingScaleLabel(place, r, i);
          label.right = std::min(label.right, place.x + place.width - 1 - kLabelPadding);
          label.left = std::min(label.left, label.right - TextWidth(dc, base_.smallFont(), text));
          base_.Text(dc, text, label, DT_LEFT, base_.smallFont());
        }
      }
      break;
    case Page::ScrollSpeed:
      base_.FittedText(dc, Text(slot::kNumberOfRows), ScrollRowsLabel(place), DT_LEFT);
      base_.WrappedText(dc, Text(slot::kScrollOneScreen), ScrollOneScreenLabel(place));
      break;
    case Page::AngleSnap:
      base_.FittedText(dc, Text(slot::kOn), AngleSnapOnLabel(place), DT_LEFT);
      base_.FittedText(dc, Text(slot::kOff), AngleSnapOffLabel(place), DT_LEFT);
      break;
    case Page::GestureCorrection:
      for (int i = 0; i < kGestureScaleLabels; ++i) {
        base_.Text(dc, GestureScaleText(i), GestureScaleLabel(place, i), DT_LEFT);
      }
      break;
    case Page::XYSensitivity:
      for (Axis axis : {Axis::X, Axis::Y}) {
        base_.FittedText(dc, Text(axis == Axis::X ? slot::kXAxis : slot::kYAxis),
                         SensitivityLabel(place, axis), DT_LEFT);
        for (int i = 0; i < kSensitivityScaleLabels; ++i) {
          base_.Text(dc, std::to_wstring(i + 1), SensitivityScaleLabel(place, axis, i), DT_LEFT);
        }
      }
      break;
    default:
      break;  // the other pages' texts belong to their controls
  }
}

}  // namespace gm
