// How long a whole Save takes on the virtual mouse with the protocol's real pauses, against
// the sum of those pauses: the ratio shows what the program adds on top of the protocol.
// Usage: save_bench [runs]
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/app_state.h"
#include "device/device_operations.h"
#include "device/virtual_mouse.h"
#include "platform/sleeping_host.h"

namespace {

// Counts the pauses it passes on.
class CountingHost : public gm::SleepingHost {
 public:
  void Pause(std::uint32_t milliseconds) override {
    total += milliseconds;
    SleepingHost::Pause(milliseconds);
  }
  std::uint64_t total = 0;
};

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 3;
  gm::VirtualMouse mouse;
  CountingHost host;
  gm::AppState state;
  state.link.commandHandle =
      mouse.Open(gm::VirtualMouse::kCommandPath, gm::HidOpenMode::CommandAccess);
  state.link.inputReportLength = gm::VirtualMouse::kInputReportLength;
  gm::CommandLink link(mouse, host, state.link);
  for (std::size_t k = 0; k < gm::kDpiStageCount; ++k) state.record.dpiStage(k) = 16;

  double best = 1e9;
  for (int run = 0; run < runs; ++run) {
    host.total = 0;
    const auto start = std::chrono::steady_clock::now();
    gm::RunApplySequence(link, state.device, state.record, gm::KeyTable{});
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    if (took.count() < best) best = took.count();
  }
  std::printf("save: %.1f ms, protocol pauses: %llu ms, ratio %.4f\n", best,
              static_cast<unsigned long long>(host.total), best / static_cast<double>(host.total));
  return 0;
}
