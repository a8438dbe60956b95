// The program's file paths: wide text, as the Windows file functions take it. On POSIX the file
// functions take bytes; there a path's text is those bytes read as UTF-8, and a byte that is not
// UTF-8 is kept as the code point U+DC80 + its value (never a character of its own), so that
// every file name survives the round trip.
//
// The standard library's path would do, but on Windows it brings most of the C++ runtime's locale
// and conversion code into the program.
#pragma once

#include <compare>
#include <concepts>
#include <string>
#include <string_view>

namespace gm {

class FilePath {
 public:
#ifdef _WIN32
  using NativeString = std::wstring;
  static constexpr wchar_t kSeparator = L'\\';
#else
  using NativeString = std::string;
  static constexpr wchar_t kSeparator = L'/';
#endif

  FilePath() = default;
  FilePath(std::wstring text) : text_(std::move(text)) {}
  FilePath(std::wstring_view text) : text_(text) {}
  FilePath(const wchar_t* text) : text_(text) {}
  // Any path type that holds the platform's native string (the standard library's, which
  // gm900ctl and the tests use), taken over without a conversion of the runtime's.
  template <typename StandardPath>
  requires requires(const StandardPath& path) {
    { path.native() } -> std::convertible_to<const NativeString&>;
  }
  FilePath(const StandardPath& path) : FilePath(FromNative(path.native())) {}

  static FilePath FromNative(const NativeString& native);
  static FilePath FromUtf8(std::string_view text);

  const std::wstring& Wide() const {
    return text_;
  }
  const wchar_t* c_str() const {
    return text_.c_str();
  }
  bool empty() const {
    return text_.empty();
  }
  // What the platform's file functions take.
  NativeString Native() const;
  // For logs, traces and the console.
  std::string Utf8() const;

  // The last element ("config.bin" of "C:\QL\config.bin"); empty when the path ends with a
  // separator.
  std::wstring FileName() const;
  // The folder the last element is in, without a trailing separator unless it is a root ("/",
  // "C:\"); empty for a bare name.
  FilePath Parent() const;
  // The last element replaced by `name`, which may hold separators of its own ("Update/X64/x").
  FilePath WithFileName(std::wstring_view name) const;
  // `name` appended after a separator (none is added after one that is there already).
  FilePath operator/(std::wstring_view name) const;
  // Every '/' made the platform's own separator (a no-op on POSIX).
  FilePath Preferred() const;
  // True for "/x" on POSIX; for "C:\x" and "\\server\x" on Windows.
  bool IsAbsolute() const;

  static bool IsSeparator(wchar_t c) {
#ifdef _WIN32
    return c == L'\\' || c == L'/';
#else
    return c == L'/';
#endif
  }

  bool operator==(const FilePath&) const = default;
  std::strong_ordering operator<=>(const FilePath&) const = default;

 private:
  std::wstring text_;
};

}  // namespace gm
