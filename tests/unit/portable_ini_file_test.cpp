// The portable INI engine: the matching, trimming and writing rules of the Windows profile
// functions, the encodings it reads and keeps, and damaged files.
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "platform/ini_names.h"
#include "platform/portable_ini_file.h"
#include "platform/text_codec.h"
#include "temp_dir.h"

namespace gm {
namespace {

using test::AsciiBytes;
using test::ReadBytes;
using test::TempDir;
using test::Utf16File;
using test::WriteBytes;

TEST(PortableIniFile, ReadsKeysByTheRulesOfTheWindowsFunctions) {
  TempDir dir;
  const auto file = dir / "str.ini";
  WriteBytes(file, Utf16File(u"Top=before any section\r\n"
                             u"[Skins]\r\n"
                             u"  Lan =  CHS  \r\n"
                             u"lan=second\r\n"
                             u"Quoted=\"  spaced  \"\r\n"
                             u"Single='x'\r\n"
                             u"Half=\"open\r\n"
                             u"NoEquals\r\n"
                             u"\r\n"
                             u"[skins]\r\n"
                             u"Path=ignored, the first section of a name wins\r\n"
                             u"[Setting-CHS]\r\n"
                             u"Item1=左键\r\n"));
  PortableIniFile ini;
  EXPECT_EQ(ini.ReadString(file, L"Skins", L"Lan"), L"CHS");  // first duplicate, trimmed
  EXPECT_EQ(ini.ReadString(file, L"SKINS", L"LAN"), L"CHS");
  EXPECT_EQ(ini.ReadString(file, L" Skins ", L" Lan "), L"CHS");
  EXPECT_EQ(ini.ReadString(file, L"Skins", L"Quoted"), L"  spaced  ");
  EXPECT_EQ(ini.ReadString(file, L"Skins", L"Single"), L"x");
  EXPECT_EQ(ini.ReadString(file, L"Skins", L"Half"), L"\"open");
  EXPECT_EQ(ini.ReadString(file, L"Skins", L"NoEquals"), L"");
  EXPECT_EQ(ini.ReadString(file, L"Skins", L"Path"), L"");
  EXPECT_EQ(ini.ReadString(file, L"Skins", L"Missing"), L"");
  EXPECT_EQ(ini.ReadString(file, L"Missing", L"Lan"), L"");
  EXPECT_EQ(ini.ReadString(file, L"", L"Top"), L"before any section");
  EXPECT_EQ(ini.ReadString(file, L"Setting-CHS", L"Item1"), L"左键");
  EXPECT_EQ(ini.ReadString(dir / "absent.ini", L"Skins", L"Lan"), L"");

  EXPECT_EQ(ini.SectionNames(file, 1024),
            (std::vector<std::wstring>{L"Skins", L"skins", L"Setting-CHS"}));
}

// Names match as the Windows functions match them: by the capitals of the whole Basic
// Multilingual Plane. A pair the program takes as two names while Windows takes them as one
// section would let a new macro overwrite another.
TEST(IniNames, FoldToTheCapitalsOfTheBasicMultilingualPlane) {
  struct Case {
    const wchar_t* a;
    const wchar_t* b;
    bool same;
  };
  const Case cases[] = {
      {L"МАКРО_0 Ёж", L"макро_0 ёж", true},
      {L"ÄRGER Ÿ", L"ärger ÿ", true},
      {L"ΣΟΦΊΑΣ", L"σοφίας", true},  // both small sigmas have the capital Σ
      {L"ĀĹŁŽ", L"āĺłž", true},
      {L"ＭＡＣＲＯ＿１", L"ｍａｃｒｏ＿１", true},  // fullwidth, as Chinese input types it
      {L"ƀǄǅ", L"Ƀǆǆ", true},                        // Latin Extended-B, title case too
      {L"ԱՐԱՄ", L"արամ", true},                      // Armenian
      {L"Ⴀა", L"ⴀᲐ", true},                      // Georgian
      {L"Ꭰ", L"ꭰ", true},                          // Cherokee
      {L"ẠἈⅫⓐ", L"ạἀⅻⒶ", true},  // Latin and Greek Extended, numerals, circled letters
      {L"ſı", L"SI", true},      // long s, dotless i
      {L"µ", L"Μ", true},        // the micro sign's capital is Greek
      {L"ĺ", L"Ļ", false},
      {L"×", L"÷", false},
      {L"Macro", L"Macro_", false},
      {L"ß", L"ẞ", false},  // ß has no simple capital
      {L"k", L"K", false},  // the Kelvin sign is no capital of k
      {L"i", L"İ", false},  // nor is the dotted capital I
      {L"𐐀", L"𐐨", false},  // beyond the plane: Deseret stays apart
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.a) + " / " + ToUtf8(c.b));
    EXPECT_EQ(SameIniName(std::wstring_view(c.a), std::wstring_view(c.b)), c.same);
    EXPECT_EQ(SameIniName(ToUtf16(c.a), ToUtf16(c.b)), c.same);
  }

