// The portable INI engine held against the Windows profile functions: the same operations on
// copies of the same file must give the same results and leave the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>

#include "platform/portable_ini_file.h"
#include "platform/text_codec.h"
#include "platform/win32_ini_file.h"
#include "temp_dir.h"

namespace gm {
namespace {

using test::AsciiBytes;
using test::ReadBytes;
using test::TempDir;
using test::Utf16File;
using test::WriteBytes;

struct Op {
  enum Kind { Read, Write, Delete, DeleteKey, Rename, Names } kind;
  std::wstring section;
  std::wstring key;
  std::wstring value;
  std::size_t buffer = 1024;
};

Op Read(std::wstring section, std::wstring key, std::size_t buffer = 1024) {
  return {Op::Read, std::move(section), std::move(key), {}, buffer};
}
Op Write(std::wstring section, std::wstring key, std::wstring value) {
  return {Op::Write, std::move(section), std::move(key), std::move(value)};
}
Op Delete(std::wstring section) {
  return {Op::Delete, std::move(section), {}, {}};
}
Op DeleteKey(std::wstring section, std::wstring key) {
  return {Op::DeleteKey, std::move(section), std::move(key), {}};
}
Op Rename(std::wstring from, std::wstring to) {
  return {Op::Rename, std::move(from), {}, std::move(to)};
}
Op Names(std::size_t buffer = 1024) {
  return {Op::Names, {}, {}, {}, buffer};
}

std::vector<std::wstring> Run(IniFile& ini, const std::filesystem::path& file,
                              const std::vector<Op>& ops) {
  std::vector<std::wstring> results;
  for (const Op& op : ops) {
    switch (op.kind) {
      case Op::Read:
        results.push_back(L"read " + ini.ReadString(file, op.section, op.key, op.buffer));
        break;
      case Op::Write:
        results.push_back(ini.WriteString(file, op.section, op.key, op.value) ? L"written"
                                                                              : L"not written");
        break;
      case Op::Delete:
        results.push_back(ini.DeleteSection(file, op.section) ? L"deleted" : L"not deleted");
        break;
      case Op::DeleteKey:
        results.push_back(ini.DeleteKey(file, op.section, op.key) ? L"key deleted"
                                                                  : L"key not deleted");
        break;
      case Op::Rename:
        results.push_back(ini.RenameSection(file, op.section, op.value) ? L"renamed"
                                                                        : L"not renamed");
        break;
      case Op::Names: {
        std::wstring joined = L"names";
        for (const std::wstring& name : ini.SectionNames(file, op.buffer)) joined += L"|" + name;
        results.push_back(joined);
        break;
      }
    }
  }
  return results;
}

// Up to 24 bytes from position `from`, for failure messages.
std::string Hex(const std::vector<std::uint8_t>& bytes,
                std::vector<std::uint8_t>::const_iterator from) {
  std::string text;
  const auto begin = from - std::min<std::ptrdiff_t>(8, from - bytes.begin());
  for (auto it = begin; it != bytes.end() && it - begin < 24; ++it) {
    static constexpr char kDigits[] = "0123456789abcdef";
    text += kDigits[*it >> 4];
    text += kDigits[*it & 15];
    text += it + 1 == from ? '|' : ' ';
  }
  return text;
}

// `undefinedByte`: the index of a byte whose value Windows does not define (see the truncated
// UTF-16 case); both files must still agree on every other byte and on their size.
void CrossCheck(const std::optional<std::vector<std::uint8_t>>& initial, const std::vector<Op>& ops,
                std::optional<std::size_t> undefinedByte = std::nullopt) {
  TempDir dir;
  const auto windowsFile = dir / "windows.ini";
  const auto portableFile = dir / "portable.ini";
  if (initial) {
    WriteBytes(windowsFile, *initial);
    WriteBytes(portableFile, *initial);
  }
  Win32IniFile windows;
  PortableIniFile portable;
  const std::vector<std::wstring> expected = Run(windows, windowsFile, ops);
  const std::vector<std::wstring> actual = Run(portable, portableFile, ops);
  ASSERT_EQ(expected.size(), actual.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(expected[i], actual[i]) << "operation " << i;
  }
  ASSERT_EQ(std::filesystem::exists(windowsFile), std::filesystem::exists(portableFile));
  if (std::filesystem::exists(windowsFile)) {
    std::vector<std::uint8_t> windowsBytes = ReadBytes(windowsFile);
    std::vector<std::uint8_t> portableBytes = ReadBytes(portableFile);
    if (undefinedByte && *undefinedByte < windowsBytes.size() &&
        *undefinedByte < portableBytes.size()) {
      windowsBytes[*undefinedByte] = portableBytes[*undefinedByte];
    }
    const auto [w, p] = std::mismatch(windowsBytes.begin(), windowsBytes.end(),
                                      portableBytes.begin(), portableBytes.end());
    EXPECT_TRUE(w == windowsBytes.end() && p == portableBytes.end())
        << "sizes " << windowsBytes.size() << " and " << portableBytes.size()
        << ", first difference at byte " << (w - windowsBytes.begin()) << ": "
        << Hex(windowsBytes, w) << " / " << Hex(portableBytes, p);
  }
}

TEST(IniFileCrossCheck, ReadingRules) {
  SCOPED_TRACE("reading rules");
  CrossCheck(Utf16File(u"Top=before any section\r\n"
                       u"[Skins]\r\n"
                       u"  Lan =  CHS  \r\n"
                       u"lan=second\r\n"
                       u"Quoted=\"  spaced  \"\r\n"
                       u"Single='x'\r\n"
                       u"Half=\"open\r\n"
                       u"Mixed=\"a'\r\n"
                       u"Empty=\r\n"
                       u"NoEquals\r\n"
                       u"; comment=1\r\n"
                       u"\r\n"
                       u"[skins]\r\n"
                       u"Path=second section\r\n"
                       u"[Broken\r\n"
                       u"[Profile]\r\n"
                       u"Item0=" +
                       std::u16string(2000, u'a') + u"\r\n" + u"Quote=\"abcdef\"\r\n" +
                       u"[Setting-CHS]\r\nItem1=左键\r\n"),
             {Read(L"Skins", L"Lan"),
              Read(L"SKINS", L"LAN"),
              Read(L" Skins ", L" Lan "),
              Read(L"Skins", L"Quoted"),
              Read(L"Skins", L"Single"),
              Read(L"Skins", L"Half"),
              Read(L"Skins", L"Mixed"),
              Read(L"Skins", L"Empty"),
              Read(L"Skins", L"NoEquals"),
              Read(L"Skins", L"; comment"),
              Read(L"Skins", L"Path"),
              Read(L"", L"Top"),
              Read(L"Skins", L"[Broken"),
              Read(L"Profile", L"Item0"),
              Read(L"Profile", L"Item0", 5),
              Read(L"Profile", L"Quote", 4),
              Read(L"Profile", L"Quote", 6),
              Read(L"Profile", L"Quote", 7),
              Read(L"Profile", L"Quote", 8),
              Read(L"Setting-CHS", L"Item1"),
              Read(L"Missing", L"Item1"),
              Names(),
              Names(12),
              Names(9),
              Names(8),
              Names(2)});
}

TEST(IniFileCrossCheck, WritesDeletesAndOrder) {
  CrossCheck(Utf16File(u"[Profile]\r\nItemCount=2\r\nItem0=A\r\nItem1=B\r\n"
                       u"[Skins]\r\nLan=EN\r\nPath=Default\r\n"),
             {Write(L"profile", L"itemcount", L"3"), Write(L"Profile", L"Item2", L"C"),
              Write(L"Skins", L"Lan", L"EN"), Write(L"Setting-CHS", L"Item1", L"  左键 "),
              Write(L"Setting-RUS", L"Item1", L"Кнопка Выкл"), Delete(L"PROFILE"),
              Delete(L"NoSuchSection"), Write(L"Profile", L"ItemCount", L"1"),
              Read(L"Profile", L"Item0"), Read(L"Setting-CHS", L"Item1"),
              Read(L"Setting-RUS", L"Item1"), Names(), Delete(L" skins "), Names()});
}

TEST(IniFileCrossCheck, DeletedKeys) {
  CrossCheck(Utf16File(u"[Fire]\r\nItemCount=3\r\nItem0=A   Dn\r\nItem1=50 ms\r\nItem2=A   Up\r\n"
                       u"Item2=again\r\n[Jump]\r\nItem0=B\r\n"),
             {DeleteKey(L"fire", L"ITEM2"), Read(L"Fire", L"Item2"), DeleteKey(L"Fire", L"Item9"),
              DeleteKey(L"NoSuchSection", L"Item0"), DeleteKey(L"Jump", L"Item0"),
              Write(L"Fire", L"Item3", L"C"), Read(L"Jump", L"Item0"), Names()});
}

// The profile functions have no rename: the section and all after it are written again. The
// file must come out as the own engine renames in place.
TEST(IniFileCrossCheck, RenamedSectionsKeepTheirPlace) {
  CrossCheck(Utf16File(u"[Macro_0]\r\nMacroLoopTimes=2\r\nItemCount=1\r\nItem0=A   Dn\r\n"
                       u"[Макро_1]\r\nItemCount=2\r\nItem0=B   Dn\r\nItem1=\"q\"\r\n"
                       u"[Empty]\r\n"
                       u"[Last]\r\nItem0=C   Up\r\nItem0=again\r\n"),
             {Rename(L"macro_0", L"Огонь"), Names(), Rename(L"Last", L"MACRO_1"),
              Rename(L"Огонь", L"Empty"), Rename(L"Missing", L"Other"), Rename(L"Last", L""),
              Rename(L"Empty", L"empty"), Rename(L"Макро_1", L"Прыжок"), Names(),
              Read(L"Огонь", L"Item0"), Read(L"Прыжок", L"Item1"), Read(L"Last", L"Item0")});
  CrossCheck(std::nullopt, {Rename(L"A", L"B"), Names()});
}

TEST(IniFileCrossCheck, NewEmptyAndAnsiFiles) {
  const std::vector<Op> writes = {Write(L"Setting-CHS", L"Item1", L"中键"),
                                  Write(L"Setting-GER", L"Item1", L"Schließen "),
                                  Read(L"Setting-CHS", L"Item1"), Names()};
  {
    SCOPED_TRACE("missing file");
    CrossCheck(std::nullopt, writes);
  }
  {
    SCOPED_TRACE("empty file");
    CrossCheck(std::vector<std::uint8_t>{}, writes);
  }
  {
    SCOPED_TRACE("ANSI file");
    CrossCheck(AsciiBytes("[Skins]\r\nLan=GER\r\nName=M\xFC"
                          "ller\r\n"),
               {Read(L"Skins", L"Name"), Write(L"Skins", L"Path", L"Grün"),
                Write(L"Skins", L"Lan", L"EN"), Read(L"Skins", L"Path")});
  }
  {
    SCOPED_TRACE("deleting in a missing file");
    CrossCheck(std::nullopt, {Delete(L"Skins"), Read(L"Skins", L"Lan"), Names()});
  }
}

// The system reads a file without a byte-order mark in its ANSI code page, also one whose bytes
// are UTF-8: the calls by place find its sections under the names the system lists.
TEST(IniFileCrossCheck, AnsiFilesReachedByPlace) {
  TempDir dir;
  const auto file = dir / "record.ini";
  WriteBytes(file, AsciiBytes("[F\xC3\xBCrst]\r\nItem0=A\r\n[F\xC3\xBCrst]\r\nItem0=B\r\n"));
  Win32IniFile ini;
  const std::vector<std::wstring> names = ini.SectionNames(file, 1024);
  ASSERT_EQ(names.size(), 2u);
  const std::optional<IniKeyValues> second = ini.SectionAt(file, 1, names[1]);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->at(0).second, L"B");
  EXPECT_TRUE(ini.DeleteSectionAt(file, 0, names[0]));
  EXPECT_EQ(ReadBytes(file), AsciiBytes("[F\xC3\xBCrst]\r\nItem0=B\r\n"));
}

TEST(IniFileCrossCheck, DamagedFiles) {
  std::mt19937 random(900);
  std::vector<std::uint8_t> garbage(4096);
  for (auto& byte : garbage) byte = static_cast<std::uint8_t>(random() % 0x7F + 1);
  std::vector<std::uint8_t> binary(4096);
  for (auto& byte : binary) byte = static_cast<std::uint8_t>(random());
  std::vector<std::uint8_t> truncated = Utf16File(u"[Skins]\r\nLan=CHS\r\n[Setting-CHS]\r\nI=");
  truncated.push_back(0x3E);

  const std::vector<Op> ops = {Read(L"Skins", L"Lan"), Names(),
                               Write(L"Setting-EN", L"Item1", L"Click"),
                               Read(L"Setting-EN", L"Item1"), Read(L"Skins", L"Lan")};
  {
    SCOPED_TRACE("garbage");
    CrossCheck(garbage, ops);
  }
  {
    SCOPED_TRACE("binary");
    CrossCheck(binary, ops);
  }
  {
    SCOPED_TRACE("long line");
    CrossCheck(Utf16File(u"[Skins]\r\nLan=" + std::u16string(100000, u'x') + u"\r\n"), ops);
  }
  {
    // The profile functions pair the file's last, odd byte with whatever follows it in their
    // buffer: the high byte of that character, written back in place, changes from run to run
    // under Wine. Everything else (what is read, the other sections, the size) is defined.
    SCOPED_TRACE("truncated UTF-16");
    CrossCheck(truncated, ops, truncated.size());
  }
}

// Files far larger than the program writes: many sections, a long one, and a name repeated
// (in ASCII case only: Wine folds A-Z alone). A rename near the end: the system's is a rewrite
// of every section after the renamed one, seconds for thousands.
TEST(IniFileCrossCheck, LargeFilesAndRepeatedNames) {
  std::u16string many;
  for (int k = 0; k < 2000; ++k) {
    const std::u16string number = ToUtf16(std::to_wstring(k));
    many += u"[Macro_" + number + u"]\r\nItemCount=" + number + u"\r\nItem0=A   Dn\r\n";
  }
  {
    SCOPED_TRACE("many sections");
    CrossCheck(Utf16File(many),
               {Read(L"macro_1999", L"ItemCount"), Read(L"Macro_1000", L"item0"), Names(1024),
                Write(L"Macro_700", L"Item1", L"50 ms"), Delete(L"Macro_3"),
                Write(L"Macro_3", L"ItemCount", L"0"), Rename(L"Macro_1995", L"Fire"),
                Rename(L"Macro_1996", L"macro_1997"), Read(L"Macro_700", L"Item1"),
                Read(L"fire", L"ItemCount"), Names(65536)});
  }
  std::u16string longSection = u"[Top]\r\nA=1\r\n[Long]\r\n";
  for (int i = 0; i < 6000; ++i) {
    longSection +=
        u"Item" + ToUtf16(std::to_wstring(i % 5000)) + u"=" + ToUtf16(std::to_wstring(i)) + u"\r\n";
  }
  longSection += u"[End]\r\nZ=26\r\n";
  {
    SCOPED_TRACE("a long section");
    CrossCheck(Utf16File(longSection),
               {Read(L"Long", L"Item4999"), Read(L"LONG", L"item10"), DeleteKey(L"Long", L"Item10"),
                Read(L"Long", L"Item10"), Write(L"Long", L"Item2500", L"changed"),
                Write(L"Long", L"Item6000", L"new"), Read(L"Long", L"Item6000"), Read(L"End", L"Z"),
                Names()});
  }
  {
    SCOPED_TRACE("a repeated name");
    CrossCheck(
        Utf16File(u"[Fire]\r\nItemCount=1\r\n[Jump]\r\nItemCount=2\r\n"
                  u"[fire]\r\nItemCount=3\r\nItem0=B   Dn\r\n[FIRE]\r\nItemCount=4\r\n"),
        {Read(L"FIRE", L"ItemCount"), Read(L"fire", L"Item0"), Write(L"fire", L"Item0", L"A   Dn"),
         Delete(L"Fire"), Read(L"Fire", L"ItemCount"), Read(L"Fire", L"Item0"), Delete(L"FIRE"),
         Read(L"Fire", L"ItemCount"), Rename(L"Fire", L"Jump"), Rename(L"Fire", L"Blaze"),
         Write(L"Fire", L"ItemCount", L"5"), Names(), Read(L"Blaze", L"ItemCount")});
  }
}

}  // namespace
}  // namespace gm
