// The system-wide lock of the mouse: every command sequence sent to the mouse, by the program or
// by gm900ctl, runs while holding it, so that two processes never interleave their reports on
// the command interface. One lock per user (not per device path): the path is known only after
// discovery, which itself opens the interfaces, and both programs use the first mouse found.
// Win32: a named mutex of the session; POSIX: flock on a lock file of the user.
#pragma once

#include <cstdint>
#include <memory>

namespace gm {

// How long a sequence waits for the lock before it is reported busy: a Save's reports and
// pauses (about 5 s) plus a margin.
inline constexpr std::uint32_t kMouseLockWaitMs = 15000;

class MouseLock {
 public:
  virtual ~MouseLock() = default;
  // Waits at most limitMs for the lock; true when this object now holds it.
  virtual bool Acquire(std::uint32_t limitMs) = 0;
  // Lets the lock go; on Win32 from the thread that acquired it.
  virtual void Release() = 0;
};

// This user's lock of the mouse. A lock that the system cannot make (no writable folder) is
// always had: the mouse then works as without a lock rather than not at all.
std::unique_ptr<MouseLock> OpenSystemMouseLock();

// Holds a lock for a scope; a null lock is always held.
class MouseLockHold {
 public:
  MouseLockHold(MouseLock* lock, std::uint32_t limitMs)
      : lock_(lock), held_(lock == nullptr || lock->Acquire(limitMs)) {}
  ~MouseLockHold() {
    if (lock_ != nullptr && held_) lock_->Release();
  }
  MouseLockHold(const MouseLockHold&) = delete;
  MouseLockHold& operator=(const MouseLockHold&) = delete;
  bool held() const { return held_; }

 private:
  MouseLock* lock_;
  bool held_;
};

}  // namespace gm
