#include "cli/text_streams.h"

#include <algorithm>

namespace gm::cli {

std::optional<std::vector<std::uint8_t>> InText::Read(std::size_t maxBytes) {
  std::vector<std::uint8_t> bytes;
  if (file_ == nullptr) {
    const std::size_t taken = std::min(text_.size(), maxBytes + 1);
    bytes.assign(text_.begin(), text_.begin() + static_cast<std::ptrdiff_t>(taken));
    return bytes;
  }
  std::uint8_t buffer[4096];
  while (bytes.size() <= maxBytes) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, file_);
    bytes.insert(bytes.end(), buffer, buffer + got);
    if (got < sizeof buffer) break;
  }
  if (std::ferror(file_) != 0) return std::nullopt;
  return bytes;
}

}  // namespace gm::cli
