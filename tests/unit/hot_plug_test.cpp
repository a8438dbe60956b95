// Arrivals and removals of the mouse's interfaces, decided by DeviceChangeHandler over the
// virtual mouse, and the virtual mouse's own plug and unplug.
#include <gtest/gtest.h>

#include <array>
#include <sstream>

#include "app/app_state.h"
#include "config/apply_flows.h"
#include "device/hot_plug.h"
#include "device/virtual_mouse.h"
#include "fake_host.h"

namespace gm {
namespace {

using Lines = std::vector<std::string>;

class RecordingActions : public DeviceChangeActions {
 public:
  void SendDeviceEvent(std::uint8_t code, std::uint8_t value) override {
    log.push_back("event " + std::to_string(code) + " " + std::to_string(value));
  }
  void HideMainWindow() override { log.push_back("hide"); }
  void ClearSelectionAndHover() override { log.push_back("clear"); }
  void ReloadConfiguration() override { log.push_back("reload"); }
  void ResumeListener() override { log.push_back("resume"); }
  Lines log;
};

struct HotPlugFixture : ::testing::Test {
  HotPlugFixture() { mouse.SetTrace(&trace); }

  DiscoveryHooks Hooks() {
    DiscoveryHooks hooks;
    hooks.wakeListener = [this] { ++wakes; };
    return hooks;
  }
  int Notify(std::uint32_t event, const std::wstring& path,
             std::uint32_t type = kDbtDevtypDeviceInterface) {
    return handler.OnDeviceChange(event, type, VirtualMouse::NotificationName(path));
  }
  // Starts as the program does: discovery, then the connect sequence.
  void StartConnected() {
    ASSERT_TRUE(Discover(mouse, state, Hooks()));
    CommandLink link(mouse, host, state.link);
    ConnectToMouse(link, state);
    traceText.str("");
  }

