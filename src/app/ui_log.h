// An optional log of what the program hands to the shell (icon, balloons, window shown or
// hidden), one UTF-8 line each, so that end-to-end tests can read what a user would see.
#pragma once

#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>

namespace gm {

class UiLog {
 public:
  UiLog() = default;
  explicit UiLog(const std::filesystem::path& file) { Open(file); }

  void Open(const std::filesystem::path& file);
  bool enabled() const { return out_.is_open(); }
  void Line(const std::wstring& line);

 private:
  std::mutex mutex_;
  std::ofstream out_;
};

// UTF-16 (or UTF-32 wchar_t) text to UTF-8.
std::string ToUtf8(const std::wstring& text);

}  // namespace gm
