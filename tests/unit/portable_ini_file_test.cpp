// The portable INI engine: the matching, trimming and writing rules of the Windows profile
// functions, the encodings it reads and keeps, and damaged files.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <random>

#include "platform/file_replace.h"
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

// A file without a byte-order mark in the system's code page (here Chinese, 936) is read and
// written in it: its sections are found by place under the names the lists show.
TEST(PortableIniFile, AnsiFilesInTheSystemCodePage) {
  TempDir dir;
  const auto file = dir / "record.ini";
  using Names = std::vector<std::wstring>;
  PortableIniFile chinese(PortableIniFile::RecentFiles::kCompareContent, AnsiFiles{936, true});
  WriteBytes(file,
             AsciiBytes("[\xBB\xF0\xC1\xA6]\r\nItem0=A\r\n[\xBB\xF0\xC1\xA6]\r\nItem0=B\r\n"));
  EXPECT_EQ(chinese.SectionNames(file, 1024), (Names{L"火力", L"火力"}));
  ASSERT_TRUE(chinese.SectionAt(file, 1, L"火力"));
  EXPECT_EQ(chinese.SectionAt(file, 1, L"火力")->at(0).second, L"B");
  ASSERT_TRUE(chinese.RenameSectionAt(file, 1, L"火力", L"跳跃"));
  ASSERT_TRUE(chinese.WriteStringsAt(file, 0, L"火力", {{L"Item0", L"ก"}}));  // not in 936
  EXPECT_EQ(ReadBytes(file),
            AsciiBytes("[\xBB\xF0\xC1\xA6]\r\nItem0=?\r\n[\xCC\xF8\xD4\xBE]\r\nItem0=B\r\n"));

  // Read as the Windows functions read it, UTF-8 is ANSI too; else it is UTF-8.
  WriteBytes(file, AsciiBytes("[F\xC3\xBCrst]\r\n"));
  PortableIniFile windows(PortableIniFile::RecentFiles::kCompareContent, AnsiFiles{1252, false});
  EXPECT_EQ(windows.SectionNames(file, 1024), (Names{L"F\u00C3\u00BCrst"}));
  EXPECT_EQ(chinese.SectionNames(file, 1024), (Names{L"Fürst"}));
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

  // A kept file whose write fails shows what the file holds, not the change; the other kept
  // files stay as they are.
  WriteBytes(dir / "a.ini", Utf16File(u"[Skins]\r\nLan=EN\r\n"));
  WriteBytes(dir / "b.ini", Utf16File(u"[Skins]\r\nLan=GER\r\n"));
  ASSERT_EQ(ini.ReadString(dir / "a.ini", L"Skins", L"Lan"), L"EN");
  ASSERT_EQ(ini.ReadString(dir / "b.ini", L"Skins", L"Lan"), L"GER");
  SetFileStepFault([](FileStep step) { return step == FileStep::kWrite; });
  EXPECT_FALSE(ini.WriteString(dir / "b.ini", L"Skins", L"Lan", L"RUS"));
  SetFileStepFault({});
  EXPECT_EQ(ini.ReadString(dir / "b.ini", L"Skins", L"Lan"), L"GER");
  EXPECT_EQ(ini.ReadString(dir / "a.ini", L"Skins", L"Lan"), L"EN");
}

// What an engine reads from the file it keeps parsed, set against what a fresh engine reads
// from the file itself.
std::vector<std::wstring> Reads(IniFile& ini, const std::filesystem::path& file,
                                const std::vector<std::pair<std::wstring, std::wstring>>& keys) {
  std::vector<std::wstring> reads = ini.SectionNames(file, 1 << 20);
  for (const auto& [section, key] : keys) reads.push_back(ini.ReadString(file, section, key));
  return reads;
}

