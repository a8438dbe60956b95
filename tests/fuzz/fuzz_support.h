// Shared by the fuzz targets and the seed generator: the byte layout of a target's input (read
// from the front, so that a seed can be written in the same order), a failed check that stops
// the run as a crash, and a scratch folder of the process for the targets that work on files.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>
#include <system_error>
#include <vector>

namespace gm::fuzz {

// A property of the code under test does not hold: print where and stop as a crash, so that
// libFuzzer keeps the input.
#define GM_FUZZ_CHECK(condition)                                                         \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)

// Reads the input from its front; past the end every value reads as 0 and every span as empty.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : bytes_(data, size) {}

  bool empty() const { return at_ >= bytes_.size(); }
  std::uint8_t Byte() { return at_ < bytes_.size() ? bytes_[at_++] : 0; }
  std::uint16_t Uint16() {
    const std::uint16_t high = Byte();
    return static_cast<std::uint16_t>((high << 8) | Byte());
  }
  std::span<const std::uint8_t> Bytes(std::size_t count) {
    const std::size_t from = std::min(at_, bytes_.size());
    const std::size_t taken = std::min(count, bytes_.size() - from);
    at_ = from + taken;
    return bytes_.subspan(from, taken);
  }
  // A length (one byte) and that many bytes.
  std::span<const std::uint8_t> ShortBytes() { return Bytes(Byte()); }
  // A length (two bytes) and that many bytes.
  std::span<const std::uint8_t> LongBytes() { return Bytes(Uint16()); }
  std::span<const std::uint8_t> Rest() { return Bytes(bytes_.size()); }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

// Writes a seed in the layout Input reads.
class SeedWriter {
 public:
  SeedWriter& Byte(std::uint8_t value) {
    bytes.push_back(value);
    return *this;
  }
  SeedWriter& Uint16(std::uint16_t value) {
    return Byte(static_cast<std::uint8_t>(value >> 8)).Byte(static_cast<std::uint8_t>(value));
  }
  SeedWriter& Raw(std::span<const std::uint8_t> data) {
    bytes.insert(bytes.end(), data.begin(), data.end());
    return *this;
  }
  SeedWriter& ShortBytes(std::span<const std::uint8_t> data) {
    return Byte(static_cast<std::uint8_t>(data.size()))
        .Raw(data.first(std::min<std::size_t>(data.size(), 0xFF)));
  }
  SeedWriter& LongBytes(std::span<const std::uint8_t> data) {
    return Uint16(static_cast<std::uint16_t>(data.size()))
        .Raw(data.first(std::min<std::size_t>(data.size(), 0xFFFF)));
  }

  std::vector<std::uint8_t> bytes;
};

// A folder of this process for the files a target works on, removed when the process ends.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::error_code error;
    std::filesystem::path base = "/dev/shm";
    if (!std::filesystem::is_directory(base, error)) base = std::filesystem::temp_directory_path();
    path_ = base / ("gm-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path_, error);
  }
  ~ScratchFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Empties the folder for the next input.
  void Clear() const {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(path_, error)) {
      std::filesystem::remove_all(entry.path(), error);
    }
  }

 private:
  std::filesystem::path path_;
};

// Through C streams: the C++ ones cost more than the code under test on a small file.
inline void WriteFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes) {
  std::FILE* out = std::fopen(file.c_str(), "wb");
  if (out == nullptr) return;
  std::fwrite(bytes.data(), 1, bytes.size(), out);
  std::fclose(out);
}

inline std::vector<std::uint8_t> ReadFile(const std::filesystem::path& file) {
  std::vector<std::uint8_t> bytes;
  std::FILE* in = std::fopen(file.c_str(), "rb");
  if (in == nullptr) return bytes;
  std::uint8_t chunk[8192];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, in)) > 0;) {
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  std::fclose(in);
  return bytes;
}

}  // namespace gm::fuzz
