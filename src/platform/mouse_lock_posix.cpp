#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/posix_mouse_lock.h"

namespace gm {

PosixMouseLock::PosixMouseLock(const std::string& path)
    : fd_(open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {}

PosixMouseLock::~PosixMouseLock() {
  if (fd_ >= 0) close(fd_);  // also lets a held lock go
}

bool PosixMouseLock::Acquire(std::uint32_t limitMs) {
  if (fd_ < 0) return true;
  // flock has no time-out: try, and try again every few milliseconds until the limit.
  const auto limit = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  for (;;) {
    if (flock(fd_, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno != EWOULDBLOCK && errno != EINTR) return true;  // no locking here: work without
    if (std::chrono::steady_clock::now() >= limit) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void PosixMouseLock::Release() {
  if (fd_ >= 0) flock(fd_, LOCK_UN);
}

std::string SystemMouseLockPath() {
  const std::string user = std::to_string(getuid());
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime) {
    return std::string(runtime) + "/ql-gm900-mouse.lock";
  }
  if (access("/run/lock", W_OK) == 0) return "/run/lock/ql-gm900-mouse-" + user + ".lock";
  const char* temp = std::getenv("TMPDIR");
  return std::string(temp != nullptr && *temp ? temp : "/tmp") + "/ql-gm900-mouse-" + user +
         ".lock";
}

std::unique_ptr<MouseLock> OpenSystemMouseLock() {
  return std::make_unique<PosixMouseLock>(SystemMouseLockPath());
}

}  // namespace gm
