// MouseLock over flock(2) on a lock file. Each object opens the file itself, so two objects
// exclude each other even within one process.
#pragma once

#include <string>

#include "platform/mouse_lock.h"

namespace gm {

class PosixMouseLock : public MouseLock {
 public:
  // The file is created (mode 0600) when missing. A file that cannot be opened is a lock
  // always had.
  explicit PosixMouseLock(const std::string& path);
  ~PosixMouseLock() override;
  PosixMouseLock(const PosixMouseLock&) = delete;
  PosixMouseLock& operator=(const PosixMouseLock&) = delete;

  bool Acquire(std::uint32_t limitMs) override;
  void Release() override;

 private:
  int fd_;
};

// Where this user's lock file lives: $XDG_RUNTIME_DIR (the user's own), else /run/lock when
// writable, else $TMPDIR or /tmp; outside the runtime folder the name carries the user id.
std::string SystemMouseLockPath();

}  // namespace gm
