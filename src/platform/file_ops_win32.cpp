#include <windows.h>

#include "platform/file_ops.h"

namespace gm {

std::optional<FileFacts> LookAtFile(const std::filesystem::path& path) {
  WIN32_FILE_ATTRIBUTE_DATA facts{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &facts)) {
    // A device or a pipe has no attributes to give (Wine's "/dev/null" or a FIFO of its Unix
    // side), but is there all the same: opened without access, which reads and waits for
    // nothing, it is something other than a file.
    HANDLE handle =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
    CloseHandle(handle);
    return FileFacts{false, 0};
  }
  const bool regular =
      (facts.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
  const std::uintmax_t size =
      (static_cast<std::uintmax_t>(facts.nFileSizeHigh) << 32) | facts.nFileSizeLow;
  return FileFacts{regular, regular ? size : 0u};
}

bool RemoveFile(const std::filesystem::path& path) {
  return DeleteFileW(path.c_str()) != FALSE;
}

std::error_code MoveFileOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return {};
  }
  return {static_cast<int>(GetLastError()), std::system_category()};
}

std::filesystem::path AbsolutePath(const std::filesystem::path& path) {
  if (path.empty()) return path;
  const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (length == 0) return path;
  std::wstring absolute(length, L'\0');
  const DWORD written = GetFullPathNameW(path.c_str(), length, absolute.data(), nullptr);
  if (written == 0 || written >= length) return path;
  absolute.resize(written);
  return std::filesystem::path(std::move(absolute));
}

std::filesystem::path WithSuffix(const std::filesystem::path& path, const char* suffix) {
  std::wstring name = path.native();
  for (const char* c = suffix; *c != '\0'; ++c) name += static_cast<wchar_t>(*c);
  return std::filesystem::path(std::move(name));
}

}  // namespace gm
