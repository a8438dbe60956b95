// The main window's texts: the language codes, the slots given by rule, and that no text loses
// a character on its way from the UTF-8 sources to UTF-16.
#include <gtest/gtest.h>

#include "config/language_table.h"
#include "platform/text_codec.h"

namespace gm {
namespace {

LanguageTable Filled(std::wstring_view code) {
  LanguageTable table;
  FillLanguageTable(table, code);
  return table;
}

TEST(LanguageTable, CodesSelectTablesExactlyAndTheCaptionSectionFollows) {
  EXPECT_EQ(LanguageTable()[slot::kCaptionSection], L"Setting-EN");
  EXPECT_EQ(Filled(L"CHS")[slot::kCaptionSection], L"Setting-CHS");
  EXPECT_EQ(Filled(L"CHT")[slot::kCaptionSection], L"Setting-CHT");
  EXPECT_EQ(Filled(L"GER")[slot::kCaptionSection], L"Setting-GER");
  EXPECT_EQ(Filled(L"RUS")[slot::kCaptionSection], L"Setting-RUS");
  for (std::wstring_view code : {L"chs", L"", L"EN", L"CHS ", L"Rus"}) {
    EXPECT_EQ(Filled(code)[slot::kCaptionSection], L"Setting-EN") << code.size();
    EXPECT_EQ(Filled(code).language(), Language::English);
  }

  // Refilling replaces every slot.
  LanguageTable table = Filled(L"RUS");
  FillLanguageTable(table, L"GER");
  EXPECT_EQ(table[slot::kXYSensitivity], L"Die Einstellungen der X/Y-Achse");
  EXPECT_EQ(table[slot::kFirstDpiStageBalloon + 2], L"DPI-Schalter auf der dritten Stufe ");
  EXPECT_EQ(table[slot::kMouseDetected], L"Das System erkennt die Gaming-Maus!");
  EXPECT_EQ(Filled(L"")[slot::kMouseDetected], L"The system detect the gaming mouse.");
}

TEST(LanguageTable, EverySlotIsFilledInEveryLanguage) {
  for (std::wstring_view code : {L"", L"CHS", L"CHT", L"GER", L"RUS"}) {
    const LanguageTable table = Filled(code);
    for (std::size_t s = 1; s <= kLanguageSlotCount; ++s) {
      EXPECT_FALSE(table[s].empty()) << "slot " << s << " language " << code.size();
    }
    EXPECT_TRUE(table[0].empty());
    EXPECT_TRUE(table[80].empty());
  }
}

TEST(LanguageTable, ButtonNamesAndCategoryTextsFollowTheirRules) {
  const LanguageTable english = Filled(L"");
  EXPECT_EQ(english[21], L"Button 1");
  EXPECT_EQ(english[27], L"Button 7");
  EXPECT_EQ(english[28], L"Button S1");
  EXPECT_EQ(english[39], L"Button S12");
  EXPECT_EQ(Filled(L"CHS")[21], L"按钮1");
  EXPECT_EQ(Filled(L"CHS")[28], L"按钮S1");
  EXPECT_EQ(Filled(L"CHT")[39], L"按鈕S12");
  EXPECT_EQ(Filled(L"GER")[21], L"Taste1");
  EXPECT_EQ(Filled(L"GER")[28], L"TasteS1");
  EXPECT_EQ(Filled(L"RUS")[21], L"Кнопка 1");
  EXPECT_EQ(Filled(L"RUS")[39], L"Кнопка S12");

  const wchar_t* const englishCategories[] = {L"Click",
                                              L"Menu",
                                              L"Universal Scroll",
                                              L"IE Forward",
                                              L"IE Backward",
                                              L"Left Title Scroll",
                                              L"Right Title Scroll",
                                              L"Double Click",
                                              L"CPI Cycle",
                                              L"Single Key",
                                              L"Button Off",
                                              L"Multimedia",
                                              L"Windows",
                                              L"HotKey",
                                              L"Combo Key",
                                              L"Macro Key"};
  for (std::size_t i = 0; i < 16; ++i) EXPECT_EQ(english[46 + i], englishCategories[i]);
  EXPECT_EQ(Filled(L"GER")[56], L"Abschalten Taste ");
  EXPECT_EQ(Filled(L"CHT")[51], L"左搖擺滾輪");
  EXPECT_EQ(Filled(L"RUS")[61], L"Макро Клавиша");
  EXPECT_EQ(english[slot::kDpiPlus], L"DPI +");
  EXPECT_EQ(Filled(L"CHS")[slot::kDpiMinus], L"DPI -");
}

TEST(LanguageTable, TextsReachUtf16WithEveryCharacter) {
  // The expected code units are written with escapes, independent of the source encoding.
  EXPECT_EQ(ToUtf16(Filled(L"CHS")[slot::kReset]), u"\u6062\u590D");
  EXPECT_EQ(ToUtf16(Filled(L"CHT")[slot::kMouseSpeed]), u"\u6ED1\u9F20\u79FB\u52D5\u901F\u5EA6");
  EXPECT_EQ(ToUtf16(Filled(L"CHS")[slot::kLeftKeyMustBeSelected]),
            u"\u5DE6\u952E\u529F\u80FD\u5FC5\u987B\u9009\u62E9\uFF01");
  EXPECT_EQ(ToUtf16(Filled(L"RUS")[slot::kTitle]),
            u"\u041F\u0435\u0440\u0438\u0444\u0435\u0440\u0438\u0447\u0435\u0441\u043A\u043E"
            u"\u0435");
  EXPECT_EQ(ToUtf16(Filled(L"GER")[slot::kOn]), u"\u00D6ffnen ");
  EXPECT_EQ(ToUtf16(Filled(L"GER")[slot::kOff]), u"Schlie\u00DFen ");
  EXPECT_EQ(ToUtf16(Filled(L"GER")[slot::kNumberOfRows]), u"M\u00E4userolle Nummer");
  EXPECT_EQ(FromUtf16(ToUtf16(Filled(L"CHT")[slot::kMouseNotDetected])),
            Filled(L"CHT")[slot::kMouseNotDetected]);
}

}  // namespace
}  // namespace gm
