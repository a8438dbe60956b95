// The macro store in record.ini and the blocks it encodes for the mouse.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "buttons/key_names.h"
#include "macro/macro_encoder.h"
#include "macro/macro_store.h"
#include "memory_ini_file.h"

namespace gm {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::wstring Press(const std::wstring& key) {
  return key + L"   Dn";
}
std::wstring Release(const std::wstring& key) {
  return key + L"   Up";
}
std::wstring Delay(long ms) {
  return std::to_wstring(ms) + L" ms";
}

Bytes PairsOf(const MacroBlock& block, std::size_t count) {
  return Bytes(block.begin() + 2, block.begin() + 2 + static_cast<std::ptrdiff_t>(count));
}

bool RestIsZero(const MacroBlock& block, std::size_t from) {
  return std::all_of(block.begin() + static_cast<std::ptrdiff_t>(from), block.end(),
                     [](std::uint8_t b) { return b == 0; });
}

// record.ini exists on disk (empty); its content lives in the in-memory engine.
class MacroFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir);
    std::ofstream(path).put('\n');
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  void Add(const std::wstring& name, int delay, int loop, const std::wstring& loopTimes,
           const std::vector<std::wstring>& items) {
    ini.WriteString(path, name, L"DelayTimeSelStatus", std::to_wstring(delay));
    ini.WriteString(path, name, L"LoopTimeSelStatus", std::to_wstring(loop));
    ini.WriteString(path, name, L"MacroLoopTimes", loopTimes);
    ini.WriteString(path, name, L"ItemCount", std::to_wstring(items.size()));
    for (std::size_t i = 0; i < items.size(); ++i) {
      ini.WriteString(path, name, L"Item" + std::to_wstring(i), items[i]);
    }
  }

  // The pairs of a single macro stored as the only section.
  Bytes PairsFor(int delay, const std::vector<std::wstring>& items, std::size_t count) {
    ini.files.clear();
    Add(L"M", delay, 1, L"1", items);
    const auto encoding = store.EncodeAll();
    EXPECT_TRUE(encoding && encoding->ok());
    EXPECT_TRUE(RestIsZero(encoding->blocks[0], 2 + count));
    return PairsOf(encoding->blocks[0], count);
  }

  static std::filesystem::path UniqueDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::filesystem::temp_directory_path() /
           (std::string("gm-macro-") + info->name() + "-" + std::to_string(std::random_device{}()));
  }

  std::filesystem::path dir = UniqueDir();
  std::filesystem::path path = dir / "record.ini";
  test::MemoryIniFile ini;
  MacroStore store{ini, path};
};

TEST_F(MacroFile, WorkedExample) {
  Add(L"Macro_0", 1, 1, L"3",
      {Press(L"A"), Delay(120), Release(L"A"), Delay(3000), Press(L"B"), Delay(20), Release(L"B")});
  const auto encoding = store.EncodeAll();
  ASSERT_TRUE(encoding && encoding->ok());
  const MacroBlock& block = encoding->blocks[0];
  EXPECT_EQ(Bytes(block.begin(), block.begin() + 12),
            (Bytes{0x00, 0x03, 0x0C, 0x04, 0x80, 0x04, 0x1E, 0x03, 0x02, 0x05, 0x80, 0x05}));
  EXPECT_TRUE(RestIsZero(block, 12));
  for (std::size_t k = 1; k < kMacroCount; ++k) EXPECT_TRUE(RestIsZero(encoding->blocks[k], 0));

  const std::vector<std::string> lines = MacroBlockLines(encoding->blocks);
  ASSERT_EQ(lines.size(), kMacroCount);
  EXPECT_EQ(lines[0].substr(0, 50), "macro-block 0 00 03 0c 04 80 04 1e 03 02 05 80 05 ");
  EXPECT_EQ(lines[0].size(), 14 + 128 * 3 - 1);
  EXPECT_EQ(lines[18].substr(0, 18), "macro-block 18 00 ");
}