// A write whose text the file cannot hold as given (a line break, trailing blanks, a key name
// that reads as a header, an encoding guessed anew) must leave the kept form as the file reads,
// or the engine would read one thing while the file and the Windows functions hold another.
TEST(PortableIniFile, KeptFileReadsAsTheFileDoes) {
  using Keys = std::vector<std::pair<std::wstring, std::wstring>>;
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::function<void(IniFile&, const std::filesystem::path&)> change;
  };
  const auto utf16 = Utf16File(u"Top=1\r\n[A]\r\nK=1\r\n");
  const Keys probes = {{L"", L"Top"}, {L"", L"New"},  {L"A", L"K"}, {L"A", L"X"},
                       {L"A", L"a"},  {L"A", L"a=b"}, {L"A", L"L"}, {L"A", L"New"}};
  const std::vector<Case> cases = {
      {"line break in a value", utf16,
       [](IniFile& ini, const auto& f) { ini.WriteString(f, L"A", L"K", L"two\r\nX=3"); }},
      {"blanks after a value", utf16,
       [](IniFile& ini, const auto& f) { ini.WriteString(f, L"A", L"K", L"v \t"); }},
      {"= in a key name", utf16,
       [](IniFile& ini, const auto& f) { ini.WriteString(f, L"A", L"a=b", L"c"); }},
      {"key name like a header", utf16,
       [](IniFile& ini, const auto& f) { ini.WriteString(f, L"A", L"[B]", L"c"); }},
      {"NUL in a key name", utf16,
       [](IniFile& ini, const auto& f) {
         ini.WriteString(f, L"A", std::wstring(L"L\0Z", 3), L"c");
       }},
      {"line break in a section name", utf16,
       [](IniFile& ini, const auto& f) { ini.WriteString(f, L"S\nK=9", L"K", L"v"); }},
      {"line break in a new name", utf16,
       [](IniFile& ini, const auto& f) { ini.RenameSection(f, L"A", L"B\r\n[C]"); }},
      {"keys before the first header deleted", utf16,
       [](IniFile& ini, const auto& f) {
         ini.DeleteSection(f, L"");
         ini.WriteString(f, L"", L"New", L"2");
       }},
      {"a second nameless section", Utf16File(u"[A]\r\nK=1\r\n[]\r\nL=2\r\n"),
       [](IniFile& ini, const auto& f) { ini.WriteString(f, L"A", L"New", L"3"); }},
      {"NUL in the file", Utf16File(std::u16string(u"[A]\r\nL \0Z=1\r\n", 13)),
       [](IniFile& ini, const auto& f) { ini.WriteString(f, L"A", L"New", L"3"); }},
      {"ANSI that turns into UTF-8", AsciiBytes("[A]\r\nK=1\r\n"),
       [](IniFile& ini, const auto& f) { ini.WriteString(f, L"A", L"K", L"Ã©"); }},
      {"UTF-8 that turns into ANSI", AsciiBytes("[A]\r\nK=\xC3\xA9\r\n"),
       [](IniFile& ini, const auto& f) {
         ini.DeleteKey(f, L"A", L"K");
         ini.WriteString(f, L"A", L"New", L"中€");
         EXPECT_EQ(ini.ReadString(f, L"A", L"New"), L"?€");  // code page 1252 now
       }},
      {"lone surrogate in UTF-8", AsciiBytes("\xEF\xBB\xBF[A]\r\nK=1\r\n"),
       [](IniFile& ini, const auto& f) {
         ini.WriteString(f, L"A", L"K", std::wstring(1, static_cast<wchar_t>(0xD800)));
       }},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto file = dir / "kept.ini";
    WriteBytes(file, c.bytes);
    PortableIniFile kept;
    Reads(kept, file, probes);  // now parsed and kept
    c.change(kept, file);
    PortableIniFile fresh;
    EXPECT_EQ(Reads(kept, file, probes), Reads(fresh, file, probes));
  }
}

// Another program's change shows at once, whether it changed the size, the time, or, within
// one tick of the file system's clock, only the content.
TEST(PortableIniFile, ChangesBySomeoneElseAreReadAgain) {
  TempDir dir;
  const auto file = dir / "str.ini";
  PortableIniFile ini;
  WriteBytes(file, Utf16File(u"[Skins]\r\nLan=EN\r\n"));
  ASSERT_EQ(ini.ReadString(file, L"Skins", L"Lan"), L"EN");

  WriteBytes(file, Utf16File(u"[Skins]\r\nLan=GER\r\n"));
  EXPECT_EQ(ini.ReadString(file, L"Skins", L"Lan"), L"GER");

  const auto time = std::filesystem::last_write_time(file);
  WriteBytes(file, Utf16File(u"[Skins]\r\nLan=RUS\r\n"));
  std::filesystem::last_write_time(file, time);
  EXPECT_EQ(ini.ReadString(file, L"Skins", L"Lan"), L"RUS");

  PortableIniFile other;
  ASSERT_TRUE(other.WriteString(file, L"Skins", L"Lan", L"CHS"));
  EXPECT_EQ(ini.ReadString(file, L"Skins", L"Lan"), L"CHS");

  // Times long past: the kept form is trusted without a look at the content until the facts
  // change.
  std::filesystem::last_write_time(file, time - std::chrono::hours(1));
  EXPECT_EQ(ini.ReadString(file, L"Skins", L"Lan"), L"CHS");
  WriteBytes(file, Utf16File(u"[Skins]\r\nLan=CHT\r\n"));
  EXPECT_EQ(ini.ReadString(file, L"Skins", L"Lan"), L"CHT");

  // Gone: nothing is read, and a write starts a new file.
  std::filesystem::remove(file);
  EXPECT_EQ(ini.ReadString(file, L"Skins", L"Lan"), L"");
  ASSERT_TRUE(ini.WriteString(file, L"Skins", L"Path", L"Default"));
  EXPECT_EQ(ReadBytes(file), Utf16File(u"[Skins]\r\nPath=Default\r\n"));

  // A folder in its place cannot be written.
  std::filesystem::remove(file);
  std::filesystem::create_directory(file);
  EXPECT_FALSE(ini.WriteString(file, L"Skins", L"Lan", L"EN"));
  EXPECT_TRUE(ini.SectionNames(file, 1024).empty());
}

