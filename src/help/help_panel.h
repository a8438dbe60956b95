// The help panel that drops down from the main window's help icon: a link to the maker's web
// site, an update line and the version, each in its own band of the panel; a click on the link
// opens the site in the system's browser.
#pragma once

#include <string>

#include "config/language.h"
#include "gfx/geometry.h"
#include "platform/shell.h"

namespace gm {

// The maker's web addresses; each is shown as the link and opened by a click on it.
inline constexpr wchar_t kMakerWebAddress[] = L"www.quillon.com";
inline constexpr wchar_t kMakerWebAddressCapitals[] = L"WWW.QUILLON.COM";
inline constexpr wchar_t kMakerWebAddressRussia[] = L"www.quillon.ru";

// Where the panel sits in the main window, and its three bands (panel pixels).
inline constexpr Point kHelpPanelAt{786, 25};
inline constexpr Rect kHelpLinkBand{0, 0, 166, 25};
inline constexpr Rect kHelpUpdateBand{0, 26, 166, 49};
inline constexpr Rect kHelpVersionBand{0, 50, 166, 77};

inline constexpr wchar_t kHelpBackgroundFailed[] = L"Help Dialog Load background image failed!!!";

struct HelpTexts {
  std::wstring link;  // shown and opened
  std::wstring update;
  std::wstring version;
};

// The Chinese languages show the English lines.
HelpTexts HelpTextsFor(Language language);

class HelpPanel {
 public:
  HelpPanel(Language language, Shell& shell) : texts_(HelpTextsFor(language)), shell_(shell) {}

  const HelpTexts& texts() const { return texts_; }
  // A left click at (x, y) in the panel: the link band opens the web site.
  void OnClick(int x, int y);

 private:
  HelpTexts texts_;
  Shell& shell_;
};

}  // namespace gm
