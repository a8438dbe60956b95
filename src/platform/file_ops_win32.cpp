#include <windows.h>

#include <algorithm>

#include "platform/file_ops.h"

namespace gm {
namespace {

// FILETIME counts 100 ns from 1601; the file clock counts nanoseconds from 1970.
std::int64_t Nanoseconds(const FILETIME& time) {
  constexpr std::int64_t kFrom1601To1970 = 116444736000000000;
  const std::int64_t ticks = static_cast<std::int64_t>(
      (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
  return (ticks - kFrom1601To1970) * 100;
}

std::error_code LastError() {
  const DWORD code = GetLastError();
  return {static_cast<int>(code != 0 ? code : ERROR_GEN_FAILURE), std::system_category()};
}

HANDLE Handle(NativeFile file) {
  return reinterpret_cast<HANDLE>(file);
}

// The attributes a replaced file keeps (a read-only one is not replaced).
std::uint32_t KeptAttributes(DWORD attributes) {
  return attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                       FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
}

}  // namespace

std::optional<FileFacts> LookAtFile(const FilePath& path) {
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
  FileFacts result{regular, regular ? size : 0u};
  result.modified = Nanoseconds(facts.ftLastWriteTime);
  result.changed = Nanoseconds(facts.ftCreationTime);
  result.mode = KeptAttributes(facts.dwFileAttributes);
  return result;
}

std::optional<FileContent> ReadFileWithFacts(const FilePath& path, std::size_t maxBytes) {
  HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<FileContent> content;
  BY_HANDLE_FILE_INFORMATION facts{};
  if (GetFileInformationByHandle(handle, &facts) &&
      (facts.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0 &&
      GetFileType(handle) == FILE_TYPE_DISK) {
    const std::uintmax_t size =
        (static_cast<std::uintmax_t>(facts.nFileSizeHigh) << 32) | facts.nFileSizeLow;
    if (size <= maxBytes) {
      content.emplace();
      // The same facts as LookAtFile gives, so that the two can be compared.
      content->facts = FileFacts{true, size};
      content->facts.modified = Nanoseconds(facts.ftLastWriteTime);
      content->facts.changed = Nanoseconds(facts.ftCreationTime);
      content->facts.mode = KeptAttributes(facts.dwFileAttributes);
      content->bytes.resize(static_cast<std::size_t>(size));
      std::size_t done = 0;
      while (done < content->bytes.size()) {
        const DWORD want = static_cast<DWORD>(
            std::min<std::size_t>(content->bytes.size() - done, std::size_t{1} << 30));
        DWORD got = 0;
        if (!ReadFile(handle, content->bytes.data() + done, want, &got, nullptr) || got == 0) break;
        done += got;
      }
      if (done != content->bytes.size()) content.reset();  // cut short while it was read
    }
  }
  CloseHandle(handle);
  return content;
}

std::int64_t FileClockNow() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  return Nanoseconds(now);
}

bool RemoveFile(const FilePath& path) {
  return DeleteFileW(path.c_str()) != FALSE;
}

std::error_code MoveFileOver(const FilePath& from, const FilePath& to) {
  // A target that another process has open for a moment (a reader's look at the file, a virus
  // scanner, a sync tool) cannot be replaced: try again for a short while before failing.
  constexpr int kTries = 25;
  constexpr DWORD kPauseMs = 20;
  DWORD code = 0;
  for (int attempt = 0; attempt < kTries; ++attempt) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return {};
    }
    code = GetLastError();
    if (code != ERROR_ACCESS_DENIED && code != ERROR_SHARING_VIOLATION) break;
    Sleep(kPauseMs);
  }
  return {static_cast<int>(code), std::system_category()};
}

FilePath AbsolutePath(const FilePath& path) {
  if (path.empty()) return path;
  const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (length == 0) return path;
  std::wstring absolute(length, L'\0');
  const DWORD written = GetFullPathNameW(path.c_str(), length, absolute.data(), nullptr);
  if (written == 0 || written >= length) return path;
  absolute.resize(written);
  return FilePath(std::move(absolute));
}

std::error_code CreateFolders(const FilePath& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
               ? std::error_code{}
               : std::error_code{ERROR_ALREADY_EXISTS, std::system_category()};
  }
  const FilePath parent = path.Parent();
  if (!parent.empty() && parent != path) {
    if (const std::error_code error = CreateFolders(parent)) return error;
  }
  if (CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) return {};
  return {static_cast<int>(GetLastError()), std::system_category()};
}

std::error_code CreateNewFile(const FilePath& path, NativeFile& file) {
  HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS) {
      return std::make_error_code(std::errc::file_exists);
    }
    return LastError();
  }
  file = reinterpret_cast<NativeFile>(handle);
  return {};
}

std::error_code WriteToFile(NativeFile file, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD want =
        static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, std::size_t{1} << 30));
    DWORD wrote = 0;
    if (!WriteFile(Handle(file), bytes.data() + done, want, &wrote, nullptr)) return LastError();
    if (wrote == 0) return std::make_error_code(std::errc::no_space_on_device);
    done += wrote;
  }
  return {};
}

std::error_code FlushFileToDisk(NativeFile file) {
  return FlushFileBuffers(Handle(file)) ? std::error_code{} : LastError();
}

std::error_code CloseFile(NativeFile file) {
  return CloseHandle(Handle(file)) ? std::error_code{} : LastError();
}

std::error_code TakePermissionsOf(NativeFile file, const FileFacts& like) {
  if ((like.mode & ~static_cast<std::uint32_t>(FILE_ATTRIBUTE_ARCHIVE)) == 0)
    return {};             // nothing beyond a new file's
  FILE_BASIC_INFO info{};  // times of 0: unchanged
  info.FileAttributes = like.mode;
  return SetFileInformationByHandle(Handle(file), FileBasicInfo, &info, sizeof(info))
             ? std::error_code{}
             : LastError();
}

std::error_code FlushFolder(const FilePath& /*folder*/) {
  return {};
}

FilePath FollowLinks(const FilePath& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    return path;
  }
  HANDLE handle =
      CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return path;
  std::wstring target(MAX_PATH, L'\0');
  DWORD length = GetFinalPathNameByHandleW(handle, target.data(), static_cast<DWORD>(target.size()),
                                           FILE_NAME_NORMALIZED);
  if (length >= target.size()) {
    target.resize(length + 1);
    length = GetFinalPathNameByHandleW(handle, target.data(), static_cast<DWORD>(target.size()),
                                       FILE_NAME_NORMALIZED);
  }
  CloseHandle(handle);
  if (length == 0 || length >= target.size()) return path;
  target.resize(length);
  return FilePath(std::move(target));
}

std::error_code TryLockFile(const FilePath& path, NativeFile& file, bool& busy) {
  busy = false;
  HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return LastError();
  OVERLAPPED whole{};
  if (!LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                  MAXDWORD, &whole)) {
    const std::error_code error = LastError();
    busy = error.value() == ERROR_LOCK_VIOLATION || error.value() == ERROR_IO_PENDING;
    CloseHandle(handle);
    return error;
  }
  file = reinterpret_cast<NativeFile>(handle);
  return {};
}

FilePath WithSuffix(const FilePath& path, const char* suffix) {
  std::wstring name = path.Wide();
  for (const char* c = suffix; *c != '\0'; ++c) name += static_cast<wchar_t>(*c);
  return FilePath(std::move(name));
}

}  // namespace gm
