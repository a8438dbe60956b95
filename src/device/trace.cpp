#include "device/trace.h"

#include "platform/c_file.h"

namespace gm {

std::string HexBytes(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  // Written in place: a Save's dumps run to thousands of bytes.
  std::string text(bytes.empty() ? 0 : bytes.size() * 3 - 1, ' ');
  char* at = text.data();
  for (const std::uint8_t byte : bytes) {
    at[0] = kDigits[byte >> 4];
    at[1] = kDigits[byte & 0x0F];
    at += 3;
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
