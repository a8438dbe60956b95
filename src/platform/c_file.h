// Files through the C library's streams: what the program needs of file I/O without the C++
// stream library, whose locale machinery would be most of the program's size.
#pragma once

#include <cstdio>
#include <memory>
#include <string_view>

#include "platform/file_path.h"

namespace gm {

struct CFileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using CFile = std::unique_ptr<std::FILE, CFileCloser>;

// Opens `path` with a C mode such as "rb", "r+b", "wb" or "ab" (wide paths on Windows); empty
// when it cannot be opened, with errno set by the library.
CFile OpenCFile(const FilePath& path, const char* mode);

// Writes `text` and a line end, then flushes so that a reader sees the line at once.
void WriteLineAndFlush(std::FILE* file, std::string_view text);

}  // namespace gm
