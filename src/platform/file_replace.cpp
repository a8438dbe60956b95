#include "platform/file_replace.h"

#include <cerrno>

#include "platform/c_file.h"
#include "platform/file_ops.h"

namespace gm {
namespace {

std::error_code LastFileError() {
  const int code = errno != 0 ? errno : EIO;
  return {code, std::generic_category()};
}

}  // namespace

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

std::error_code ReplaceFileContents(const FilePath& target, std::span<const std::uint8_t> bytes) {
  if (FileExists(target)) {
    // Opening without truncation changes nothing but tells whether writing is allowed.
    errno = 0;
    if (!OpenCFile(target, "r+b")) return LastFileError();
  }
  const FilePath temporary = WithSuffix(target, ".tmp");
  {
    errno = 0;
    CFile out = OpenCFile(temporary, "wb");
    if (!out) return LastFileError();
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out.get()) == bytes.size();
    const bool closed = std::fclose(out.release()) == 0;
    if (!written || !closed) {
      const std::error_code failure = LastFileError();
      RemoveFile(temporary);
      return failure;
    }
  }
  const std::error_code error = MoveFileOver(temporary, target);
  if (error) RemoveFile(temporary);
  return error;
}

}  // namespace gm
