#include <fcntl.h>
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

FileFacts FactsOf(const struct stat& facts) {
  const bool regular = S_ISREG(facts.st_mode);
  FileFacts result{regular, regular ? static_cast<std::uintmax_t>(facts.st_size) : 0u};
  result.modified = Nanoseconds(facts.st_mtim);
  result.changed = Nanoseconds(facts.st_ctim);
  result.serial = static_cast<std::uint64_t>(facts.st_ino);
  result.device = static_cast<std::uint64_t>(facts.st_dev);
  return result;
}

}  // namespace

std::optional<FileFacts> LookAtFile(const std::filesystem::path& path) {
  struct stat facts {};
  if (::stat(path.c_str(), &facts) != 0) return std::nullopt;
  return FactsOf(facts);
}

std::optional<FileContent> ReadFileWithFacts(const std::filesystem::path& path,
                                             std::size_t maxBytes) {
  const int descriptor =
      ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);  // a FIFO must not block
  if (descriptor < 0) return std::nullopt;
  std::optional<FileContent> content;
  struct stat facts {};
  if (::fstat(descriptor, &facts) == 0 && S_ISREG(facts.st_mode) &&
      static_cast<std::uintmax_t>(facts.st_size) <= maxBytes) {
    content.emplace();
    content->facts = FactsOf(facts);
    content->bytes.resize(static_cast<std::size_t>(facts.st_size));
    std::size_t done = 0;
    while (done < content->bytes.size()) {
      const ssize_t got =
          ::read(descriptor, content->bytes.data() + done, content->bytes.size() - done);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      done += static_cast<std::size_t>(got);
    }
    if (done != content->bytes.size()) content.reset();  // cut short while it was read
  }
  ::close(descriptor);
  return content;
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
