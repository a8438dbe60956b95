// The macro store on a real record.ini: through the own INI engine everywhere and, on Windows,
// through the system's profile functions too.
#include <gtest/gtest.h>

#include "macro/macro_store.h"
#include "macro_items.h"
#include "platform/portable_ini_file.h"
#include "platform/text_codec.h"
#include "temp_dir.h"
#ifdef _WIN32
#include "platform/win32_ini_file.h"
#endif

namespace gm {
namespace {

using test::Delay;
using test::Press;
using test::Release;
using test::RestIsZero;
using Names = std::vector<std::wstring>;

template <typename Engine>
class MacroStoreFile : public ::testing::Test {
 protected:
  // record.ini as shipped: UTF-16LE with its byte-order mark.
  void SetUp() override { test::WriteBytes(path, test::Utf16File(u"")); }

  void Add(const std::wstring& name, bool delay, bool loop, const std::wstring& loopTimes,
           const std::vector<std::wstring>& items) {
    ASSERT_EQ(store.Store(Macro{name, delay, loop, loopTimes, items}),
              MacroStore::StoreResult::Written);
  }

  // The keys of a section in file order.
  Names KeysOf(const std::wstring& section) {
    const std::vector<std::uint8_t> bytes = test::ReadBytes(path);
    EXPECT_GE(bytes.size(), 2u);
    const std::wstring text = FromUtf16(
        DecodeUtf16(std::span(bytes).subspan(std::min<std::size_t>(2, bytes.size())), false));
    Names keys;
    bool inside = false;
    for (std::size_t at = 0; at < text.size();) {
      std::size_t end = text.find(L"\r\n", at);
      if (end == std::wstring::npos) end = text.size();
      const std::wstring line = text.substr(at, end - at);
      at = end + 2;
      if (line.starts_with(L"[")) {
        inside = line == L"[" + section + L"]";
      } else if (inside && line.find(L'=') != std::wstring::npos) {
        keys.push_back(line.substr(0, line.find(L'=')));
      }
    }
    return keys;
  }

