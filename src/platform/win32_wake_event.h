// WakeEvent over a Win32 manual-reset event, so that overlapped reads can signal it.
#pragma once

#include "platform/wake_event.h"

namespace gm {

class Win32WakeEvent : public WakeEvent {
 public:
  Win32WakeEvent();  // manual reset, not signalled
  ~Win32WakeEvent() override;
  Win32WakeEvent(const Win32WakeEvent&) = delete;
  Win32WakeEvent& operator=(const Win32WakeEvent&) = delete;

  bool valid() const { return handle_ != nullptr; }
  void Set() override;
  void Reset() override;
  void Wait() override;
  void* NativeHandle() override { return handle_; }

 private:
  void* handle_;
};

}  // namespace gm
