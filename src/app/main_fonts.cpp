#include "app/main_fonts.h"

namespace gm {

FontSpec MainFontSpec(Language language, bool windows62) {
  switch (language) {
    case Language::ChineseSimplified:
      return {windows62 ? L"黑体" : L"宋体", 13, 400};
    case Language::ChineseTraditional:
      return {L"黑体", 14, 400};
    case Language::English:
    case Language::German:
    case Language::Russian:
      break;
  }
  return {L"Segoe UI", 15, 300};
}

FontSpec SmallFontSpec() {
  return {L"Arial", 12, 0};
}

}  // namespace gm
