// The control channel of the virtual mouse: a text file that a test or a user appends lines
// to while the program runs. Each complete line is one command:
//   dpi N          the mouse switched to DPI stage N        (event report 06 07 01 N)
//   macro N        the mouse switched to macro key N        (event report 06 07 09 N)
//   event C V      any event code and value                 (event report 06 07 C V)
//   report B...    a raw event report, hex bytes             (for reports that are not 06 07)
//   unplug, plug   the mouse is pulled out / plugged in again
// Numbers are decimal, or hex with 0x. Unknown or malformed lines are ignored.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_path.h"

namespace gm {

struct VirtualMouseCommand {
  enum class Kind { EventReport, Unplug, Plug };
  Kind kind = Kind::EventReport;
  std::vector<std::uint8_t> report;  // for EventReport
};

std::optional<VirtualMouseCommand> ParseVirtualMouseCommand(std::string_view line);

// Reads the lines appended to a file since the last call. A line is only taken once it ends
// with a newline, so a writer caught mid-line is read on the next call.
class ControlFileReader {
 public:
  explicit ControlFileReader(FilePath file) : file_(std::move(file)) {}
  std::vector<std::string> TakeNewLines();

 private:
  FilePath file_;
  std::uintmax_t offset_ = 0;
  std::string pending_;
};

}  // namespace gm
