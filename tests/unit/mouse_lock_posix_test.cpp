// The flock lock of the mouse: a second holder waits at most its limit; two processes that send
// Saves to the mouse at the same time send them one after the other, never interleaved.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "device/device_operations.h"
#include "device/device_worker.h"
#include "device/discovery.h"
#include "device/virtual_mouse.h"
#include "fake_host.h"
#include "platform/posix_mouse_lock.h"
#include "temp_dir.h"

namespace gm {
namespace {

TEST(PosixMouseLockTest, ASecondHolderWaitsItsLimitThenGetsTheLockOnceLetGo) {
  test::TempDir dir;
  const std::string path = (dir / "mouse.lock").string();
  PosixMouseLock first(path);
  PosixMouseLock second(path);
  ASSERT_TRUE(first.Acquire(0));
  EXPECT_FALSE(second.Acquire(20));
  first.Release();
  EXPECT_TRUE(second.Acquire(0));
  EXPECT_FALSE(first.Acquire(0));
  second.Release();
  {
    // A holder that goes away lets the lock go with it.
    PosixMouseLock gone(path);
    ASSERT_TRUE(gone.Acquire(0));
  }
  EXPECT_TRUE(first.Acquire(0));
  first.Release();

  // No folder for the file: the mouse works as without a lock.
  PosixMouseLock nowhere((dir / "missing" / "mouse.lock").string());
  EXPECT_TRUE(nowhere.Acquire(0));
}

// The virtual mouse, writing the id of its process for each report into a file shared by the
// processes, with one write per line (O_APPEND: lines of two processes never mix).
class RecordingMouse : public VirtualMouse {
 public:
  explicit RecordingMouse(int log) : log_(log) {}
  bool SetFeature(HidHandle handle, std::span<const std::uint8_t> report) override {
    Record();
    return VirtualMouse::SetFeature(handle, report);
  }
  bool WriteReport(HidHandle handle, std::span<const std::uint8_t> report) override {
    Record();
    return VirtualMouse::WriteReport(handle, report);
  }

 private:
  void Record() {
    const std::string line = std::to_string(getpid()) + "\n";
    if (write(log_, line.data(), line.size()) != static_cast<ssize_t>(line.size())) _exit(3);
  }
  int log_;
};

// Each pause really waits a little, so that an unlocked sender would get between the reports.
class ShortPauseHost : public test::FakeHost {
 public:
  void Pause(std::uint32_t) override { std::this_thread::sleep_for(std::chrono::milliseconds(1)); }
};

constexpr int kSavesPerProcess = 4;

// A process of the test: its Saves through the job runner, as gm900ctl and the program run them.
[[noreturn]] void SendSaves(const std::string& lockPath, int log) {
  PosixMouseLock lock(lockPath);
  RecordingMouse mouse(log);
  ShortPauseHost host;
  DeviceSession session;
  if (!Discover(mouse, session)) _exit(2);
  InPlaceJobRunner runner(mouse, host, session.link, &lock);
  for (int i = 0; i < kSavesPerProcess; ++i) {
    if (runner.RunAndWait({DeviceJobKind::Apply, {}}).ended) _exit(1);
  }
  _exit(0);
}

TEST(PosixMouseLockTest, TwoProcessesSendTheirSavesOneAfterTheOther) {
  test::TempDir dir;
  const std::string lockPath = (dir / "mouse.lock").string();
  const std::string logPath = (dir / "reports.log").string();
  const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  ASSERT_GE(log, 0);
  std::vector<pid_t> children;
  for (int i = 0; i < 2; ++i) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) SendSaves(lockPath, log);
    children.push_back(child);
  }
  close(log);
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }

  std::vector<std::string> senders;
  const std::vector<std::uint8_t> bytes = test::ReadBytes(logPath);
  std::istringstream lines(std::string(bytes.begin(), bytes.end()));
  for (std::string line; std::getline(lines, line);) senders.push_back(line);
  ASSERT_EQ(senders.size(), 2 * kSavesPerProcess * kApplyReportCount);
  // Every Save's reports come from one process.
  int saves[2] = {0, 0};
  for (std::size_t at = 0; at < senders.size(); at += kApplyReportCount) {
    for (std::size_t i = 1; i < kApplyReportCount; ++i) {
      ASSERT_EQ(senders[at + i], senders[at]) << "report " << at + i << " interleaves";
    }
    ++saves[senders[at] == std::to_string(children[0]) ? 0 : 1];
  }
  EXPECT_EQ(saves[0], kSavesPerProcess);
  EXPECT_EQ(saves[1], kSavesPerProcess);
}

}  // namespace
}  // namespace gm
