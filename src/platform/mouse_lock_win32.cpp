#include <windows.h>

#include "platform/win32_mouse_lock.h"

namespace gm {

Win32MouseLock::Win32MouseLock(const std::wstring& name)
    : handle_(CreateMutexW(nullptr, FALSE, name.c_str())) {}

Win32MouseLock::~Win32MouseLock() {
  if (handle_ != nullptr) CloseHandle(handle_);
}

bool Win32MouseLock::Acquire(std::uint32_t limitMs) {
  if (handle_ == nullptr) return true;
  const DWORD waited = WaitForSingleObject(handle_, limitMs);
  return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

void Win32MouseLock::Release() {
  if (handle_ != nullptr) ReleaseMutex(handle_);
}

std::unique_ptr<MouseLock> OpenSystemMouseLock() {
  return std::make_unique<Win32MouseLock>(kMouseLockName);
}

}  // namespace gm
