#include <windows.h>

#include "platform/win32_wake_event.h"

namespace gm {

Win32WakeEvent::Win32WakeEvent() : handle_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

Win32WakeEvent::~Win32WakeEvent() {
  if (handle_ != nullptr) CloseHandle(handle_);
}

void Win32WakeEvent::Set() {
  SetEvent(handle_);
}

void Win32WakeEvent::Reset() {
  ResetEvent(handle_);
}

void Win32WakeEvent::Wait() {
  WaitForSingleObject(handle_, INFINITE);
}

}  // namespace gm
