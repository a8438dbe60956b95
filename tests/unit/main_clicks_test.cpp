// The order of the main window's click tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_clicks.h"
#include "app/settings_pages.h"

namespace gm {
namespace {

// The default skin's page sizes.
PageSizes SkinSizes() {
  PageSizes sizes;
  sizes.buttonAssignmentFront = {242, 146};
  sizes.buttonAssignmentSide = {242, 246};
  sizes.xySensitivity = {242, 145};
  sizes.dpi = {242, 232};
  sizes.lighting = {242, 112};
  sizes.reportRate = {242, 140};
  sizes.mouseAttribute = {242, 108};
  sizes.scrollSpeed = {242, 76};
  sizes.angleSnap = {242, 40};
  sizes.gestureCorrection = {242, 66};
  return sizes;
}

class Recorder : public MainClickActions, public PageView, public ColourChooser {
 public:
  explicit Recorder(MainLayout& layout) : layout_(layout) {}
  bool saveBusy() const override { return busy; }
  bool helpOpen() const override { return help; }
  bool profileManagerOpen() const override { return profiles; }
  void Reset() override { log.push_back("reset"); }
  void Cancel() override { log.push_back("cancel"); }
  void Save() override { log.push_back("save"); }
  void OpenHelp() override { log.push_back("help"), help = true; }
  void CloseHelp() override { log.push_back("close-help"), help = false; }
  void Minimise() override { log.push_back("minimise"); }
  void CloseProgram() override { log.push_back("close"); }
  void OpenProfileManager() override { log.push_back("config"); }
  void SetView(MouseView view) override {
    log.push_back(view == MouseView::Front ? "front" : "side");
  }
  void ToggleLeftPage(Page page) override { log.push_back("left " + Name(page)); }
  void OpenMacroManager() override { log.push_back("macros"); }
  void ToggleRightPage(Page page) override {
    log.push_back("right " + Name(page));
    layout_.Toggle(page);
    // The column is redrawn before the later rows run.
    if (layout_.position() == ColumnPosition::Top) {
      layout_.TopPass(SkinSizes());
    } else {
      layout_.ScrolledPass(SkinSizes());
    }
  }
  void CloseButtonRowLists(int row) override {
    if (logRowLists) log.push_back("close-lists " + std::to_string(row));
  }
  void OpenButtonMenu(std::size_t button) override {
    log.push_back("menu " + std::to_string(button));
  }
  void DragWindow() override { log.push_back("drag"); }

  // What the page edits show again: the control's log name and the instance.
  void ControlChanged(Control control, int index) override {
    const std::wstring name = ControlOf(control).logName;
    log.push_back(std::string(name.begin(), name.end()) + " " + std::to_string(index));
  }
  void EnableScrollLines(bool) override {}
  void SetScrollLinesText(const std::wstring&, bool) override { log.push_back("lines"); }
  std::optional<Rgb> Choose() override {
    log.push_back("colour-dialog");
    return Rgb{255, 0, 0};
  }

  static std::string Name(Page page) { return std::to_string(PageIndex(page)); }

  std::vector<std::string> log;
  bool busy = false;
  bool help = false;
  bool profiles = false;
  bool logRowLists = false;

