#include "platform/file_replace.h"

#include <cerrno>
#include <fstream>

namespace gm {
namespace {

std::error_code LastStreamError() {
  const int code = errno != 0 ? errno : EIO;
  return {code, std::generic_category()};
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& file,
                                                       std::size_t maxBytes) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error || size > maxBytes) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (static_cast<std::size_t>(in.gcount()) != bytes.size()) return std::nullopt;
  // The file may have grown since it was measured; what was read is still a whole prefix.
  return bytes;
}

std::error_code ReplaceFileContents(const std::filesystem::path& target,
                                    std::span<const std::uint8_t> bytes) {
  std::error_code error;
  if (std::filesystem::exists(target, error)) {
    // Opening without truncation changes nothing but tells whether writing is allowed.
    errno = 0;
    std::fstream probe(target, std::ios::binary | std::ios::in | std::ios::out);
    if (!probe) return LastStreamError();
  }
  std::filesystem::path temporary = target;
  temporary += ".tmp";
  {
    errno = 0;
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return LastStreamError();
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (out.fail()) {
      const std::error_code failure = LastStreamError();
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return failure;
    }
  }
  std::filesystem::rename(temporary, target, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
  }
  return error;
}

}  // namespace gm
