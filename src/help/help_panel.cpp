#include "help/help_panel.h"

namespace gm {

HelpTexts HelpTextsFor(Language language) {
  switch (language) {
    case Language::German:
      return {kMakerWebAddressCapitals, L"Treiber Aktuelles ", L"Version：1.0"};
    case Language::Russian:
      return {kMakerWebAddressRussia, L"Обновить", L"Версия：1.1"};
    case Language::English:
    case Language::ChineseSimplified:
    case Language::ChineseTraditional:
      break;
  }
  return {kMakerWebAddress, L"Update 驱动更新", L"Version：1.0"};
}

void HelpPanel::OnClick(int x, int y) {
  if (kHelpLinkBand.Contains(x, y)) shell_.Open(texts_.link);
}

}  // namespace gm
