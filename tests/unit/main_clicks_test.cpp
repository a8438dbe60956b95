// The order of the main window's click tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_clicks.h"

namespace gm {
namespace {

class Recorder : public MainClickActions {
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
    layout_.TopPass({});  // the column is redrawn before the later rows run
  }
  void DragWindow() override { log.push_back("drag"); }

  static std::string Name(Page page) { return std::to_string(PageIndex(page)); }

  std::vector<std::string> log;
  bool busy = false;
  bool help = false;
  bool profiles = false;

 private:
  MainLayout& layout_;
};

struct ClickFixture : ::testing::Test {
  std::vector<std::string> Click(int x, int y) {
    actions.log.clear();
    DispatchMainClick(x, y, layout, actions);
    return actions.log;
  }
  MainLayout layout;
  Recorder actions{layout};
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
  layout.SetOpen(Page::R1, true);
  layout.SetOpen(Page::R3, true);
  layout.TopPass({});
  EXPECT_FALSE(layout.IsClickable(Page::R4));
  EXPECT_EQ(Click(740, 112), Log{"drag"});  // where R4 sits by default: not drawn

  layout.ScrolledPass({});
  EXPECT_EQ(Click(740, 40), (Log{"right 6", "drag"}));  // R4 now at the column's top
  layout.SetOpen(Page::R4, false);
  layout.ScrolledPass({});
  // The DPI header's place is R4's now; R1 is neither clickable nor at the top.
  EXPECT_EQ(Click(740, 40), (Log{"right 6", "drag"}));
}

}  // namespace
}  // namespace gm
