#include "device/device_worker_win32.h"

#include <utility>

namespace gm {

void WindowDeviceWorker::Run(const DeviceJob& job, Done done) {
  const std::uint64_t id = worker_.Post(job);
  done_[id] = std::move(done);
}

DeviceJobResult WindowDeviceWorker::RunAndWait(const DeviceJob& job) {
  return worker_.PostAndWait(job);
}

void WindowDeviceWorker::OnJobProgress(std::uint64_t, unsigned percent) {
  Queue({Report::Kind::Progress, percent, 0, 0, {}});
}

void WindowDeviceWorker::OnJobDone(const DeviceJobResult& result) {
  Queue({Report::Kind::Done, 100, 0, 0, result});
}

void WindowDeviceWorker::OnMouseEvent(std::uint8_t code, std::uint8_t value) {
  Queue({Report::Kind::MouseEvent, 0, code, value, {}});
}

void WindowDeviceWorker::Queue(Report report) {
  bool first = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    first = reports_.empty();
    reports_.push_back(std::move(report));
  }
  // One message for the reports that come before the window takes them.
  if (first && window_ != nullptr) PostMessageW(window_, message_, 0, 0);
}

void WindowDeviceWorker::TakeReports() {
  for (;;) {
    Report report;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (reports_.empty()) return;
      report = std::move(reports_.front());
      reports_.pop_front();
    }
    if (report.kind == Report::Kind::Progress) {
      if (onProgress) onProgress(report.percent);
      continue;
    }
    if (report.kind == Report::Kind::MouseEvent) {
      if (onMouseEvent) onMouseEvent(report.code, report.value);
      continue;
    }
    const auto it = done_.find(report.result.id);
    if (it == done_.end()) continue;
    Done done = std::move(it->second);
    done_.erase(it);
    if (done) done(report.result);
  }
}

bool WindowDeviceWorker::Settle(std::uint32_t limitMs) {
  const bool idle = worker_.WaitIdle(limitMs);
  TakeReports();
  return idle;
}

}  // namespace gm
