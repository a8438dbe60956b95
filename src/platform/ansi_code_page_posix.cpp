#include <iconv.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/ansi_code_page.h"
#include "platform/text_codec.h"

namespace gm {
namespace {

// Windows' ANSI code page for a language (and, for Chinese, its region).
unsigned CodePageForLocale(std::string_view locale) {
  const std::string_view language = locale.substr(0, locale.find_first_of("_.@"));
  if (language == "zh") {
    const bool traditional =
        locale.starts_with("zh_TW") || locale.starts_with("zh_HK") || locale.starts_with("zh_MO");
    return traditional ? 950 : 936;
  }
  struct Entry {
    std::string_view language;
    unsigned codePage;
  };
  static constexpr Entry kLanguages[] = {
      {"ja", 932},  {"ko", 949},  {"th", 874},  {"ru", 1251}, {"uk", 1251},
      {"be", 1251}, {"bg", 1251}, {"sr", 1251}, {"mk", 1251}, {"pl", 1250},
      {"cs", 1250}, {"sk", 1250}, {"hu", 1250}, {"sl", 1250}, {"hr", 1250},
      {"ro", 1250}, {"el", 1253}, {"tr", 1254}, {"he", 1255}, {"ar", 1256},
      {"fa", 1256}, {"et", 1257}, {"lv", 1257}, {"lt", 1257}, {"vi", 1258}};
  for (const Entry& entry : kLanguages) {
    if (entry.language == language) return entry.codePage;
  }
  return 1252;
}

// A converter between the code page and UTF-16LE; (iconv_t)-1 when the system has none.
iconv_t Open(unsigned codePage, bool decode) {
  const std::string name = "CP" + std::to_string(codePage);
  return decode ? iconv_open("UTF-16LE", name.c_str()) : iconv_open(name.c_str(), "UTF-16LE");
}

bool Missing(iconv_t converter) {
  return converter == reinterpret_cast<iconv_t>(-1);
}

}  // namespace

unsigned SystemAnsiCodePage() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return CodePageForLocale(value);
  }
  return 1252;
}

std::u16string DecodeAnsi(std::span<const std::uint8_t> bytes, unsigned codePage) {
  if (bytes.empty()) return {};
  const iconv_t converter = codePage == 1252 ? reinterpret_cast<iconv_t>(-1) : Open(codePage, true);
  if (Missing(converter)) return DecodeWindows1252(bytes);
  std::u16string text;
  std::vector<char> in(bytes.begin(), bytes.end());
  char* from = in.data();
  std::size_t left = in.size();
  char16_t buffer[512];
  while (left > 0) {
    char* to = reinterpret_cast<char*>(buffer);
    std::size_t room = sizeof(buffer);
    const std::size_t result = iconv(converter, &from, &left, &to, &room);
    text.append(buffer, (sizeof(buffer) - room) / sizeof(char16_t));
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
      // A byte that begins no character, or a character cut off by the end.
      text.push_back(u'\uFFFD');
      ++from;
      --left;
    }
  }
  iconv_close(converter);
  return text;
}

void AppendAnsi(std::u16string_view text, unsigned codePage, std::vector<std::uint8_t>& out) {
  if (text.empty()) return;
  const iconv_t converter =
      codePage == 1252 ? reinterpret_cast<iconv_t>(-1) : Open(codePage, false);
  if (Missing(converter)) {
    AppendWindows1252(text, out);
    return;
  }
  std::vector<char> in;
  in.reserve(text.size() * 2);
  for (const char16_t unit : text) {
    in.push_back(static_cast<char>(unit & 0xFF));
    in.push_back(static_cast<char>(unit >> 8));
  }
  char* from = in.data();
  std::size_t left = in.size();
  char buffer[512];
  while (left > 0) {
    char* to = buffer;
    std::size_t room = sizeof(buffer);
    const std::size_t result = iconv(converter, &from, &left, &to, &room);
    out.insert(out.end(), buffer, to);
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
      // A character the code page lacks, or half a surrogate pair: one '?' for it.
      const auto unit = static_cast<char16_t>(static_cast<std::uint8_t>(from[0]) |
                                              static_cast<std::uint8_t>(from[1]) << 8);
      const bool pair = unit >= 0xD800 && unit <= 0xDBFF && left >= 4;
      out.push_back('?');
      from += pair ? 4 : 2;
      left -= pair ? 4 : 2;
    }
  }
  iconv_close(converter);
}

}  // namespace gm
