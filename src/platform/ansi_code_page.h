// The ANSI code page: the encoding the Windows profile functions give a text file without a
// byte-order mark, the system's own (GetACP). One implementation per platform.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gm {

// The system's ANSI code page. Elsewhere than on Windows it is the one Windows has for the
// language the locale names (LC_ALL, LC_CTYPE or LANG: zh_CN 936, ja 932, ru 1251 ...), else 1252.
unsigned SystemAnsiCodePage();

// Text in code page `codePage` and back, as the system converts it: a byte that is no character
// becomes U+FFFD (1252 decodes every byte), a character the code page lacks '?'. A code page the
// system cannot convert is taken as 1252.
std::u16string DecodeAnsi(std::span<const std::uint8_t> bytes, unsigned codePage);
void AppendAnsi(std::u16string_view text, unsigned codePage, std::vector<std::uint8_t>& out);

}  // namespace gm