  TempDir dir;
  const auto file = dir / "record.ini";
  PortableIniFile ini;
  ASSERT_TRUE(ini.WriteString(file, L"Макро_0", L"ItemCount", L"2"));
  EXPECT_EQ(ini.ReadString(file, L"МАКРО_0", L"itemcount"), L"2");
  ASSERT_TRUE(ini.WriteString(file, L"ｍａｃｒｏ", L"ItemCount", L"3"));
  EXPECT_EQ(ini.ReadString(file, L"ＭＡＣＲＯ", L"ItemCount"), L"3");
  EXPECT_FALSE(ini.RenameSection(file, L"Макро_0", L"ＭａＣｒＯ"));
}

TEST(PortableIniFile, BufferSizeCutsValuesAndSectionLists) {
  TempDir dir;
  const auto file = dir / "long.ini";
  WriteBytes(file, Utf16File(u"[Profile]\r\nName=" + std::u16string(2000, u'a') +
                             u"\r\n[Skins]\r\n[Setting-EN]\r\n"));
  PortableIniFile ini;
  EXPECT_EQ(ini.ReadString(file, L"Profile", L"Name").size(), 1023u);
  EXPECT_EQ(ini.ReadString(file, L"Profile", L"Name", 5), L"aaaa");
  EXPECT_EQ(ini.ReadString(file, L"Profile", L"Name", 0), L"");

  // "Profile\0" takes 8 of the 11 usable characters; "Skins" no longer fits and is cut to
  // what is left before the closing NUL.
  EXPECT_EQ(ini.SectionNames(file, 12), (std::vector<std::wstring>{L"Profile", L"Sk"}));
  EXPECT_EQ(ini.SectionNames(file, 9), (std::vector<std::wstring>{L"Profile"}));
  EXPECT_TRUE(ini.SectionNames(file, 1).empty());
}

TEST(PortableIniFile, MissingFileIsCreatedAsUtf16WithByteOrderMark) {
  TempDir dir;
  const auto file = dir / "new.ini";
  PortableIniFile ini;
  ASSERT_TRUE(ini.WriteString(file, L"Setting-RUS", L"Item1", L"Кнопка Выкл"));
  ASSERT_TRUE(ini.WriteString(file, L"Setting-CHS", L"Item1", L"  按键关闭"));
  EXPECT_EQ(ReadBytes(file), Utf16File(u"[Setting-RUS]\r\nItem1=Кнопка Выкл\r\n"
                                       u"[Setting-CHS]\r\nItem1=按键关闭\r\n"));

  // An empty existing file has no encoding to keep: it becomes UTF-16 too.
  const auto empty = dir / "empty.ini";
  WriteBytes(empty, {});
  ASSERT_TRUE(ini.WriteString(empty, L"Skins", L"Lan", L"RUS"));
  EXPECT_EQ(ReadBytes(empty), Utf16File(u"[Skins]\r\nLan=RUS\r\n"));
}

TEST(PortableIniFile, WritesReplaceInPlaceAndDeletedSectionsMoveToTheEnd) {
  TempDir dir;
  const auto file = dir / "profiles.ini";
  WriteBytes(file, Utf16File(u"; note\r\n[Profile]\r\nItemCount = 2\r\n\r\n[Skins]\r\nLan=EN\r\n"));
  PortableIniFile ini;
  ASSERT_TRUE(ini.WriteString(file, L"profile", L"itemcount", L"3"));
  ASSERT_TRUE(ini.WriteString(file, L"Profile", L"Item2", L"C"));
  EXPECT_EQ(ReadBytes(file), Utf16File(u"; note\r\n[Profile]\r\nItemCount=3\r\nItem2=C\r\n"
                                       u"[Skins]\r\nLan=EN\r\n"));

  ASSERT_TRUE(ini.DeleteSection(file, L"PROFILE"));
  ASSERT_TRUE(ini.WriteString(file, L"Profile", L"ItemCount", L"1"));
  EXPECT_EQ(ini.SectionNames(file, 1024), (std::vector<std::wstring>{L"Skins", L"Profile"}));
  EXPECT_EQ(ini.ReadString(file, L"Profile", L"Item2"), L"");
  EXPECT_TRUE(ini.DeleteSection(file, L"NoSuchSection"));
  EXPECT_TRUE(ini.DeleteSection(dir / "absent.ini", L"Profile"));
  EXPECT_FALSE(std::filesystem::exists(dir / "absent.ini"));

  // Writing the value a key already has leaves the file untouched.
  const auto old = std::filesystem::last_write_time(file) - std::chrono::hours(1);
  std::filesystem::last_write_time(file, old);
  ASSERT_TRUE(ini.WriteString(file, L"Skins", L"Lan", L"EN"));
  EXPECT_EQ(std::filesystem::last_write_time(file), old);
}

