#include "platform/ini_names.h"

#include <algorithm>
#include <cstdint>

namespace gm {
namespace {

// Every step-th code point from first to last has the capital code point + delta (modulo
// 0x10000). The runs are sorted and do not overlap.
struct UpperRun {
  std::uint16_t first;
  std::uint16_t last;
  std::uint8_t step;
  std::uint16_t delta;
};

constexpr UpperRun kUpperRuns[] = {
#include "platform/ini_upper_table.inc"
};

template <typename Char>
bool Same(std::basic_string_view<Char> a, std::basic_string_view<Char> b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && FoldIniNameChar(static_cast<char32_t>(a[i])) !=
                            FoldIniNameChar(static_cast<char32_t>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

char32_t FoldIniNameChar(char32_t c) {
  if (c < 0x80) return c >= U'a' && c <= U'z' ? c - 0x20 : c;
  if (c > 0xFFFF) return c;
  const auto after =
      std::upper_bound(std::begin(kUpperRuns), std::end(kUpperRuns), c,
                       [](char32_t code, const UpperRun& run) { return code < run.first; });
  if (after == std::begin(kUpperRuns)) return c;
  const UpperRun& run = *(after - 1);
  if (c > run.last || (c - run.first) % run.step != 0) return c;
  return (c + run.delta) & 0xFFFF;
}

bool SameIniName(std::u16string_view a, std::u16string_view b) {
  return Same(a, b);
}

bool SameIniName(std::wstring_view a, std::wstring_view b) {
  return Same(a, b);
}

}  // namespace gm
