// How long the window's thread is kept from its messages during a Save, and how long the Save
// takes against the protocol's pauses: a window thread like the main window's, a thread that
// posts it a stamped message every 5 ms, and a whole Save (virtual mouse with the protocol's
// real pauses, the configuration files beside a program in a scratch folder) run once on the
// window's own thread ("in place") and once on the device worker. The same pings with nothing
// running first give the machine's own noise.
// Usage: save_latency_bench [runs]
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <thread>

#include "app/app_state.h"
#include "config/apply_flows.h"
#include "config/config_files.h"
#include "config/factory_files.h"
#include "device/device_worker_win32.h"
#include "device/discovery.h"
#include "device/virtual_mouse.h"
#include "platform/portable_ini_file.h"
#include "platform/sleeping_host.h"

namespace {

constexpr UINT kMsgPing = WM_APP + 10;  // wParam: the posting time in microseconds
constexpr UINT kMsgSave = WM_APP + 11;
constexpr UINT kMsgReports = WM_APP + 12;

class CountingHost : public gm::SleepingHost {
 public:
  void Pause(std::uint32_t milliseconds) override {
    total += milliseconds;
    SleepingHost::Pause(milliseconds);
  }
  std::atomic<std::uint64_t> total{0};
};

class NoWindow : public gm::ActionWindow {
 public:
  void HideMainWindow() override {}
  void ShowResetLayout() override {}
};

std::uint64_t NowUs() {
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(
                                        std::chrono::steady_clock::now().time_since_epoch())
                                        .count());
}

struct Bench {
  gm::SaveFlows* flows = nullptr;
  gm::WindowDeviceWorker* worker = nullptr;
  bool measuring = false;
  bool done = false;
  std::uint64_t worstUs = 0;
};
Bench* g_bench = nullptr;

LRESULT CALLBACK BenchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kMsgPing:
      if (g_bench->measuring) {
        g_bench->worstUs = std::max<std::uint64_t>(g_bench->worstUs, NowUs() - wParam);
      }
      return 0;
    case kMsgSave:
      g_bench->flows->ApplyAction();
      return 0;
    case kMsgReports:
      g_bench->worker->TakeReports();
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

std::filesystem::path ScratchFolder() {
  std::random_device random;
  std::filesystem::path folder;
  do {
    folder =
        std::filesystem::temp_directory_path() / ("gm-save-latency-" + std::to_string(random()));
  } while (!std::filesystem::create_directory(folder));
  return folder;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 3;
  const std::filesystem::path folder = ScratchFolder();
  gm::PortableIniFile ini;
  if (!gm::WriteFactoryFiles(folder, ini).empty()) {
    std::fprintf(stderr, "save_latency_bench: cannot write the factory files\n");
    return 1;
  }
  gm::VirtualMouse mouse;
  CountingHost host;
  auto state = std::make_unique<gm::AppState>();
  state->programPath = folder / "QL-GM900.exe";
  gm::ConfigurationFiles files(*state, ini, host);
  gm::ConfigurationFilesSteps steps(files);
  gm::RecordingDesktopSettings desktop;
  NoWindow window;
  if (!gm::Discover(mouse, *state)) return 1;
  state->connectedFlag = 1;
  files.LoadConfiguration();
  files.LoadCaptions();

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = BenchProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"GmSaveLatencyBench";
  RegisterClassW(&windowClass);
  HWND hwnd = CreateWindowW(windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            windowClass.hInstance, nullptr);
  if (hwnd == nullptr) return 1;

  gm::SaveFlows flows(*state, *state, host, mouse, desktop, steps, window);
  gm::WindowDeviceWorker worker(mouse, host, state->link, kMsgReports);
  worker.SetWindow(hwnd);
  Bench bench;
  bench.flows = &flows;
  bench.worker = &worker;
  g_bench = &bench;
  flows.onApplyEnd = [&](const gm::DeviceJobResult&) { bench.done = true; };

  std::atomic<bool> pinging{true};
  std::thread pinger([&] {
    while (pinging) {
      PostMessageW(hwnd, kMsgPing, static_cast<WPARAM>(NowUs()), 0);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  });

  // The machine's own noise: the same pings for as long as a Save, with nothing running.
  {
    bench.worstUs = 0;
    bench.measuring = true;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(4700);
    MSG message;
    while (std::chrono::steady_clock::now() < until) {
      if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT) == WAIT_OBJECT_0) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
      }
    }
    bench.measuring = false;
    std::printf("idle: window waited at most %.1f ms\n",
                static_cast<double>(bench.worstUs) / 1000.0);
  }

  for (const bool onWorker : {false, true}) {
    if (onWorker) flows.RunJobsOn(worker);
    double bestWall = 1e12;
    std::uint64_t worstBlocked = 0;
    for (int run = 0; run < runs; ++run) {
      flows.OnTimer(gm::kSaveBusyTimer);
      host.total = 0;
      bench.done = false;
      bench.worstUs = 0;
      bench.measuring = true;
      const auto start = std::chrono::steady_clock::now();
      PostMessageW(hwnd, kMsgSave, 0, 0);
      MSG message;
      while (!bench.done && GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
      }
      const std::chrono::duration<double, std::milli> wall =
          std::chrono::steady_clock::now() - start;
      // The pings queued during an in-place Save are taken after it: their wait counts.
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
      bench.measuring = false;
      bestWall = std::min(bestWall, wall.count());
      worstBlocked = std::max(worstBlocked, bench.worstUs);
    }
    std::printf(
        "%s: window blocked at most %.1f ms; save %.1f ms, protocol pauses %llu ms, "
        "ratio %.4f\n",
        onWorker ? "device worker" : "in place", static_cast<double>(worstBlocked) / 1000.0,
        bestWall, static_cast<unsigned long long>(host.total.load()),
        bestWall / static_cast<double>(host.total.load()));
  }
  pinging = false;
  pinger.join();
  DestroyWindow(hwnd);
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return 0;
}
