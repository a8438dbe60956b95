// The macro picker's texts in the five languages, chosen by the language of the session when
// the dialog opens. Some hold line breaks that belong to them.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "config/language.h"

namespace gm {

inline constexpr std::size_t kMacroModeCount = 3;

struct MacroPickerTexts {
  std::array<std::wstring_view, kMacroModeCount> modes;  // mode 0, 1, 2
  std::wstring_view ok;
  std::wstring_view cancel;
  std::wstring_view prompt;
};

const MacroPickerTexts& MacroPickerTextsFor(Language language);

}  // namespace gm
