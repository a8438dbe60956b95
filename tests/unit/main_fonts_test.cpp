// Fonts of the main window by language and system version.
#include <gtest/gtest.h>

#include "app/main_fonts.h"

namespace gm {
namespace {

TEST(MainFonts, ByLanguageAndVersion) {
  EXPECT_EQ(MainFontSpec(LanguageFromCode(L""), false), (FontSpec{L"Segoe UI", 15, 300}));
  EXPECT_EQ(MainFontSpec(Language::German, true), (FontSpec{L"Segoe UI", 15, 300}));
  EXPECT_EQ(MainFontSpec(Language::Russian, false), (FontSpec{L"Segoe UI", 15, 300}));
  EXPECT_EQ(MainFontSpec(Language::ChineseSimplified, true), (FontSpec{L"\u9ED1\u4F53", 13, 400}));
  EXPECT_EQ(MainFontSpec(Language::ChineseSimplified, false), (FontSpec{L"\u5B8B\u4F53", 13, 400}));
  EXPECT_EQ(MainFontSpec(Language::ChineseTraditional, false),
            (FontSpec{L"\u9ED1\u4F53", 14, 400}));
  EXPECT_EQ(SmallFontSpec(), (FontSpec{L"Arial", 12, 0}));
}

}  // namespace
}  // namespace gm
