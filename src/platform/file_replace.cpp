#include "platform/file_replace.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <string>
#include <thread>

#include "platform/c_file.h"
#include "platform/file_ops.h"

namespace gm {
namespace {

// The lock file of a folder's updates.
constexpr wchar_t kLockFileName[] = L".ql-gm900.lock";

// How long a writer waits for another one's update lock before it gives up.
constexpr auto kLockPatience = std::chrono::seconds(5);

class ReplaceCategory : public std::error_category {
 public:
  const char* name() const noexcept override { return "file replace"; }
  std::string message(int code) const override {
    switch (static_cast<FileReplaceError>(code)) {
      case FileReplaceError::kNotRegularFile:
        return "not a regular file";
      case FileReplaceError::kLockTimeout:
        return "being written by another program; try again";
    }
    return "file replace error";
  }
};

std::function<bool(FileStep)>& StepFault() {
  static std::function<bool(FileStep)> fault;
  return fault;
}

// The failure a step's fault stands for.
std::error_code Faulted(FileStep step) {
  if (StepFault() && StepFault()(step)) return std::make_error_code(std::errc::io_error);
  return {};
}

// The update locks this process holds: which thread holds each, how often, through what file.
class LockTable {
 public:
  static LockTable& Instance() {
    static LockTable table;
    return table;
  }

  std::error_code Take(const FilePath& lockFile) {
    const auto deadline = std::chrono::steady_clock::now() + kLockPatience;
    std::unique_lock<std::mutex> hold(mutex_);
    for (;;) {
      auto it = held_.find(lockFile);
      if (it == held_.end()) break;
      if (it->second.owner == std::this_thread::get_id()) {
        ++it->second.depth;
        return {};
      }
      if (changed_.wait_until(hold, deadline) == std::cv_status::timeout &&
          held_.count(lockFile) != 0) {
        return FileReplaceError::kLockTimeout;
      }
    }
    Held& entry = held_[lockFile];
    entry.owner = std::this_thread::get_id();
    hold.unlock();
    // Other processes: tried until the deadline, as a blocking lock cannot be given up.
    std::error_code error;
    for (auto pause = std::chrono::milliseconds(1);; pause = std::min(pause * 2, kLongestPause)) {
      bool busy = false;
      error = TryLockFile(lockFile, entry.file, busy);
      if (!error || !busy) break;
      if (std::chrono::steady_clock::now() >= deadline) {
        error = FileReplaceError::kLockTimeout;
        break;
      }
      std::this_thread::sleep_for(pause);
    }
    hold.lock();
    if (error) {
      held_.erase(lockFile);
      changed_.notify_all();
    }
    return error;
  }

  void Release(const FilePath& lockFile) {
    const std::lock_guard<std::mutex> hold(mutex_);
    const auto it = held_.find(lockFile);
    if (it == held_.end() || --it->second.depth > 0) return;
    CloseFile(it->second.file);
    held_.erase(it);
    changed_.notify_all();
  }

