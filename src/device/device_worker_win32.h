// The device worker as a window uses it: the worker's reports cross to the window's thread
// as one posted message, and the window takes them there in the order they came. The ends of
// the jobs (their done steps) and the progress run on the window's thread only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

#include "device/device_worker.h"

namespace gm {

class WindowDeviceWorker : public DeviceJobRunner, public DeviceJobReports {
 public:
  // message: the window's message that says reports are waiting (no parameters). Every job
  // runs under the system's lock of the mouse, so that gm900ctl never interleaves with it.
  WindowDeviceWorker(HidSystem& hid, Host& host, const LinkState& link, UINT message)
      : message_(message),
        lock_(OpenSystemMouseLock()),
        worker_(hid, host, link, *this, lock_.get()) {}

  // The window the reports go to; none are posted before it is set.
  void SetWindow(HWND window) { window_ = window; }

  // DeviceJobRunner
  void Run(const DeviceJob& job, Done done) override;
  DeviceJobResult RunAndWait(const DeviceJob& job) override;
  bool busy() const override { return !done_.empty(); }

  // The message: every report waiting, progress to onProgress, the mouse's events to
  // onMouseEvent and job ends to their done steps.
  void TakeReports();
  // The mouse went away: the running job ends at its next report, the queued ones at once.
  void EndJobs() { worker_.EndJobs(); }
  // Waits (at most limitMs) until every job has ended, then takes their reports; false when
  // the limit passed first.
  bool Settle(std::uint32_t limitMs);

  // Progress of the job running (percent).
  std::function<void(unsigned)> onProgress;
  // An event of the mouse, after every job end reported before it.
  std::function<void(std::uint8_t, std::uint8_t)> onMouseEvent;

  // DeviceJobReports: from the worker's and the listener's threads.
  void OnMouseEvent(std::uint8_t code, std::uint8_t value) override;

 private:
  struct Report {
    enum class Kind { Progress, Done, MouseEvent } kind;
    unsigned percent;          // Progress
    std::uint8_t code, value;  // MouseEvent
    DeviceJobResult result;    // Done
  };
  void OnJobProgress(std::uint64_t id, unsigned percent) override;
  void OnJobDone(const DeviceJobResult& result) override;
  void Queue(Report report);

  UINT message_;
  HWND window_ = nullptr;
  std::mutex mutex_;
  std::deque<Report> reports_;          // filled by the worker, taken by the window
  std::map<std::uint64_t, Done> done_;  // window thread only
  std::unique_ptr<MouseLock> lock_;     // the worker's thread takes it around each job
  DeviceWorker worker_;                 // last: its thread stops before the rest goes
};

}  // namespace gm
