// The Windows key-name service, for keys that the program's own name table does not cover.
// Only the Windows build has it; pass it to KeyNameOf.
#pragma once

#include <cstdint>
#include <string>

namespace gm {

// GetKeyNameTextW of a keystroke's flags with a buffer of 32 characters.
std::wstring SystemKeyName(std::uint32_t keystrokeFlags);

}  // namespace gm
