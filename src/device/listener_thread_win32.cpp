#include "device/listener_thread_win32.h"

#include <windows.h>

namespace gm {

ListenerThread::~ListenerThread() {
  // Closing the handle does not end the thread.
  if (thread_ != nullptr) CloseHandle(thread_);
}

bool ListenerThread::CreateWakeEvent() {
  wake_ = std::make_unique<Win32WakeEvent>();
  return wake_->valid();
}

bool ListenerThread::CreateSuspended(std::function<void(std::uint8_t, std::uint8_t)> send) {
  listener_ = std::make_unique<Listener>(hid_, session_, *wake_, std::move(send));
  thread_ = CreateThread(nullptr, 0, &ListenerThread::ThreadProc, this, CREATE_SUSPENDED, nullptr);
  return thread_ != nullptr;
}

unsigned long __stdcall ListenerThread::ThreadProc(void* self) {
  static_cast<ListenerThread*>(self)->listener_->Run();
}

void ListenerThread::Wake() {
  if (wake_) wake_->Set();
}

void ListenerThread::Resume() {
  if (thread_ == nullptr) return;
  running_ =
      ResumeUntilRunning([this] { return static_cast<std::uint32_t>(ResumeThread(thread_)); });
  if (!running_) return;
  // Discovery wakes the listener when it opens the event interface, before ConnectedFlag is
  // set; a listener that looked in between would wait for good. Wake it once more now.
  Wake();
}

}  // namespace gm
