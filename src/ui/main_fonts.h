// The program's fonts: one table that gives, for each place a font is used, the face, height
// and weight in each language. Only Simplified Chinese changes with the system version.
#pragma once

#include <string>

#include "config/language.h"

namespace gm {

struct FontSpec {
  std::wstring face;
  int height = 0;  // character-cell height in pixels
  int weight = 0;  // 0: the system's default weight
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// Where a font is used.
enum class FontUse {
  MainWindow,      // the main window's texts, lists and fields
  MainSmall,       // the main window's small texts
  MacroManager,    // the macro manager's texts, lists and field
  MacroPicker,     // the macro picker's texts and chosen name
  ProfileManager,  // the profile manager's title, New button and name list
  Help,            // the help panel's three lines
  SingleKey,       // the single-key dialog's texts and key name
  ComboKey,        // the combination-key dialog's texts, boxes and list
};

// windows62: the system reports version 6.2.
FontSpec FontFor(FontUse use, Language language, bool windows62);

}  // namespace gm
