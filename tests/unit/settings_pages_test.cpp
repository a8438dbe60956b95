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
  EXPECT_EQ(SpeedSlowLabel(kRight), (Rect{734, 173, 784, 203}));
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

struct RecordingRedraw : PageRedraw {
  void RedrawDpiLevel(std::size_t k) override { Add("level", k); }
  void RedrawDpiEnable(std::size_t k) override { Add("enable", k); }
  void RepaintSwatch(std::size_t k) override { Add("swatch", k); }
  void RedrawLightingModes() override { log.push_back("modes"); }
  void RedrawLightingSlider(int row) override { Add("lighting", row); }
  void RedrawReportRate() override { log.push_back("rate"); }
  void RedrawSpeedPage(SpeedPage page) override {
    log.push_back(page == SpeedPage::Mouse ? "speed" : "double-click");
  }
  void RedrawScrollRadios() override { log.push_back("scroll-radios"); }
  void EnableScrollLines(bool enable) override { log.push_back(enable ? "lines-on" : "lines-off"); }
  void SetScrollLinesText(const std::wstring& text, bool selected) override {
    log.push_back("text " + std::string(text.begin(), text.end()) + (selected ? " selected" : ""));
  }
  void RedrawAngleSnap() override { log.push_back("snap"); }
  void RedrawGestureSlider() override { log.push_back("gesture"); }
  void RedrawSensitivity(Axis axis) override { log.push_back(axis == Axis::X ? "x" : "y"); }

  template <typename N>
  void Add(const char* what, N n) {
    log.push_back(std::string(what) + " " + std::to_string(n));
  }
  std::vector<std::string> log;
};

struct EditorFixture : ::testing::Test {
  SettingsRecord record;
  RecordingRedraw redraw;
  FixedColour colours;
  SettingsPageEditor editor{record, redraw, colours};
};

using Log = std::vector<std::string>;

TEST_F(EditorFixture, StageColourOnlyWhenConfirmed) {
  record.setStageColour(2, {1, 2, 3});
  editor.ChooseStageColour(2);  // cancelled
  EXPECT_EQ(record.stageColour(2), (Rgb{1, 2, 3}));
  EXPECT_EQ(redraw.log, Log{});
  colours.answer = Rgb{255, 0, 0};
  editor.ChooseStageColour(2);
  EXPECT_EQ(record.at(rec::kStageColours + 6), 255);
  EXPECT_EQ(record.at(rec::kStageColours + 7), 0);
  EXPECT_EQ(record.at(rec::kStageColours + 8), 0);
  EXPECT_EQ(colours.shown, 2);
  EXPECT_EQ(redraw.log, Log{"swatch 2"});
}

TEST_F(EditorFixture, StagesToggleAndAllMayBeOff) {
  for (std::size_t k = 0; k < kDpiStageCount; ++k) record.stageEnabled(k) = 1;
  record.stageEnabled(3) = 2;  // damaged, shown and sent as enabled
  for (std::size_t k = 0; k < kDpiStageCount; ++k) editor.ToggleStage(k);
  for (std::size_t k = 0; k < kDpiStageCount; ++k) EXPECT_EQ(record.stageEnabled(k), 0) << k;
  editor.ToggleStage(5);
  EXPECT_EQ(record.stageEnabled(5), 1);
  EXPECT_EQ(redraw.log.back(), "enable 5");

  editor.SetStageLevel(0, 121);
  EXPECT_EQ(record.dpiStage(0), 120);
  editor.SetStageLevel(0, 0);
  EXPECT_EQ(record.dpiStage(0), 1);
}

TEST_F(EditorFixture, ScrollModeAndLinesBox) {
  record.at(rec::kWheelLines) = 9;
  editor.SetScrollOneScreen(true);
  EXPECT_EQ(record.at(rec::kScrollOneScreen), 1);
  editor.SetScrollOneScreen(false);
  EXPECT_EQ(record.at(rec::kScrollOneScreen), 0);
  EXPECT_EQ(record.at(rec::kWheelLines), 9);  // the previous count stays
  EXPECT_EQ(redraw.log, (Log{"lines-off", "scroll-radios", "lines-on", "scroll-radios"}));

  redraw.log.clear();
  record.at(rec::kWheelLines) = 1;
  editor.StepScrollLines(-1);
  EXPECT_EQ(record.at(rec::kWheelLines), 1);
  editor.StepScrollLines(+1);
  EXPECT_EQ(record.at(rec::kWheelLines), 2);
  editor.ScrollLinesTextChanged(L"42");
  EXPECT_EQ(record.at(rec::kWheelLines), 42);
  editor.ScrollLinesTextChanged(L"250");
  EXPECT_EQ(record.at(rec::kWheelLines), 1);
  editor.ScrollLinesTextChanged(L"");
  EXPECT_EQ(redraw.log, (Log{"text 1", "text 2", "text 1 selected", "text 1 selected"}));
}

TEST_F(EditorFixture, EachControlWritesItsOwnByte) {
  editor.SetLightingMode(3);
  editor.SetLightingPosition(2, 6);
  editor.SetReportRate(8);
  editor.SetSpeed(SpeedPage::DoubleClick, 12);
  editor.SetAngleSnap(true);
  editor.SetGesturePosition(4);
  editor.SetSensitivity(Axis::Y, 11);
  SettingsRecord expected;
  expected.at(47) = 3;
  expected.at(50) = 6;
  expected.at(5) = 8;
  expected.at(55) = 12;
  expected.at(56) = 1;
  expected.at(57) = 4;
  expected.at(60) = 11;
  EXPECT_EQ(record, expected);
  EXPECT_EQ(redraw.log,
            (Log{"modes", "lighting 2", "rate", "double-click", "snap", "gesture", "y"}));
  editor.SetAngleSnap(false);
  EXPECT_EQ(record.at(56), 0);
}

}  // namespace
}  // namespace gm
