// The settings pages of the main window: where each page's controls sit relative to the page's
// origin, what a click on a control means, and the edits of the SettingsRecord they make.
// Editing changes only the record; the window redraws the control it is told to.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/main_layout.h"
#include "config/records.h"
#include "gfx/geometry.h"
#include "ui/colour_chooser.h"

namespace gm {

// Where a page is drawn: its origin (left and bottom of its header), the right edge of its
// header and the width of its background image (0 when it could not be measured).
struct PagePlace {
  int x = 0;
  int y = 0;
  int headerRight = 0;
  int width = 0;
};

PagePlace PlaceOf(const PageDraw& draw, const PageSizes& sizes);
// The page's place in the layout as the last column pass left it.
PagePlace PlaceOf(const MainLayout& layout, Page page, const PageSizes& sizes);

// The horizontal sliders: a click's x gives position 1 left of the first step, else one
// position per step of s pixels, counted from k pixels into the slider.
struct SliderRule {
  int k;
  int s;
};
inline constexpr SliderRule kSensitivitySlider{9, 21};
inline constexpr SliderRule kLightingSlider{4, 30};
inline constexpr SliderRule kGestureSlider{4, 37};
int SliderPosition(int x, int sliderLeft, SliderRule rule);

// DPI page. Its header never moves, so its controls have fixed places.
inline constexpr Point kDpiPageOrigin{734, 52};
inline constexpr int kMinDpiLevel = 1;    // 100 DPI
inline constexpr int kMaxDpiLevel = 120;  // 12000 DPI
Rect DpiLevelBar(std::size_t stage);
Rect DpiValueBox(std::size_t stage);
Rect DpiEnableBox(std::size_t stage);
Rect DpiSwatch(std::size_t stage);
// The level (1..120) a click at height y on a level bar gives: one pixel per 100 DPI.
int DpiLevelFromClick(int y);
std::wstring DpiValueText(std::uint8_t level);  // the DPI, "%d" of level x 100

// Lighting page: rows 0..2 for the modes 1 standard, 2 respiration, 3 neon.
inline constexpr int kLightingRows = 3;
inline constexpr int kLightingScaleLabels = 5;
Rect LightingModeRadio(const PagePlace& place, int row);
Rect LightingModeLabel(const PagePlace& place, int row);
Rect LightingSlider(const PagePlace& place, int row);
Rect LightingScaleLabel(const PagePlace& place, int row, int label);
const wchar_t* LightingScaleText(int row, int label);

// USB report rate page: a round dial of four quadrants.
Rect ReportRateDial(const PagePlace& place);
// The ReportRateCode of a click in the dial's ring, nothing elsewhere or on an axis.
std::optional<std::uint8_t> ReportRateFromClick(const PagePlace& place, int x, int y);
// The rate a code stands for (1000 / code) for the four codes the page can set; nothing for
// any other byte a configuration file may hold (the page then shows no dial).
std::optional<int> ReportRateHertz(std::uint8_t code);

// Mouse speed and double-click speed pages: a half-round dial.
Rect SpeedDial(const PagePlace& place);
Rect SpeedSlowLabel(const PagePlace& place);
Rect SpeedFastLabel(const PagePlace& place);
// The position (2..12) of a click in the dial's upper half ring, nothing elsewhere.
std::optional<int> SpeedPositionFromClick(const PagePlace& place, int x, int y);

// Scroll speed page.
inline constexpr int kMinScrollLines = 1;
inline constexpr int kMaxScrollLines = 100;
Rect ScrollRowsRadio(const PagePlace& place);
Rect ScrollOneScreenRadio(const PagePlace& place);
Rect ScrollRowsLabel(const PagePlace& place);
Rect ScrollOneScreenLabel(const PagePlace& place);
Rect ScrollLinesBox(const PagePlace& place);  // the image and the edit control over it
Rect ScrollLinesUp(const PagePlace& place);
Rect ScrollLinesDown(const PagePlace& place);
// The line count after an arrow (delta +1 or -1), kept within 1..100.
int SteppedScrollLines(int lines, int delta);
// The count typed into the lines box: nothing when the text is no number or out of 1..100.
std::optional<int> ScrollLinesFromText(std::wstring_view text);
// Which scroll-mode radio shows selected for the record's byte: rows for 0, one screen for 1,
// neither for a damaged value.
struct ScrollRadioLooks {
  bool rows = false;
  bool oneScreen = false;
};
ScrollRadioLooks ScrollRadiosFor(std::uint8_t scrollOneScreen);
// The lines box takes input unless the wheel scrolls one screen.
bool ScrollLinesTakeInput(std::uint8_t scrollOneScreen);

// Angle snap page.
Rect AngleSnapOnRadio(const PagePlace& place);
Rect AngleSnapOnLabel(const PagePlace& place);
Rect AngleSnapOffRadio(const PagePlace& place);
Rect AngleSnapOffLabel(const PagePlace& place);

// Gesture correction page: positions 1..5 under the labels "-2".."2".
inline constexpr int kGestureScaleLabels = 5;
Rect GestureSlider(const PagePlace& place);  // the image's place and the hit rectangle
Rect GestureScaleLabel(const PagePlace& place, int label);
const wchar_t* GestureScaleText(int label);

// X/Y sensitivity page (left column): positions 1..10 under the labels "1".."10".
enum class Axis { X, Y };
inline constexpr int kSensitivityScaleLabels = 10;
Rect SensitivityLabel(const PagePlace& place, Axis axis);
Rect SensitivitySlider(const PagePlace& place, Axis axis);
Rect SensitivityScaleLabel(const PagePlace& place, Axis axis, int label);

// The child windows of the right column's pages after a pass over it: the DPI page's seven
// colour swatches and the scroll speed page's lines box. Each is made again whenever its page
// is drawn open and goes away when it is drawn closed or not drawn at all.
enum class ChildAction { Destroy, Recreate };
struct PageChildren {
  ChildAction swatches = ChildAction::Destroy;
  ChildAction scrollLines = ChildAction::Destroy;
};
PageChildren RightColumnChildren(const ColumnPlan& plan);

// The controls of the settings pages, in the order their click tests run; each has one entry
// in PageControls().
enum class Control : std::size_t {
  DpiSwatch,
  DpiEnable,
  LightingMode,
  ReportRateDial,
  MouseSpeedDial,
  DoubleClickSpeedDial,
  ScrollMode,
  AngleSnap,
  ScrollLines,
  XSensitivity,
  YSensitivity,
  // Tested after the button rows of the button assignment page.
  DpiLevel,
  LightingSlider,
  GestureSlider,
};
inline constexpr std::size_t kControlCount = 14;

// How a control shows its value, which decides what the window does after an edit.
enum class Look {
  Picture,   // drawn into the window's picture by its painter
  Swatch,    // a child window painted in the stage's colour
  LinesBox,  // an edit box over its image holds the value; the clicks are on its arrows
};

// A control's instances are separate fields of the record (the DPI stages, the lighting rows)
// or the choices of one field (a group of radio buttons, the lines box's two arrows).
enum class Instances { Fields, Choices };

enum class ClickTurn { BeforeButtonRows, AfterButtonRows };

// A click on one instance of a control: what its rule decides from.
struct ControlClick {
  const PagePlace& place;
  Rect area;  // the instance's rectangle, which holds the click
  int index;
  int x;
  int y;
  std::uint32_t current;  // the field's value
  ColourChooser& colours;
};

// The field's new value after a click, or nothing when the click changes nothing.
using ClickRule = std::optional<std::uint32_t> (*)(const ControlClick& click);

struct PageControl {
  Control control;
  Page page;
  Look look;
  Instances instances;
  int count;  // instances
  // Where instance `index` sits on its page, the rectangle its clicks hit.
  Rect (*area)(const PagePlace& place, int index);
  ClickRule click;
  std::size_t offset;  // the record byte of the first field
  std::size_t width;   // bytes of one field, most significant first
  const wchar_t* logName;
  ClickTurn turn;
};

const std::array<PageControl, kControlCount>& PageControls();
const PageControl& ControlOf(Control control);
std::size_t FieldOffset(const PageControl& control, int index);
std::uint32_t FieldValue(const SettingsRecord& record, const PageControl& control, int index);
// "page NAME VALUE" with the instance's number (1..) before the value where the control has
// several fields, and each byte of a wider field.
std::wstring PageLogLine(const SettingsRecord& record, const PageControl& control, int index);

// What the window does after an edit.
class PageView {
 public:
  virtual ~PageView() = default;
  // Instance `index` of the control holds a new value (a group of choices shows it as a
  // whole): show it again.
  virtual void ControlChanged(Control control, int index) = 0;
  virtual void EnableScrollLines(bool enable) = 0;
  // selected: the whole text is selected, so that the next key typed replaces it.
  virtual void SetScrollLinesText(const std::wstring& text, bool selected) = 0;
};

// The edits the pages' controls make to the record.
class SettingsPageEditor {
 public:
  SettingsPageEditor(SettingsRecord& record, PageView& view, ColourChooser& colours)
      : record_(record), view_(view), colours_(colours) {}

  // A click at (x, y) on instance `index` of the control, its page drawn at `place`.
  void Click(const PageControl& control, int index, const PagePlace& place, int x, int y);
  // The lines box's text changed (typing or an arrow): a bad count becomes "1".
  void ScrollLinesTextChanged(std::wstring_view text);

 private:
  SettingsRecord& record_;
  PageView& view_;
  ColourChooser& colours_;
};

}  // namespace gm
