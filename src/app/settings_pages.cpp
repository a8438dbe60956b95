#include "app/settings_pages.h"

#include <algorithm>
#include <cmath>
#include <cwctype>

namespace gm {
namespace {

constexpr int kDpiStageStep = 35;       // pixels between two stage columns
constexpr int kDpiBarBottom = 207;      // bottom edge of the level bars
constexpr int kDpiBarFoot = 4;          // pixels of the bar below level 1
constexpr int kLightingRowStep = 29;    // pixels between two lighting rows
constexpr int kLightingLabelStep = 30;  // pixels between two scale labels
constexpr int kReportRateRadius = 64;   // outer radius of the report-rate ring
constexpr int kReportRateHole = 35;     // inner radius
constexpr int kSpeedRadius = 71;        // outer radius of the speed dial's ring
constexpr int kSpeedHole = 43;          // inner radius
constexpr double kDegreesPerRadian = 57.29578;

int Stage(std::size_t stage) {
  return static_cast<int>(stage);
}

int Distance2(int dx, int dy) {
  return dx * dx + dy * dy;
}

std::uint8_t Byte(int value) {
  return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

}  // namespace

int PageWidth(Page page, const PageSizes& sizes) {
  switch (page) {
    case Page::XYSensitivity:
      return sizes.xySensitivity.width;
    case Page::Dpi:
      return sizes.dpi.width;
    case Page::Lighting:
      return sizes.lighting.width;
    case Page::ReportRate:
      return sizes.reportRate.width;
    case Page::MouseSpeed:
    case Page::DoubleClickSpeed:
      return sizes.mouseAttribute.width;
    case Page::ScrollSpeed:
      return sizes.scrollSpeed.width;
    case Page::AngleSnap:
      return sizes.angleSnap.width;
    case Page::GestureCorrection:
      return sizes.gestureCorrection.width;
    case Page::ButtonAssignment:
    case Page::MacroManager:
      break;
  }
  return 0;
}

PagePlace PlaceOf(const PageDraw& draw, const PageSizes& sizes) {
  return {draw.originX, draw.originY, draw.header.right, PageWidth(draw.page, sizes)};
}

PagePlace PlaceOf(const MainLayout& layout, Page page, const PageSizes& sizes) {
  const Rect& header = layout.HeaderRect(page);
  return {header.left, header.bottom, header.right, PageWidth(page, sizes)};
}

int SliderPosition(int x, int sliderLeft, SliderRule rule) {
  const int d = x - sliderLeft - rule.k;
  return d < 0 ? 1 : d / rule.s + 2;
}

// DPI page.

Rect DpiLevelBar(std::size_t stage) {
  const int dx = kDpiStageStep * Stage(stage);
  return {745 + dx, 80, 752 + dx, kDpiBarBottom};
}

Rect DpiValueBox(std::size_t stage) {
  const int dx = kDpiStageStep * Stage(stage);
  return {735 + dx, 226, 760 + dx, 237};
}

Rect DpiEnableBox(std::size_t stage) {
  const int dx = kDpiStageStep * Stage(stage);
  return {742 + dx, 245, 752 + dx, 254};
}

Rect DpiSwatch(std::size_t stage) {
  const int dx = kDpiStageStep * Stage(stage);
  return {742 + dx, 265, 752 + dx, 275};
}

int DpiLevelFromClick(int y) {
  const int d = kDpiBarBottom - kDpiBarFoot - y;
  if (d <= 0) return kMinDpiLevel;
  return std::min(d + 1, kMaxDpiLevel);
}

std::wstring DpiValueText(std::uint8_t level) {
  return std::to_wstring(level * 100);
}

// Lighting page.

Rect LightingModeRadio(const PagePlace& p, int row) {
  const int o = kLightingRowStep * row;
  return {p.x + 10, p.y + 20 + o, p.x + 20, p.y + 29 + o};
}

Rect LightingModeLabel(const PagePlace& p, int row) {
  const int o = kLightingRowStep * row;
  return {p.x + 25, p.y + 15 + o, p.x + 90, p.y + 34 + o};
}

Rect LightingSlider(const PagePlace& p, int row) {
  const int o = kLightingRowStep * row;
  return {p.x + 100, p.y + 20 + o, p.x + 228, p.y + 28 + o};
}

Rect LightingScaleLabel(const PagePlace& p, int row, int label) {
  const int o = kLightingRowStep * row;
  const int top = p.y + 33 + o;
  const int bottom = p.y + 48 + o;
  // The brightness labels sit a little left of the period labels after the first one.
  if (row == 0 && label > 0) {
    const int left = p.x + 95 + kLightingLabelStep * label;
    return {left, top, left + 30, bottom};
  }
  const int left = p.x + 100 + kLightingLabelStep * label;
  return {left, top, left + 30, bottom};
}

const wchar_t* LightingScaleText(int row, int label) {
  static constexpr const wchar_t* kTexts[kLightingRows][kLightingScaleLabels] = {
      {L"0%", L"25%", L"50%", L"75%", L"100%"},
      {L"4S", L"5S", L"6S", L"7S", L"8S"},
      {L"3S", L"6S", L"9S", L"12S", L"15S"}};
  if (row < 0 || row >= kLightingRows || label < 0 || label >= kLightingScaleLabels) return L"";
  return kTexts[row][label];
}

std::size_t LightingPositionOffset(int row) {
  return rec::kBrightness + static_cast<std::size_t>(std::clamp(row, 0, kLightingRows - 1));
}

// Report rate page.

Rect ReportRateDial(const PagePlace& p) {
  const int c = p.x + p.width / 2;
  return {c - kReportRateRadius, p.y + 5, c + kReportRateRadius, p.y + 5 + 2 * kReportRateRadius};
}

std::optional<std::uint8_t> ReportRateFromClick(const PagePlace& place, int x, int y) {
  const Rect dial = ReportRateDial(place);
  const int dx = x - (dial.left + dial.right) / 2;
  const int dy = y - (dial.top + dial.bottom) / 2;
  const int d2 = Distance2(dx, dy);
  if (d2 < kReportRateHole * kReportRateHole || d2 > kReportRateRadius * kReportRateRadius) {
    return std::nullopt;
  }
  if (dx == 0 || dy == 0) return std::nullopt;                    // on an axis: no quadrant
  if (dy < 0) return dx > 0 ? std::uint8_t{1} : std::uint8_t{8};  // 1000 Hz, 125 Hz
  return dx > 0 ? std::uint8_t{2} : std::uint8_t{4};              // 500 Hz, 250 Hz
}

std::optional<int> ReportRateHertz(std::uint8_t code) {
  switch (code) {
    case 1:
    case 2:
    case 4:
    case 8:
      return 1000 / code;
    default:
      return std::nullopt;
  }
}

// Mouse speed and double-click speed pages.

std::size_t SpeedOffset(SpeedPage page) {
  return page == SpeedPage::Mouse ? rec::kPointerSpeed : rec::kDoubleClickSpeed;
}

Rect SpeedDial(const PagePlace& p) {
  const int c = p.x + p.width / 2;
  return {c - kSpeedRadius, p.y + 20, c + kSpeedRadius, p.y + 103};
}

Rect SpeedSlowLabel(const PagePlace& p) {
  const int c = p.x + p.width / 2;
  return {c - 121, p.y + 73, c - kSpeedRadius, p.y + 103};
}

Rect SpeedFastLabel(const PagePlace& p) {
  const int c = p.x + p.width / 2;
  return {c + kSpeedRadius, p.y + 73, c + 121, p.y + 103};
}

std::optional<int> SpeedPositionFromClick(const PagePlace& place, int x, int y) {
  const int dx = x - (place.x + place.width / 2);
  const int dy = y - (place.y + 20 + kSpeedRadius);
  if (dy > 0) return std::nullopt;  // the lower half has no dial
  const int d2 = Distance2(dx, dy);
  if (d2 < kSpeedHole * kSpeedHole || d2 > kSpeedRadius * kSpeedRadius) return std::nullopt;
  // The angle from the right-hand horizontal through the top, in degrees.
  double angle = 90.0;
  if (dx > 0) {
    angle = std::atan(static_cast<double>(-dy) / dx) * kDegreesPerRadian;
  } else if (dx < 0) {
    angle = dy == 0 ? 180.0 : std::atan(static_cast<double>(-dx) / -dy) * kDegreesPerRadian + 90.0;
  }
  return static_cast<int>(std::trunc(12.0 - angle / 18.0));
}

// Scroll speed page.

Rect ScrollRowsRadio(const PagePlace& p) {
  return {p.x + 10, p.y + 15, p.x + 22, p.y + 27};
}

Rect ScrollOneScreenRadio(const PagePlace& p) {
  return {p.x + 10, p.y + 50, p.x + 22, p.y + 62};
}

Rect ScrollRowsLabel(const PagePlace& p) {
  return {p.x + 27, p.y + 15, p.x + 142, p.y + 27};
}

Rect ScrollOneScreenLabel(const PagePlace& p) {
  return {p.x + 27, p.y + 42, p.x + 237, p.y + 70};
}

Rect ScrollLinesBox(const PagePlace& p) {
  return {p.x + 150, p.y + 15, p.x + 186, p.y + 29};
}

Rect ScrollLinesUp(const PagePlace& p) {
  return {p.x + 190, p.y + 15, p.x + 200, p.y + 21};
}

Rect ScrollLinesDown(const PagePlace& p) {
  return {p.x + 190, p.y + 23, p.x + 200, p.y + 29};
}

int SteppedScrollLines(int lines, int delta) {
  return std::clamp(lines + delta, kMinScrollLines, kMaxScrollLines);
}

ScrollRadioLooks ScrollRadiosFor(std::uint8_t scrollOneScreen) {
  return {scrollOneScreen == 0, scrollOneScreen == 1};
}

std::optional<int> ScrollLinesFromText(std::wstring_view text) {
  while (!text.empty() && std::iswspace(static_cast<wint_t>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::iswspace(static_cast<wint_t>(text.back()))) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
    negative = text.front() == L'-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  int value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    // Long numbers stop growing once they are out of range anyway.
    value = std::min(value * 10 + (c - L'0'), kMaxScrollLines + 1);
  }
  if (negative || value < kMinScrollLines || value > kMaxScrollLines) return std::nullopt;
  return value;
}

// Angle snap page.

Rect AngleSnapOnRadio(const PagePlace& p) {
  return {p.x + 20, p.y + 15, p.x + 40, p.y + 25};
}

Rect AngleSnapOnLabel(const PagePlace& p) {
  return {p.x + 45, p.y + 10, p.x + 100, p.y + 30};
}

Rect AngleSnapOffRadio(const PagePlace& p) {
  return {p.x + 141, p.y + 15, p.x + 161, p.y + 25};
}

Rect AngleSnapOffLabel(const PagePlace& p) {
  return {p.x + 166, p.y + 10, p.x + 221, p.y + 30};
}

// Gesture correction page.

Rect GestureSlider(const PagePlace& p) {
  return {p.x + 43, p.y + 30, p.x + 198, p.y + 41};
}

Rect GestureScaleLabel(const PagePlace& p, int label) {
  return {p.x + 44 + 37 * label, p.y + 41, p.x + 198, p.y + 61};
}

const wchar_t* GestureScaleText(int label) {
  static constexpr const wchar_t* kTexts[kGestureScaleLabels] = {L"-2", L"-1", L"0", L"1", L"2"};
  if (label < 0 || label >= kGestureScaleLabels) return L"";
  return kTexts[label];
}

// X/Y sensitivity page.

std::size_t SensitivityOffset(Axis axis) {
  return axis == Axis::X ? rec::kXSensitivity : rec::kYSensitivity;
}

namespace {
int AxisOffset(Axis axis) {
  return axis == Axis::X ? 0 : 60;
}
}  // namespace

Rect SensitivityLabel(const PagePlace& p, Axis axis) {
  const int o = AxisOffset(axis);
  return {p.x + 17, p.y + 20 + o, p.headerRight, p.y + 40 + o};
}

Rect SensitivitySlider(const PagePlace& p, Axis axis) {
  const int o = AxisOffset(axis);
  return {p.x + 17, p.y + 40 + o, p.x + 225, p.y + 49 + o};
}

Rect SensitivityScaleLabel(const PagePlace& p, Axis axis, int label) {
  const int o = AxisOffset(axis);
  return {p.x + 24 + 21 * label, p.y + 57 + o, p.headerRight, p.y + 77 + o};
}

// The right column's child windows.

PageChildren RightColumnChildren(const ColumnPlan& plan) {
  PageChildren children;
  for (const PageDraw& draw : plan.pages) {
    const ChildAction action = draw.open ? ChildAction::Recreate : ChildAction::Destroy;
    if (draw.page == Page::Dpi) children.swatches = action;
    if (draw.page == Page::ScrollSpeed) children.scrollLines = action;
  }
  if (plan.destroySwatches) children.swatches = ChildAction::Destroy;
  return children;
}

// Edits.

void SettingsPageEditor::ChooseStageColour(std::size_t stage) {
  const std::optional<Rgb> colour = colours_.Choose();
  if (!colour) return;  // cancelled: the stage keeps its colour
  record_.setStageColour(stage, *colour);
  redraw_.RepaintSwatch(stage);
}

void SettingsPageEditor::ToggleStage(std::size_t stage) {
  // A damaged flag above 1 counts as enabled, as the settings block counts it.
  std::uint8_t& enabled = record_.stageEnabled(stage);
  enabled = enabled != 0 ? 0 : 1;
  redraw_.RedrawDpiEnable(stage);
}

void SettingsPageEditor::SetStageLevel(std::size_t stage, int level) {
  record_.dpiStage(stage) = Byte(std::clamp(level, kMinDpiLevel, kMaxDpiLevel));
  redraw_.RedrawDpiLevel(stage);
}

void SettingsPageEditor::SetLightingMode(int mode) {
  record_.at(rec::kLightingMode) = Byte(mode);
  redraw_.RedrawLightingModes();
}

void SettingsPageEditor::SetLightingPosition(int row, int position) {
  record_.at(LightingPositionOffset(row)) = Byte(position);
  redraw_.RedrawLightingSlider(row);
}

void SettingsPageEditor::SetReportRate(std::uint8_t code) {
  record_.at(rec::kReportRateCode) = code;
  redraw_.RedrawReportRate();
}

void SettingsPageEditor::SetSpeed(SpeedPage page, int position) {
  record_.at(SpeedOffset(page)) = Byte(position);
  redraw_.RedrawSpeedPage(page);
}

void SettingsPageEditor::SetScrollOneScreen(bool oneScreen) {
  record_.at(rec::kScrollOneScreen) = oneScreen ? 1 : 0;
  redraw_.EnableScrollLines(!oneScreen);
  redraw_.RedrawScrollRadios();
}

void SettingsPageEditor::StepScrollLines(int delta) {
  const int lines = SteppedScrollLines(record_.at(rec::kWheelLines), delta);
  record_.at(rec::kWheelLines) = Byte(lines);
  redraw_.SetScrollLinesText(std::to_wstring(lines), false);
}

void SettingsPageEditor::ScrollLinesTextChanged(std::wstring_view text) {
  const std::optional<int> lines = ScrollLinesFromText(text);
  if (lines) {
    record_.at(rec::kWheelLines) = Byte(*lines);
    return;
  }
  // A cleared or refused box shows "1", selected: the user's next digit replaces it.
  record_.at(rec::kWheelLines) = kMinScrollLines;
  redraw_.SetScrollLinesText(L"1", true);
}

void SettingsPageEditor::SetAngleSnap(bool on) {
  record_.at(rec::kAngleSnap) = on ? 1 : 0;
  redraw_.RedrawAngleSnap();
}

void SettingsPageEditor::SetGesturePosition(int position) {
  record_.at(rec::kGestureCorrection) = Byte(position);
  redraw_.RedrawGestureSlider();
}

void SettingsPageEditor::SetSensitivity(Axis axis, int position) {
  record_.at(SensitivityOffset(axis)) = Byte(position);
  redraw_.RedrawSensitivity(axis);
}

}  // namespace gm
