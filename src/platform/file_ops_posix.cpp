#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/file_ops.h"

namespace gm {
namespace {

std::int64_t Nanoseconds(const timespec& time) {
  return static_cast<std::int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

}  // namespace

std::optional<FileFacts> LookAtFile(const std::filesystem::path& path) {
  struct stat facts {};
  if (::stat(path.c_str(), &facts) != 0) return std::nullopt;
  const bool regular = S_ISREG(facts.st_mode);
  FileFacts result{regular, regular ? static_cast<std::uintmax_t>(facts.st_size) : 0u};
  result.modified = Nanoseconds(facts.st_mtim);
  result.changed = Nanoseconds(facts.st_ctim);
  result.serial = static_cast<std::uint64_t>(facts.st_ino);
  result.device = static_cast<std::uint64_t>(facts.st_dev);
  return result;
}

std::int64_t FileClockNow() {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  return Nanoseconds(now);
}

bool RemoveFile(const std::filesystem::path& path) {
  return std::remove(path.c_str()) == 0;
}

std::error_code MoveFileOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (std::rename(from.c_str(), to.c_str()) == 0) return {};
  return {errno != 0 ? errno : EIO, std::generic_category()};
}

std::filesystem::path AbsolutePath(const std::filesystem::path& path) {
  if (path.empty() || path.is_absolute()) return path;
  char* folder = ::getcwd(nullptr, 0);
  if (folder == nullptr) return path;
  std::filesystem::path absolute = std::filesystem::path(folder) / path;
  std::free(folder);
  return absolute;
}

std::filesystem::path WithSuffix(const std::filesystem::path& path, const char* suffix) {
  return std::filesystem::path(path.native() + suffix);
}

}  // namespace gm
