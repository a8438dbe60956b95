// Whole-file reads and writes for the program's data files. A write never leaves a file half
// written: the new content goes to a temporary file beside the target, which then replaces it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <system_error>
#include <vector>

#include "platform/file_path.h"

namespace gm {

// The whole content of a file; nothing when it is missing, is not a regular file, cannot be
// read or is larger than maxBytes.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const FilePath& file, std::size_t maxBytes);

// Replaces (or creates) target with bytes. An existing target that cannot be opened for writing
// is left alone and reported, as is any failure on the way; on failure the old content stays.
std::error_code ReplaceFileContents(const FilePath& target, std::span<const std::uint8_t> bytes);

}  // namespace gm
