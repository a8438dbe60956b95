#include "platform/ini_names.h"

namespace gm {
namespace {

// Latin Extended-A pairs a capital with the small letter after it; the pairs start on even
// code points up to U+0137, on odd ones from U+0139 to U+0148 and from U+0179 to U+017E.
char32_t FoldLatinExtendedA(char32_t c) {
  if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
  if (c == 0x178) return 0xFF;  // Ÿ
  const bool oddPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
  return (c % 2 == 1) == oddPairs ? c + 1 : c;
}

char32_t FoldGreek(char32_t c) {
  if (c == 0x386) return 0x3AC;                   // Ά
  if (c >= 0x388 && c <= 0x38A) return c + 0x25;  // Έ Ή Ί
  if (c == 0x38C) return 0x3CC;                   // Ό
  if (c == 0x38E || c == 0x38F) return c + 0x3F;  // Ύ Ώ
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 0x20;
  if (c == 0x3C2) return 0x3C3;  // final sigma: both small sigmas have the capital Σ
  return c;
}

char32_t FoldCyrillic(char32_t c) {
  if (c <= 0x40F) return c + 0x50;  // Ѐ .. Џ
  if (c <= 0x42F) return c + 0x20;  // А .. Я
  if (c == 0x4C0) return 0x4CF;     // Ӏ
  // Pairs of a capital on an even code point and its small letter after it; from U+04C1 to
  // U+04CE on odd ones.
  const bool paired = (c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x52F);
  if (!paired) return c;
  const bool oddPairs = c >= 0x4C1 && c <= 0x4CE;
  return (c % 2 == 1) == oddPairs ? c + 1 : c;
}

template <typename Char>
bool Same(std::basic_string_view<Char> a, std::basic_string_view<Char> b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldIniNameChar(static_cast<char32_t>(a[i])) !=
        FoldIniNameChar(static_cast<char32_t>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

char32_t FoldIniNameChar(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 0x20;
  if (c < 0xC0) return c;
  if (c <= 0xDE) return c == 0xD7 ? c : c + 0x20;  // À .. Þ without ×
  if (c >= 0x100 && c <= 0x17F) return FoldLatinExtendedA(c);
  if (c >= 0x386 && c <= 0x3C2) return FoldGreek(c);
  if (c >= 0x400 && c <= 0x52F) return FoldCyrillic(c);
  return c;
}

bool SameIniName(std::u16string_view a, std::u16string_view b) {
  return Same(a, b);
}

bool SameIniName(std::wstring_view a, std::wstring_view b) {
  return Same(a, b);
}

}  // namespace gm
