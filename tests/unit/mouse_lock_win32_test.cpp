// The named-mutex lock of the mouse: another holder waits at most its limit, and a holder that
// ended without letting go (an abandoned mutex) leaves the lock to the next one.
#include <windows.h>

#include <gtest/gtest.h>

#include <future>
#include <string>
#include <thread>

#include "platform/win32_mouse_lock.h"

namespace gm {
namespace {

// A name of this test run only, so that a running program's lock is not touched.
std::wstring TestLockName() {
  return L"Local\\QL-GM900.mouse-test-" + std::to_wstring(GetCurrentProcessId());
}

TEST(Win32MouseLockTest, AnotherHolderWaitsItsLimitAndAnAbandonedLockCountsAsHad) {
  Win32MouseLock mine(TestLockName());
  Win32MouseLock theirs(TestLockName());
  std::promise<void> taken;
  std::promise<void> letGo;
  // A mutex belongs to a thread: the other holder is another thread.
  std::thread other([&] {
    EXPECT_TRUE(theirs.Acquire(0));
    taken.set_value();
    letGo.get_future().wait();
    theirs.Release();
  });
  taken.get_future().wait();
  EXPECT_FALSE(mine.Acquire(20));
  letGo.set_value();
  other.join();
  EXPECT_TRUE(mine.Acquire(0));
  mine.Release();

  // The other thread ends holding the lock.
  std::thread([&] { EXPECT_TRUE(theirs.Acquire(0)); }).join();
  EXPECT_TRUE(mine.Acquire(1000));
  mine.Release();
}

}  // namespace
}  // namespace gm
