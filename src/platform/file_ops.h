// The few file-system operations the program needs, one implementation per platform (wide
// Win32 functions; POSIX calls on the path's native bytes). The standard library's would work
// too, but on Windows they drag in its stream and locale code, most of the program's size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <system_error>
#include <vector>

#include "platform/file_path.h"

namespace gm {

struct FileFacts {
  bool regular = false;     // a regular file (not a folder or a device)
  std::uintmax_t size = 0;  // in bytes, for a regular file
  // When its content last changed, and when the file itself last changed (POSIX: its status;
  // Windows: its creation, which moves when another file replaces it), in nanoseconds of
  // FileClockNow's clock. Which file it is: the POSIX inode and device, 0 on Windows.
  std::int64_t modified = 0;
  std::int64_t changed = 0;
  std::uint64_t serial = 0;
  std::uint64_t device = 0;
  // POSIX permission bits (with set-id and sticky) and owner; on Windows the attributes a
  // replaced file keeps (hidden, system, archive, not indexed), and no owner.
  std::uint32_t mode = 0;
  std::uint32_t owner = 0;
  std::uint32_t group = 0;

  bool operator==(const FileFacts&) const = default;
};

// What there is at `path`; nothing when there is nothing (or it cannot be looked at).
std::optional<FileFacts> LookAtFile(const FilePath& path);
// The current time of the clock the file system stamps files with: nanoseconds since 1970.
std::int64_t FileClockNow();

inline bool FileExists(const FilePath& path) {
  return !path.empty() && LookAtFile(path).has_value();
}
inline bool IsRegularFile(const FilePath& path) {
  const std::optional<FileFacts> facts = path.empty() ? std::nullopt : LookAtFile(path);
  return facts && facts->regular;
}

// A regular file's whole content with its facts, both taken through one open handle, so that
// they belong together; nothing when there is no such file, it cannot be read or it is larger
// than maxBytes.
struct FileContent {
  FileFacts facts;
  std::vector<std::uint8_t> bytes;
};
std::optional<FileContent> ReadFileWithFacts(const FilePath& path, std::size_t maxBytes);

// Deletes a file; false when it could not (a missing file included).
bool RemoveFile(const FilePath& path);

// Renames `from` to `to`, replacing `to` in one step where it exists.
std::error_code MoveFileOver(const FilePath& from, const FilePath& to);

// Creates the folder `path` and any missing folders above it; success when it is a folder
// already.
std::error_code CreateFolders(const FilePath& path);

// `path` made absolute against the current folder; `path` itself when that fails.
FilePath AbsolutePath(const FilePath& path);

// The steps a file replace (platform/file_replace) is made of; failures as the platform gives them.
// An open file of the platform: a descriptor, or a HANDLE on Windows.
using NativeFile = std::intptr_t;
inline constexpr NativeFile kNoFile = -1;

// Creates `path` for writing; fails (file_exists) when anything, a link included, is there.
std::error_code CreateNewFile(const FilePath& path, NativeFile& file);
std::error_code WriteToFile(NativeFile file, std::span<const std::uint8_t> bytes);
// Flushes content and size to the disk (fsync; FlushFileBuffers).
std::error_code FlushFileToDisk(NativeFile file);
std::error_code CloseFile(NativeFile file);
// Gives a new file the permission bits of `like` and, for the superuser, its owner and group;
// on Windows its attributes.
std::error_code TakePermissionsOf(NativeFile file, const FileFacts& like);
// Flushes the folder's entries after a rename (POSIX); nothing on Windows, where the move
// itself writes through.
std::error_code FlushFolder(const FilePath& folder);
// The file `path` names once symbolic links are followed (it need not exist); `path` itself
// when it is no link.
FilePath FollowLinks(const FilePath& path);
// One try at an exclusive advisory lock on `path` (flock; LockFileEx), created when missing
// (hidden on Windows) and never changed. `busy`: another holder has it. The lock goes with
// CloseFile.
std::error_code TryLockFile(const FilePath& path, NativeFile& file, bool& busy);

// `path` with an ASCII suffix added to its file name ("config.bin" + ".tmp").
FilePath WithSuffix(const FilePath& path, const char* suffix);

}  // namespace gm
