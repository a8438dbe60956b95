// Balloons of the device events and the notification-area icon's clicks.
#include <gtest/gtest.h>

#include "app/app_messages.h"
#include "app/main_controller.h"
#include "app/program_options.h"
#include "device/virtual_mouse.h"
#include "fake_host.h"

namespace gm {
namespace {

std::wstring EnglishStub(std::size_t slot) {
  if (slot >= 68 && slot <= 74) return L"stage" + std::to_wstring(slot - 67) + L" ";
  if (slot == 75) return L"Switch to macro key";
  if (slot == 76) return L"Exit";
  if (slot == 77) return L"not detected";
  if (slot == 78) return L"detected";
  return L"?";
}

class RecordingView : public MainView {
 public:
  void ShowMainWindow() override { calls.push_back(L"show"), visible = true; }
  void HideMainWindow() override { calls.push_back(L"hide"), visible = false; }
  bool IsMainWindowVisible() const override { return visible; }
  void ShowBalloon(const std::wstring& text, const std::wstring& title,
                   unsigned timeoutMs) override {
    calls.push_back(L"balloon " + title + L"|" + text + L"|" + std::to_wstring(timeoutMs));
  }
  void ShowTrayMenu(const std::wstring& exitText) override { calls.push_back(L"menu " + exitText); }
  void FullDraw() override { calls.push_back(L"full-draw"); }
  void Relayout() override { calls.push_back(L"relayout"); }
  void ClearSelectionAndHover() override { calls.push_back(L"clear"); }

  std::vector<std::wstring> calls;
  bool visible = false;
};

struct ControllerFixture : ::testing::Test {
  ControllerFixture() {
    state.link.commandHandle = mouse.Open(VirtualMouse::kCommandPath, HidOpenMode::CommandAccess);
    state.link.inputReportLength = VirtualMouse::kInputReportLength;
    state.connectedFlag = 1;
  }
  VirtualMouse mouse;
  test::FakeHost host;
  AppState state;
  RecordingView view;
  MainController controller{state, host, mouse, view, &EnglishStub};
};

TEST_F(ControllerFixture, DpiEventReadsTheStageBackFromTheMouse) {
  mouse.memory().settingsBlocks[0][0x56] = 0x0E;
  controller.OnDeviceEvent(1, 3);
  ASSERT_EQ(view.calls.size(), 1u);
  EXPECT_EQ(view.calls[0], L"balloon Info|stage3 1500|5000");
  EXPECT_EQ(state.device.settingsBlocks[0][0x56], 0x0E);
  EXPECT_EQ(host.pauses, (std::vector<std::uint32_t>{10}));
}

TEST_F(ControllerFixture, EventsThatShowNothing) {
  for (auto [code, value] : std::vector<std::pair<unsigned, unsigned>>{
           {1, 0}, {2, 8}, {9, 0}, {4, 1}, {0, 0}, {16, 0}}) {
    controller.OnDeviceEvent(code, value);
  }
  EXPECT_TRUE(view.calls.empty());
  EXPECT_TRUE(host.pauses.empty());  // nothing was read from the mouse either
}

TEST_F(ControllerFixture, MacroAndDetectionBalloons) {
  controller.OnDeviceEvent(9, 2);
  controller.OnDeviceEvent(14, 0);
  controller.OnDeviceEvent(15, 0);
  EXPECT_EQ(view.calls, (std::vector<std::wstring>{L"balloon Info|Switch to macro key2|5000",
                                                   L"balloon Info|detected|100",
                                                   L"balloon Warning|not detected|100"}));
}

TEST_F(ControllerFixture, TrayClicksWhileConnected) {
  int reloads = 0;
  controller.reloadFiles = [&] { ++reloads; };
  controller.OnTrayMouse(kMouseLeftUp);  // first opening builds the first page
  controller.OnTrayMouse(kMouseLeftDoubleClick);
  controller.SetReloadOnOpen();
  controller.OnTrayMouse(kMouseLeftUp);
  controller.OnTrayMouse(kMouseLeftDown);  // ignored
  controller.OnTrayMouse(kMouseRightUp);
  EXPECT_EQ(view.calls, (std::vector<std::wstring>{L"full-draw", L"show", L"relayout", L"show",
                                                   L"clear", L"relayout", L"show", L"menu Exit"}));
  EXPECT_EQ(reloads, 1);
}

TEST_F(ControllerFixture, TrayClickWithoutMouseWarnsAndStaysHidden) {
  state.connectedFlag = 0;
  controller.OnTrayMouse(kMouseLeftUp);
  EXPECT_EQ(view.calls, (std::vector<std::wstring>{L"balloon Warning|not detected|100"}));
  EXPECT_FALSE(view.visible);
}

TEST(ProgramOptions, VirtualMouseAndItsFiles) {
  const auto options = ParseProgramOptions(
      {L"--virtual-mouse", L"--trace", L"t.txt", L"--ui-log", L"u.txt", L"--control"});
  EXPECT_TRUE(options.virtualMouse);
  EXPECT_EQ(options.trace, std::filesystem::path(L"t.txt"));
  EXPECT_EQ(options.uiLog, std::filesystem::path(L"u.txt"));
  EXPECT_TRUE(options.control.empty());  // a trailing option without its value is ignored
  EXPECT_EQ(options.unknown, (std::vector<std::wstring>{L"--control"}));
}

}  // namespace
}  // namespace gm
