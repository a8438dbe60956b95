#include "platform/text_codec.h"

#include <array>

namespace gm {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

void AppendCodePoint(char32_t c, std::u16string& out) {
  if (c > 0x10FFFF) c = kReplacement;
  if (c >= 0x10000) {
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(c));
  }
}

// Characters of code page 1252 at bytes 0x80-0x9F; 0 marks the unassigned ones.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

template <typename Bytes>
void PutUtf8(char32_t c, Bytes& out) {
  using Byte = typename Bytes::value_type;
  const auto put = [&](char32_t bits) { out.push_back(static_cast<Byte>(bits)); };
  if (c < 0x80) {
    put(c);
  } else if (c < 0x800) {
    put(0xC0 | (c >> 6));
    put(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    put(0xE0 | (c >> 12));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  } else {
    put(0xF0 | (c >> 18));
    put(0x80 | ((c >> 12) & 0x3F));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::u16string ToUtf16(std::wstring_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    if constexpr (sizeof(wchar_t) == 2) {
      out.push_back(static_cast<char16_t>(c));
    } else {
      AppendCodePoint(static_cast<char32_t>(c), out);
    }
  }
  return out;
}

std::wstring FromUtf16(std::u16string_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t c = text[i];
    if constexpr (sizeof(wchar_t) == 2) {
      out.push_back(static_cast<wchar_t>(c));
    } else if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      const char32_t low = text[++i];
      out.push_back(static_cast<wchar_t>(0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00)));
    } else {
      out.push_back(static_cast<wchar_t>(c));
    }
  }
  return out;
}

namespace {

// UTF-16 code units of the character at text[at], and how many wchar_t it takes.
struct CharWidth {
  std::size_t units;
  std::size_t chars;
};
CharWidth WidthAt(std::wstring_view text, std::size_t at) {
  const auto c = static_cast<char32_t>(text[at]);
  if constexpr (sizeof(wchar_t) == 2) {
    if (IsHighSurrogate(c) && at + 1 < text.size() &&
        IsLowSurrogate(static_cast<char32_t>(text[at + 1]))) {
      return {2, 2};
    }
    return {1, 1};
  } else {
    return {c >= 0x10000 ? 2u : 1u, 1};
  }
}

}  // namespace

std::size_t Utf16Length(std::wstring_view text) {
  std::size_t units = 0;
  for (std::size_t at = 0; at < text.size();) {
    const CharWidth width = WidthAt(text, at);
    units += width.units;
    at += width.chars;
  }
  return units;
}

std::wstring_view Utf16Prefix(std::wstring_view text, std::size_t units) {
  std::size_t used = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    const CharWidth width = WidthAt(text, at);
    if (used + width.units > units) break;
    used += width.units;
    at += width.chars;
  }
  return text.substr(0, at);
}

// Whole files go through these two: plain pointer loops, which stay fast in unoptimized builds.
std::u16string DecodeUtf16(std::span<const std::uint8_t> bytes, bool bigEndian) {
  std::u16string out((bytes.size() + 1) / 2, u'\0');
  const std::uint8_t* from = bytes.data();
  const std::size_t pairs = bytes.size() / 2;
  char16_t* to = out.data();
  for (std::size_t i = 0; i < pairs; ++i, from += 2) {
    const unsigned first = from[0];
    const unsigned second = from[1];
    to[i] = static_cast<char16_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
  }
  if (bytes.size() % 2 != 0) {
    const unsigned last = from[0];
    to[pairs] = static_cast<char16_t>(bigEndian ? last << 8 : last);
  }
  return out;
}

void AppendUtf16(std::u16string_view text, bool bigEndian, std::vector<std::uint8_t>& out) {
  const std::size_t start = out.size();
  out.resize(start + text.size() * 2);
  std::uint8_t* to = out.data() + start;
  const char16_t* from = text.data();
  for (std::size_t i = 0; i < text.size(); ++i, to += 2) {
    const auto low = static_cast<std::uint8_t>(from[i] & 0xFF);
    const auto high = static_cast<std::uint8_t>(from[i] >> 8);
    to[0] = bigEndian ? high : low;
    to[1] = bigEndian ? low : high;
  }
}

std::optional<std::u16string> DecodeUtf8(std::span<const std::uint8_t> bytes, bool replaceInvalid) {
  std::u16string out;
  out.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    const std::uint8_t lead = bytes[i];
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
      continue;
    }
    // Sequence length, payload bits of the lead byte and the smallest code point it may carry.
    std::size_t length = 4;
    char32_t c = lead & 0x07u;
    char32_t minimum = 0x10000;
    if ((lead & 0xE0) == 0xC0) {
      length = 2;
      c = lead & 0x1Fu;
      minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      c = lead & 0x0Fu;
      minimum = 0x800;
    } else if ((lead & 0xF8) != 0xF0) {
      length = 0;
    }
    std::size_t k = 1;
    while (length != 0 && k < length && i + k < bytes.size() && (bytes[i + k] & 0xC0) == 0x80) {
      c = (c << 6) | (bytes[i + k] & 0x3Fu);
      ++k;
    }
    const bool valid = length != 0 && k == length && c >= minimum && c <= 0x10FFFF &&
                       !IsHighSurrogate(c) && !IsLowSurrogate(c);
    if (!valid) {
      if (!replaceInvalid) return std::nullopt;
      out.push_back(static_cast<char16_t>(kReplacement));
      i += k;  // the lead byte and the continuation bytes that followed it
      continue;
    }
    AppendCodePoint(c, out);
    i += length;
  }
  return out;
}

void AppendUtf8(std::u16string_view text, std::vector<std::uint8_t>& out) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00u);
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      c = kReplacement;
    }
    PutUtf8(c, out);
  }
}

void AppendUtf8(char32_t codePoint, std::string& out) {
  PutUtf8(codePoint, out);
}

std::u16string DecodeWindows1252(std::span<const std::uint8_t> bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (std::uint8_t b : bytes) {
    const char16_t mapped = (b >= 0x80 && b < 0xA0) ? kCp1252High[b - 0x80u] : char16_t{0};
    out.push_back(mapped != 0 ? mapped : char16_t{b});
  }
  return out;
}

void AppendWindows1252(std::u16string_view text, std::vector<std::uint8_t>& out) {
  for (char16_t c : text) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      out.push_back(static_cast<std::uint8_t>(c));
      continue;
    }
    std::uint8_t byte = '?';
    for (std::size_t k = 0; k < kCp1252High.size(); ++k) {
      const char16_t mapped =
          kCp1252High[k] != 0 ? kCp1252High[k] : static_cast<char16_t>(0x80 + k);
      if (mapped == c) byte = static_cast<std::uint8_t>(0x80 + k);
    }
    out.push_back(byte);
  }
}

std::string ToUtf8(std::wstring_view text) {
  std::vector<std::uint8_t> bytes;
  AppendUtf8(ToUtf16(text), bytes);
  return {bytes.begin(), bytes.end()};
}

}  // namespace gm
