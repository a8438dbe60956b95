// The font table: each place's face, height and weight by language and system version.
#include <gtest/gtest.h>

#include "ui/main_fonts.h"

namespace gm {
namespace {

constexpr wchar_t kHeiti[] = L"\u9ED1\u4F53";
constexpr wchar_t kSongti[] = L"\u5B8B\u4F53";

TEST(MainFonts, MainWindowByLanguageAndVersion) {
  const auto main = [](Language language, bool windows62) {
    return FontFor(FontUse::MainWindow, language, windows62);
  };
  EXPECT_EQ(main(LanguageFromCode(L""), false), (FontSpec{L"Segoe UI", 15, 300}));
  EXPECT_EQ(main(Language::German, true), (FontSpec{L"Segoe UI", 15, 300}));
  EXPECT_EQ(main(Language::Russian, false), (FontSpec{L"Segoe UI", 15, 300}));
  EXPECT_EQ(main(Language::ChineseSimplified, true), (FontSpec{kHeiti, 13, 400}));
  EXPECT_EQ(main(Language::ChineseSimplified, false), (FontSpec{kSongti, 13, 400}));
  EXPECT_EQ(main(Language::ChineseTraditional, false), (FontSpec{kHeiti, 14, 400}));
  EXPECT_EQ(FontFor(FontUse::MainSmall, Language::English, false), (FontSpec{L"Arial", 12, 0}));
  // The small font is the same in every language.
  EXPECT_EQ(FontFor(FontUse::MainSmall, Language::ChineseSimplified, true),
            (FontSpec{L"Arial", 12, 0}));
}

TEST(MainFonts, DialogsByLanguageAndVersion) {
  // The help panel keeps Songti for Simplified Chinese on every version.
  for (const bool windows62 : {false, true}) {
    EXPECT_EQ(FontFor(FontUse::Help, Language::ChineseSimplified, windows62),
              (FontSpec{kSongti, 13, 400}));
  }
  EXPECT_EQ(FontFor(FontUse::Help, Language::English, false), (FontSpec{L"Arial", 14, 400}));
  EXPECT_EQ(FontFor(FontUse::Help, Language::German, false), (FontSpec{L"Arial", 14, 400}));
  EXPECT_EQ(FontFor(FontUse::Help, Language::Russian, false), (FontSpec{L"Arial", 14, 400}));
  EXPECT_EQ(FontFor(FontUse::Help, Language::ChineseTraditional, false),
            (FontSpec{kHeiti, 14, 400}));

  EXPECT_EQ(FontFor(FontUse::ProfileManager, Language::Russian, false),
            (FontSpec{L"Arial", 14, 400}));
  EXPECT_EQ(FontFor(FontUse::ProfileManager, Language::ChineseTraditional, true),
            (FontSpec{kHeiti, 14, 400}));
  EXPECT_EQ(FontFor(FontUse::ProfileManager, Language::ChineseSimplified, false),
            (FontSpec{kSongti, 13, 400}));
  EXPECT_EQ(FontFor(FontUse::ProfileManager, Language::ChineseSimplified, true),
            (FontSpec{kHeiti, 13, 400}));

  EXPECT_EQ(FontFor(FontUse::MacroPicker, Language::Russian, false), (FontSpec{L"Arial", 14, 400}));
  EXPECT_EQ(FontFor(FontUse::MacroPicker, Language::ChineseSimplified, true),
            (FontSpec{kHeiti, 13, 400}));

  EXPECT_EQ(FontFor(FontUse::MacroManager, Language::German, false),
            (FontSpec{L"Segoe UI", 15, 700}));
  EXPECT_EQ(FontFor(FontUse::MacroManager, Language::ChineseSimplified, true),
            (FontSpec{kHeiti, 13, 400}));
  EXPECT_EQ(FontFor(FontUse::MacroManager, Language::ChineseSimplified, false),
            (FontSpec{kSongti, 13, 400}));
  EXPECT_EQ(FontFor(FontUse::MacroManager, Language::ChineseTraditional, false),
            (FontSpec{kHeiti, 14, 400}));

  // The combination-key dialog's Heiti alone has a weight.
  EXPECT_EQ(FontFor(FontUse::ComboKey, Language::ChineseSimplified, false),
            (FontSpec{kSongti, 13, 0}));
  EXPECT_EQ(FontFor(FontUse::ComboKey, Language::ChineseSimplified, true),
            (FontSpec{kHeiti, 13, 400}));
  EXPECT_EQ(FontFor(FontUse::ComboKey, Language::ChineseTraditional, true),
            (FontSpec{kHeiti, 14, 0}));
  EXPECT_EQ(FontFor(FontUse::ComboKey, Language::Russian, false), (FontSpec{L"Arial", 14, 0}));
  EXPECT_EQ(FontFor(FontUse::SingleKey, Language::ChineseSimplified, true),
            (FontSpec{kHeiti, 13, 0}));
  EXPECT_EQ(FontFor(FontUse::SingleKey, Language::ChineseTraditional, false),
            (FontSpec{kHeiti, 14, 0}));
  EXPECT_EQ(FontFor(FontUse::SingleKey, Language::German, true), (FontSpec{L"Segoe UI", 15, 400}));
}

}  // namespace
}  // namespace gm
