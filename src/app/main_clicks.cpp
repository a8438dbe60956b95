#include "app/main_clicks.h"

namespace gm {
namespace {

constexpr int kButtonRows = 12;
constexpr int kFrontButtonRows = 7;

bool OpenAndClickable(const MainLayout& layout, Page page) {
  return layout.IsOpen(page) && layout.IsClickable(page);
}

// Rows 14 to 23: the controls of the open settings pages, each tested in turn.
void DispatchPageClick(int x, int y, const MainLayout& layout, const PageSizes& sizes,
                       SettingsPageEditor& pages) {
  const bool top = layout.position() == ColumnPosition::Top;
  if (top && layout.IsOpen(Page::Dpi)) {
    for (std::size_t k = 0; k < kDpiStageCount; ++k) {
      if (DpiSwatch(k).Contains(x, y)) pages.ChooseStageColour(k);
    }
    for (std::size_t k = 0; k < kDpiStageCount; ++k) {
      if (DpiEnableBox(k).Contains(x, y)) pages.ToggleStage(k);
    }
  }
  if (top && layout.IsOpen(Page::Lighting)) {
    const PagePlace lighting = PlaceOf(layout, Page::Lighting, sizes);
    for (int r = 0; r < kLightingRows; ++r) {
      if (LightingModeRadio(lighting, r).Contains(x, y)) pages.SetLightingMode(r + 1);
    }
  }
  if (top && OpenAndClickable(layout, Page::ReportRate)) {
    const PagePlace place = PlaceOf(layout, Page::ReportRate, sizes);
    if (ReportRateDial(place).Contains(x, y)) {
      if (const auto code = ReportRateFromClick(place, x, y)) pages.SetReportRate(*code);
    }
  }
  for (const auto& [page, speed] : {std::pair{Page::MouseSpeed, SpeedPage::Mouse},
                                    std::pair{Page::DoubleClickSpeed, SpeedPage::DoubleClick}}) {
    if (!OpenAndClickable(layout, page)) continue;
    const PagePlace place = PlaceOf(layout, page, sizes);
    if (SpeedDial(place).Contains(x, y)) {
      if (const auto position = SpeedPositionFromClick(place, x, y)) {
        pages.SetSpeed(speed, *position);
      }
    }
  }
  const bool scrollOpen = OpenAndClickable(layout, Page::ScrollSpeed);
  const PagePlace scroll = PlaceOf(layout, Page::ScrollSpeed, sizes);
  if (scrollOpen) {
    if (ScrollRowsRadio(scroll).Contains(x, y)) pages.SetScrollOneScreen(false);
    if (ScrollOneScreenRadio(scroll).Contains(x, y)) pages.SetScrollOneScreen(true);
  }
  if (OpenAndClickable(layout, Page::AngleSnap)) {
    const PagePlace place = PlaceOf(layout, Page::AngleSnap, sizes);
    if (AngleSnapOnRadio(place).Contains(x, y)) pages.SetAngleSnap(true);
    if (AngleSnapOffRadio(place).Contains(x, y)) pages.SetAngleSnap(false);
  }
  if (scrollOpen) {
    if (ScrollLinesUp(scroll).Contains(x, y)) pages.StepScrollLines(+1);
    if (ScrollLinesDown(scroll).Contains(x, y)) pages.StepScrollLines(-1);
  }
  if (layout.IsOpen(Page::XYSensitivity)) {
    const PagePlace place = PlaceOf(layout, Page::XYSensitivity, sizes);
    for (Axis axis : {Axis::X, Axis::Y}) {
      const Rect slider = SensitivitySlider(place, axis);
      if (slider.Contains(x, y)) {
        pages.SetSensitivity(axis, SliderPosition(x, slider.left, kSensitivitySlider));
      }
    }
  }
}

// Rows 26 to 28: the DPI level bars and the sliders of the right column.
void DispatchSliderClick(int x, int y, const MainLayout& layout, const PageSizes& sizes,
                         SettingsPageEditor& pages) {
  const bool top = layout.position() == ColumnPosition::Top;
  if (top && layout.IsOpen(Page::Dpi)) {
    for (std::size_t k = 0; k < kDpiStageCount; ++k) {
      if (DpiLevelBar(k).Contains(x, y)) pages.SetStageLevel(k, DpiLevelFromClick(y));
    }
  }
  if (top && layout.IsOpen(Page::Lighting)) {
    const PagePlace place = PlaceOf(layout, Page::Lighting, sizes);
    for (int r = 0; r < kLightingRows; ++r) {
      const Rect slider = LightingSlider(place, r);
      if (slider.Contains(x, y)) {
        pages.SetLightingPosition(r, SliderPosition(x, slider.left, kLightingSlider));
      }
    }
  }
  if (OpenAndClickable(layout, Page::GestureCorrection)) {
    const Rect slider = GestureSlider(PlaceOf(layout, Page::GestureCorrection, sizes));
    if (slider.Contains(x, y)) {
      pages.SetGesturePosition(SliderPosition(x, slider.left, kGestureSlider));
    }
  }
}

}  // namespace

Rect ButtonRowDropdown(int row) {
  return {120, 109 + 20 * row, 250, 125 + 20 * row};
}

Rect ButtonRowListArea(int row) {
  return {262, 109 + 20 * row, 392, 369 + 20 * row};
}

void DispatchMainClick(int x, int y, const MainLayout& layout, const PageSizes& sizes,
                       MainClickActions& actions, SettingsPageEditor& pages) {
  if (kResetButton.Contains(x, y)) return actions.Reset();
  if (kCancelButton.Contains(x, y)) return actions.Cancel();
  if (kSaveButton.Contains(x, y)) {
    if (!actions.saveBusy()) actions.Save();
    return;
  }
  if (kHelpButton.Contains(x, y)) {
    if (actions.helpOpen()) {
      actions.CloseHelp();
    } else {
      actions.OpenHelp();
    }
    return;
  }
  if (actions.helpOpen()) actions.CloseHelp();  // anywhere else closes it and goes on
  if (kMinimiseButton.Contains(x, y)) return actions.Minimise();
  if (kCloseButton.Contains(x, y)) return actions.CloseProgram();
  if (kConfigButton.Contains(x, y)) {
    if (!actions.profileManagerOpen()) actions.OpenProfileManager();
    return;
  }
  if (kFrontViewButton.Contains(x, y)) return actions.SetView(MouseView::Front);
  if (kSideViewButton.Contains(x, y)) return actions.SetView(MouseView::Side);
  if (layout.HeaderRect(Page::ButtonAssignment).Contains(x, y))
    return actions.ToggleLeftPage(Page::ButtonAssignment);
  if (layout.HeaderRect(Page::MacroManager).Contains(x, y)) return actions.OpenMacroManager();
  if (layout.HeaderRect(Page::XYSensitivity).Contains(x, y))
    return actions.ToggleLeftPage(Page::XYSensitivity);

  for (std::size_t k = 0; k < kRightPageCount; ++k) {
    const Page page = RightPage(k);
    // The first three headers only answer while the column shows its top.
    const bool reachable = k >= 3 || layout.position() == ColumnPosition::Top;
    if (layout.IsClickable(page) && reachable && layout.HeaderRect(page).Contains(x, y)) {
      actions.ToggleRightPage(page);
    }
  }
  DispatchPageClick(x, y, layout, sizes, pages);

  for (int r = 1; r <= kButtonRows; ++r) {
    if (!ButtonRowDropdown(r).Contains(x, y) && !ButtonRowListArea(r).Contains(x, y)) {
      actions.CloseButtonRowLists(r);
    }
  }
  const bool front = layout.view() == MouseView::Front;
  for (int r = 1; r <= kButtonRows; ++r) {
    if (!ButtonRowDropdown(r).Contains(x, y)) continue;
    // Rows 1..7 are Button 1..7 in the front view and Button S1..S7 in the side view; rows
    // 8..12 exist only in the side view.
    if (r > kFrontButtonRows && front) continue;
    return actions.OpenButtonMenu(
        static_cast<std::size_t>(front ? r - 1 : kFrontButtonRows + r - 1));
  }

  DispatchSliderClick(x, y, layout, sizes, pages);
  actions.DragWindow();
}

}  // namespace gm
