// MouseLock over a named mutex. A mutex is owned by a thread: Acquire and Release on the same
// thread; a thread that acquires it twice holds it twice.
#pragma once

#include <string>

#include "platform/mouse_lock.h"

namespace gm {

class Win32MouseLock : public MouseLock {
 public:
  // The mutex is created when no process has it open yet. One that cannot be made is a lock
  // always had.
  explicit Win32MouseLock(const std::wstring& name);
  ~Win32MouseLock() override;
  Win32MouseLock(const Win32MouseLock&) = delete;
  Win32MouseLock& operator=(const Win32MouseLock&) = delete;

  // A mutex abandoned by a thread or process that ended holding it counts as had.
  bool Acquire(std::uint32_t limitMs) override;
  void Release() override;

 private:
  void* handle_;
};

// The session's name of the lock ("Local\" namespace: the program and gm900ctl of the user at
// the desk share it).
inline constexpr wchar_t kMouseLockName[] = L"Local\\QL-GM900.mouse";

}  // namespace gm