  std::ostringstream traceText;
  Trace trace{traceText};
  VirtualMouse mouse;
  test::FakeHost host;
  AppState state;
  RecordingActions actions;
  int wakes = 0;
  DeviceChangeHandler handler{mouse,   host,
                              state,   Hooks(),
                              actions, [this](CommandLink& link) { ConnectToMouse(link, state); }};
};

TEST(MouseInterfaceName, OnlyTheTwoSpellingsMatch) {
  EXPECT_TRUE(IsMouseInterfaceName(L"\\\\?\\HID#VID_04D9&PID_A100&MI_01#7&1a2b#{4d1e55b2}"));
  EXPECT_TRUE(IsMouseInterfaceName(L"\\\\?\\hid#Vid_04d9&Pid_a100&mi_02#x"));
  EXPECT_FALSE(IsMouseInterfaceName(L"\\\\?\\hid#vid_04d9&pid_a100&mi_01#x"));
  EXPECT_FALSE(IsMouseInterfaceName(L"\\\\?\\HID#VID_04d9&PID_a100&MI_01#x"));
  EXPECT_FALSE(IsMouseInterfaceName(L"\\\\?\\HID#VID_04D9&PID_A101&MI_01#x"));
  EXPECT_FALSE(IsMouseInterfaceName(L""));
}

TEST_F(HotPlugFixture, ArrivalWithTheMouseAnnouncesConnectsReloadsAndResumes) {
  mouse.memory().profile = 3;
  EXPECT_EQ(Notify(kDbtDeviceArrival, VirtualMouse::kCommandPath), 1);
  EXPECT_EQ(actions.log, (Lines{"event 14 0", "clear", "reload", "resume"}));
  EXPECT_EQ(state.connectedFlag, 1u);
  EXPECT_EQ(wakes, 1);
  // The connect sequence reached the mouse over the new command handle.
  EXPECT_EQ(state.device.profile, 3);
  EXPECT_EQ(state.record.at(rec::kProfile), 3);
  EXPECT_EQ(mouse.memory().connectArgument, 0xFC);
}

TEST_F(HotPlugFixture, ArrivalWithoutTheCommandInterfaceReportsTheMouseGone) {
  state.connectedFlag = 1;
  mouse.enumeration().pop_back();  // only the event interface has arrived so far
  EXPECT_EQ(Notify(kDbtDeviceArrival, VirtualMouse::kEventPath), 1);
  EXPECT_EQ(actions.log, (Lines{"event 15 0", "clear", "hide"}));
  EXPECT_EQ(state.connectedFlag, 0u);
  EXPECT_TRUE(traceText.str().empty());  // no command was sent
}

TEST_F(HotPlugFixture, RemovalWhileAnotherInterfaceRemainsStaysConnectedQuietly) {
  StartConnected();
  mouse.enumeration().erase(mouse.enumeration().begin());  // the pointer interface went away
  EXPECT_EQ(Notify(kDbtDeviceRemoveComplete, VirtualMouse::kPointerPath), 1);
  EXPECT_TRUE(actions.log.empty());
  EXPECT_EQ(state.connectedFlag, 1u);
  EXPECT_TRUE(traceText.str().empty());  // no connect sequence on a removal
}

TEST_F(HotPlugFixture, UnplugThenPlugReconnectsOverFreshHandles) {
  StartConnected();
  mouse.Unplug();
  EXPECT_EQ(Notify(kDbtDeviceRemoveComplete, VirtualMouse::kCommandPath), 1);
  EXPECT_EQ(actions.log, (Lines{"event 15 0", "clear", "hide"}));
  EXPECT_EQ(state.connectedFlag, 0u);

  actions.log.clear();
  mouse.memory().connectArgument = 0;
  mouse.Plug();
  EXPECT_EQ(Notify(kDbtDeviceArrival, VirtualMouse::kCommandPath), 1);
  EXPECT_EQ(actions.log, (Lines{"event 14 0", "clear", "reload", "resume"}));
  EXPECT_EQ(state.connectedFlag, 1u);
  EXPECT_EQ(mouse.memory().connectArgument, 0xFC);  // the stale handle was not used
}

TEST_F(HotPlugFixture, OtherNotificationsAreIgnored) {
  mouse.Unplug();  // anything acted upon would report the mouse gone
  const std::wstring lower = VirtualMouse::kCommandPath;  // "vid_04d9&pid_a100": no spelling
  EXPECT_EQ(handler.OnDeviceChange(kDbtDeviceArrival, kDbtDevtypDeviceInterface, lower), 1);
  EXPECT_EQ(Notify(kDbtDeviceArrival, VirtualMouse::kCommandPath, 2), 1);  // a volume
  EXPECT_EQ(Notify(0x8001, VirtualMouse::kCommandPath), 1);                // query remove
  EXPECT_EQ(Notify(0x0007, VirtualMouse::kCommandPath, 0), 1);             // nodes changed
  EXPECT_TRUE(actions.log.empty());
}

TEST(VirtualMousePlug, UnpluggedInterfacesVanishAndOldHandlesStayDead) {
  VirtualMouse mouse;
  mouse.enumeration().push_back({L"foreign", {0x845E, 1, 1}, {2, 1, 5, 0, 0}, false});
  const HidHandle before = mouse.Open(VirtualMouse::kCommandPath, HidOpenMode::CommandAccess);
  mouse.Unplug();

  const HidInterfaceSet set = mouse.OpenInterfaceSet();
  std::wstring path;
  EXPECT_EQ(mouse.EnumerateInterface(set, 0), HidEnumResult::Ok);
  EXPECT_TRUE(mouse.ReadInterfacePath(set, path));
  EXPECT_EQ(path, L"foreign");
  EXPECT_EQ(mouse.EnumerateInterface(set, 1), HidEnumResult::NoMoreItems);
  mouse.CloseInterfaceSet(set);
  EXPECT_EQ(mouse.Open(VirtualMouse::kCommandPath, HidOpenMode::Probe), kInvalidHidHandle);

  mouse.Plug();
  std::array<std::uint8_t, 9> report{};
  EXPECT_FALSE(mouse.SetFeature(before, report));
  EXPECT_FALSE(mouse.GetFeature(before, report));
  HidAttributes attributes;
  EXPECT_FALSE(mouse.GetAttributes(before, attributes));
  const HidHandle after = mouse.Open(VirtualMouse::kCommandPath, HidOpenMode::CommandAccess);
  EXPECT_TRUE(mouse.SetFeature(after, report));
}

}  // namespace
}  // namespace gm
