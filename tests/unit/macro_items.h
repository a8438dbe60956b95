// Event items as the recorder and the manager write them, and checks on macro blocks.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "config/records.h"

namespace gm::test {

using Bytes = std::vector<std::uint8_t>;

inline std::wstring Press(const std::wstring& key) {
  return key + L"   Dn";
}
inline std::wstring Release(const std::wstring& key) {
  return key + L"   Up";
}
inline std::wstring Delay(long ms) {
  return std::to_wstring(ms) + L" ms";
}

inline bool RestIsZero(const MacroBlock& block, std::size_t from) {
  return std::all_of(block.begin() + static_cast<std::ptrdiff_t>(from), block.end(),
                     [](std::uint8_t b) { return b == 0; });
}

}  // namespace gm::test
