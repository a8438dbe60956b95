#include "device/trace.h"

#include "platform/c_file.h"

namespace gm {

std::string HexBytes(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(bytes.size() * 3);
  for (std::uint8_t byte : bytes) {
    if (!text.empty()) text += ' ';
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

Trace::Trace(std::FILE* file)
    : sink_([file](std::string_view line) { WriteLineAndFlush(file, line); }) {}

void Trace::Report(std::string_view kind, std::span<const std::uint8_t> bytes) {
  Line(std::string(kind) + ' ' + HexBytes(bytes));
}

void Trace::Pause(std::uint32_t milliseconds) {
  Line("pause " + std::to_string(milliseconds));
}

void Trace::Line(std::string_view line) {
  std::lock_guard<std::mutex> lock(mutex_);
  sink_(line);
}

}  // namespace gm
