// Timing helper shared by the benchmarks.
#pragma once

#include <chrono>
#include <functional>

namespace gm::bench {

// The fastest of `runs` runs of work, in milliseconds.
inline double BestMs(int runs, const std::function<void()>& work) {
  double best = 1e9;
  for (int run = 0; run < runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    if (took.count() < best) best = took.count();
  }
  return best;
}

}  // namespace gm::bench
