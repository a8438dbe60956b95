// The listener loop against a scripted event interface and the virtual mouse.
#include <gtest/gtest.h>

#include <thread>
#include <type_traits>

#include "app/app_state.h"
#include "device/listener.h"
#include "device/virtual_mouse.h"
#include "scripted_hid.h"

namespace gm {
namespace {

// Discovery writes these on the window thread while the listener thread reads them: as plain
// fields they would be a data race.
static_assert(
    std::is_same_v<decltype(LinkState::eventHandle), std::atomic<HidHandle>> &&
    std::is_same_v<decltype(LinkState::eventInputReportLength), std::atomic<std::uint16_t>>);
static_assert(std::atomic<HidHandle>::is_always_lock_free);

// Records what the loop does with its event; never blocks. onWait stands for what happens on
// the window thread while the loop waits.
class FakeWake : public WakeEvent {
 public:
  void Set() override { log += "S"; }
  void Reset() override { log += "R"; }
  void Wait() override {
    log += "W";
    if (onWait) onWait();
  }
  std::string log;
  std::function<void()> onWait;
};

struct ListenerFixture : ::testing::Test {
  ListenerFixture() {
    state.connectedFlag = 1;
    state.link.eventHandle = 7;
    state.link.eventInputReportLength = 8;
  }
  using Event = std::pair<int, int>;
  test::ScriptedHid hid;
  AppState state;
  FakeWake wake;
  std::vector<Event> sent;
  Listener listener{hid, state, wake,
                    [this](std::uint8_t c, std::uint8_t v) { sent.emplace_back(c, v); }};
};

TEST_F(ListenerFixture, EventReportsReachTheWindowOthersAreDropped) {
  hid.eventReports = {{6, 7, 1, 3, 0, 0, 0, 0}, {5, 7, 1, 3}, {6, 8, 9, 2}, {6, 7, 9, 2}};
  for (int i = 0; i < 4; ++i) listener.Pass();
  EXPECT_EQ(sent, (std::vector<Event>{{1, 3}, {9, 2}}));
  EXPECT_EQ(hid.eventReadSizes, (std::vector<std::size_t>{8, 8, 8, 8}));
  EXPECT_EQ(hid.eventReadHandles[0], 7);
  EXPECT_EQ(wake.log, "RSWRSWRSWRSW");
}

TEST_F(ListenerFixture, WaitsWithoutReadingWhileDisconnectedOrWithoutHandle) {
  state.connectedFlag = 0;
  listener.Pass();
  state.connectedFlag = 1;
  state.link.eventHandle = kInvalidHidHandle;
  listener.Pass();
  EXPECT_TRUE(hid.eventReadHandles.empty());
  EXPECT_EQ(wake.log, "RWRW");
}

TEST_F(ListenerFixture, ReadThatTransfersNothingIsSkipped) {
  listener.Pass();  // no report: the read stays pending and collects nothing
  EXPECT_TRUE(sent.empty());
  EXPECT_EQ(hid.eventReadsCollected, 1);
}

// An unplug while a read runs: the read is ended, not left running into the buffer when the
// next one starts after the mouse is back.
TEST_F(ListenerFixture, WakeWhileReadRunsEndsTheReadBeforeTheNext) {
  wake.onWait = [this] { state.connectedFlag = 0; };
  listener.Pass();
  wake.onWait = nullptr;
  state.connectedFlag = 1;
  hid.eventReports = {{6, 7, 9, 4}};
  listener.Pass();
  EXPECT_EQ(hid.eventReadsCollected, 2);
  EXPECT_EQ(sent, (std::vector<Event>{{9, 4}}));
}

TEST_F(ListenerFixture, ReadSizeIsBoundedByTheBuffer) {
  state.link.eventInputReportLength = 300;
  hid.eventReports = {std::vector<std::uint8_t>(300, 6)};
  listener.Pass();
  EXPECT_EQ(hid.eventReadSizes, (std::vector<std::size_t>{kListenerBufferSize}));
}

// A thread suspended several times runs after one resume call per suspension; a failing
// ResumeThread must end the attempt, not spin the window thread for ever.
TEST(ResumeUntilRunning, ResumesEverySuspensionAndStopsOnFailure) {
  std::uint32_t count = 3;
  int calls = 0;
  EXPECT_TRUE(ResumeUntilRunning([&] {
    ++calls;
    return count > 0 ? count-- : 0u;
  }));
  EXPECT_EQ(calls, 3);
  EXPECT_EQ(count, 0u);

  calls = 0;
  EXPECT_FALSE(ResumeUntilRunning([&] { return ++calls < 100 ? kResumeFailed : 0u; }));
  EXPECT_EQ(calls, 1);
}

// Discovery's wake ends a read of the virtual mouse that is still running; the report that
// comes next waits for the next read instead of being lost or blocking the listener.
TEST(VirtualMouseEventRead, EndedReadLeavesTheReportToTheNext) {
  VirtualMouse mouse;
  PortableWakeEvent wake;
  const HidHandle handle = mouse.Open(VirtualMouse::kEventPath, HidOpenMode::EventRead);
  std::array<std::uint8_t, kListenerBufferSize> buffer{};
  ASSERT_TRUE(mouse.StartEventRead(handle, buffer, wake));
  EXPECT_EQ(mouse.FinishEventRead(handle), 0u);
  mouse.InjectEventReport({6, 7, 9, 2});
  ASSERT_TRUE(mouse.StartEventRead(handle, buffer, wake));
  EXPECT_EQ(mouse.FinishEventRead(handle), VirtualMouse::kEventReportLength);
  EXPECT_EQ(buffer[3], 2);
}

TEST(ListenerThread, VirtualMouseEventsCrossThreadsAndUnplugWakesTheLoop) {
  VirtualMouse mouse;
  AppState state;
  state.link.eventHandle = mouse.Open(VirtualMouse::kEventPath, HidOpenMode::EventRead);
  state.link.eventInputReportLength = VirtualMouse::kEventReportLength;
  state.connectedFlag = 1;
  PortableWakeEvent wake;
  std::mutex mutex;
  std::condition_variable arrived;
  std::vector<std::pair<int, int>> sent;
  Listener listener(mouse, state, wake, [&](std::uint8_t c, std::uint8_t v) {
    std::lock_guard<std::mutex> lock(mutex);
    sent.emplace_back(c, v);
    arrived.notify_all();
  });
  std::atomic<bool> stop{false};
  std::atomic<bool> done{false};
  std::thread thread([&] {
    while (!stop) listener.Pass();
    done = true;
  });

  mouse.InjectEventReport({6, 7, 1, 5});
  mouse.InjectEventReport({6, 7, 9, 1});
  {
    std::unique_lock<std::mutex> lock(mutex);
    ASSERT_TRUE(arrived.wait_for(lock, std::chrono::seconds(10), [&] { return sent.size() == 2; }));
  }
  EXPECT_EQ(sent, (std::vector<std::pair<int, int>>{{1, 5}, {9, 1}}));

  // Unplugging completes the pending read with nothing; the loop then waits for discovery.
  state.connectedFlag = 0;
  mouse.Unplug();
  stop = true;
  while (!done) {  // the loop may reset the event after a single Set
    wake.Set();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  thread.join();
  EXPECT_EQ(sent.size(), 2u);
}

}  // namespace
}  // namespace gm
