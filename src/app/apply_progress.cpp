#include "app/apply_progress.h"

#include <array>

namespace gm {
namespace {

// Indexed by LanguageIndex.
constexpr std::array<const wchar_t*, kLanguageCount> kSavingWord = {
    L"Saving",                                                        // English
    L"\u6b63\u5728\u4fdd\u5b58",                                      // Chinese (simplified)
    L"\u6b63\u5728\u5132\u5b58",                                      // Chinese (traditional)
    L"Speichern",                                                     // German
    L"\u0421\u043e\u0445\u0440\u0430\u043d\u0435\u043d\u0438\u0435",  // Russian
};

}  // namespace

std::wstring ApplyProgressTip(Language language, const std::wstring& title, unsigned percent) {
  return title + L" - " + kSavingWord[LanguageIndex(language)] + L" " + std::to_wstring(percent) +
         L"%";
}

}  // namespace gm
