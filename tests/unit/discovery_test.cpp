// The discovery walk over made-up HID systems: which interfaces it examines and opens, where
// it stops, and that it leaves no handle, set or preparsed data behind.
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "device/discovery.h"
#include "fake_hid_system.h"

namespace gm {
namespace {

using test::FakeHidSystem;
using test::ForeignInterface;
using test::MouseCommandInterface;
using test::MouseEventInterface;
using Lines = std::vector<std::string>;

struct DiscoveryFixture : ::testing::Test {
  bool Run() {
    DiscoveryHooks hooks;
    hooks.wakeListener = [this] { ++wakes; };
    hooks.debugLine = [this](const std::wstring& line) { debugLines.push_back(line); };
    return Discover(hid, state, hooks);
  }
  // Nothing but the link's own handles may stay open after a walk.
  void ExpectNothingLeftBehind() const {
    std::size_t linkHandles = 0;
    for (HidHandle handle : {state.link.commandHandle, state.link.eventHandle.load()}) {
      if (handle != kInvalidHidHandle) ++linkHandles;
    }
    EXPECT_EQ(hid.open.size(), linkHandles);
    EXPECT_EQ(hid.setsOpen, 0);
    EXPECT_EQ(hid.outstandingPreparsed(), 0u);
  }

  FakeHidSystem hid;
  AppState state;
  int wakes = 0;
  std::vector<std::wstring> debugLines;
};

TEST_F(DiscoveryFixture, EventThenCommandOpensBothAndRecordsTheirLengths) {
  hid.interfaces = {MouseEventInterface(), MouseCommandInterface()};
  EXPECT_TRUE(Run());
  EXPECT_EQ(state.connectedFlag, 1u);
  EXPECT_EQ(hid.Calls("open"), (Lines{"open probe mouse-event", "open event mouse-event",
                                      "open probe mouse-command", "open command mouse-command"}));
  EXPECT_EQ(hid.PathOf(state.link.eventHandle), L"mouse-event");
  EXPECT_EQ(hid.PathOf(state.link.commandHandle), L"mouse-command");
  EXPECT_EQ(state.link.devicePath, L"mouse-command");
  EXPECT_EQ(state.link.eventInputReportLength, 8);
  EXPECT_EQ(state.link.featureReportLength, 9);
  EXPECT_EQ(state.link.inputReportLength, 65);
  EXPECT_EQ(state.link.outputReportLength, 65);
  EXPECT_EQ(wakes, 1);
  ExpectNothingLeftBehind();
}

// Guards against walking on after the command interface.
TEST_F(DiscoveryFixture, CommandBeforeEventEndsTheWalkWithoutTheEventInterface) {
  hid.interfaces = {MouseCommandInterface(), MouseEventInterface()};
  EXPECT_TRUE(Run());
  EXPECT_EQ(hid.Calls("enum"), Lines{"enum 0"});
  EXPECT_EQ(state.link.eventHandle, kInvalidHidHandle);
  EXPECT_EQ(wakes, 0);
  ExpectNothingLeftBehind();
}

TEST_F(DiscoveryFixture, ForeignDeviceCostsOneProbeAndIsSkipped) {
  hid.interfaces = {ForeignInterface(), MouseEventInterface(), MouseCommandInterface()};
  EXPECT_TRUE(Run());
  const Lines log = hid.log;
  const Lines foreign(log.begin() + 2, log.begin() + 5);
  EXPECT_EQ(foreign, (Lines{"open probe foreign", "close foreign", "enum 1"}));
  EXPECT_TRUE(hid.Calls("preparsed foreign").empty());
  // One attributes line per probe, one caps line per interface of the mouse.
  ASSERT_EQ(debugLines.size(), 5u);
  EXPECT_EQ(debugLines[0], L"PID:0001\n,VID:845e\n,VersionNumber:0001\n");
  EXPECT_EQ(debugLines[4],
            L"DevicePath:mouse-command,\nUsage:0xff00\n, UsagePage:0xff00\n"
            L",FeatureReportByteLength:0x0009\n,InputReportByteLength:0x41\n"
            L",OutputReportByteLength:0x41\n");
  ExpectNothingLeftBehind();
}

TEST_F(DiscoveryFixture, NoMouseReturnsFalseAfterTheLastInterface) {
  for (const auto& interfaces : {std::vector<test::FakeInterface>{},
                                 {ForeignInterface(L"a"), ForeignInterface(L"b")},
                                 {MouseEventInterface()}}) {
    hid = FakeHidSystem{};
    hid.interfaces = interfaces;
    EXPECT_FALSE(Run());
    EXPECT_EQ(hid.Calls("enum").back(), "enum " + std::to_string(interfaces.size()));
    EXPECT_EQ(state.connectedFlag, 0u);
    EXPECT_EQ(state.link.commandHandle, kInvalidHidHandle);
    if (state.link.eventHandle != kInvalidHidHandle) hid.Close(state.link.eventHandle);
    state.link.eventHandle = kInvalidHidHandle;
    ExpectNothingLeftBehind();
  }
}

// Guards against both the event handle being left as the only result and the walk going on.
TEST_F(DiscoveryFixture, EventOpenFailureEndsDiscoveryEvenWithTheCommandInterfacePresent) {
  hid.interfaces = {MouseEventInterface(), MouseCommandInterface()};
  hid.interfaces[0].eventOpenFails = true;
  EXPECT_FALSE(Run());
  EXPECT_EQ(state.connectedFlag, 0u);
  EXPECT_TRUE(hid.Calls("open probe mouse-command").empty());
  EXPECT_EQ(wakes, 0);
  ExpectNothingLeftBehind();
}

// The sane device with one failure point set: each ends the walk with false and cleans up.
TEST_F(DiscoveryFixture, EveryFailurePointEndsTheWalkAndCleansUp) {
  using Breaker = void (*)(test::FakeInterface&);
  const Breaker breakers[] = {
      [](test::FakeInterface& i) { i.pathFails = true; },
      [](test::FakeInterface& i) { i.probeFails = true; },
      [](test::FakeInterface& i) { i.preparsedFails = true; },
      [](test::FakeInterface& i) { i.capsStatus = HidCapsStatus::InvalidPreparsedData; },
      [](test::FakeInterface& i) { i.commandOpenFails = true; },
  };
  for (Breaker breaker : breakers) {
    hid = FakeHidSystem{};
    state.connectedFlag = 0;
    hid.interfaces = {MouseCommandInterface(), ForeignInterface()};
    breaker(hid.interfaces[0]);
    EXPECT_FALSE(Run());
    EXPECT_EQ(state.connectedFlag, 0u);
    EXPECT_EQ(hid.Calls("enum"), Lines{"enum 0"});
    ExpectNothingLeftBehind();
  }
  hid = FakeHidSystem{};
  hid.setFails = true;
  EXPECT_FALSE(Run());
  EXPECT_EQ(hid.log, Lines{"take-set"});
}

TEST_F(DiscoveryFixture, MouseInterfacesThatMatchNeitherUsageAreSkipped) {
  hid.interfaces = {MouseCommandInterface(L"short-feature"), MouseCommandInterface(L"caps-fail"),
                    MouseEventInterface(L"no-input"), MouseCommandInterface()};
  hid.interfaces[0].caps.featureReportLength = 8;
  hid.interfaces[1].capsStatus = HidCapsStatus::OtherFailure;
  hid.interfaces[2].caps.inputReportLength = 0;
  hid.interfaces[3].attributesFail = true;  // reads as a foreign device
  EXPECT_FALSE(Run());
  EXPECT_EQ(hid.Calls("open command"), Lines{});
  EXPECT_EQ(hid.Calls("open event"), Lines{});
  ExpectNothingLeftBehind();
}

// An enumeration error that is not "no more items": the set's current interface is examined
// once more and the walk stops there, before the mouse.
TEST_F(DiscoveryFixture, EnumerationErrorStopsAfterOneMoreExamination) {
  hid.interfaces = {ForeignInterface(), MouseEventInterface(), MouseCommandInterface()};
  hid.interfaces[1].enumResult = HidEnumResult::OtherError;
  EXPECT_FALSE(Run());
  EXPECT_EQ(hid.Calls("enum"), (Lines{"enum 0", "enum 1"}));
  EXPECT_EQ(hid.Calls("open"), (Lines{"open probe foreign", "open probe foreign"}));
  ExpectNothingLeftBehind();

  hid = FakeHidSystem{};
  hid.interfaces = {MouseCommandInterface()};
  hid.interfaces[0].enumResult = HidEnumResult::OtherError;  // nothing current: no detail
  EXPECT_FALSE(Run());
  ExpectNothingLeftBehind();
}

TEST_F(DiscoveryFixture, ReplacedHandlesAreClosedBeforeTheNewOpens) {
  hid.interfaces = {MouseEventInterface(), MouseCommandInterface()};
  ASSERT_TRUE(Run());
  const HidHandle oldEvent = state.link.eventHandle;
  const HidHandle oldCommand = state.link.commandHandle;
  hid.log.clear();
  ASSERT_TRUE(Run());
  EXPECT_NE(state.link.eventHandle, oldEvent);
  EXPECT_NE(state.link.commandHandle, oldCommand);
  const Lines opensAndCloses = [&] {
    Lines lines;
    for (const auto& line : hid.log) {
      if (line.rfind("open ", 0) == 0 || line.rfind("close ", 0) == 0) lines.push_back(line);
    }
    return lines;
  }();
  EXPECT_EQ(opensAndCloses,
            (Lines{"open probe mouse-event", "close mouse-event", "close mouse-event",
                   "open event mouse-event", "open probe mouse-command", "close mouse-command",
                   "close mouse-command", "open command mouse-command"}));
  ExpectNothingLeftBehind();
}

}  // namespace
}  // namespace gm
