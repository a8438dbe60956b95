// The fonts of the table in main_fonts.h made for this system.
#pragma once

#include <windows.h>

#include "ui/main_fonts.h"

namespace gm {

// Whether the system reports version 6.2, which changes the Simplified Chinese face.
bool SystemIsVersion62();

HFONT CreateFontFromSpec(const FontSpec& font, BYTE charset = DEFAULT_CHARSET);
// The font of `use` in `language` on this system; the caller deletes it.
HFONT CreateFontFor(FontUse use, Language language, BYTE charset = DEFAULT_CHARSET);

}  // namespace gm
