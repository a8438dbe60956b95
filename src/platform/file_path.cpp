#include "platform/file_path.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>

#include "platform/text_codec.h"

namespace gm {
namespace {

#ifndef _WIN32
constexpr char32_t kEscapedByte = 0xDC00;  // + a byte that is not UTF-8: 0xDC80..0xDCFF

// The code point of the UTF-8 sequence at text[at], moving `at` past it; nothing (and `at`
// unmoved) when no well-formed sequence starts there.
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& at) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(at);
  if (lead < 0x80) return text[at++];
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || at + length > text.size()) return std::nullopt;
  char32_t code = lead & (0x7Fu >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return std::nullopt;
    code = (code << 6) | (byte(at + i) & 0x3Fu);
  }
  constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    return std::nullopt;
  }
  at += length;
  return code;
}
#endif

// Where the last element starts.
std::size_t NameStart(const std::wstring& text) {
  const auto last = std::find_if(text.rbegin(), text.rend(), FilePath::IsSeparator);
  return static_cast<std::size_t>(text.rend() - last);
}

}  // namespace

#ifdef _WIN32

FilePath FilePath::FromNative(const NativeString& native) {
  return FilePath(native);
}

FilePath FilePath::FromUtf8(std::string_view text) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  return FilePath(FromUtf16(*DecodeUtf8(std::span(bytes, text.size()), true)));
}

FilePath::NativeString FilePath::Native() const {
  return text_;
}

std::string FilePath::Utf8() const {
  return ToUtf8(text_);
}

#else

FilePath FilePath::FromNative(const NativeString& native) {
  std::wstring text;
  text.reserve(native.size());
  for (std::size_t at = 0; at < native.size();) {
    const std::optional<char32_t> code = NextCodePoint(native, at);
    text.push_back(static_cast<wchar_t>(
        code ? *code : kEscapedByte + static_cast<std::uint8_t>(native[at++])));
  }
  return FilePath(std::move(text));
}

FilePath FilePath::FromUtf8(std::string_view text) {
  return FromNative(std::string(text));
}

FilePath::NativeString FilePath::Native() const {
  std::string native;
  native.reserve(text_.size());
  for (const wchar_t c : text_) {
    const auto code = static_cast<char32_t>(c);
    if (code >= kEscapedByte + 0x80 && code <= kEscapedByte + 0xFF) {
      native.push_back(static_cast<char>(code - kEscapedByte));
    } else {
      AppendUtf8(code, native);
    }
  }
  return native;
}

std::string FilePath::Utf8() const {
  return Native();
}

#endif

std::wstring FilePath::FileName() const {
  return text_.substr(NameStart(text_));
}

FilePath FilePath::Parent() const {
  const std::size_t start = NameStart(text_);
  if (start == 0) return {};
  std::size_t end = start - 1;  // the separator before the name
  while (end > 0 && IsSeparator(text_[end - 1])) --end;
  if (end == 0) return FilePath(text_.substr(0, start));  // the root
#ifdef _WIN32
  if (end == 2 && text_[1] == L':') return FilePath(text_.substr(0, 3));  // "C:\"
#endif
  return FilePath(text_.substr(0, end));
}

FilePath FilePath::WithFileName(std::wstring_view name) const {
  std::wstring text = text_.substr(0, NameStart(text_));
  text += name;
  return FilePath(std::move(text));
}

FilePath FilePath::operator/(std::wstring_view name) const {
  std::wstring text = text_;
  if (!text.empty() && !IsSeparator(text.back())) text += kSeparator;
  text += name;
  return FilePath(std::move(text));
}

FilePath FilePath::Preferred() const {
  std::wstring text = text_;
  std::replace(text.begin(), text.end(), L'/', kSeparator);
  return FilePath(std::move(text));
}

bool FilePath::IsAbsolute() const {
#ifdef _WIN32
  if (text_.size() >= 2 && IsSeparator(text_[0]) && IsSeparator(text_[1])) return true;
  return text_.size() >= 3 && text_[1] == L':' && IsSeparator(text_[2]);
#else
  return !text_.empty() && text_[0] == L'/';
#endif
}

}  // namespace gm
