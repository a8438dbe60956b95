// The device worker: its jobs send exactly what the sequences send in place, one job at a time
// in the order given, with progress that only rises and ends at 100; the mouse going away
// ends the running job at its next report and the queued ones without a report.
#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "device/device_operations.h"
#include "device/device_worker.h"
#include "device/discovery.h"
#include "device/trace.h"
#include "device/tracing_host.h"
#include "device/virtual_mouse.h"
#include "fake_host.h"
#include "fake_mouse_lock.h"

namespace gm {
namespace {

// The virtual mouse, able to hold the sender before one report until the test lets it go.
class HoldingMouse : public VirtualMouse {
 public:
  bool SetFeature(HidHandle handle, std::span<const std::uint8_t> report) override {
    Count();
    return VirtualMouse::SetFeature(handle, report);
  }
  bool WriteReport(HidHandle handle, std::span<const std::uint8_t> report) override {
    Count();
    return VirtualMouse::WriteReport(handle, report);
  }
  // Before report number `at` (from 0) the sender waits until Release().
  void HoldAt(std::size_t at) { holdAt_ = at; }
  void WaitUntilHeld() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return held_; });
  }
  void Release() {
    std::lock_guard<std::mutex> lock(mutex_);
    released_ = true;
    changed_.notify_all();
  }
  std::size_t sent() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return sent_;
  }

 private:
  void Count() {
    std::unique_lock<std::mutex> lock(mutex_);
    if (sent_ == holdAt_) {
      held_ = true;
      changed_.notify_all();
      changed_.wait(lock, [&] { return released_; });
    }
    ++sent_;
  }
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t holdAt_ = static_cast<std::size_t>(-1);
  std::size_t sent_ = 0;
  bool held_ = false;
  bool released_ = false;
};

class RecordingReports : public DeviceJobReports {
 public:
  void OnMouseEvent(std::uint8_t, std::uint8_t) override {}
  void OnJobProgress(std::uint64_t id, unsigned percent) override {
    std::lock_guard<std::mutex> lock(mutex);
    progress[id].push_back(percent);
  }
  void OnJobDone(const DeviceJobResult& result) override {
    std::lock_guard<std::mutex> lock(mutex);
    done.push_back(result);
  }
  std::mutex mutex;
  std::map<std::uint64_t, std::vector<unsigned>> progress;
  std::vector<DeviceJobResult> done;
};

DeviceConfig SampleImage() {
  DeviceConfig image;
  image.reportRateCode = 3;
  for (std::size_t i = 0; i < kBlockSize; ++i) {
    image.settingsBlocks[0][i] = static_cast<std::uint8_t>(i * 7);
    image.keyTable[i] = static_cast<std::uint8_t>(i + 1);
  }
  for (std::size_t m = 0; m < kMacroCount; ++m) image.macros[m].fill(static_cast<std::uint8_t>(m));
  return image;
}

struct DeviceWorkerTest : ::testing::Test {
  DeviceWorkerTest() {
    mouse.SetTrace(&trace);
    EXPECT_TRUE(Discover(mouse, session));
  }
  std::string TakeTrace() {
    std::string text = lines.str();
    lines.str("");
    return text;
  }

  std::ostringstream lines;
  Trace trace{lines};
  HoldingMouse mouse;
  test::FakeHost fakeHost;
  TracingHost host{&trace, &fakeHost};
  DeviceSession session;
  RecordingReports reports;
};

TEST_F(DeviceWorkerTest, JobsSendWhatTheSequencesSendInPlaceInOrder) {
  const DeviceConfig image = SampleImage();
  // In place: apply, then a read-back.
  CommandLink link(mouse, host, session.link);
  RunApplySequence(link, image);
  DeviceConfig readInPlace;
  RunReadBackSequence(link, readInPlace);
  const std::string inPlace = TakeTrace();

  mouse.memory().settingsBlocks[0] = kSettingsTemplate;
  std::uint64_t apply = 0;
  std::uint64_t readBack = 0;
  {
    DeviceWorker worker(mouse, host, session.link, reports);
    apply = worker.Post({DeviceJobKind::Apply, image});
    readBack = worker.Post({DeviceJobKind::ReadBack, {}});
    ASSERT_TRUE(worker.WaitIdle(10000));
  }
  EXPECT_EQ(TakeTrace(), inPlace);  // byte for byte, pauses included
  ASSERT_EQ(reports.done.size(), 2u);
  EXPECT_EQ(reports.done[0].id, apply);
  EXPECT_EQ(reports.done[1].id, readBack);
  EXPECT_FALSE(reports.done[0].ended);
  EXPECT_FALSE(reports.done[1].ended);
  // Read after the apply, so it sees what the apply wrote.
  EXPECT_EQ(reports.done[1].image.settingsBlocks[0], image.settingsBlocks[0]);
  EXPECT_EQ(reports.done[1].image.settingsBlocks[0], readInPlace.settingsBlocks[0]);

  const std::vector<unsigned>& steps = reports.progress[apply];
  ASSERT_FALSE(steps.empty());
  EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));
  EXPECT_EQ(std::adjacent_find(steps.begin(), steps.end()), steps.end());  // changes only
  EXPECT_EQ(steps.back(), 100u);
  EXPECT_LT(steps[steps.size() - 2], 100u);  // 100 only once the last report went out
  EXPECT_EQ(reports.progress.count(readBack), 0u);
}

