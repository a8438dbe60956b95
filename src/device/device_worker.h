// The one owner of the mouse's command interface while the program runs: a thread that runs
// every command sequence (connect, apply a finished device image, read the settings block
// back) as a job, one at a time and in the order given. Callers hand it a copy of what to send
// and get progress and the end back through one reporting interface, so no caller ever waits
// for the protocol's pauses and no two sequences interleave.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "device/command_link.h"
#include "device/device_config.h"
#include "device/link_state.h"
#include "platform/hid_system.h"
#include "platform/host.h"
#include "platform/mouse_lock.h"

namespace gm {

enum class DeviceJobKind : std::uint8_t {
  Connect,   // zero the image, read the current profile, send the connect argument
  Apply,     // send a finished image: the device part of a Save
  ReadBack,  // current profile, then settings block 0
};

struct DeviceJob {
  DeviceJobKind kind = DeviceJobKind::Apply;
  DeviceConfig image;  // Apply: sent as it is; ReadBack: read over it
};

struct DeviceJobResult {
  std::uint64_t id = 0;
  DeviceJobKind kind = DeviceJobKind::Apply;
  // The job ended before its last report (the mouse went away) or never started.
  bool ended = false;
  // It never started: another program held the mouse's lock longer than kMouseLockWaitMs.
  bool busy = false;
  // Connect, ReadBack: the image with what was read (profile, settings block 0).
  DeviceConfig image;
};

// What the mouse side reports: the worker's progress and job ends (on the worker's thread) and
// the mouse's own events (on the listener's thread). The receiver hands them to its own thread
// in the order they came.
class DeviceJobReports {
 public:
  virtual ~DeviceJobReports() = default;
  // An event report of the mouse (code, value).
  virtual void OnMouseEvent(std::uint8_t code, std::uint8_t value) = 0;
  // percent: 0-100, of the job's reports that went out; reported when it changes.
  virtual void OnJobProgress(std::uint64_t id, unsigned percent) = 0;
  virtual void OnJobDone(const DeviceJobResult& result) = 0;
};

// Runs one job on the calling thread. progress(percent) after each report when it changes;
// proceed() before each report, false ends the job there.
DeviceJobResult RunDeviceJob(const DeviceJob& job, CommandLink& link,
                             const std::function<void(unsigned)>& progress = {},
                             const std::function<bool()>& proceed = {});

// RunDeviceJob under the mouse's lock (none: no lock), held for the whole job. A lock not had
// within kMouseLockWaitMs ends the job unstarted as busy; proceed() false while waiting ends
// it unstarted.
DeviceJobResult RunLockedDeviceJob(const DeviceJob& job, CommandLink& link, MouseLock* lock,
                                   const std::function<void(unsigned)>& progress = {},
                                   const std::function<bool()>& proceed = {});

// Where the flows' jobs run. The program's is the worker; tests and tools run jobs in place.
class DeviceJobRunner {
 public:
  virtual ~DeviceJobRunner() = default;
  using Done = std::function<void(const DeviceJobResult&)>;
  // Queues the job; done runs on the caller's thread after the job's end (at once, in place).
  virtual void Run(const DeviceJob& job, Done done) = 0;
  // Runs the job after those queued and waits for its end: for short sequences whose result
  // the caller needs before it goes on (connect).
  virtual DeviceJobResult RunAndWait(const DeviceJob& job) = 0;
  // True while a job of Run has not reported its end.
  virtual bool busy() const = 0;
};

// Runs every job at once on the calling thread, under the lock when one is given.
class InPlaceJobRunner : public DeviceJobRunner {
 public:
  InPlaceJobRunner(HidSystem& hid, Host& host, const LinkState& link, MouseLock* lock = nullptr)
      : hid_(hid), host_(host), link_(link), lock_(lock) {}
  void Run(const DeviceJob& job, Done done) override;
  DeviceJobResult RunAndWait(const DeviceJob& job) override;
  bool busy() const override { return false; }

 private:
  HidSystem& hid_;
  Host& host_;
  const LinkState& link_;
  MouseLock* lock_;
};

class DeviceWorker {
 public:
  // The thread starts with the first job. reports and the lock must outlive the worker; each
  // job runs under the lock (none: no lock).
  DeviceWorker(HidSystem& hid, Host& host, const LinkState& link, DeviceJobReports& reports,
               MouseLock* lock = nullptr)
      : hid_(hid), host_(host), link_(link), reports_(reports), lock_(lock) {}
  // Lets the running job end (it is not cut short) and drops the queued ones unreported.
  ~DeviceWorker();
  DeviceWorker(const DeviceWorker&) = delete;
  DeviceWorker& operator=(const DeviceWorker&) = delete;

  // Queues a job; returns its id (from 1), which its reports carry.
  std::uint64_t Post(const DeviceJob& job);
  // Queues a job and waits for its result, which is not reported.
  DeviceJobResult PostAndWait(const DeviceJob& job);
  // The mouse went away: the running job ends at its next report, the queued ones end without
  // starting; each is reported as ended.
  void EndJobs();
  // Waits until no job is running or queued; false when the limit passed first.
  bool WaitIdle(std::uint32_t limitMs);
  bool idle() const;

 private:
  struct Queued {
    std::uint64_t id;
    DeviceJob job;
    bool waited;  // PostAndWait: the result goes to waitedResult_, not to the reports
  };
  std::uint64_t Enqueue(const DeviceJob& job, bool waited, std::unique_lock<std::mutex>& lock);
  void Loop();

  HidSystem& hid_;
  Host& host_;
  const LinkState& link_;
  DeviceJobReports& reports_;
  MouseLock* lock_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Queued> queue_;
  std::uint64_t nextId_ = 1;
  std::uint64_t running_ = 0;   // id of the running job, 0 when none
  std::uint64_t endBelow_ = 0;  // jobs with a smaller id end at their next report
  bool quit_ = false;
  std::optional<DeviceJobResult> waitedResult_;
  std::thread thread_;
};

}  // namespace gm