 private:
  static constexpr auto kLongestPause = std::chrono::milliseconds(20);
  struct Held {
    std::thread::id owner;
    int depth = 1;
    NativeFile file = kNoFile;
  };
  std::mutex mutex_;
  std::condition_variable changed_;
  std::map<FilePath, Held> held_;  // node-based: an entry stays put while its lock is tried
};

// A name no writer has used: the target's name, a random part and ".tmp".
FilePath TemporaryName(const FilePath& target) {
  thread_local std::mt19937_64 random{std::random_device{}() ^
                                      static_cast<std::uint64_t>(FileClockNow()) ^
                                      std::hash<std::thread::id>{}(std::this_thread::get_id())};
  static constexpr wchar_t kDigits[] = L"0123456789abcdef";
  std::wstring name = target.FileName() + L".";
  std::uint64_t value = random();
  for (int i = 0; i < 12; ++i, value >>= 4) name += kDigits[value & 15];
  return target.WithFileName(name + L".tmp");
}

// Writes bytes to a new temporary file beside `target`, flushed to the disk and with the
// permissions of `like` when given. Nothing is left behind on failure.
std::error_code WriteTemporary(const FilePath& target, std::span<const std::uint8_t> bytes,
                               const std::optional<FileFacts>& like, FilePath& temporary) {
  NativeFile file = kNoFile;
  for (int attempt = 0;; ++attempt) {
    temporary = TemporaryName(target);
    std::error_code error = Faulted(FileStep::kCreate);
    if (!error) error = CreateNewFile(temporary, file);
    if (!error) break;
    if (error != std::errc::file_exists || attempt == 100) return error;
  }
  std::error_code error = Faulted(FileStep::kWrite);
  if (!error) error = WriteToFile(file, bytes);
  if (!error && like) {
    error = Faulted(FileStep::kPermissions);
    if (!error) error = TakePermissionsOf(file, *like);
  }
  if (!error) error = Faulted(FileStep::kFlush);
  if (!error) error = FlushFileToDisk(file);
  std::error_code closed = Faulted(FileStep::kClose);
  const std::error_code closing = CloseFile(file);
  if (!closed) closed = closing;
  if (!error) error = closed;
  if (error) RemoveFile(temporary);
  return error;
}

}  // namespace

const std::error_category& FileReplaceCategory() {
  static const ReplaceCategory category;
  return category;
}

void SetFileStepFault(std::function<bool(FileStep)> fault) {
  StepFault() = std::move(fault);
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const FilePath& file, std::size_t maxBytes) {
  const std::optional<FileFacts> facts = LookAtFile(file);
  if (!facts || !facts->regular || facts->size > maxBytes) return std::nullopt;
  const std::uintmax_t size = facts->size;
  const CFile in = OpenCFile(file, "rb");
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (std::fread(bytes.data(), 1, bytes.size(), in.get()) != bytes.size()) return std::nullopt;
  // The file may have grown since it was measured; what was read is still a whole prefix.
  return bytes;
}

FileUpdateLock::FileUpdateLock(const FilePath& target) {
  if (target.empty()) return;  // no file: nothing to guard
  const FilePath file = FollowLinks(AbsolutePath(target));
  // Nothing is made beside a device or a folder, which is never written.
  if (const std::optional<FileFacts> facts = LookAtFile(file); facts && !facts->regular) {
    error_ = FileReplaceError::kNotRegularFile;
    return;
  }
  lockFile_ = file.WithFileName(kLockFileName);
  error_ = LockTable::Instance().Take(lockFile_);
}

FileUpdateLock::~FileUpdateLock() {
  if (!error_ && !lockFile_.empty()) LockTable::Instance().Release(lockFile_);
}

void FileReplaceGroup::Add(const FilePath& target, std::vector<std::uint8_t> bytes) {
  entries_.push_back({target, std::move(bytes)});
}

std::error_code FileReplaceGroup::Commit() {
  struct Step {
    FilePath file;  // the target, its links followed
    std::span<const std::uint8_t> bytes;
    std::optional<FileFacts> old;
    FilePath temporary;
    FilePath restore;  // a copy of the old file, to put back when a later rename fails
  };
  std::vector<Step> steps;
  for (const Entry& entry : entries_) {
    steps.push_back({FollowLinks(AbsolutePath(entry.target)), entry.bytes, {}, {}, {}});
  }
  const auto special = [](const Step& step) {
    const std::optional<FileFacts> facts = LookAtFile(step.file);
    return facts && !facts->regular;
  };
  if (std::any_of(steps.begin(), steps.end(), special)) return FileReplaceError::kNotRegularFile;
  const auto removeTemporaries = [&] {
    for (const Step& step : steps) {
      if (!step.temporary.empty()) RemoveFile(step.temporary);
      if (!step.restore.empty()) RemoveFile(step.restore);
    }
  };
  for (std::size_t i = 0; i < steps.size(); ++i) {
    Step& step = steps[i];
    step.old = LookAtFile(step.file);
    if (step.old && !step.old->regular) {
      removeTemporaries();
      return FileReplaceError::kNotRegularFile;
    }
    std::error_code error;
    if (step.old) {
      // A file its owner made read-only is not replaced behind their back: opening it without
      // truncation changes nothing but tells whether writing is allowed.
      errno = 0;
      if (!OpenCFile(step.file, "r+b")) {
        error = {errno != 0 ? errno : EACCES, std::generic_category()};
      }
    }
    if (!error) error = WriteTemporary(step.file, step.bytes, step.old, step.temporary);
    if (!error && step.old && i + 1 < steps.size()) {
      const std::optional<FileContent> old = ReadFileWithFacts(step.file, SIZE_MAX);
      error = old ? WriteTemporary(step.file, old->bytes, step.old, step.restore)
                  : std::make_error_code(std::errc::io_error);
    }
    if (error) {
      removeTemporaries();
      return error;
    }
  }
  for (std::size_t i = 0; i < steps.size(); ++i) {
    std::error_code error = Faulted(FileStep::kRename);
    if (!error) error = MoveFileOver(steps[i].temporary, steps[i].file);
    if (error) {
      for (std::size_t back = i; back-- > 0;) {
        Step& done = steps[back];
        if (done.restore.empty()) {
          RemoveFile(done.file);  // it was not there before
        } else {
          // Put back; should even that fail, the copy stays, the only one of the old file.
          MoveFileOver(done.restore, done.file);
          done.restore = FilePath();
        }
      }
      removeTemporaries();
      return error;
    }
    steps[i].temporary = FilePath();
  }
  removeTemporaries();
  std::set<FilePath> folders;
  for (const Step& step : steps) folders.insert(step.file.Parent());
  for (const FilePath& folder : folders) {
    std::error_code error = Faulted(FileStep::kFolderFlush);
    if (!error) error = FlushFolder(folder);
    if (error) return error;
  }
  return {};
}

std::error_code ReplaceFileContents(const FilePath& target, std::span<const std::uint8_t> bytes) {
  FileReplaceGroup group;
  group.Add(target, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  return group.Commit();
}

}  // namespace gm
