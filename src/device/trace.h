// The trace of what crosses the command interface: one line per report or pause, lower-case
// hex bytes separated by blanks, report id first ("set-feature 00 82 ... 7d", "pause 100").
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <string_view>

namespace gm {

std::string HexBytes(std::span<const std::uint8_t> bytes);

class Trace {
 public:
  // Each line goes to `sink` without its line end.
  explicit Trace(std::function<void(std::string_view)> sink) : sink_(std::move(sink)) {}
  // Lines to a C stream, flushed as they come: scripts read the trace while the program runs.
  explicit Trace(std::FILE* file);
  // Lines to a C++ output stream (the command-line tool, tests).
  template <typename Stream>
  requires requires(Stream& out, std::string_view line) { out << line << '\n'; }
  explicit Trace(Stream& out)
      : sink_([&out](std::string_view line) { (out << line << '\n').flush(); }) {}

  void Report(std::string_view kind, std::span<const std::uint8_t> bytes);
  void Pause(std::uint32_t milliseconds);
  void Line(std::string_view line);

 private:
  std::function<void(std::string_view)> sink_;
  std::mutex mutex_;  // the listener thread and the window thread may both trace
};

}  // namespace gm