  test::TempDir dir;
  std::filesystem::path path = dir / "record.ini";
  Engine ini;
  MacroStore store{ini, path};
};

#ifdef _WIN32
using Engines = ::testing::Types<PortableIniFile, Win32IniFile>;
#else
using Engines = ::testing::Types<PortableIniFile>;
#endif
TYPED_TEST_SUITE(MacroStoreFile, Engines);

TYPED_TEST(MacroStoreFile, WorkedExample) {
  this->Add(
      L"Macro_0", true, true, L"3",
      {Press(L"A"), Delay(120), Release(L"A"), Delay(3000), Press(L"B"), Delay(20), Release(L"B")});
  const auto encoding = this->store.EncodeAll();
  ASSERT_TRUE(encoding && encoding->ok());
  const MacroBlock& block = encoding->blocks[0];
  EXPECT_EQ(test::Bytes(block.begin(), block.begin() + 12),
            (test::Bytes{0x00, 0x03, 0x0C, 0x04, 0x80, 0x04, 0x1E, 0x03, 0x02, 0x05, 0x80, 0x05}));
  EXPECT_TRUE(RestIsZero(block, 12));
  for (std::size_t k = 1; k < kMacroCount; ++k) EXPECT_TRUE(RestIsZero(encoding->blocks[k], 0));

  const std::vector<std::string> lines = MacroBlockLines(encoding->blocks);
  ASSERT_EQ(lines.size(), kMacroCount);
  EXPECT_EQ(lines[0].substr(0, 50), "macro-block 0 00 03 0c 04 80 04 1e 03 02 05 80 05 ");
  EXPECT_EQ(lines[0].size(), 14 + 128 * 3 - 1);
  EXPECT_EQ(lines[18].substr(0, 18), "macro-block 18 00 ");
}

TYPED_TEST(MacroStoreFile, StoreWritesTheKeysInTheirOrderAndKeepsTheMacrosPlace) {
  this->Add(L"Macro_0", false, false, L"9", {Press(L"X"), Release(L"X"), Press(L"Y")});
  this->Add(L"Macro_1", false, true, L"4", {Press(L"Z"), Delay(10), Release(L"Z")});
  this->ini.WriteString(this->path, L"Macro_2", L"MacroLoopTimes", L"1");  // as New leaves it
  this->Add(L"macro_0", true, false, L"12", {Press(L"A"), Delay(50)});
  // Block numbers are file positions: a store must not move a macro behind the others, and
  // the items it no longer has go.
  EXPECT_EQ(this->store.Names(), (Names{L"Macro_0", L"Macro_1", L"Macro_2"}));
  EXPECT_EQ(this->KeysOf(L"Macro_0"), (Names{L"DelayTimeSelStatus", L"LoopTimeSelStatus",
                                             L"MacroLoopTimes", L"ItemCount", L"Item0", L"Item1"}));
  const auto later = this->store.Load(L"Macro_1");
  EXPECT_EQ(later->items, (Names{Press(L"Z"), Delay(10), Release(L"Z")}));
  EXPECT_EQ(later->loopTimes, L"4");

  // The last section is deleted and written again: its keys come in their fixed order.
  this->Add(L"Macro_2", true, true, L"2", {Press(L"B")});
  EXPECT_EQ(this->KeysOf(L"Macro_2"), (Names{L"DelayTimeSelStatus", L"LoopTimeSelStatus",
                                             L"MacroLoopTimes", L"ItemCount", L"Item0"}));
  EXPECT_EQ(this->store.Names(), (Names{L"Macro_0", L"Macro_1", L"Macro_2"}));

  // An empty list leaves the section; no selection stores nothing.
  EXPECT_EQ(this->store.Store(Macro{L"Macro_0", true, false, L"12", {}}),
            MacroStore::StoreResult::EmptyListKept);
  EXPECT_EQ(this->store.Store(Macro{L"", false, false, L"1", {Press(L"A")}}),
            MacroStore::StoreResult::NotStored);
  EXPECT_EQ(this->store.Load(L"Macro_0")->items, (Names{Press(L"A"), Delay(50)}));
}

TYPED_TEST(MacroStoreFile, LoadDeleteAndRepeatCount) {
  this->Add(L"First", true, false, L"25", {Press(L"A"), Delay(10), Release(L"A")});
  this->Add(L"Second", false, true, L"3", {Press(L"B")});
  this->ini.WriteString(this->path, L"First", L"LoopTimeSelStatus", L"7");
  const MacroList list = this->store.LoadAll();
  EXPECT_EQ(list.names, (Names{L"First", L"Second"}));
  ASSERT_TRUE(list.first);
  EXPECT_EQ(list.first->delayOption, true);
  EXPECT_EQ(list.first->loopOption, std::nullopt);  // 7: the manager keeps its state
  EXPECT_EQ(list.first->loopTimes, L"25");
  EXPECT_EQ(list.first->items, (Names{Press(L"A"), Delay(10), Release(L"A")}));
  EXPECT_EQ(this->store.Load(L"second")->loopOption, true);

  EXPECT_TRUE(this->store.SetRepeatCount(L"Second", 65535));
  EXPECT_EQ(this->store.Load(L"Second")->loopTimes, L"65535");
  EXPECT_TRUE(this->store.SetRepeatCount(L"Macro_5", 1));  // how New creates a macro
  EXPECT_EQ(this->KeysOf(L"Macro_5"), (Names{L"MacroLoopTimes"}));

  EXPECT_TRUE(this->store.Delete(L"First"));
  EXPECT_EQ(this->store.Names(), (Names{L"Second", L"Macro_5"}));
  const auto encoding = this->store.EncodeAll();
  EXPECT_EQ(encoding->blocks[0][3], 0x05);  // the later macros move up
  EXPECT_TRUE(RestIsZero(encoding->blocks[1], 0));
}

TYPED_TEST(MacroStoreFile, ItemsMissingFromADamagedSectionReadEmpty) {
  // ItemCount promises more than the section holds; names match as ReadString matches them.
  test::WriteBytes(this->path, test::Utf16File(u"[M]\r\nItemCount=4000\r\nItem0=A\r\n"
                                               u"ITEM2=B\r\nItem05=X\r\nItem8 = C\r\n"
                                               u"item8=D\r\nItem4000=Y\r\nItem3\r\n"));
  Names expected(4000);
  expected[0] = L"A";
  expected[2] = L"B";
  expected[8] = L"C";
  EXPECT_EQ(this->store.Load(L"M")->items, expected);
}

TYPED_TEST(MacroStoreFile, NothingHappensWithoutRecordIni) {
  this->Add(L"M", true, true, L"1", {Press(L"A")});
  std::filesystem::remove(this->path);
  EXPECT_FALSE(this->store.EncodeAll());
  EXPECT_TRUE(this->store.Names().empty());
  EXPECT_FALSE(this->store.Load(L"M"));
  EXPECT_EQ(this->store.Store(Macro{L"M", true, true, L"1", {Press(L"A")}}),
            MacroStore::StoreResult::NotStored);
  EXPECT_FALSE(this->store.SetRepeatCount(L"M", 2));
  EXPECT_FALSE(this->store.Delete(L"M"));
  EXPECT_FALSE(std::filesystem::exists(this->path));

  test::WriteBytes(this->path, test::Utf16File(u""));
  EXPECT_FALSE(this->store.EncodeAll());  // no macro: the caller keeps its blocks

  // New creates it, as the INI layer creates files: UTF-16LE with its byte-order mark.
  std::filesystem::remove(this->path);
  EXPECT_TRUE(this->store.Add(L"Макро_0", 1));
  EXPECT_FALSE(this->store.Add(L"макро_0", 1));
  EXPECT_EQ(test::ReadBytes(this->path),
            test::Utf16File(u"[\u041C\u0430\u043A\u0440\u043E_0]\r\nMacroLoopTimes=1\r\n"));
}

TYPED_TEST(MacroStoreFile, NineteenBlocksAndOnlyNamesWithinTheListLimit) {
  for (int i = 0; i < 21; ++i)
    this->Add(L"M" + std::to_wstring(i), true, true, L"1", {Press(L"A")});
  auto encoding = this->store.EncodeAll();
  ASSERT_TRUE(encoding && encoding->ok());
  for (std::size_t k = 0; k < kMacroCount; ++k) EXPECT_EQ(encoding->blocks[k][3], 0x04);
  EXPECT_EQ(this->store.Names().size(), 21u);

  // Names of 40 characters, read whole: the 7th begins at 246, the 8th at 287.
  std::filesystem::remove(this->path);
  test::WriteBytes(this->path, test::Utf16File(u""));
  for (int i = 0; i < 9; ++i) {
    const Macro macro{
        std::wstring(39, static_cast<wchar_t>(L'a' + i)) + L"宏", true, true, L"1", {Press(L"B")}};
    if (i < 7) {
      this->Add(macro.name, true, true, L"1", macro.items);
    } else {
      // The store never writes a section that no list would show; something else did.
      EXPECT_EQ(this->store.Store(macro), MacroStore::StoreResult::OutOfList);
      this->ini.WriteString(this->path, macro.name, L"ItemCount", L"1");
      this->ini.WriteString(this->path, macro.name, L"Item0", Press(L"B"));
    }
  }
  const Names names = this->store.Names();
  ASSERT_EQ(names.size(), 7u);
  EXPECT_EQ(names[6], std::wstring(39, L'g') + L"宏");
  encoding = this->store.EncodeAll();
  EXPECT_EQ(encoding->blocks[6][3], 0x05);
  EXPECT_TRUE(RestIsZero(encoding->blocks[7], 0));
}

TYPED_TEST(MacroStoreFile, MacroThatDoesNotFitIsReportedAndNeighboursStay) {
  std::vector<std::wstring> recorded;  // 64 events: 128 bytes of pairs
  for (int i = 0; i < 32; ++i) {
    recorded.push_back(Press(L"A"));
    recorded.push_back(Release(L"A"));
  }
  this->Add(L"Before", true, true, L"2", {Press(L"C")});
  this->Add(L"Zu lang für die Maus", true, true, L"2", recorded);
  this->Add(L"After", true, true, L"2", {Press(L"B")});
  const auto encoding = this->store.EncodeAll();
  ASSERT_TRUE(encoding);
  ASSERT_EQ(encoding->overflows.size(), 1u);
  const MacroOverflow& overflow = encoding->overflows[0];
  EXPECT_EQ(overflow.name, L"Zu lang für die Maus");
  EXPECT_EQ(overflow.position, 1u);
  EXPECT_EQ(overflow.pairBytes, 128u);
  EXPECT_EQ(DescribeOverflow(overflow),
            L"Macro \"Zu lang für die Maus\" (number 2) does not fit into the mouse: its events "
            L"need 128 bytes, 2 more than the 126 a macro can hold.");
  EXPECT_EQ(encoding->blocks[0][3], 0x06);
  EXPECT_TRUE(RestIsZero(encoding->blocks[1], 0));
  EXPECT_EQ(encoding->blocks[2][3], 0x05);
}

// Sections of one name, which the name-keyed profile calls cannot tell apart: the second is
// renamed and deleted where it stands with its own keys; each engine writes the same bytes.
TYPED_TEST(MacroStoreFile, SectionsOfOneNameRenamedAndDeletedByPlace) {
  test::WriteBytes(this->path, test::Utf16File(u"[Fire]\r\nItem0=A\r\n[fire]\r\nItem0=B\r\n"
                                               u"[Fire]\r\nItem0=C\r\n[Jump]\r\nItem0=D\r\n"));
  EXPECT_EQ(this->store.Names(), (Names{L"Fire", L"fire", L"Fire", L"Jump"}));
  EXPECT_FALSE(this->store.Rename(1, L"fire", L"jump"));  // taken
  EXPECT_TRUE(this->store.Rename(1, L"fire", L"Spare"));
  EXPECT_EQ(this->store.Names(), (Names{L"Fire", L"Spare", L"Fire", L"Jump"}));
  // The system reads the file anew after the change.
  EXPECT_EQ(this->ini.ReadString(this->path, L"Spare", L"Item0", 1024), L"B");
  EXPECT_TRUE(this->store.DeleteAt(2, L"Fire"));
  EXPECT_EQ(test::ReadBytes(this->path),
            test::Utf16File(u"[Fire]\r\nItem0=A\r\n[Spare]\r\nItem0=B\r\n[Jump]\r\nItem0=D\r\n"));
  EXPECT_TRUE(this->store.DeleteAt(0, L"Fire"));
  EXPECT_EQ(this->store.Names(), (Names{L"Spare", L"Jump"}));

  // Later sections of one name stay apart when an earlier one is renamed.
  test::WriteBytes(this->path, test::Utf16File(u"[A]\r\nItem0=1\r\n[B]\r\nItem0=2\r\n"
                                               u"[b]\r\nItem0=3\r\n"));
  EXPECT_TRUE(this->store.Rename(0, L"A", L"Z"));
  EXPECT_EQ(test::ReadBytes(this->path), test::Utf16File(u"[Z]\r\nItem0=1\r\n[B]\r\nItem0=2\r\n"
                                                         u"[b]\r\nItem0=3\r\n"));
}

// A section whose name an earlier one has is read, encoded and written where it stands; an item
// list that shrinks loses its old items there only.
TYPED_TEST(MacroStoreFile, SectionsOfOneNameReadAndWrittenByPlace) {
  const std::u16string first = u"[Fire]\r\nMacroLoopTimes=2\r\nItemCount=1\r\nItem0=A\r\n";
  const std::u16string second =
      u"MacroLoopTimes=5\r\nLoopTimeSelStatus=1\r\nItemCount=3\r\nItem0=B\r\nItem1=\"C\"\r\n"
      u"item1=X\r\nItem2=D\r\n";
  test::WriteBytes(this->path, test::Utf16File(u"[Other]\r\n" + second));
  const std::optional<MacroEncoding> alone = this->store.EncodeAll();
  test::WriteBytes(this->path, test::Utf16File(first + u"[fire]\r\n" + second));
  const std::optional<MacroEncoding> shared = this->store.EncodeAll();
  ASSERT_TRUE(alone && shared);
  EXPECT_EQ(shared->blocks[1], alone->blocks[0]);
  EXPECT_NE(shared->blocks[0], shared->blocks[1]);
  EXPECT_EQ(this->store.Load(1, L"FIRE")->items, (Names{L"B", L"C", L"D"}));
  EXPECT_EQ(this->store.Load(1, L"FIRE")->loopTimes, L"5");
  EXPECT_EQ(this->store.Load(L"Fire")->items, (Names{L"A"}));

  EXPECT_TRUE(this->store.SetRepeatCount(1, L"fire", 8));
  EXPECT_EQ(this->store.Store(1, Macro{L"fire", true, false, L"8", {L"E"}}),
            MacroStore::StoreResult::Written);
  EXPECT_EQ(test::ReadBytes(this->path),
            test::Utf16File(first + u"[fire]\r\nMacroLoopTimes=8\r\nLoopTimeSelStatus=0\r\n"
                                    u"ItemCount=1\r\nItem0=E\r\nitem1=X\r\n"
                                    u"DelayTimeSelStatus=1\r\n"));
}

TYPED_TEST(MacroStoreFile, RelativePathMeansTheFileBesideTheCaller) {
  this->Add(L"M", true, true, L"2", {Press(L"A")});
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(this->dir.path());
  MacroStore relative(this->ini, L"record.ini");
  const auto encoding = relative.EncodeAll();
  std::filesystem::current_path(before);
  ASSERT_TRUE(encoding);
  EXPECT_EQ(encoding->blocks[0][1], 2);
}

}  // namespace
}  // namespace gm
