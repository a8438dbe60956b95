#include "app/ui_log.h"

#include <vector>

#include "platform/text_codec.h"

namespace gm {

void UiLog::Open(const std::filesystem::path& file) {
  std::lock_guard<std::mutex> lock(mutex_);
  out_.open(file, std::ios::binary | std::ios::app);
}

void UiLog::Line(const std::wstring& line) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!out_.is_open()) return;
  out_ << ToUtf8(line) << '\n';
  out_.flush();
}

std::string ToUtf8(const std::wstring& text) {
  std::vector<std::uint8_t> bytes;
  AppendUtf8(ToUtf16(text), bytes);
  return {bytes.begin(), bytes.end()};
}

}  // namespace gm
