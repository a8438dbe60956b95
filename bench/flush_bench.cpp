// What flushing costs a Save's files: the configuration file and the captions written as one
// pair (each through a flushed temporary, then the folder flushed) beside a program in a scratch
// folder that holds the factory files, timed whole and in its flushes. The flushes are timed
// through the replace's step hook: from the hook before a flush to the hook of the step after it.
// Set against the 4612 ms of pauses the protocol itself takes at every Save.
// Usage: flush_bench [runs] [folder]   (the folder decides the file system: /tmp may be tmpfs)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "config/config_files.h"
#include "config/factory_files.h"
#include "platform/file_replace.h"
#include "platform/portable_ini_file.h"
#include "platform/sleeping_host.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration time) {
  return std::chrono::duration<double, std::milli>(time).count();
}

std::filesystem::path ScratchFolder(const std::filesystem::path& base) {
  std::random_device random;
  std::filesystem::path folder;
  do {
    folder = base / ("gm-flush-bench-" + std::to_string(random()));
  } while (!std::filesystem::create_directory(folder));
  return folder;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
  const std::filesystem::path base =
      argc > 2 ? std::filesystem::path(argv[2]) : std::filesystem::temp_directory_path();
  const std::filesystem::path folder = ScratchFolder(base);
  gm::PortableIniFile ini;
  if (!gm::WriteFactoryFiles(folder, ini).empty()) {
    std::fprintf(stderr, "flush_bench: cannot write the factory files\n");
    return 1;
  }
  gm::SleepingHost host;
  auto state = std::make_unique<gm::AppState>();
  state->programPath = folder / "QL-GM900.exe";
  gm::ConfigurationFiles files(*state, ini, host);
  files.LoadConfiguration();
  files.LoadCaptions();

  // The flushes' time: a flush step runs from its hook call to the next one (or to the end).
  Clock::duration flushing{};
  bool inFlush = false;
  Clock::time_point flushStart;
  gm::SetFileStepFault([&](gm::FileStep step) {
    const Clock::time_point now = Clock::now();
    if (inFlush) flushing += now - flushStart;
    inFlush = step == gm::FileStep::kFlush || step == gm::FileStep::kFolderFlush;
    flushStart = now;
    return false;
  });
  std::vector<double> saves;
  Clock::duration total{};
  for (int run = 0; run < runs; ++run) {
    state->record.at(3) = static_cast<std::uint8_t>(run);  // every Save changes the file
    state->labels[0] = L"Caption " + std::to_wstring(run);
    const Clock::time_point start = Clock::now();
    files.SaveConfigurationAndCaptions();
    const Clock::time_point end = Clock::now();
    if (inFlush) flushing += end - flushStart;
    inFlush = false;
    saves.push_back(Milliseconds(end - start));
    total += end - start;
  }
  gm::SetFileStepFault({});
  std::sort(saves.begin(), saves.end());
  const double mean = Milliseconds(total) / runs;
  const double flushMean = Milliseconds(flushing) / runs;
  std::printf("a Save's files, %d runs in %s\n", runs, folder.parent_path().string().c_str());
  std::printf("  whole: mean %.3f ms, median %.3f ms, slowest %.3f ms\n", mean,
              saves[saves.size() / 2], saves.back());
  std::printf("  of which flushing: mean %.3f ms (%.0f%% of the files' time)\n", flushMean,
              mean > 0 ? 100.0 * flushMean / mean : 0.0);
  std::printf("  against the protocol's 4612 ms of pauses: %.3f%%\n", 100.0 * mean / 4612.0);
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return 0;
}
