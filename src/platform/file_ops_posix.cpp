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

std::optional<FileFacts> LookAtFile(const FilePath& path) {
  struct stat facts {};
  if (::stat(path.Native().c_str(), &facts) != 0) return std::nullopt;
  return FactsOf(facts);
}

std::optional<FileContent> ReadFileWithFacts(const FilePath& path, std::size_t maxBytes) {
  const int descriptor =
      ::open(path.Native().c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);  // a FIFO must not block
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

bool RemoveFile(const FilePath& path) {
  return std::remove(path.Native().c_str()) == 0;
}

std::error_code MoveFileOver(const FilePath& from, const FilePath& to) {
  if (std::rename(from.Native().c_str(), to.Native().c_str()) == 0) return {};
  return {errno != 0 ? errno : EIO, std::generic_category()};
}

FilePath AbsolutePath(const FilePath& path) {
  if (path.empty() || path.IsAbsolute()) return path;
  char* folder = ::getcwd(nullptr, 0);
  if (folder == nullptr) return path;
  FilePath absolute = FilePath::FromNative(folder) / path.Wide();
  std::free(folder);
  return absolute;
}

std::error_code CreateFolders(const FilePath& path) {
  struct stat facts {};
  if (::stat(path.Native().c_str(), &facts) == 0) {
    return S_ISDIR(facts.st_mode) ? std::error_code{}
                                  : std::make_error_code(std::errc::not_a_directory);
  }
  const FilePath parent = path.Parent();
  if (!parent.empty() && parent != path) {
    if (const std::error_code error = CreateFolders(parent)) return error;
  }
  if (::mkdir(path.Native().c_str(), 0777) == 0 || errno == EEXIST) return {};
  return {errno, std::generic_category()};
}

FilePath WithSuffix(const FilePath& path, const char* suffix) {
  std::wstring name = path.Wide();
  for (const char* c = suffix; *c != '\0'; ++c) name += static_cast<wchar_t>(*c);
  return FilePath(std::move(name));
}

}  // namespace gm