// Names are found through an index in large files: the first of a repeated name wins until it
// is deleted or renamed, and then the next one does.
TEST(PortableIniFile, LargeFilesFindTheFirstOfARepeatedName) {
  TempDir dir;
  const auto file = dir / "record.ini";
  std::u16string text;
  for (int k = 0; k < 1000; ++k) {
    const std::u16string name = k == 900 ? u"MACRO_7" : u"Macro_" + ToUtf16(std::to_wstring(k));
    text += u"[" + name + u"]\r\nItemCount=" + ToUtf16(std::to_wstring(k)) + u"\r\n";
  }
  text += u"[Long]\r\n";
  for (int i = 0; i < 2500; ++i) {
    text +=
        u"Item" + ToUtf16(std::to_wstring(i % 2000)) + u"=" + ToUtf16(std::to_wstring(i)) + u"\r\n";
  }
  WriteBytes(file, Utf16File(text));
  PortableIniFile ini;
  EXPECT_EQ(ini.SectionNames(file, 1 << 20).size(), 1001u);
  EXPECT_EQ(ini.ReadString(file, L"macro_999", L"itemcount"), L"999");
  EXPECT_EQ(ini.ReadString(file, L"Macro_7", L"ItemCount"), L"7");  // not the later MACRO_7's
  EXPECT_EQ(ini.ReadString(file, L"Long", L"Item1999"), L"1999");
  EXPECT_EQ(ini.ReadString(file, L"Long", L"Item3"), L"3");  // not the later Item3=2003

  ASSERT_TRUE(ini.DeleteKey(file, L"Long", L"Item3"));
  EXPECT_EQ(ini.ReadString(file, L"Long", L"Item3"), L"2003");
  ASSERT_TRUE(ini.WriteString(file, L"Long", L"Item2500", L"new"));
  EXPECT_EQ(ini.ReadString(file, L"Long", L"ITEM2500"), L"new");

  ASSERT_TRUE(ini.DeleteSection(file, L"Macro_1"));
  EXPECT_EQ(ini.ReadString(file, L"Macro_2", L"ItemCount"), L"2");
  EXPECT_EQ(ini.ReadString(file, L"Macro_1", L"ItemCount"), L"");
  ASSERT_TRUE(ini.RenameSection(file, L"Macro_5", L"Fire"));
  EXPECT_EQ(ini.ReadString(file, L"fire", L"ItemCount"), L"5");
  EXPECT_FALSE(ini.RenameSection(file, L"Macro_6", L"FIRE"));

  // Two sections of one name: the first answers until it goes or takes another name, then the
  // second does.
  const auto twice = dir / "twice.ini";
  WriteBytes(twice, Utf16File(u"[Macro_0]\r\nItemCount=1\r\n[Jump]\r\n[macro_0]\r\nItemCount=2\r\n"
                              u"[MACRO_0]\r\nItemCount=3\r\n"));
  EXPECT_EQ(ini.ReadString(twice, L"MACRO_0", L"ItemCount"), L"1");
  ASSERT_TRUE(ini.RenameSection(twice, L"Macro_0", L"Fire"));
  EXPECT_EQ(ini.ReadString(twice, L"MACRO_0", L"ItemCount"), L"2");
  ASSERT_TRUE(ini.DeleteSection(twice, L"Macro_0"));
  EXPECT_EQ(ini.ReadString(twice, L"MACRO_0", L"ItemCount"), L"3");
  EXPECT_FALSE(ini.RenameSection(twice, L"Jump", L"Macro_0"));  // the third holds the name
  EXPECT_EQ(ReadBytes(twice), Utf16File(u"[Fire]\r\nItemCount=1\r\n[Jump]\r\n"
                                        u"[MACRO_0]\r\nItemCount=3\r\n"));

  // The whole file, written back, is the file the engine read, less what was changed.
  PortableIniFile fresh;
  EXPECT_EQ(fresh.ReadString(file, L"Long", L"Item3"), L"2003");
  EXPECT_EQ(fresh.SectionNames(file, 1 << 20), ini.SectionNames(file, 1 << 20));
}

}  // namespace
}  // namespace gm