TEST_F(MacroFile, RepeatCount) {
  const auto countOf = [&](int loop, const std::wstring& times) {
    ini.files.clear();
    Add(L"M", 1, loop, times, {Press(L"A")});
    const MacroBlock block = store.EncodeAll()->blocks[0];
    return (block[0] << 8) | block[1];
  };
  EXPECT_EQ(countOf(0, L"500"), 1);
  EXPECT_EQ(countOf(1, L"500"), 500);
  EXPECT_EQ(countOf(1, L"0"), 1);
  EXPECT_EQ(countOf(1, L"65536"), 1);
  EXPECT_EQ(countOf(1, L"65535"), 0xFFFF);
  EXPECT_EQ(countOf(1, L"-3"), 1);
  EXPECT_EQ(countOf(1, L"99999999999999999999"), 1);
  EXPECT_EQ(countOf(1, L""), 1);

  ini.files.clear();
  Add(L"Empty", 1, 1, L"300", {});
  EXPECT_TRUE(RestIsZero(store.EncodeAll()->blocks[0], 0));  // the count too
}

TEST_F(MacroFile, DelayForms) {
  EXPECT_EQ(PairsFor(1, {Press(L"A"), Delay(1270), Release(L"A")}, 4),
            (Bytes{0x7F, 0x04, 0x80, 0x04}));
  EXPECT_EQ(PairsFor(1, {Press(L"A"), Delay(1271), Release(L"A")}, 6),
            (Bytes{0x47, 0x04, 0x0C, 0x03, 0x80, 0x04}));
  EXPECT_EQ(PairsFor(1, {Press(L"A"), Delay(25500), Release(L"A")}, 6),
            (Bytes{0x00, 0x04, 0xFF, 0x03, 0x80, 0x04}));
  EXPECT_EQ(PairsFor(1, {Press(L"A"), Delay(25501), Release(L"A")}, 8),
            (Bytes{0x01, 0x04, 0x00, 0x03, 0x00, 0xFF, 0x80, 0x04}));
  // Releases keep bit 7 in every form.
  EXPECT_EQ(PairsFor(1, {Release(L"A"), Delay(1271), Press(L"A")}, 6),
            (Bytes{0xC7, 0x04, 0x0C, 0x03, 0x00, 0x04}));
  EXPECT_EQ(PairsFor(1, {Release(L"A"), Delay(6553500), Press(L"A")}, 8),
            (Bytes{0x80, 0x04, 0x00, 0x03, 0xFF, 0xFF, 0x00, 0x04}));
  // Delays outside what the mouse can carry are held at its limits instead of wrapping.
  EXPECT_EQ(PairsFor(1, {Press(L"A"), Delay(6553600), Release(L"A")}, 8),
            (Bytes{0x00, 0x04, 0x00, 0x03, 0xFF, 0xFF, 0x80, 0x04}));
  EXPECT_EQ(PairsFor(1, {Press(L"A"), L"-50 ms", Release(L"A")}, 4),
            (Bytes{0x00, 0x04, 0x80, 0x04}));
  EXPECT_EQ(PairsFor(1, {Press(L"A"), L"abc ms", Release(L"A")}, 4),
            (Bytes{0x00, 0x04, 0x80, 0x04}));
}

TEST_F(MacroFile, DelaysWithoutTheDelayOption) {
  // Next to each other two keys get 50 ms; a delay item still counts; the last one too.
  EXPECT_EQ(PairsFor(0, {Press(L"A"), Release(L"A")}, 4), (Bytes{0x05, 0x04, 0x85, 0x04}));
  EXPECT_EQ(PairsFor(0, {Press(L"A"), Delay(120), Release(L"A")}, 4),
            (Bytes{0x0C, 0x04, 0x85, 0x04}));
  EXPECT_EQ(PairsFor(1, {Press(L"A"), Release(L"A")}, 4), (Bytes{0x00, 0x04, 0x80, 0x04}));
}

TEST_F(MacroFile, KeyItemNamedByDigitsIsReadAsTheDelayBeforeIt) {
  EXPECT_EQ(PairsFor(1, {Press(L"A"), Press(L"1500")}, 6),
            (Bytes{0x00, 0x04, 0x0F, 0x03, 0x00, 0x00}));
  EXPECT_EQ(PairsFor(1, {Press(L"A"), Press(L"7"), Release(L"7")}, 6),
            (Bytes{0x00, 0x04, 0x00, 0x24, 0x80, 0x24}));
  EXPECT_EQ(PairsFor(0, {Press(L"A"), Press(L"1500")}, 4), (Bytes{0x05, 0x04, 0x05, 0x00}));
}

