#include "device/device_worker.h"

#include <algorithm>
#include <chrono>

#include "device/device_operations.h"

namespace gm {

DeviceJobResult RunDeviceJob(const DeviceJob& job, CommandLink& link,
                             const std::function<void(unsigned)>& progress,
                             const std::function<bool()>& proceed) {
  DeviceJobResult result;
  result.kind = job.kind;
  result.image = job.image;
  std::size_t reports = 0;
  unsigned shown = 0;
  link.Watch([&]() -> bool {
    if (proceed && !proceed()) return false;
    // Progress counts the reports that went out before this one.
    if (job.kind == DeviceJobKind::Apply && progress && reports > 0) {
      const auto percent =
          static_cast<unsigned>(std::min<std::size_t>(99, reports * 100 / kApplyReportCount));
      if (percent != shown) progress(shown = percent);
    }
    ++reports;
    return true;
  });
  switch (job.kind) {
    case DeviceJobKind::Connect:
      RunConnectSequence(link, result.image);
      break;
    case DeviceJobKind::Apply:
      RunApplySequence(link, result.image);
      break;
    case DeviceJobKind::ReadBack:
      RunReadBackSequence(link, result.image);
      break;
  }
  link.Watch({});
  result.ended = link.ended();
  if (progress && !result.ended && job.kind == DeviceJobKind::Apply) progress(100);
  return result;
}

DeviceJobResult RunLockedDeviceJob(const DeviceJob& job, CommandLink& link, MouseLock* lock,
                                   const std::function<void(unsigned)>& progress,
                                   const std::function<bool()>& proceed) {
  if (lock == nullptr) return RunDeviceJob(job, link, progress, proceed);
  DeviceJobResult unstarted;
  unstarted.kind = job.kind;
  unstarted.image = job.image;
  unstarted.ended = true;
  // Waited for in slices, so that a job ended meanwhile (the mouse went away) stops waiting.
  constexpr std::uint32_t kSliceMs = 100;
  bool held = false;
  for (std::uint32_t waited = 0; !held && waited < kMouseLockWaitMs; waited += kSliceMs) {
    held = lock->Acquire(kSliceMs);
    if (!held && proceed && !proceed()) return unstarted;
  }
  if (!held) {
    unstarted.busy = true;
    return unstarted;
  }
  DeviceJobResult result = RunDeviceJob(job, link, progress, proceed);
  lock->Release();
  return result;
}

void InPlaceJobRunner::Run(const DeviceJob& job, Done done) {
  const DeviceJobResult result = RunAndWait(job);
  if (done) done(result);
}

DeviceJobResult InPlaceJobRunner::RunAndWait(const DeviceJob& job) {
  CommandLink link(hid_, host_, link_);
  return RunLockedDeviceJob(job, link, lock_);
}

DeviceWorker::~DeviceWorker() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
    queue_.clear();
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

std::uint64_t DeviceWorker::Enqueue(const DeviceJob& job, bool waited,
                                    std::unique_lock<std::mutex>&) {
  const std::uint64_t id = nextId_++;
  queue_.push_back({id, job, waited});
  if (!thread_.joinable()) thread_ = std::thread([this] { Loop(); });
  changed_.notify_all();
  return id;
}

std::uint64_t DeviceWorker::Post(const DeviceJob& job) {
  std::unique_lock<std::mutex> lock(mutex_);
  return Enqueue(job, false, lock);
}

DeviceJobResult DeviceWorker::PostAndWait(const DeviceJob& job) {
  std::unique_lock<std::mutex> lock(mutex_);
  const std::uint64_t id = Enqueue(job, true, lock);
  changed_.wait(lock, [&] { return waitedResult_ && waitedResult_->id == id; });
  DeviceJobResult result = *waitedResult_;
  waitedResult_.reset();
  return result;
}

void DeviceWorker::EndJobs() {
  std::lock_guard<std::mutex> lock(mutex_);
  endBelow_ = nextId_;
}

bool DeviceWorker::WaitIdle(std::uint32_t limitMs) {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, std::chrono::milliseconds(limitMs),
                           [&] { return queue_.empty() && running_ == 0; });
}

bool DeviceWorker::idle() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return queue_.empty() && running_ == 0;
}

void DeviceWorker::Loop() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [&] { return quit_ || !queue_.empty(); });
    if (quit_) return;
    const Queued next = queue_.front();
    queue_.pop_front();
    running_ = next.id;
    lock.unlock();

    const std::uint64_t id = next.id;
    const auto proceed = [&] {
      std::lock_guard<std::mutex> check(mutex_);
      return id >= endBelow_;
    };
    const auto progress = [&](unsigned percent) {
      if (!next.waited) reports_.OnJobProgress(id, percent);
    };
    CommandLink link(hid_, host_, link_);
    DeviceJobResult result = RunLockedDeviceJob(next.job, link, lock_, progress, proceed);
    result.id = id;
    if (!next.waited) reports_.OnJobDone(result);

    lock.lock();
    running_ = 0;
    if (next.waited) waitedResult_ = result;
    changed_.notify_all();
  }
}

}  // namespace gm
