#include "ui/main_fonts_win32.h"

namespace gm {

bool SystemIsVersion62() {
  const DWORD version = GetVersion();
  return LOBYTE(LOWORD(version)) == 6 && HIBYTE(LOWORD(version)) == 2;
}

HFONT CreateFontFromSpec(const FontSpec& font, BYTE charset) {
  return CreateFontW(font.height, 0, 0, 0, font.weight, FALSE, FALSE, FALSE, charset,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, font.face.c_str());
}

HFONT CreateFontFor(FontUse use, Language language, BYTE charset) {
  return CreateFontFromSpec(FontFor(use, language, SystemIsVersion62()), charset);
}

}  // namespace gm