TEST_F(MacroFile, KeyCodesComeFromTheTableWithoutApplication) {
  EXPECT_EQ(
      PairsFor(1,
               {Press(L"Application"), Press(L"L-Button"), Press(L"R-Button"), Press(L"M-Button"),
                Press(L"Right Windows"), Press(L"a"), L"something else", Press(L"Num Enter")},
               14),
      (Bytes{0, 0x00, 0, 0xF0, 0, 0xF1, 0, 0xF2, 0, 0xE7, 0, 0x00, 0, 0x58}));
}

TEST_F(MacroFile, MacroThatDoesNotFitIsReportedAndNeverSpills) {
  std::vector<std::wstring> recorded;  // 64 events: 128 bytes of pairs
  for (int i = 0; i < 32; ++i) {
    recorded.push_back(Press(L"A"));
    recorded.push_back(Release(L"A"));
  }
  std::vector<std::wstring> fits(recorded.begin(), recorded.end() - 1);  // 63 events
  Add(L"Before", 1, 1, L"2", fits);
  Add(L"Too long", 1, 1, L"2", recorded);
  Add(L"After", 1, 1, L"2", {Press(L"B")});
  const auto encoding = store.EncodeAll();
  ASSERT_TRUE(encoding);
  ASSERT_EQ(encoding->overflows.size(), 1u);
  const MacroOverflow& overflow = encoding->overflows[0];
  EXPECT_EQ(overflow.name, L"Too long");
  EXPECT_EQ(overflow.position, 1u);
  EXPECT_EQ(overflow.pairBytes, 128u);
  EXPECT_EQ(DescribeOverflow(overflow),
            L"Macro \"Too long\" (number 2) does not fit into the mouse: its events need 128 "
            L"bytes, 2 more than the 126 a macro can hold.");
  EXPECT_EQ(encoding->blocks[0][127], 0x04);  // 63 events fill the block exactly
  EXPECT_TRUE(RestIsZero(encoding->blocks[1], 0));
  EXPECT_EQ(PairsOf(encoding->blocks[2], 2), (Bytes{0x00, 0x05}));
}

TEST_F(MacroFile, ItemCountOfADamagedFileIsNotReadWithoutEnd) {
  Add(L"Damaged", 1, 1, L"1", {Press(L"A")});
  ini.WriteString(path, L"Damaged", L"ItemCount", L"2000000000");
  const auto encoding = store.EncodeAll();
  ASSERT_EQ(encoding->overflows.size(), 1u);
  EXPECT_TRUE(encoding->overflows[0].tooManyItems);
  EXPECT_LT(ini.reads, kMaxMacroItems + 100);
  const auto loaded = store.Load(L"Damaged");
  EXPECT_TRUE(loaded->itemsCut);
  EXPECT_EQ(loaded->items.size(), kMaxMacroItems);
}

TEST_F(MacroFile, OnlyNineteenMacrosAndOnlyNamesWithinTheListLimit) {
  for (int i = 0; i < 21; ++i) Add(L"M" + std::to_wstring(i), 1, 1, L"1", {Press(L"A")});
  auto encoding = store.EncodeAll();
  ASSERT_TRUE(encoding && encoding->ok());
  for (std::size_t k = 0; k < kMacroCount; ++k) EXPECT_EQ(encoding->blocks[k][3], 0x04);
  EXPECT_EQ(store.Names().size(), 21u);

  // Names of 40 characters: the 7th begins at 246, the 8th at 287.
  ini.files.clear();
  for (int i = 0; i < 9; ++i) {
    Add(std::wstring(39, static_cast<wchar_t>(L'a' + i)) + L"!", 1, 1, L"1", {Press(L"B")});
  }
  const std::vector<std::wstring> names = store.Names();
  ASSERT_EQ(names.size(), 7u);
  EXPECT_EQ(names[6], std::wstring(39, L'g') + L"!");
  encoding = store.EncodeAll();
  EXPECT_EQ(encoding->blocks[6][3], 0x05);
  EXPECT_TRUE(RestIsZero(encoding->blocks[7], 0));
}