TEST_F(DeviceWorkerTest, EndingJobsStopsAtTheNextReportAndDropsTheQueue) {
  const DeviceConfig image = SampleImage();
  constexpr std::size_t kHeldAt = 20;  // a data chunk in the middle of the macro blocks
  mouse.HoldAt(kHeldAt);
  DeviceWorker worker(mouse, host, session.link, reports);
  worker.Post({DeviceJobKind::Apply, image});
  worker.Post({DeviceJobKind::ReadBack, {}});
  mouse.WaitUntilHeld();
  worker.EndJobs();
  const std::size_t pausesBefore = fakeHost.pauses.size();
  mouse.Release();
  ASSERT_TRUE(worker.WaitIdle(10000));

  EXPECT_EQ(mouse.sent(), kHeldAt + 1);  // the held report went out, nothing after it
  // At most the pause after the held chunk; none after the job ended.
  EXPECT_LE(fakeHost.pauses.size(), pausesBefore + 1);
  ASSERT_EQ(reports.done.size(), 2u);
  EXPECT_TRUE(reports.done[0].ended);
  EXPECT_TRUE(reports.done[1].ended);  // queued: ended without a report
  EXPECT_LT(reports.progress[reports.done[0].id].back(), 100u);

  // A job after the ending runs whole again, and one waited for is returned, not reported.
  mouse.memory().profile = 2;
  const DeviceJobResult connect = worker.PostAndWait({DeviceJobKind::Connect, {}});
  EXPECT_FALSE(connect.ended);
  EXPECT_EQ(connect.image.profile, 2);
  EXPECT_EQ(connect.image.connectArgument, 0xFC);
  EXPECT_EQ(reports.done.size(), 2u);
  EXPECT_TRUE(worker.idle());
}

TEST_F(DeviceWorkerTest, EachJobRunsUnderTheMouseLockAndABusyLockSendsNothing) {
  test::FakeMouseLock lock;
  class LockWatch : public HoldingMouse {
   public:
    explicit LockWatch(test::FakeMouseLock& held) : held_(held) {}
    bool WriteReport(HidHandle handle, std::span<const std::uint8_t> report) override {
      if (!held_.held) ++unlocked;
      return HoldingMouse::WriteReport(handle, report);
    }
    int unlocked = 0;

   private:
    test::FakeMouseLock& held_;
  } watched(lock);
  ASSERT_TRUE(Discover(watched, session));
  {
    DeviceWorker worker(watched, host, session.link, reports, &lock);
    worker.Post({DeviceJobKind::Apply, SampleImage()});
    worker.Post({DeviceJobKind::ReadBack, {}});
    ASSERT_TRUE(worker.WaitIdle(10000));
    EXPECT_EQ(lock.acquired, 2);  // once per job
    EXPECT_FALSE(lock.held);
    EXPECT_EQ(watched.unlocked, 0);
    EXPECT_GT(watched.sent(), 0u);

    lock.takenElsewhere = true;
    const std::size_t before = watched.sent();
    worker.Post({DeviceJobKind::Apply, SampleImage()});
    ASSERT_TRUE(worker.WaitIdle(10000));
    EXPECT_EQ(watched.sent(), before);
  }
  ASSERT_EQ(reports.done.size(), 3u);
  EXPECT_FALSE(reports.done[0].busy);
  EXPECT_TRUE(reports.done[2].busy);
  EXPECT_TRUE(reports.done[2].ended);
  EXPECT_TRUE(reports.progress[3].empty());
}

}  // namespace
}  // namespace gm
