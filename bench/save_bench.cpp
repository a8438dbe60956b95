// How long a whole Save takes on the virtual mouse with the protocol's real pauses: the device
// part, then the configuration file and the captions written beside a program in a scratch
// folder that holds the factory files. Measured against the sum of the protocol's pauses: the
// ratio shows what the program adds on top of the protocol.
// Usage: save_bench [runs]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "app/app_state.h"
#include "config/apply_flows.h"
#include "config/config_files.h"
#include "config/factory_files.h"
#include "device/discovery.h"
#include "device/virtual_mouse.h"
#include "platform/portable_ini_file.h"
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

std::filesystem::path ScratchFolder() {
  std::random_device random;
  std::filesystem::path folder;
  do {
    folder = std::filesystem::temp_directory_path() / ("gm-save-bench-" + std::to_string(random()));
  } while (!std::filesystem::create_directory(folder));
  return folder;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  const std::filesystem::path folder = ScratchFolder();
  gm::PortableIniFile ini;
  if (!gm::WriteFactoryFiles(folder, ini).empty()) {
    std::fprintf(stderr, "save_bench: cannot write the factory files\n");
    return 1;
  }

  gm::VirtualMouse mouse;
  CountingHost host;
  auto state = std::make_unique<gm::AppState>();
  state->programPath = folder / "QL-GM900.exe";
  gm::ConfigurationFiles files(*state, ini, host);
  gm::ConfigurationFilesSteps steps(files);
  if (!gm::Discover(mouse, *state)) return 1;
  files.LoadConfiguration();
  files.LoadCaptions();
  gm::CommandLink link(mouse, host, state->link);

  double bestSave = 1e9;
  double bestFiles = 1e9;
  for (int run = 0; run < runs; ++run) {
    host.total = 0;
    const auto start = std::chrono::steady_clock::now();
    gm::ApplyToDevice(link, *state, steps);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    bestSave = std::min(bestSave, took.count());

    const auto filesStart = std::chrono::steady_clock::now();
    steps.SaveConfiguration();
    steps.SaveCaptions();
    const std::chrono::duration<double, std::milli> filesTook =
        std::chrono::steady_clock::now() - filesStart;
    bestFiles = std::min(bestFiles, filesTook.count());
  }
  std::printf("save: %.1f ms, protocol pauses: %llu ms, ratio %.4f (files alone: %.2f ms)\n",
              bestSave, static_cast<unsigned long long>(host.total),
              bestSave / static_cast<double>(host.total), bestFiles);

  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return 0;
}
