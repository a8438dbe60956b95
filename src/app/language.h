// The five languages of the program and the code that selects one.
#pragma once

#include <cstddef>
#include <string_view>

namespace gm {

enum class Language : std::size_t {
  English,
  ChineseSimplified,
  ChineseTraditional,
  German,
  Russian
};
inline constexpr std::size_t kLanguageCount = 5;

// The Lan value of a caption file: "CHS", "CHT", "GER", "RUS" (exact, case-sensitive);
// anything else, empty included, is English.
constexpr Language LanguageFromCode(std::wstring_view code) {
  if (code == L"CHS") return Language::ChineseSimplified;
  if (code == L"CHT") return Language::ChineseTraditional;
  if (code == L"GER") return Language::German;
  if (code == L"RUS") return Language::Russian;
  return Language::English;
}

constexpr std::size_t LanguageIndex(Language language) {
  return static_cast<std::size_t>(language);
}

}  // namespace gm
