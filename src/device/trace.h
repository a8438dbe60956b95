// The trace of what crosses the command interface: one line per report or pause, lower-case
// hex bytes separated by blanks, report id first ("set-feature 00 82 ... 7d", "pause 100").
#pragma once

#include <cstdint>
#include <mutex>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace gm {

std::string HexBytes(std::span<const std::uint8_t> bytes);

class Trace {
 public:
  explicit Trace(std::ostream& out) : out_(out) {}

  void Report(std::string_view kind, std::span<const std::uint8_t> bytes);
  void Pause(std::uint32_t milliseconds);
  void Line(std::string_view line);

 private:
  std::ostream& out_;
  std::mutex mutex_;  // the listener thread and the window thread may both trace
};

}  // namespace gm