TEST(PortableIniFile, KeepsTheEncodingOfFilesWithoutUtf16Mark) {
  TempDir dir;
  PortableIniFile ini;

  // ANSI (code page 1252): read as such and written back as such, like the Windows functions.
  const auto ansi = dir / "ansi.ini";
  WriteBytes(ansi, AsciiBytes("[Skins]\r\nName=M\xFCller \x80\r\n"));
  EXPECT_EQ(ini.ReadString(ansi, L"Skins", L"Name"), L"Müller €");
  ASSERT_TRUE(ini.WriteString(ansi, L"Skins", L"Lan", L"GER"));
  EXPECT_EQ(ReadBytes(ansi), AsciiBytes("[Skins]\r\nName=M\xFCller \x80\r\nLan=GER\r\n"));

  // UTF-8 without a mark is read as UTF-8 and stays UTF-8, so nothing is lost on writing.
  const auto utf8 = dir / "utf8.ini";
  WriteBytes(utf8, AsciiBytes("[Setting-RUS]\r\nItem1=\xD0\x9A\xD0\xBB\xD0\xB8\xD0\xBA\r\n"));
  EXPECT_EQ(ini.ReadString(utf8, L"Setting-RUS", L"Item1"), L"Клик");
  ASSERT_TRUE(ini.WriteString(utf8, L"Setting-RUS", L"Item2", L"Меню"));
  EXPECT_EQ(ini.ReadString(utf8, L"Setting-RUS", L"Item1"), L"Клик");
  EXPECT_EQ(ini.ReadString(utf8, L"Setting-RUS", L"Item2"), L"Меню");
  EXPECT_EQ(ReadBytes(utf8)[0], '[');

  const auto marked = dir / "marked.ini";
  WriteBytes(marked, AsciiBytes("\xEF\xBB\xBF[A]\nK=\xE4\xB8\xAD\n"));
  EXPECT_EQ(ini.ReadString(marked, L"A", L"K"), L"中");

  const auto bigEndian = dir / "be.ini";
  WriteBytes(bigEndian, {0xFE, 0xFF, 0, '[', 0, 'A', 0, ']', 0, '\n', 0, 'K', 0, '=', 0x4E, 0x2D});
  EXPECT_EQ(ini.ReadString(bigEndian, L"A", L"K"), L"中");
}

TEST(PortableIniFile, DamagedFilesNeverCrashAndCanBeWrittenAgain) {
  TempDir dir;
  PortableIniFile ini;
  std::mt19937 random(900);
  std::vector<std::uint8_t> garbage(8192);
  for (auto& byte : garbage) byte = static_cast<std::uint8_t>(random());

  std::vector<std::uint8_t> truncated = Utf16File(u"[Skins]\r\nLan=CHS\r\n[Setting-CHS]\r\nItem1=");
  truncated.push_back(0x3E);  // half of a character
  std::vector<std::uint8_t> surrogates = Utf16File(u"[Skins]\r\nLan=");
  surrogates.insert(surrogates.end(), {0x00, 0xD8, 0x00, 0xDC, 0x00, 0xDC, '\r', 0, '\n', 0});

  const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> cases = {
      {"garbage", garbage},
      {"long line", Utf16File(u"[Skins]\r\nLan=" + std::u16string(100000, u'x'))},
      {"no mark", AsciiBytes("[Skins]\nLan=CHS\n\x81\x8D\xFF\xFE")},
      {"truncated", truncated},
      {"surrogates", surrogates},
      {"nul", Utf16File(std::u16string(u"[Skins]\r\nLan=C\0HS\r\n", 20))},
      {"only mark", {0xFF, 0xFE}},
      {"one byte", {0xFF}}};
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    const auto file = dir / "damaged.ini";
    WriteBytes(file, bytes);
    const std::wstring lan = ini.ReadString(file, L"Skins", L"Lan");
    EXPECT_LE(lan.size(), 1023u);
    ini.SectionNames(file, 1024);
    ASSERT_TRUE(ini.WriteString(file, L"Setting-CHS", L"Item2", L"Menu"));
    EXPECT_EQ(ini.ReadString(file, L"Setting-CHS", L"Item2"), L"Menu");
    EXPECT_EQ(ini.ReadString(file, L"Skins", L"Lan"), lan);
  }
}

TEST(PortableIniFile, WritesThatCannotReachTheDiskFail) {
  TempDir dir;
  PortableIniFile ini;
  EXPECT_FALSE(ini.WriteString(dir / "no folder" / "str.ini", L"Skins", L"Lan", L"EN"));
  EXPECT_FALSE(ini.WriteString(dir.path(), L"Skins", L"Lan", L"EN"));
  EXPECT_FALSE(ini.WriteString({}, L"Skins", L"Lan", L"EN"));
  EXPECT_EQ(ini.ReadString(dir.path(), L"Skins", L"Lan"), L"");
}

}  // namespace
}  // namespace gm