TEST_F(MacroFile, StoreRewritesTheSectionInItsKeyOrder) {
  Add(L"Macro_0", 0, 0, L"9", {Press(L"X"), Release(L"X"), Press(L"Y")});
  Add(L"Macro_1", 0, 0, L"1", {Press(L"Z")});
  ini.writes.clear();
  Macro macro{L"Macro_0", true, false, L"12", {Press(L"A"), Delay(50)}};
  EXPECT_EQ(store.Store(macro), MacroStore::StoreResult::Written);
  EXPECT_EQ(ini.writes,
            (std::vector<std::wstring>{L"delete Macro_0", L"Macro_0/DelayTimeSelStatus=1",
                                       L"Macro_0/LoopTimeSelStatus=0", L"Macro_0/MacroLoopTimes=12",
                                       L"Macro_0/ItemCount=2", L"Macro_0/Item0=A   Dn",
                                       L"Macro_0/Item1=50 ms"}));
  EXPECT_EQ(store.Names(), (std::vector<std::wstring>{L"Macro_1", L"Macro_0"}));
  EXPECT_EQ(ini.ReadString(path, L"Macro_0", L"Item2", 1024), L"");

  ini.writes.clear();
  macro.items.clear();
  EXPECT_EQ(store.Store(macro), MacroStore::StoreResult::EmptyListKept);
  EXPECT_EQ(store.Store(Macro{L"", false, false, L"1", {Press(L"A")}}),
            MacroStore::StoreResult::NotStored);
  EXPECT_TRUE(ini.writes.empty());
  EXPECT_EQ(store.Load(L"Macro_0")->items.size(), 2u);
}

TEST_F(MacroFile, LoadDeleteAndRepeatCount) {
  Add(L"First", 1, 7, L"25", {Press(L"A"), Delay(10), Release(L"A")});
  Add(L"Second", 0, 1, L"3", {Press(L"B")});
  const MacroList list = store.LoadAll();
  EXPECT_EQ(list.names, (std::vector<std::wstring>{L"First", L"Second"}));
  ASSERT_TRUE(list.first);
  EXPECT_EQ(list.first->delayOption, true);
  EXPECT_EQ(list.first->loopOption, std::nullopt);  // 7: the manager keeps its state
  EXPECT_EQ(list.first->loopTimes, L"25");
  EXPECT_EQ(list.first->items, (std::vector<std::wstring>{Press(L"A"), Delay(10), Release(L"A")}));
  EXPECT_EQ(store.Load(L"second")->loopOption, true);

  EXPECT_TRUE(store.SetRepeatCount(L"Second", 65535));
  EXPECT_EQ(ini.ReadString(path, L"Second", L"MacroLoopTimes", 1024), L"65535");
  EXPECT_TRUE(store.SetRepeatCount(L"Macro_5", 1));  // New creates the section this way
  EXPECT_EQ(store.Names().back(), L"Macro_5");

  EXPECT_TRUE(store.Delete(L"First"));
  EXPECT_EQ(store.Names(), (std::vector<std::wstring>{L"Second", L"Macro_5"}));
  EXPECT_EQ(store.EncodeAll()->blocks[0][3], 0x05);  // the later macros move up
}

TEST_F(MacroFile, NothingHappensWithoutRecordIni) {
  Add(L"M", 1, 1, L"1", {Press(L"A")});
  std::filesystem::remove(path);
  ini.writes.clear();
  EXPECT_FALSE(store.EncodeAll());
  EXPECT_TRUE(store.Names().empty());
  EXPECT_FALSE(store.Load(L"M"));
  EXPECT_EQ(store.Store(Macro{L"M", true, true, L"1", {Press(L"A")}}),
            MacroStore::StoreResult::NotStored);
  EXPECT_FALSE(store.SetRepeatCount(L"M", 2));
  EXPECT_FALSE(store.Delete(L"M"));
  EXPECT_TRUE(ini.writes.empty());
  EXPECT_FALSE(std::filesystem::exists(path));

  std::ofstream(path).put('\n');
  ini.files.clear();
  EXPECT_FALSE(store.EncodeAll());  // no macro: the caller keeps its blocks
}

