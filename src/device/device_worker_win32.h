// The device worker as a window uses it: the worker's reports cross to the window's thread
// as one posted message, and the window takes them there in the order they came. The ends of
// the jobs (their done steps) and the progress run on the window's thread only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>

#include "device/device_worker.h"

namespace gm {

class WindowDeviceWorker : public DeviceJobRunner, private DeviceJobReports {
 public:
  // message: the window's message that says reports are waiting (no parameters).
  WindowDeviceWorker(HidSystem& hid, Host& host, const LinkState& link, UINT message)
      : message_(message), worker_(hid, host, link, *this) {}

  // The window the reports go to; none are posted before it is set.
  void SetWindow(HWND window) { window_ = window; }

  // DeviceJobRunner
  void Run(const DeviceJob& job, Done done) override;
  DeviceJobResult RunAndWait(const DeviceJob& job) override;
  bool busy() const override { return !done_.empty(); }

  // The message: every report waiting, progress to onProgress and ends to their done steps.
  void TakeReports();
  // The mouse went away: the running job ends at its next report, the queued ones at once.
  void EndJobs() { worker_.EndJobs(); }
  // Waits (at most limitMs) until every job has ended, then takes their reports; false when
  // the limit passed first.
  bool Settle(std::uint32_t limitMs);

  // Progress of the job running (percent).
  std::function<void(unsigned)> onProgress;

 private:
  struct Report {
    bool done;
    unsigned percent;
    DeviceJobResult result;
  };
  void OnJobProgress(std::uint64_t id, unsigned percent) override;
  void OnJobDone(const DeviceJobResult& result) override;
  void Queue(Report report);

  UINT message_;
  HWND window_ = nullptr;
  std::mutex mutex_;
  std::deque<Report> reports_;          // filled by the worker, taken by the window
  std::map<std::uint64_t, Done> done_;  // window thread only
  DeviceWorker worker_;                 // last: its thread stops before the rest goes
};

}  // namespace gm
