// Event items to the pairs of a macro block: delays, directions, key codes, repeat counts,
// and macros that do not fit.
#include <gtest/gtest.h>

#include <random>

#include "buttons/key_names.h"
#include "macro/macro_encoder.h"
#include "macro/macro_store.h"
#include "macro_items.h"
#include "memory_ini_file.h"
#include "temp_dir.h"

namespace gm {
namespace {

using test::Bytes;
using test::Delay;
using test::Press;
using test::Release;
using test::RestIsZero;

Bytes Pairs(int delayStatus, std::vector<std::wstring> items) {
  return EncodeMacroPairs(MacroSource{delayStatus, 1, 1, std::move(items)});
}

TEST(MacroEncoder, DelayForms) {
  EXPECT_EQ(Pairs(1, {Press(L"A"), Delay(1270), Release(L"A")}), (Bytes{0x7F, 0x04, 0x80, 0x04}));
  EXPECT_EQ(Pairs(1, {Press(L"A"), Delay(1271), Release(L"A")}),
            (Bytes{0x47, 0x04, 0x0C, 0x03, 0x80, 0x04}));
  EXPECT_EQ(Pairs(1, {Press(L"A"), Delay(25500), Release(L"A")}),
            (Bytes{0x00, 0x04, 0xFF, 0x03, 0x80, 0x04}));
  EXPECT_EQ(Pairs(1, {Press(L"A"), Delay(25501), Release(L"A")}),
            (Bytes{0x01, 0x04, 0x00, 0x03, 0x00, 0xFF, 0x80, 0x04}));
  // Releases keep bit 7 in every form.
  EXPECT_EQ(Pairs(1, {Release(L"A"), Delay(1271), Press(L"A")}),
            (Bytes{0xC7, 0x04, 0x0C, 0x03, 0x00, 0x04}));
  EXPECT_EQ(Pairs(1, {Release(L"A"), Delay(6553500), Press(L"A")}),
            (Bytes{0x80, 0x04, 0x00, 0x03, 0xFF, 0xFF, 0x00, 0x04}));
  // Delays outside what the mouse can carry are held at its limits instead of wrapping.
  EXPECT_EQ(Pairs(1, {Press(L"A"), Delay(6553600), Release(L"A")}),
            (Bytes{0x00, 0x04, 0x00, 0x03, 0xFF, 0xFF, 0x80, 0x04}));
  EXPECT_EQ(Pairs(1, {Press(L"A"), L"-50 ms", Release(L"A")}), (Bytes{0x00, 0x04, 0x80, 0x04}));
  EXPECT_EQ(Pairs(1, {Press(L"A"), L"abc ms", Release(L"A")}), (Bytes{0x00, 0x04, 0x80, 0x04}));
  EXPECT_EQ(Pairs(1, {Press(L"A"), L"120ms", Release(L"A")}), (Bytes{0x0C, 0x04, 0x80, 0x04}));
}

TEST(MacroEncoder, DelaysWithoutTheDelayOption) {
  // Two keys next to each other get 50 ms; a delay item still counts; the last key too.
  EXPECT_EQ(Pairs(0, {Press(L"A"), Release(L"A")}), (Bytes{0x05, 0x04, 0x85, 0x04}));
  EXPECT_EQ(Pairs(0, {Press(L"A"), Delay(120), Release(L"A")}), (Bytes{0x0C, 0x04, 0x85, 0x04}));
  EXPECT_EQ(Pairs(1, {Press(L"A"), Release(L"A")}), (Bytes{0x00, 0x04, 0x80, 0x04}));
}

TEST(MacroEncoder, KeyItemNamedByDigitsIsReadAsTheDelayBeforeIt) {
  EXPECT_EQ(Pairs(1, {Press(L"A"), Press(L"1500")}), (Bytes{0x00, 0x04, 0x0F, 0x03, 0x00, 0x00}));
  EXPECT_EQ(Pairs(1, {Press(L"A"), Press(L"7"), Release(L"7")}),
            (Bytes{0x00, 0x04, 0x00, 0x24, 0x80, 0x24}));
  EXPECT_EQ(Pairs(0, {Press(L"A"), Press(L"1500")}), (Bytes{0x05, 0x04, 0x05, 0x00}));
}

TEST(MacroEncoder, KeyCodesComeFromTheTableWithoutApplication) {
  EXPECT_EQ(
      Pairs(1, {Press(L"Application"), Press(L"L-Button"), Press(L"R-Button"), Press(L"M-Button"),
                Press(L"Right Windows"), Press(L"a"), L"something else", Press(L"Num Enter")}),
      (Bytes{0, 0x00, 0, 0xF0, 0, 0xF1, 0, 0xF2, 0, 0xE7, 0, 0x00, 0, 0x58}));
  // Every suffix is removed from the name; a press suffix wins over a release suffix.
  EXPECT_EQ(Pairs(1, {L"A   Dn   Dn", L"B   Up   Dn"}), (Bytes{0, 0x04, 0, 0x00}));
}

TEST(MacroEncoder, RepeatCount) {
  const auto count = [](int loop, std::int64_t times) {
    return RepeatCount(MacroSource{1, loop, times, {Press(L"A")}});
  };
  EXPECT_EQ(count(0, 500), 1);
  EXPECT_EQ(count(1, 500), 500);
  EXPECT_EQ(count(1, 0), 1);
  EXPECT_EQ(count(1, 65536), 1);
  EXPECT_EQ(count(1, 65535), 0xFFFF);
  EXPECT_EQ(count(1, -3), 1);
  EXPECT_EQ(LeadingDecimal(L"99999999999999999999"), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(LeadingDecimal(L"  -12x"), -12);
  EXPECT_EQ(LeadingDecimal(L"x12"), 0);

  const auto block = EncodeMacroBlock(MacroSource{1, 1, 300, {}});
  ASSERT_TRUE(block);
  EXPECT_TRUE(RestIsZero(*block, 0));  // no items: the count is zero too
}

TEST(MacroEncoder, BlockThatDoesNotFitIsNotCut) {
  std::vector<std::wstring> items;
  for (int i = 0; i < 32; ++i) {
    items.push_back(Press(L"A"));
    items.push_back(Release(L"A"));
  }
  std::size_t bytes = 0;
  EXPECT_FALSE(EncodeMacroBlock(MacroSource{1, 1, 2, items}, &bytes));
  EXPECT_EQ(bytes, 128u);
  items.pop_back();  // 63 events fill the block exactly
  const auto block = EncodeMacroBlock(MacroSource{1, 1, 2, items}, &bytes);
  ASSERT_TRUE(block);
  EXPECT_EQ(bytes, 126u);
  EXPECT_EQ((*block)[1], 2);
  EXPECT_EQ((*block)[126], 0x00);
  EXPECT_EQ((*block)[127], 0x04);
}

// Through the store on an in-memory engine: 19 macros at a time, reads counted.
class MacroStoreInMemory : public ::testing::Test {
 protected:
  void SetUp() override { test::WriteBytes(path, test::Utf16File(u"")); }

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

  test::TempDir dir;
  std::filesystem::path path = dir / "record.ini";
  test::MemoryIniFile ini;
  MacroStore store{ini, path};
};

TEST_F(MacroStoreInMemory, ItemCountOfADamagedFileIsNotReadWithoutEnd) {
  Add(L"Damaged", 1, 1, L"1", {Press(L"A")});
  ini.WriteString(path, L"Damaged", L"ItemCount", L"2000000000");
  const auto encoding = store.EncodeAll();
  ASSERT_EQ(encoding->overflows.size(), 1u);
  EXPECT_TRUE(encoding->overflows[0].tooManyItems);
  EXPECT_EQ(DescribeOverflow(encoding->overflows[0]),
            L"Macro \"Damaged\" (number 1) does not fit into the mouse: it holds more than "
            L"4096 events.");
  EXPECT_LT(ini.reads, kMaxMacroItems + 100);
  const auto loaded = store.Load(L"Damaged");
  EXPECT_TRUE(loaded->itemsCut);
  EXPECT_EQ(loaded->items.size(), kMaxMacroItems);
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

TEST_F(MacroStoreInMemory, RandomEventListsFitOrAreReportedAndKeepToTheirBlocks) {
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