// Reads the pairs of a block back into (release, code, delay) events.
struct Event {
  bool release;
  std::uint8_t code;
  std::int64_t delay;
  friend bool operator==(const Event&, const Event&) = default;
};

std::vector<Event> Decode(const MacroBlock& block) {
  std::vector<Event> events;
  std::size_t at = 2;
  while (at + 1 < block.size() && (block[at] != 0 || block[at + 1] != 0)) {
    const std::uint8_t a = block[at];
    const std::uint8_t code = block[at + 1];
    at += 2;
    Event event{(a & 0x80) != 0, code, (a & 0x7F) * 10};
    if (at + 1 < block.size() && block[at + 1] == 0x03) {
      event.delay = a & 0x7F;
      if (block[at] != 0) {
        event.delay += block[at] * 100;
        at += 2;
      } else {
        event.delay += ((block[at + 2] << 8) | block[at + 3]) * 100;
        at += 4;
      }
    }
    events.push_back(event);
  }
  return events;
}

TEST_F(MacroFile, RandomEventListsFitOrAreReportedAndKeepToTheirBlocks) {
  std::mt19937 random(20240611);
  const std::wstring keys[] = {L"A", L"Z", L"1", L"Space", L"L-Button", L"Num 0", L"Right Alt"};
  for (int round = 0; round < 25; ++round) {
    ini.files.clear();
    std::vector<std::vector<Event>> expected(kMacroCount);
    std::vector<bool> fits(kMacroCount);
    for (std::size_t k = 0; k < kMacroCount; ++k) {
      const int delayOption = static_cast<int>(random() % 2);
      std::vector<std::wstring> items;
      const std::size_t events = random() % 70;
      std::size_t bytes = 0;
      for (std::size_t e = 0; e < events; ++e) {
        const std::wstring& key = keys[random() % std::size(keys)];
        const bool release = random() % 2 != 0;
        items.push_back(release ? Release(key) : Press(key));
        std::int64_t delay = delayOption ? 0 : 50;
        if (random() % 3 != 0) {
          const long ranges[] = {1270, 25500, 6553500};
          delay = static_cast<long>(random() % static_cast<unsigned>(ranges[random() % 3] + 1));
          items.push_back(Delay(static_cast<long>(delay)));
        } else if (delayOption && e + 1 < events) {
          delay = -1;  // set from the next key item's text below
        }
        bytes += delay > 25500 ? 6 : delay > 1270 ? 4 : 2;
        expected[k].push_back({release, MacroKeyCodeOf(key), delay});
      }
      // With the option on, a key item followed by a key item takes the digits it begins with.
      for (std::size_t e = 0; e + 1 < expected[k].size(); ++e) {
        if (expected[k][e].delay == -1) {
          expected[k][e].delay = expected[k][e + 1].code == 0x1E ? 1 : 0;
        }
      }
      for (Event& event : expected[k]) {
        if (event.delay <= 1270) event.delay = event.delay / 10 * 10;
      }
      fits[k] = bytes <= 126;
      Add(L"R" + std::to_wstring(k), delayOption, 1, L"4", items);
    }
    const auto encoding = store.EncodeAll();
    ASSERT_TRUE(encoding);
    std::size_t reported = 0;
    for (std::size_t k = 0; k < kMacroCount; ++k) {
      const MacroBlock& block = encoding->blocks[k];
      if (!fits[k]) {
        ASSERT_LT(reported, encoding->overflows.size());
        EXPECT_EQ(encoding->overflows[reported++].position, k);
        EXPECT_TRUE(RestIsZero(block, 0));
        continue;
      }
      if (expected[k].empty()) {
        EXPECT_TRUE(RestIsZero(block, 0));
        continue;
      }
      EXPECT_EQ(block[1], 4);
      EXPECT_EQ(Decode(block), expected[k]) << "round " << round << " macro " << k;
    }
    EXPECT_EQ(reported, encoding->overflows.size());
  }
}

}  // namespace
}  // namespace gm
