#include "platform/c_file.h"

#include <string>

namespace gm {

CFile OpenCFile(const FilePath& path, const char* mode) {
#ifdef _WIN32
  const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return CFile(_wfopen(path.c_str(), wideMode.c_str()));
#else
  return CFile(std::fopen(path.Native().c_str(), mode));
#endif
}

void WriteLineAndFlush(std::FILE* file, std::string_view text) {
  if (file == nullptr) return;
  std::fwrite(text.data(), 1, text.size(), file);
  std::fputc('\n', file);
  std::fflush(file);
}

}  // namespace gm
