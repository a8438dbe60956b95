// The listener's thread on Windows: owns the wake event and the thread that runs the
// Listener's loop. The thread is made suspended and runs only once the mouse is connected;
// it is never ended and lives until the process ends.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "device/device_session.h"
#include "device/listener.h"
#include "platform/hid_system.h"
#include "platform/win32_wake_event.h"

namespace gm {

class ListenerThread {
 public:
  ListenerThread(HidSystem& hid, const DeviceSession& session) : hid_(hid), session_(session) {}
  ~ListenerThread();
  ListenerThread(const ListenerThread&) = delete;
  ListenerThread& operator=(const ListenerThread&) = delete;

  // Makes the manual-reset wake event; false when the system gives none.
  bool CreateWakeEvent();
  // Makes the thread, suspended, whose listener hands each event to send. Needs the wake
  // event. False when the thread could not be made.
  bool CreateSuspended(std::function<void(std::uint8_t, std::uint8_t)> send);
  // Signals the wake event, once it exists: discovery has opened the event interface.
  void Wake();
  // If the thread exists: resumes it for good, however often it was suspended, and wakes it.
  void Resume();
  bool running() const { return running_; }

 private:
  static unsigned long __stdcall ThreadProc(void* self);

  HidSystem& hid_;
  const DeviceSession& session_;
  std::unique_ptr<Win32WakeEvent> wake_;
  std::unique_ptr<Listener> listener_;
  void* thread_ = nullptr;
  bool running_ = false;
};

}  // namespace gm
