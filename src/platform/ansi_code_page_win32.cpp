#include <windows.h>

#include <limits>

#include "platform/ansi_code_page.h"
#include "platform/text_codec.h"

namespace gm {

unsigned SystemAnsiCodePage() {
  return GetACP();
}

std::u16string DecodeAnsi(std::span<const std::uint8_t> bytes, unsigned codePage) {
  if (bytes.empty()) return {};
  if (codePage == 1252 || !IsValidCodePage(codePage) ||
      bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    return DecodeWindows1252(bytes);
  }
  const auto* in = reinterpret_cast<const char*>(bytes.data());
  const int size = static_cast<int>(bytes.size());
  const int units = MultiByteToWideChar(codePage, 0, in, size, nullptr, 0);
  std::wstring text(static_cast<std::size_t>(units > 0 ? units : 0), L'\0');
  if (units > 0) MultiByteToWideChar(codePage, 0, in, size, text.data(), units);
  return std::u16string(text.begin(), text.end());
}

void AppendAnsi(std::u16string_view text, unsigned codePage, std::vector<std::uint8_t>& out) {
  if (text.empty()) return;
  if (codePage == 1252 || !IsValidCodePage(codePage) ||
      text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    AppendWindows1252(text, out);
    return;
  }
  const std::wstring wide(text.begin(), text.end());
  const int size = static_cast<int>(wide.size());
  const int bytes =
      WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return;
  const std::size_t at = out.size();
  out.resize(at + static_cast<std::size_t>(bytes));
  WideCharToMultiByte(codePage, 0, wide.data(), size, reinterpret_cast<char*>(out.data() + at),
                      bytes, nullptr, nullptr);
}

}  // namespace gm
