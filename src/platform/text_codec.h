// Conversions between the program's text (std::wstring: UTF-16 on Windows, UTF-32 elsewhere),
// UTF-16 code units and the byte encodings of text files.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gm {

// wstring <-> UTF-16 code units. Lone surrogates pass through unchanged in both directions.
std::u16string ToUtf16(std::wstring_view text);
std::wstring FromUtf16(std::u16string_view text);

// Length in UTF-16 code units, the unit of the Windows functions' buffers.
std::size_t Utf16Length(std::wstring_view text);
// The longest start of the text that takes at most `units` UTF-16 code units without splitting
// a surrogate pair.
std::wstring_view Utf16Prefix(std::wstring_view text, std::size_t units);

// UTF-16 bytes without a byte-order mark. An odd trailing byte (a truncated file) is read as
// if a zero byte followed it, as Windows reads it.
std::u16string DecodeUtf16(std::span<const std::uint8_t> bytes, bool bigEndian);
void AppendUtf16(std::u16string_view text, bool bigEndian, std::vector<std::uint8_t>& out);

// UTF-8 without overlong forms or surrogates. Strict: nothing when the bytes are not UTF-8;
// lenient (replaceInvalid): every bad sequence becomes U+FFFD, as Windows decodes it.
std::optional<std::u16string> DecodeUtf8(std::span<const std::uint8_t> bytes,
                                         bool replaceInvalid = false);
// Lone surrogates become U+FFFD.
void AppendUtf8(std::u16string_view text, std::vector<std::uint8_t>& out);
// One code point as it stands, a surrogate included (file names keep bytes that way).
void AppendUtf8(char32_t codePoint, std::string& out);

// The program's text as UTF-8 (logs, traces, the console).
std::string ToUtf8(std::wstring_view text);

// Windows code page 1252. Every byte decodes (the five unassigned ones to the C1 controls of the
// same value, as Windows does); characters outside the code page encode as '?'.
std::u16string DecodeWindows1252(std::span<const std::uint8_t> bytes);
void AppendWindows1252(std::u16string_view text, std::vector<std::uint8_t>& out);

}  // namespace gm
