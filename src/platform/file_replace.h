// Whole-file reads and writes for the program's data files, the one way every file is written.
// A write never leaves a file half written: the new content goes to a temporary file created
// exclusively beside the target (a unique name, never one that exists), is flushed to the disk,
// and then renamed over the target; on POSIX the folder is flushed after. Links are written
// through, anything but a regular file is refused, as is a file that cannot be opened for
// writing (made read-only), and the replaced file keeps its mode (and, for the superuser, its
// owner). On any failure the old file stays as it was and the temporary
// file is removed.
//
// Read-modify-write runs under the target's update lock (FileUpdateLock): an advisory lock
// (flock; LockFileEx) on a lock file in the target's folder, ".ql-gm900.lock", created once
// (hidden on Windows) and never changed or removed; one for the folder, so that the program's
// folder gains one file, not one beside each of its files. Not the target itself: it is
// replaced by a rename, so a lock on it would belong to the file that was there before (a
// waiter that then got it would hold a lock on a file no longer there), and on Windows an open
// handle on it would stop the rename.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <system_error>
#include <vector>

#include "platform/file_path.h"

namespace gm {

// Failures of a replace that are not the system's own.
enum class FileReplaceError {
  kNotRegularFile = 1,  // the target is a device, FIFO, socket or folder
  kLockTimeout,         // another writer held the update lock too long
};
const std::error_category& FileReplaceCategory();
inline std::error_code make_error_code(FileReplaceError error) {
  return {static_cast<int>(error), FileReplaceCategory()};
}

// The whole content of a file; nothing when it is missing, is not a regular file, cannot be
// read or is larger than maxBytes.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const FilePath& file, std::size_t maxBytes);

// Holds the update lock of `target` (the folder of the file its links lead to) from
// construction to destruction. A thread may take one lock again while it holds it; other threads
// and processes wait for it, a few seconds at most, after which error() is kLockTimeout. A target
// that is not a regular file is not locked: error() is kNotRegularFile.
class FileUpdateLock {
 public:
  explicit FileUpdateLock(const FilePath& target);
  ~FileUpdateLock();
  FileUpdateLock(const FileUpdateLock&) = delete;
  FileUpdateLock& operator=(const FileUpdateLock&) = delete;

  const std::error_code& error() const { return error_; }

 private:
  FilePath lockFile_;
  std::error_code error_;
};

// Files replaced together: both or neither. Commit writes and flushes every temporary file (and
// a copy of each old file but the last) before it renames anything; when a later rename fails,
// the files already renamed are put back. A write takes no lock: a read-modify-write holds the
// files' FileUpdateLock around its read and the write.
class FileReplaceGroup {
 public:
  void Add(const FilePath& target, std::vector<std::uint8_t> bytes);
  std::error_code Commit();

 private:
  struct Entry {
    FilePath target;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<Entry> entries_;
};

// Replaces (or creates) target with bytes.
std::error_code ReplaceFileContents(const FilePath& target, std::span<const std::uint8_t> bytes);

// For tests: the steps of a replace, and a hook asked before each; when it answers true the step
// fails as an I/O error would. An empty hook removes it.
enum class FileStep { kCreate, kWrite, kPermissions, kFlush, kClose, kRename, kFolderFlush };
void SetFileStepFault(std::function<bool(FileStep)> fault);

}  // namespace gm

template <>
struct std::is_error_code_enum<gm::FileReplaceError> : std::true_type {};
