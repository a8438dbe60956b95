// The help panel's texts, fonts and link, and the choice of the firmware updater to start.
#include <gtest/gtest.h>

#include "fake_shell.h"
#include "help/help_panel.h"
#include "help/updater.h"

namespace gm {
namespace {

TEST(HelpPanelTest, TextsFollowTheLanguageAndChineseKeepsEnglish) {
  const HelpTexts english = HelpTextsFor(Language::English);
  EXPECT_EQ(english.update, L"Update 驱动更新");
  EXPECT_EQ(english.version, L"Version\uFF1A1.0");  // full-width colon
  for (Language chinese : {Language::ChineseSimplified, Language::ChineseTraditional}) {
    const HelpTexts texts = HelpTextsFor(chinese);
    EXPECT_EQ(texts.link, english.link);
    EXPECT_EQ(texts.update, english.update);
    EXPECT_EQ(texts.version, english.version);
  }
  const HelpTexts german = HelpTextsFor(Language::German);
  EXPECT_EQ(german.update, L"Treiber Aktuelles ");  // the trailing blank belongs to it
  EXPECT_EQ(german.version, L"Version：1.0");
  std::wstring upper = english.link;
  for (wchar_t& c : upper) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  EXPECT_EQ(german.link, upper);  // the same address in capitals
  const HelpTexts russian = HelpTextsFor(Language::Russian);
  EXPECT_EQ(russian.update, L"Обновить");
  EXPECT_EQ(russian.version, L"Версия：1.1");
  EXPECT_NE(russian.link, english.link);
}

// Only the link band opens anything; the update line is not clickable.
TEST(HelpPanelTest, OnlyAClickOnTheLinkOpensTheSite) {
  test::FakeShell shell;
  HelpPanel panel(Language::German, shell);
  panel.OnClick(0, 0);
  panel.OnClick(165, 24);
  EXPECT_EQ(shell.opened,
            (std::vector<std::wstring>{kMakerWebAddressCapitals, kMakerWebAddressCapitals}));
  shell.opened.clear();
  panel.OnClick(166, 10);  // right of the band
  panel.OnClick(10, 25);   // the line between link and update
  panel.OnClick(10, 30);   // update
  panel.OnClick(10, 60);   // version
  EXPECT_TRUE(shell.opened.empty());
}

// A 64-bit Windows running a 32-bit program still starts the 64-bit updater: only the native
// architecture counts, and everything but AMD64 and IA64 gets the 32-bit one.
TEST(UpdaterTest, ArchitectureChoosesTheBuild) {
  EXPECT_EQ(UpdaterRelativePath(kArchitectureAmd64), L"Update/X64/FwUpdate.exe");
  EXPECT_EQ(UpdaterRelativePath(kArchitectureIa64), L"Update/X64/FwUpdate.exe");
  for (int other : {0, 5, 12, 0xFFFF}) {  // x86, ARM, ARM64, unknown
    EXPECT_EQ(UpdaterRelativePath(static_cast<std::uint16_t>(other)), L"Update/X86/FwUpdate.exe")
        << other;
  }
}

TEST(UpdaterTest, StartedBesideTheProgramOnlyForWParamZero) {
  const FilePath program = FilePath(L"QL-GM900.exe tools") / L"QL-GM900.exe";
  test::FakeShell shell;
  EXPECT_FALSE(OnStartUpdaterMessage(1, program, kArchitectureAmd64, shell));
  EXPECT_FALSE(OnStartUpdaterMessage(0xB13, program, kArchitectureAmd64, shell));
  EXPECT_TRUE(shell.opened.empty());

  EXPECT_TRUE(OnStartUpdaterMessage(0, program, kArchitectureAmd64, shell));
  ASSERT_EQ(shell.opened.size(), 1u);
  // The folder's own name, though it holds the program's name, stays as it is.
  EXPECT_EQ(FilePath(shell.opened[0]),
            (FilePath(L"QL-GM900.exe tools") / L"Update" / L"X64" / L"FwUpdate.exe").Preferred());
}

}  // namespace
}  // namespace gm
