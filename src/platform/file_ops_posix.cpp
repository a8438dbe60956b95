#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

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
  result.mode = static_cast<std::uint32_t>(facts.st_mode & 07777);
  result.owner = static_cast<std::uint32_t>(facts.st_uid);
  result.group = static_cast<std::uint32_t>(facts.st_gid);
  return result;
}

std::error_code LastError() {
  return {errno != 0 ? errno : EIO, std::generic_category()};
}

int Descriptor(NativeFile file) {
  return static_cast<int>(file);
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

std::error_code CreateNewFile(const FilePath& path, NativeFile& file) {
  const int descriptor =
      ::open(path.Native().c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (descriptor < 0) return LastError();
  file = descriptor;
  return {};
}

std::error_code WriteToFile(NativeFile file, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t wrote = ::write(Descriptor(file), bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0)
      return wrote == 0 ? std::make_error_code(std::errc::no_space_on_device) : LastError();
    done += static_cast<std::size_t>(wrote);
  }
  return {};
}

std::error_code FlushFileToDisk(NativeFile file) {
  return ::fsync(Descriptor(file)) == 0 ? std::error_code{} : LastError();
}

std::error_code CloseFile(NativeFile file) {
  return ::close(Descriptor(file)) == 0 ? std::error_code{} : LastError();
}

std::error_code TakePermissionsOf(NativeFile file, const FileFacts& like) {
  // The owner first: changing it clears the set-id bits that the mode then puts back.
  if (::geteuid() == 0 && ::fchown(Descriptor(file), static_cast<uid_t>(like.owner),
                                   static_cast<gid_t>(like.group)) != 0) {
    return LastError();
  }
  return ::fchmod(Descriptor(file), static_cast<mode_t>(like.mode)) == 0 ? std::error_code{}
                                                                         : LastError();
}

std::error_code FlushFolder(const FilePath& folder) {
  const std::string name = folder.empty() ? std::string(".") : folder.Native();
  const int descriptor = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return LastError();
  // Some file systems cannot flush a folder; they keep their entries by other means.
  const bool flushed = ::fsync(descriptor) == 0 || errno == EINVAL;
  const std::error_code error = flushed ? std::error_code{} : LastError();
  ::close(descriptor);
  return error;
}

FilePath FollowLinks(const FilePath& path) {
  std::string name = path.Native();
  for (int hop = 0; hop < 40; ++hop) {  // as many as the system follows
    struct stat facts {};
    if (::lstat(name.c_str(), &facts) != 0 || !S_ISLNK(facts.st_mode)) break;
    std::string target(static_cast<std::size_t>(facts.st_size > 0 ? facts.st_size : 4096) + 1,
                       '\0');
    const ssize_t length = ::readlink(name.c_str(), target.data(), target.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) break;
    target.resize(static_cast<std::size_t>(length));
    if (target.front() != '/') {
      const std::size_t slash = name.rfind('/');
      target = (slash == std::string::npos ? std::string() : name.substr(0, slash + 1)) + target;
    }
    name = std::move(target);
  }
  return FilePath::FromNative(name);
}

std::error_code TryLockFile(const FilePath& path, NativeFile& file, bool& busy) {
  busy = false;
  int descriptor = ::open(path.Native().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  // One that another user made may be open to reading only: enough for a lock.
  if (descriptor < 0 && errno == EACCES)
    descriptor = ::open(path.Native().c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return LastError();
  while (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    const std::error_code error = LastError();
    busy = errno == EWOULDBLOCK;
    ::close(descriptor);
    return error;
  }
  file = descriptor;
  return {};
}

FilePath WithSuffix(const FilePath& path, const char* suffix) {
  std::wstring name = path.Wide();
  for (const char* c = suffix; *c != '\0'; ++c) name += static_cast<wchar_t>(*c);
  return FilePath(std::move(name));
}

}  // namespace gm
