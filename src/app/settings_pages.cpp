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

PagePlace PlaceOf(const PageDraw& draw, const PageSizes& sizes) {
  return {draw.originX, draw.originY, draw.header.right,
          PageSize(draw.page, MouseView::Front, sizes).width};
}

PagePlace PlaceOf(const MainLayout& layout, Page page, const PageSizes& sizes) {
  const Rect& header = layout.HeaderRect(page);
  return {header.left, header.bottom, header.right, PageSize(page, MouseView::Front, sizes).width};
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
  // To the page's separator, so that longer words than "Respiration" have their room.
  const int o = kLightingRowStep * row;
  return {p.x + 25, p.y + 15 + o, p.x + 95, p.y + 34 + o};
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

Rect SpeedDial(const PagePlace& p) {
  const int c = p.x + p.width / 2;
  return {c - kSpeedRadius, p.y + 20, c + kSpeedRadius, p.y + 103};
}

// Between the dial and the page's edge, less the edge's border line, so that a word as long as
// the room is not drawn on it.
Rect SpeedSlowLabel(const PagePlace& p) {
  const int c = p.x + p.width / 2;
  return {c - 120, p.y + 73, c - kSpeedRadius, p.y + 103};
}

Rect SpeedFastLabel(const PagePlace& p) {
  const int c = p.x + p.width / 2;
  return {c + kSpeedRadius, p.y + 73, c + 120, p.y + 103};
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
  return {p.x + 27, p.y + 15, p.x + 150, p.y + 27};  // up to the lines box
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

bool ScrollLinesTakeInput(std::uint8_t scrollOneScreen) {
  return scrollOneScreen != 1;
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
  return {p.x + 166, p.y + 10, p.x + p.width, p.y + 30};  // up to the page's edge
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

// The table of the controls.

namespace {

using NewValue = std::optional<std::uint32_t>;

// A slider's position from the click's x.
template <const SliderRule& kRule>
NewValue SliderClick(const ControlClick& c) {
  return static_cast<std::uint32_t>(SliderPosition(c.x, c.area.left, kRule));
}

NewValue Optional(std::optional<int> value) {
  if (!value) return std::nullopt;
  return static_cast<std::uint32_t>(*value);
}

constexpr std::uint32_t Packed(Rgb colour) {
  return std::uint32_t{colour.red} << 16 | std::uint32_t{colour.green} << 8 | colour.blue;
}

constexpr auto kBefore = ClickTurn::BeforeButtonRows;
constexpr auto kAfter = ClickTurn::AfterButtonRows;
constexpr auto kFields = Instances::Fields;
constexpr auto kChoices = Instances::Choices;
constexpr int kSingle = 1;
constexpr int kStages = static_cast<int>(kDpiStageCount);

// In the order of the click tests. Fields of several instances lie one after the other, each
// `width` bytes.
constexpr std::array<PageControl, kControlCount> kControls = {{
    {Control::DpiSwatch, Page::Dpi, Look::Swatch, kFields, kStages,
     [](const PagePlace&, int k) { return DpiSwatch(static_cast<std::size_t>(k)); },
     [](const ControlClick& c) -> NewValue {
       const std::optional<Rgb> colour = c.colours.Choose();
       if (!colour) return std::nullopt;  // cancelled: the stage keeps its colour
       return Packed(*colour);
     },
     rec::kStageColours, 3, L"dpi-colour", kBefore},
    {Control::DpiEnable, Page::Dpi, Look::Picture, kFields, kStages,
     [](const PagePlace&, int k) { return DpiEnableBox(static_cast<std::size_t>(k)); },
     // A damaged flag above 1 counts as enabled, as the settings block counts it.
     [](const ControlClick& c) -> NewValue { return c.current != 0 ? 0u : 1u; }, rec::kStageEnabled,
     1, L"dpi-enable", kBefore},
    {Control::LightingMode, Page::Lighting, Look::Picture, kChoices, kLightingRows,
     LightingModeRadio,
     [](const ControlClick& c) -> NewValue { return static_cast<std::uint32_t>(c.index + 1); },
     rec::kLightingMode, 1, L"lighting-mode", kBefore},
    {Control::ReportRateDial, Page::ReportRate, Look::Picture, kFields, kSingle,
     [](const PagePlace& p, int) { return ReportRateDial(p); },
     [](const ControlClick& c) -> NewValue {
       const auto code = ReportRateFromClick(c.place, c.x, c.y);
       if (!code) return std::nullopt;
       return std::uint32_t{*code};
     },
     rec::kReportRateCode, 1, L"report-rate", kBefore},
    {Control::MouseSpeedDial, Page::MouseSpeed, Look::Picture, kFields, kSingle,
     [](const PagePlace& p, int) { return SpeedDial(p); },
     [](const ControlClick& c) { return Optional(SpeedPositionFromClick(c.place, c.x, c.y)); },
     rec::kPointerSpeed, 1, L"mouse-speed", kBefore},
    {Control::DoubleClickSpeedDial, Page::DoubleClickSpeed, Look::Picture, kFields, kSingle,
     [](const PagePlace& p, int) { return SpeedDial(p); },
     [](const ControlClick& c) { return Optional(SpeedPositionFromClick(c.place, c.x, c.y)); },
     rec::kDoubleClickSpeed, 1, L"double-click-speed", kBefore},
    // Choice 0: a number of rows, 1: one screen.
    {Control::ScrollMode, Page::ScrollSpeed, Look::Picture, kChoices, 2,
     [](const PagePlace& p, int i) {
       return i == 0 ? ScrollRowsRadio(p) : ScrollOneScreenRadio(p);
     },
     [](const ControlClick& c) -> NewValue { return static_cast<std::uint32_t>(c.index); },
     rec::kScrollOneScreen, 1, L"scroll-one-screen", kBefore},
    // Choice 0: "On", 1: "Off".
    {Control::AngleSnap, Page::AngleSnap, Look::Picture, kChoices, 2,
     [](const PagePlace& p, int i) { return i == 0 ? AngleSnapOnRadio(p) : AngleSnapOffRadio(p); },
     [](const ControlClick& c) -> NewValue { return c.index == 0 ? 1u : 0u; }, rec::kAngleSnap, 1,
     L"angle-snap", kBefore},
    // Choice 0: the up arrow, 1: the down arrow.
    {Control::ScrollLines, Page::ScrollSpeed, Look::LinesBox, kChoices, 2,
     [](const PagePlace& p, int i) { return i == 0 ? ScrollLinesUp(p) : ScrollLinesDown(p); },
     [](const ControlClick& c) -> NewValue {
       const int lines = SteppedScrollLines(static_cast<int>(c.current), c.index == 0 ? +1 : -1);
       return static_cast<std::uint32_t>(lines);
     },
     rec::kWheelLines, 1, L"scroll-lines", kBefore},
    {Control::XSensitivity, Page::XYSensitivity, Look::Picture, kFields, kSingle,
     [](const PagePlace& p, int) { return SensitivitySlider(p, Axis::X); },
     SliderClick<kSensitivitySlider>, rec::kXSensitivity, 1, L"x-sensitivity", kBefore},
    {Control::YSensitivity, Page::XYSensitivity, Look::Picture, kFields, kSingle,
     [](const PagePlace& p, int) { return SensitivitySlider(p, Axis::Y); },
     SliderClick<kSensitivitySlider>, rec::kYSensitivity, 1, L"y-sensitivity", kBefore},
    {Control::DpiLevel, Page::Dpi, Look::Picture, kFields, kStages,
     [](const PagePlace&, int k) { return DpiLevelBar(static_cast<std::size_t>(k)); },
     [](const ControlClick& c) -> NewValue {
       return static_cast<std::uint32_t>(DpiLevelFromClick(c.y));
     },
     rec::kDpiStages, 1, L"dpi-level", kAfter},
    {Control::LightingSlider, Page::Lighting, Look::Picture, kFields, kLightingRows, LightingSlider,
     SliderClick<kLightingSlider>, rec::kBrightness, 1, L"lighting-slider", kAfter},
    {Control::GestureSlider, Page::GestureCorrection, Look::Picture, kFields, kSingle,
     [](const PagePlace& p, int) { return GestureSlider(p); }, SliderClick<kGestureSlider>,
     rec::kGestureCorrection, 1, L"gesture", kAfter},
}};

constexpr bool InControlOrder() {
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    if (static_cast<std::size_t>(kControls[i].control) != i) return false;
  }
  return true;
}
static_assert(InControlOrder(), "ControlOf finds a control by its place in the table");

}  // namespace

const std::array<PageControl, kControlCount>& PageControls() {
  return kControls;
}

const PageControl& ControlOf(Control control) {
  return kControls[static_cast<std::size_t>(control)];
}

std::size_t FieldOffset(const PageControl& control, int index) {
  if (control.instances == Instances::Choices) return control.offset;
  return control.offset + control.width * static_cast<std::size_t>(std::max(index, 0));
}

std::uint32_t FieldValue(const SettingsRecord& record, const PageControl& control, int index) {
  const std::size_t offset = FieldOffset(control, index);
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < control.width; ++i) value = value << 8 | record.at(offset + i);
  return value;
}

std::wstring PageLogLine(const SettingsRecord& record, const PageControl& control, int index) {
  std::wstring line = L"page ";
  line += control.logName;
  if (control.instances == Instances::Fields && control.count > 1) {
    line += L" " + std::to_wstring(index + 1);
  }
  const std::size_t offset = FieldOffset(control, index);
  for (std::size_t i = 0; i < control.width; ++i) {
    line += L" " + std::to_wstring(record.at(offset + i));
  }
  return line;
}

// Edits.

void SettingsPageEditor::Click(const PageControl& control, int index, const PagePlace& place, int x,
                               int y) {
  const ControlClick click{place, control.area(place, index),          index,   x,
                           y,     FieldValue(record_, control, index), colours_};
  const std::optional<std::uint32_t> value = control.click(click);
  if (!value) return;
  const std::size_t offset = FieldOffset(control, index);
  if (control.width == 1) {
    record_.at(offset) = static_cast<std::uint8_t>(std::min<std::uint32_t>(*value, 255));
  } else {
    for (std::size_t i = 0; i < control.width; ++i) {
      record_.at(offset + i) = static_cast<std::uint8_t>(*value >> (8 * (control.width - 1 - i)));
    }
  }
  if (control.control == Control::ScrollMode) {
    view_.EnableScrollLines(ScrollLinesTakeInput(record_.at(rec::kScrollOneScreen)));
  }
  view_.ControlChanged(control.control, index);
}

void SettingsPageEditor::ScrollLinesTextChanged(std::wstring_view text) {
  const std::optional<int> lines = ScrollLinesFromText(text);
  if (lines) {
    record_.at(rec::kWheelLines) = Byte(*lines);
    return;
  }
  // A cleared or refused box shows "1", selected: the user's next digit replaces it.
  record_.at(rec::kWheelLines) = kMinScrollLines;
  view_.SetScrollLinesText(L"1", true);
}

}  // namespace gm