 private:
  MainLayout& layout_;
};

struct ClickFixture : ::testing::Test {
  std::vector<std::string> Click(int x, int y) {
    actions.log.clear();
    DispatchMainClick(x, y, layout, SkinSizes(), actions, editor);
    return actions.log;
  }
  // Opens the pages as header clicks would and runs the pass of the column's position.
  void Open(std::initializer_list<Page> pages) {
    for (Page page : pages) layout.SetOpen(page, true);
    layout.LeftPass(SkinSizes());
    layout.TopPass(SkinSizes());
  }
  MainLayout layout;
  Recorder actions{layout};
  SettingsRecord record;
  SettingsPageEditor editor{record, actions, actions};
};

using Log = std::vector<std::string>;

TEST_F(ClickFixture, BottomAndTitleButtons) {
  EXPECT_EQ(Click(673, 604), Log{"reset"});
  EXPECT_EQ(Click(792, 633), Log{"reset"});
  EXPECT_EQ(Click(798, 610), Log{"cancel"});
  EXPECT_EQ(Click(930, 610), Log{"save"});
  actions.busy = true;
  EXPECT_EQ(Click(930, 610), Log{});  // busy: the click does nothing, not even a drag
  EXPECT_EQ(Click(960, 10), Log{"minimise"});
  EXPECT_EQ(Click(980, 10), Log{"close"});
  EXPECT_EQ(Click(20, 610), Log{"config"});
  actions.profiles = true;
  EXPECT_EQ(Click(20, 610), Log{});  // already open: ends all the same
  EXPECT_EQ(Click(440, 530), Log{"front"});
  EXPECT_EQ(Click(500, 530), Log{"side"});
}

TEST_F(ClickFixture, HelpPanelClosesOnAnyOtherClickButNotOnTheBottomButtons) {
  EXPECT_EQ(Click(940, 10), Log{"help"});
  EXPECT_EQ(Click(700, 610), Log{"reset"});  // acts at once, the panel stays open
  EXPECT_TRUE(actions.help);
  EXPECT_EQ(Click(960, 10), (Log{"close-help", "minimise"}));
  EXPECT_EQ(Click(940, 10), Log{"help"});
  EXPECT_EQ(Click(940, 10), Log{"close-help"});
  actions.help = true;
  EXPECT_EQ(Click(600, 300), (Log{"close-help", "drag"}));
}

TEST_F(ClickFixture, HeadersToggleAndRightHeadersGoOnToDrag) {
  EXPECT_EQ(Click(30, 110), Log{"left 0"});
  EXPECT_EQ(Click(30, 140), Log{"macros"});
  EXPECT_EQ(Click(30, 180), Log{"left 2"});
  EXPECT_EQ(Click(740, 40), (Log{"right 3", "drag"}));
  EXPECT_EQ(Click(600, 300), Log{"drag"});
}

TEST_F(ClickFixture, HiddenAndScrolledHeadersDoNothing) {
  layout.SetOpen(Page::Dpi, true);
  layout.SetOpen(Page::ReportRate, true);
  layout.TopPass(SkinSizes());
  EXPECT_FALSE(layout.IsClickable(Page::MouseSpeed));
  EXPECT_EQ(Click(740, 112), Log{"drag"});  // where R4 sits by default: not drawn

  layout.ScrolledPass(SkinSizes());
  EXPECT_EQ(Click(740, 40), (Log{"right 6", "drag"}));  // R4 now at the column's top
  layout.SetOpen(Page::MouseSpeed, false);
  layout.ScrolledPass(SkinSizes());
  // The DPI header's place is mouse speed's now; DPI is neither clickable nor at the top.
  EXPECT_EQ(Click(740, 40), (Log{"right 6", "drag"}));
}

TEST_F(ClickFixture, DpiPageEditsAndGoesOnOnlyAtTheTop) {
  Open({Page::Dpi});
  EXPECT_EQ(Click(748, 203), (Log{"dpi-level 0", "drag"}));
  EXPECT_EQ(record.dpiStage(0), 1);
  EXPECT_EQ(Click(958, 84), (Log{"dpi-level 6", "drag"}));
  EXPECT_EQ(record.dpiStage(6), 120);
  EXPECT_EQ(Click(745, 248), (Log{"dpi-enable 0", "drag"}));
  EXPECT_EQ(record.stageEnabled(0), 1);
  EXPECT_EQ(Click(780, 270), (Log{"colour-dialog", "dpi-colour 1", "drag"}));
  EXPECT_EQ(record.stageColour(1), (Rgb{255, 0, 0}));
  EXPECT_EQ(Click(753, 150), Log{"drag"});  // beside a bar

  // Scrolled: where the DPI controls were, nothing happens.
  Open({Page::ReportRate});
  layout.ScrolledPass(SkinSizes());
  EXPECT_EQ(Click(748, 203), Log{"drag"});
  EXPECT_EQ(Click(745, 248), Log{"drag"});
  EXPECT_EQ(record.stageEnabled(0), 1);
}

TEST_F(ClickFixture, ControlsFollowTheirPageDownTheColumn) {
  Open({Page::Lighting});  // Lighting, origin (734, 77)
  EXPECT_EQ(Click(748, 130), (Log{"lighting-mode 1", "drag"}));
  EXPECT_EQ(record.at(rec::kLightingMode), 2);
  EXPECT_EQ(Click(898, 100), (Log{"lighting-slider 0", "drag"}));
  EXPECT_EQ(record.at(rec::kBrightness), 4);

  layout.SetOpen(Page::Lighting, false);
  Open({Page::ReportRate});  // Report rate, origin (734, 102): dial centre (855, 171)
  EXPECT_EQ(Click(905, 161), (Log{"report-rate 0", "drag"}));
  EXPECT_EQ(record.at(rec::kReportRateCode), 1);
  EXPECT_EQ(Click(875, 171), Log{"drag"});  // in the hole

  layout.SetOpen(Page::ReportRate, false);
  Open({Page::ScrollSpeed, Page::AngleSnap});  // Scroll speed at 177, angle snap at 278
  EXPECT_EQ(Click(748, 195), (Log{"scroll-one-screen 0", "drag"}));
  EXPECT_EQ(Click(928, 195), (Log{"scroll-lines 0", "drag"}));
  EXPECT_EQ(record.at(rec::kWheelLines), 1);
  EXPECT_EQ(Click(760, 298), (Log{"angle-snap 0", "drag"}));
  EXPECT_EQ(record.at(rec::kAngleSnap), 1);

  layout.SetOpen(Page::ScrollSpeed, false);
  layout.SetOpen(Page::AngleSnap, false);
  Open({Page::GestureCorrection});  // gesture at 227: the right-most three pixels give 6
  EXPECT_EQ(Click(929, 260), (Log{"gesture 0", "drag"}));
  EXPECT_EQ(record.at(rec::kGestureCorrection), 6);
}

TEST_F(ClickFixture, ScrolledColumnKeepsItsPagesWorking) {
  Open({Page::Dpi, Page::ReportRate, Page::MouseSpeed});
  layout.ScrolledPass(SkinSizes());  // Mouse Speed at the top: dial centre (855, 143)
  EXPECT_EQ(Click(855, 83), (Log{"mouse-speed 0", "drag"}));
  EXPECT_EQ(record.at(rec::kPointerSpeed), 7);
  EXPECT_EQ(Click(855, 148), Log{"drag"});  // below the centre
}

TEST_F(ClickFixture, HeaderClickOpensThePageBeforeItsControlsAreTested) {
  // Opening Lighting moves USB Report Rate down; the click stays on the Lighting header.
  EXPECT_EQ(Click(800, 65), (Log{"right 4", "drag"}));
  EXPECT_TRUE(layout.IsOpen(Page::Lighting));
  EXPECT_EQ(Click(748, 130), (Log{"lighting-mode 1", "drag"}));
}

TEST_F(ClickFixture, SensitivitySlidersComeBeforeTheButtonRows) {
  Open({Page::XYSensitivity});  // origin (20, 195)
  EXPECT_EQ(Click(67, 240), (Log{"x-sensitivity 0", "drag"}));
  EXPECT_EQ(record.at(rec::kXSensitivity), 3);
  EXPECT_EQ(Click(40, 300), (Log{"y-sensitivity 0", "drag"}));
  EXPECT_EQ(record.at(rec::kYSensitivity), 1);
  // Under the slider lies row 6's drop-down box: the slider is set, then the row's menu ends.
  EXPECT_EQ(Click(150, 240), (Log{"x-sensitivity 0", "menu 5"}));
}

TEST_F(ClickFixture, ButtonRowsByView) {
  EXPECT_EQ(Click(130, 290), Log{"drag"});  // row 9 has no button in the front view
  layout.SetView(MouseView::Side);
  EXPECT_EQ(Click(130, 290), Log{"menu 15"});  // Button S9
  EXPECT_EQ(Click(130, 130), Log{"menu 7"});   // Button S1

  actions.logRowLists = true;
  const Log inBox = Click(130, 130);
  EXPECT_EQ(inBox.size(), 12u);  // rows 2..12 close their lists, row 1 opens its menu
  EXPECT_EQ(inBox.front(), "close-lists 2");
  EXPECT_EQ(inBox.back(), "menu 7");
  const Log inList = Click(300, 140);  // row 1's list area keeps row 1's lists
  EXPECT_EQ(inList.front(), "close-lists 2");
  EXPECT_EQ(inList.back(), "drag");
  EXPECT_EQ(inList.size(), 12u);
}

}  // namespace
}  // namespace gm
