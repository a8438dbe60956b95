// The main window's fonts: the main font by language and system version, and the small font.
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

// windows62: the system reports version 6.2.
FontSpec MainFontSpec(Language language, bool windows62);
FontSpec SmallFontSpec();

}  // namespace gm
