// An optional log of what the program hands to the shell (icon, balloons, window shown or
// hidden), one UTF-8 line each, so that end-to-end tests can read what a user would see.
#pragma once

#include <mutex>
#include <string>

#include "platform/c_file.h"
#include "platform/file_path.h"
#include "platform/text_codec.h"

namespace gm {

class UiLog {
 public:
  UiLog() = default;
  explicit UiLog(const FilePath& file) { Open(file); }

  void Open(const FilePath& file);
  bool enabled() const { return out_ != nullptr; }
  void Line(const std::wstring& line);

 private:
  std::mutex mutex_;
  CFile out_;
};

}  // namespace gm
