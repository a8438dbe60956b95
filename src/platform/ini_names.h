// How the names of INI sections and keys match: without regard to case, as the Windows profile
// functions match them. The portable INI engine and every comparison of macro names use this one
// rule, so that two names the file takes as one are never taken as two (the C runtime's towlower
// would not do: in the "C" locale the Windows one lowers only A-Z). Wine's profile functions
// fold A-Z only; a rule wider than theirs refuses at most a name Wine could have kept apart.
#pragma once

#include <string_view>

namespace gm {

// The character whose fold two names compare: its capital by the simple upper-case mapping of
// the Basic Multilingual Plane, as the Windows profile functions compare names (fullwidth,
// Armenian, Georgian, Cherokee ... included). A character without a capital, and every one
// beyond the plane (a surrogate in UTF-16), stays as it is.
char32_t FoldIniNameChar(char32_t c);

bool SameIniName(std::u16string_view a, std::u16string_view b);
bool SameIniName(std::wstring_view a, std::wstring_view b);

}  // namespace gm
