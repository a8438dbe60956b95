// A manual-reset event: the listener thread waits on it; a finished read of the event
// interface or a successful discovery signals it.
#pragma once

#include <condition_variable>
#include <mutex>

namespace gm {

class WakeEvent {
 public:
  virtual ~WakeEvent() = default;
  virtual void Set() = 0;
  virtual void Reset() = 0;
  // Waits without time-out until the event is set.
  virtual void Wait() = 0;
  // The platform's own event object, for overlapped reads (Win32 HANDLE); null elsewhere.
  virtual void* NativeHandle() { return nullptr; }
};

class PortableWakeEvent : public WakeEvent {
 public:
  void Set() override {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      set_ = true;
    }
    changed_.notify_all();
  }
  void Reset() override {
    std::lock_guard<std::mutex> lock(mutex_);
    set_ = false;
  }
  void Wait() override {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return set_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool set_ = false;
};

}  // namespace gm
