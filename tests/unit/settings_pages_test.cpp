// The settings pages: click rules, the places of their controls and the record edits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/settings_pages.h"

namespace gm {
namespace {

constexpr PagePlace kRight{734, 100, 976, 242};  // a right-column page 48 pixels down

TEST(SettingsPages, SliderRuleAtItsEdges) {
  // Sensitivity: 5 pixels in gives 1; 9 to 29 give 2; 30 gives 3; the last ten pixels 11.
  const Rect x = SensitivitySlider({20, 195, 262, 242}, Axis::X);
  EXPECT_EQ(SliderPosition(x.left + 5, x.left, kSensitivitySlider), 1);
  EXPECT_EQ(SliderPosition(x.left + 9, x.left, kSensitivitySlider), 2);
  EXPECT_EQ(SliderPosition(x.left + 29, x.left, kSensitivitySlider), 2);
  EXPECT_EQ(SliderPosition(x.left + 30, x.left, kSensitivitySlider), 3);
  EXPECT_EQ(SliderPosition(x.right - 11, x.left, kSensitivitySlider), 10);
  EXPECT_EQ(SliderPosition(x.right - 10, x.left, kSensitivitySlider), 11);
  EXPECT_EQ(SliderPosition(x.right - 1, x.left, kSensitivitySlider), 11);

  // Lighting: the right-most four pixels give 6; gesture: the right-most three.
  const Rect light = LightingSlider(kRight, 0);
  EXPECT_EQ(SliderPosition(light.right - 5, light.left, kLightingSlider), 5);
  EXPECT_EQ(SliderPosition(light.right - 4, light.left, kLightingSlider), 6);
  const Rect gesture = GestureSlider(kRight);
  EXPECT_EQ(SliderPosition(gesture.right - 4, gesture.left, kGestureSlider), 5);
  EXPECT_EQ(SliderPosition(gesture.right - 3, gesture.left, kGestureSlider), 6);
  // Position 3 ("0") lies under the middle label.
  const Rect zero = GestureScaleLabel(kRight, 2);
  EXPECT_EQ(SliderPosition(zero.left + 2, gesture.left, kGestureSlider), 3);
}

TEST(SettingsPages, DpiLevelFromTheBarHeight) {
  EXPECT_EQ(DpiLevelFromClick(203), 1);
  EXPECT_EQ(DpiLevelFromClick(206), 1);  // the bar's foot
  EXPECT_EQ(DpiLevelFromClick(202), 2);
  EXPECT_EQ(DpiLevelFromClick(84), 120);
  EXPECT_EQ(DpiLevelFromClick(80), 120);  // above 12000 DPI: kept at the top
  EXPECT_EQ(DpiValueText(120), L"12000");
  EXPECT_EQ(DpiValueText(1), L"100");
  // Stage columns 35 pixels apart.
  EXPECT_EQ(DpiLevelBar(6), (Rect{955, 80, 962, 207}));
  EXPECT_EQ(DpiSwatch(1), (Rect{777, 265, 787, 275}));
}

TEST(SettingsPages, ReportRateRingAndQuadrants) {
  const Rect dial = ReportRateDial(kRight);
  EXPECT_EQ(dial, (Rect{791, 105, 919, 233}));
  const int cx = 855;
  const int cy = 169;
  EXPECT_EQ(ReportRateFromClick(kRight, cx + 50, cy - 10), 1);             // upper right: 1000 Hz
  EXPECT_EQ(ReportRateFromClick(kRight, cx - 50, cy - 10), 8);             // upper left: 125 Hz
  EXPECT_EQ(ReportRateFromClick(kRight, cx - 50, cy + 10), 4);             // lower left: 250 Hz
  EXPECT_EQ(ReportRateFromClick(kRight, cx + 50, cy + 10), 2);             // lower right: 500 Hz
  EXPECT_EQ(ReportRateFromClick(kRight, cx + 20, cy), std::nullopt);       // inside the hole
  EXPECT_EQ(ReportRateFromClick(kRight, cx + 50, cy), std::nullopt);       // level with the centre
  EXPECT_EQ(ReportRateFromClick(kRight, cx, cy - 50), std::nullopt);       // straight above
  EXPECT_EQ(ReportRateFromClick(kRight, cx + 50, cy - 45), std::nullopt);  // beyond the ring

  // Only the four codes name a dial; a 0 from a file must not be divided by.
  EXPECT_EQ(ReportRateHertz(1), 1000);
  EXPECT_EQ(ReportRateHertz(8), 125);
  EXPECT_EQ(ReportRateHertz(0), std::nullopt);
  EXPECT_EQ(ReportRateHertz(3), std::nullopt);
}

TEST(SettingsPages, SpeedDialAngleToPosition) {
  const int c = 855;
  const int cy = kRight.y + 91;
  EXPECT_EQ(SpeedDial(kRight), (Rect{784, 120, 926, 203}));
  EXPECT_EQ(SpeedPositionFromClick(kRight, c, cy - 60), 7);       // straight up
  EXPECT_EQ(SpeedPositionFromClick(kRight, c - 60, cy), 2);       // left, on the centre line
  EXPECT_EQ(SpeedPositionFromClick(kRight, c + 60, cy), 12);      // right, on the centre line
  EXPECT_EQ(SpeedPositionFromClick(kRight, c + 60, cy - 1), 11);  // just above it
  EXPECT_EQ(SpeedPositionFromClick(kRight, c + 40, cy - 40), 9);  // 45 degrees
  EXPECT_EQ(SpeedPositionFromClick(kRight, c - 40, cy - 40), 4);  // 135 degrees
  EXPECT_EQ(SpeedPositionFromClick(kRight, c - 60, cy - 2), 2);
  EXPECT_EQ(SpeedPositionFromClick(kRight, c + 60, cy + 5), std::nullopt);   // below the centre
  EXPECT_EQ(SpeedPositionFromClick(kRight, c, cy - 42), std::nullopt);       // inside the hole
  EXPECT_EQ(SpeedPositionFromClick(kRight, c + 60, cy - 40), std::nullopt);  // beyond the ring
  EXPECT_EQ(SpeedSlowLabel(kRight), (Rect{735, 173, 784, 203}));
}

TEST(SettingsPages, ScrollLinesStepAndTypedText) {
  EXPECT_EQ(SteppedScrollLines(1, -1), 1);
  EXPECT_EQ(SteppedScrollLines(100, +1), 100);
  EXPECT_EQ(SteppedScrollLines(3, +1), 4);
  EXPECT_EQ(SteppedScrollLines(0, +1), 1);      // a 0 from a file
  EXPECT_EQ(SteppedScrollLines(200, -1), 100);  // out of range from a file

  EXPECT_EQ(ScrollLinesFromText(L"7"), 7);
  EXPECT_EQ(ScrollLinesFromText(L" 100 "), 100);
  EXPECT_EQ(ScrollLinesFromText(L"007"), 7);
  for (const wchar_t* bad :
       {L"0", L"250", L"101", L"", L"-5", L"abc", L"5x", L"+", L"99999999999"}) {
    EXPECT_EQ(ScrollLinesFromText(bad), std::nullopt) << std::wstring(bad).size();
  }
}

// A damaged scroll-mode byte selects neither radio rather than pretending to be rows.
TEST(SettingsPages, ScrollRadioLooksByByte) {
  EXPECT_TRUE(ScrollRadiosFor(0).rows);
  EXPECT_FALSE(ScrollRadiosFor(0).oneScreen);
  EXPECT_FALSE(ScrollRadiosFor(1).rows);
  EXPECT_TRUE(ScrollRadiosFor(1).oneScreen);
  for (const std::uint8_t damaged : {std::uint8_t{2}, std::uint8_t{0xFF}}) {
    EXPECT_FALSE(ScrollRadiosFor(damaged).rows || ScrollRadiosFor(damaged).oneScreen) << +damaged;
  }
}

TEST(SettingsPages, ChildWindowsFollowTheRightColumnPasses) {
  PageSizes sizes;
  sizes.dpi = {242, 232};
  MainLayout layout;
  auto children = RightColumnChildren(layout.TopPass(sizes));
  EXPECT_EQ(children.swatches, ChildAction::Destroy);
  EXPECT_EQ(children.scrollLines, ChildAction::Destroy);

  layout.SetOpen(Page::Dpi, true);
  layout.SetOpen(Page::ScrollSpeed, true);
  children = RightColumnChildren(layout.TopPass(sizes));
  EXPECT_EQ(children.swatches, ChildAction::Recreate);
  EXPECT_EQ(children.scrollLines, ChildAction::Recreate);  // DPI + Scroll Speed both fit

  layout.SetOpen(Page::ReportRate, true);  // now the column stops before Scroll Speed
  children = RightColumnChildren(layout.TopPass(sizes));
  EXPECT_EQ(children.swatches, ChildAction::Recreate);
  EXPECT_EQ(children.scrollLines, ChildAction::Destroy);

  children = RightColumnChildren(layout.ScrolledPass(sizes));
  EXPECT_EQ(children.swatches, ChildAction::Destroy);
  EXPECT_EQ(children.scrollLines, ChildAction::Recreate);
}

struct FixedColour : ColourChooser {
  std::optional<Rgb> Choose() override {
    ++shown;
    return answer;
  }
  std::optional<Rgb> answer;
  int shown = 0;
};

struct RecordingView : PageView {
  void ControlChanged(Control control, int index) override {
    const std::wstring name = ControlOf(control).logName;
    log.push_back(std::string(name.begin(), name.end()) + " " + std::to_string(index));
  }
  void EnableScrollLines(bool enable) override { log.push_back(enable ? "lines-on" : "lines-off"); }
  void SetScrollLinesText(const std::wstring& text, bool selected) override {
    log.push_back("text " + std::string(text.begin(), text.end()) + (selected ? " selected" : ""));
  }
  std::vector<std::string> log;
};

// A page of the default skin's width, wherever it is drawn.
constexpr PagePlace kPlace{734, 100, 976, 242};

struct EditorFixture : ::testing::Test {
  Rect Area(Control control, int index) const { return ControlOf(control).area(kPlace, index); }
  void Click(Control control, int index, int x, int y) {
    editor.Click(ControlOf(control), index, kPlace, x, y);
  }
  void ClickIn(Control control, int index) {
    const Rect area = Area(control, index);
    Click(control, index, (area.left + area.right) / 2, (area.top + area.bottom) / 2);
  }
  SettingsRecord record;
  RecordingView view;
  FixedColour colours;
  SettingsPageEditor editor{record, view, colours};
};

using Log = std::vector<std::string>;

TEST_F(EditorFixture, StageColourOnlyWhenConfirmed) {
  record.setStageColour(2, {1, 2, 3});
  ClickIn(Control::DpiSwatch, 2);  // cancelled
  EXPECT_EQ(record.stageColour(2), (Rgb{1, 2, 3}));
  EXPECT_EQ(view.log, Log{});
  colours.answer = Rgb{255, 0, 0};
  ClickIn(Control::DpiSwatch, 2);
  EXPECT_EQ(record.at(rec::kStageColours + 6), 255);
  EXPECT_EQ(record.at(rec::kStageColours + 7), 0);
  EXPECT_EQ(record.at(rec::kStageColours + 8), 0);
  EXPECT_EQ(colours.shown, 2);
  EXPECT_EQ(view.log, Log{"dpi-colour 2"});
  EXPECT_EQ(PageLogLine(record, ControlOf(Control::DpiSwatch), 2), L"page dpi-colour 3 255 0 0");
}

TEST_F(EditorFixture, StagesToggleAndAllMayBeOff) {
  for (std::size_t k = 0; k < kDpiStageCount; ++k) record.stageEnabled(k) = 1;
  record.stageEnabled(3) = 2;  // damaged, shown and sent as enabled
  for (int k = 0; k < 7; ++k) ClickIn(Control::DpiEnable, k);
  for (std::size_t k = 0; k < kDpiStageCount; ++k) EXPECT_EQ(record.stageEnabled(k), 0) << k;
  ClickIn(Control::DpiEnable, 5);
  EXPECT_EQ(record.stageEnabled(5), 1);
  EXPECT_EQ(view.log.back(), "dpi-enable 5");

  const int bar = Area(Control::DpiLevel, 0).left;
  Click(Control::DpiLevel, 0, bar, 0);
  EXPECT_EQ(record.dpiStage(0), 120);
  Click(Control::DpiLevel, 0, bar, 300);
  EXPECT_EQ(record.dpiStage(0), 1);
}

TEST_F(EditorFixture, ScrollModeAndLinesBox) {
  record.at(rec::kWheelLines) = 9;
  ClickIn(Control::ScrollMode, 1);  // one screen
  EXPECT_EQ(record.at(rec::kScrollOneScreen), 1);
  ClickIn(Control::ScrollMode, 0);  // rows
  EXPECT_EQ(record.at(rec::kScrollOneScreen), 0);
  EXPECT_EQ(record.at(rec::kWheelLines), 9);  // the previous count stays
  EXPECT_EQ(view.log, (Log{"lines-off", "scroll-one-screen 1", "lines-on", "scroll-one-screen 0"}));

  view.log.clear();
  record.at(rec::kWheelLines) = 1;
  ClickIn(Control::ScrollLines, 1);  // down
  EXPECT_EQ(record.at(rec::kWheelLines), 1);
  ClickIn(Control::ScrollLines, 0);  // up
  EXPECT_EQ(record.at(rec::kWheelLines), 2);
  editor.ScrollLinesTextChanged(L"42");
  EXPECT_EQ(record.at(rec::kWheelLines), 42);
  editor.ScrollLinesTextChanged(L"250");
  EXPECT_EQ(record.at(rec::kWheelLines), 1);
  editor.ScrollLinesTextChanged(L"");
  EXPECT_EQ(view.log,
            (Log{"scroll-lines 1", "scroll-lines 0", "text 1 selected", "text 1 selected"}));
}

TEST_F(EditorFixture, EachControlWritesItsOwnByte) {
  ClickIn(Control::LightingMode, 2);  // neon
  const auto middle = [](const Rect& r) { return (r.top + r.bottom) / 2; };
  const Rect lighting = Area(Control::LightingSlider, 2);
  Click(Control::LightingSlider, 2, lighting.right - 1, middle(lighting));
  const Rect rate = Area(Control::ReportRateDial, 0);
  Click(Control::ReportRateDial, 0, (rate.left + rate.right) / 2 - 30, middle(rate) - 30);
  Click(Control::DoubleClickSpeedDial, 0, 855 + 60, 191);  // on the right-hand horizontal
  ClickIn(Control::AngleSnap, 0);
  const Rect gesture = Area(Control::GestureSlider, 0);
  Click(Control::GestureSlider, 0, gesture.left + 78, middle(gesture));
  const Rect y = Area(Control::YSensitivity, 0);
  Click(Control::YSensitivity, 0, y.right - 1, middle(y));
  SettingsRecord expected;
  expected.at(47) = 3;
  expected.at(50) = 6;
  expected.at(5) = 8;
  expected.at(55) = 12;
  expected.at(56) = 1;
  expected.at(57) = 4;
  expected.at(60) = 11;
  EXPECT_EQ(record, expected);
  EXPECT_EQ(view.log,
            (Log{"lighting-mode 2", "lighting-slider 2", "report-rate 0", "double-click-speed 0",
                 "angle-snap 0", "gesture 0", "y-sensitivity 0"}));
  ClickIn(Control::AngleSnap, 1);
  EXPECT_EQ(record.at(56), 0);
}

// Every control lies on its page's background, and no two take the same click: a mistyped
// rectangle in the table would answer for another control or outside the page.
TEST(SettingsPages, ControlsLieInsideTheirPagesApart) {
  const std::pair<Page, Size> pages[] = {
      {Page::XYSensitivity, {242, 145}},   {Page::Dpi, {242, 232}},
      {Page::Lighting, {242, 112}},        {Page::ReportRate, {242, 140}},
      {Page::MouseSpeed, {242, 108}},      {Page::DoubleClickSpeed, {242, 108}},
      {Page::ScrollSpeed, {242, 76}},      {Page::AngleSnap, {242, 40}},
      {Page::GestureCorrection, {242, 66}}};
  for (const auto& [page, size] : pages) {
    const bool left = page == Page::XYSensitivity;
    const PagePlace place =
        page == Page::Dpi ? PagePlace{734, 52, 976, size.width}
                          : PagePlace{left ? 20 : 734, 300, (left ? 20 : 734) + 242, size.width};
    const Rect background{place.x, place.y, place.x + size.width, place.y + size.height};
    std::vector<Rect> areas;
    for (const PageControl& control : PageControls()) {
      if (control.page != page) continue;
      for (int i = 0; i < control.count; ++i) areas.push_back(control.area(place, i));
    }
    EXPECT_FALSE(areas.empty()) << PageIndex(page);
    for (std::size_t a = 0; a < areas.size(); ++a) {
      const Rect& r = areas[a];
      EXPECT_TRUE(!r.empty() && r.left >= background.left && r.top >= background.top &&
                  r.right <= background.right && r.bottom <= background.bottom)
          << PageIndex(page) << " area " << a;
      for (std::size_t b = a + 1; b < areas.size(); ++b) {
        const Rect& o = areas[b];
        const bool apart =
            r.right <= o.left || o.right <= r.left || r.bottom <= o.top || o.bottom <= r.top;
        EXPECT_TRUE(apart) << PageIndex(page) << " areas " << a << " and " << b;
      }
    }
  }
}

}  // namespace
}  // namespace gm
