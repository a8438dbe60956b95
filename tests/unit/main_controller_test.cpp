// Balloons of the device events and the notification-area icon's clicks.
#include <gtest/gtest.h>

#include <utility>

#include "app/app_state.h"
#include "app/main_controller.h"
#include "app/program_options.h"
#include "device/virtual_mouse.h"
#include "fake_host.h"
#include "ui/app_messages.h"

namespace gm {
namespace {

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
    state.UseLanguage(L"");
  }
  VirtualMouse mouse;
  test::FakeHost host;
  AppState state;
  RecordingView view;
  MainController controller{state, host, mouse, view};
};

TEST_F(ControllerFixture, DpiEventReadsTheStageBackFromTheMouse) {
  mouse.memory().settingsBlocks[0][0x56] = 0x0E;
  controller.OnDeviceEvent(1, 3);
  ASSERT_EQ(view.calls.size(), 1u);
  EXPECT_EQ(view.calls[0], L"balloon Info|Switch DPI into the third stage 1500|5000");
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
  EXPECT_EQ(view.calls, (std::vector<std::wstring>{
                            L"balloon Info|Switch to macro key2|5000",
                            L"balloon Info|The system detect the gaming mouse.|100",
                            L"balloon Warning|The system did not detect the gaming mouse!|100"}));
}

TEST_F(ControllerFixture, TrayClicksWhileConnected) {
  int reloads = 0;
  bool reloadOnOpen = false;
  controller.reloadFiles = [&] { ++reloads; };
  controller.takeReloadOnOpen = [&] { return std::exchange(reloadOnOpen, false); };
  controller.OnTrayMouse(kMouseLeftUp);  // first opening builds the first page
  controller.OnTrayMouse(kMouseLeftDoubleClick);
  reloadOnOpen = true;
  controller.OnTrayMouse(kMouseLeftUp);
  controller.OnTrayMouse(kMouseLeftDown);  // ignored
  controller.OnTrayMouse(kMouseRightUp);
  EXPECT_EQ(view.calls, (std::vector<std::wstring>{L"full-draw", L"show", L"relayout", L"show",
                                                   L"clear", L"relayout", L"show", L"menu Exit"}));
  EXPECT_EQ(reloads, 1);
}

// An arrival reads the files again: a shown window is redrawn (its lists and hover looks were
// cleared), the first time with the first page; a hidden one waits for the icon.
TEST_F(ControllerFixture, RedrawAfterAReloadOnlyWhileShown) {
  controller.RedrawIfVisible();
  view.visible = true;
  controller.RedrawIfVisible();
  controller.RedrawIfVisible();
  EXPECT_EQ(view.calls, (std::vector<std::wstring>{L"full-draw", L"relayout"}));
  EXPECT_TRUE(controller.firstPageBuilt());
}

TEST_F(ControllerFixture, TrayClickWithoutMouseWarnsAndStaysHidden) {
  state.connectedFlag = 0;
  controller.OnTrayMouse(kMouseLeftUp);
  EXPECT_EQ(view.calls, (std::vector<std::wstring>{
                            L"balloon Warning|The system did not detect the gaming mouse!|100"}));
  EXPECT_FALSE(view.visible);
}

TEST_F(ControllerFixture, BalloonsFollowTheLanguage) {
  state.UseLanguage(L"GER");
  mouse.memory().settingsBlocks[0][0x56] = 0x0E;
  controller.OnDeviceEvent(3, 3);
  controller.OnDeviceEvent(14, 0);
  state.UseLanguage(L"RUS");
  controller.OnDeviceEvent(2, 1);
  ASSERT_EQ(view.calls.size(), 3u);
  EXPECT_EQ(view.calls[0], L"balloon Info|DPI-Schalter auf der dritten Stufe 1500|5000");
  EXPECT_EQ(view.calls[1], L"balloon Info|Das System erkennt die Gaming-Maus!|100");
  EXPECT_EQ(view.calls[2],
            L"balloon Info|\u041f\u0435\u0440\u0435\u043a\u043b\u044e\u0447\u0438\u0442\u044c DPI "
            L"\u043d\u0430 \u043f\u0435\u0440\u0432\u044b\u0439 "
            L"\u0443\u0440\u043e\u0432\u0435\u043d\u044c500|5000");
}

// The start-up failures were shown with an empty caption.
TEST(StartupFailure, MessagesCarryTheProgramCaption) {
  test::FakeHost host;
  ShowStartupFailure(host, StartupFailure::WakeEvent);
  ShowStartupFailure(host, StartupFailure::DeviceNotifications);
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(host.messages[0].text, L"CreateEvent failed.");
  EXPECT_EQ(host.messages[1].text, L"RegisterDeviceNotification failed!!!");
  for (const auto& message : host.messages) EXPECT_EQ(message.title, L"QL-GM900");
}

TEST(ProgramOptions, VirtualMouseAndItsFiles) {
  const auto options = ParseProgramOptions(
      {L"--virtual-mouse", L"--trace", L"t.txt", L"--ui-log", L"u.txt", L"--control"});
  EXPECT_TRUE(options.virtualMouse);
  EXPECT_EQ(options.trace, FilePath(L"t.txt"));
  EXPECT_EQ(options.uiLog, FilePath(L"u.txt"));
  EXPECT_TRUE(options.control.empty());  // a trailing option without its value is ignored
  EXPECT_EQ(options.unknown, (std::vector<std::wstring>{L"--control"}));
}

}  // namespace
}  // namespace gm
