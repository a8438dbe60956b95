// The five languages of the program, the code that selects one and the section of the
// caption file that holds a language's button captions.
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

// The caption file's section of the 19 button captions in a language.
constexpr std::wstring_view CaptionSection(Language language) {
  constexpr std::wstring_view kSections[kLanguageCount] = {
      L"Setting-EN", L"Setting-CHS", L"Setting-CHT", L"Setting-GER", L"Setting-RUS"};
  return kSections[LanguageIndex(language)];
}

}  // namespace gm
