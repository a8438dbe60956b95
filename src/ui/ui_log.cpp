#include "ui/ui_log.h"

namespace gm {

void UiLog::Open(const FilePath& file) {
  std::lock_guard<std::mutex> lock(mutex_);
  out_ = OpenCFile(file, "ab");
}

void UiLog::Line(const std::wstring& line) {
  std::lock_guard<std::mutex> lock(mutex_);
  WriteLineAndFlush(out_.get(), ToUtf8(line));
}

}  // namespace gm
