// record.ini through the macro store into the 19 macro blocks: a random file is listed, every
// macro loaded as the manager loads it, and all of them encoded as OK in the manager does.
// Every block that is produced decodes back to the key events of the items it was built from
// (direction, key code and delay, at the precision the block keeps), its unused bytes are
// zero, and a macro that does not fit is reported instead of being cut or spilling over.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "buttons/key_names.h"
#include "fuzz_support.h"
#include "macro/macro_encoder.h"
#include "macro/macro_store.h"
#include "platform/ini_names.h"
#include "platform/portable_ini_file.h"

namespace {

struct KeyEvent {
  bool release = false;
  std::uint8_t code = 0;
  std::int64_t delay = 0;
  bool operator==(const KeyEvent&) const = default;
};

// The key events a block plays, read from its pair area; nothing when the pairs are malformed.
std::optional<std::vector<KeyEvent>> DecodeBlock(const gm::MacroBlock& block) {
  std::vector<KeyEvent> events;
  std::size_t at = gm::kPairAreaOffset;
  std::size_t end = block.size();
  while (end > at && block[end - 1] == 0) --end;  // trailing zero bytes are no pairs
  end = at + (end - at + 1) / 2 * 2;
  while (at < end) {
    const std::uint8_t a = block[at];
    const std::uint8_t code = block[at + 1];
    at += 2;
    if (code == 0x03) return std::nullopt;  // an extension without a key pair before it
    KeyEvent event{(a & 0x80) != 0, code, (a & 0x7F) * 10};
    if (at < end && block[at + 1] == 0x03) {
      event.delay = a & 0x7F;  // the long forms keep the remainder below 100 ms
      if (block[at] != 0) {
        event.delay += block[at] * 100;
        at += 2;
      } else {
        if (at + 4 > block.size()) return std::nullopt;
        event.delay += ((block[at + 2] << 8) | block[at + 3]) * 100;
        at += 4;
      }
    }
    events.push_back(event);
  }
  return events;
}

// The events a macro's items stand for, by the rules of the item texts; the delay as the
// block can keep it.
std::vector<KeyEvent> ExpectedEvents(const std::vector<std::wstring>& items, bool delayOption) {
  std::vector<KeyEvent> events;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::wstring& item = items[i];
    const bool press = item.find(gm::kPressSuffix) != std::wstring::npos;
    if (!press && item.find(gm::kReleaseSuffix) == std::wstring::npos) continue;
    std::wstring name = item;
    const std::wstring_view suffix = press ? gm::kPressSuffix : gm::kReleaseSuffix;
    for (std::size_t at; (at = name.find(suffix)) != std::wstring::npos;)
      name.erase(at, suffix.size());
    const std::wstring next = i + 1 < items.size() ? items[i + 1] : std::wstring();
    std::int64_t delay = 50;
    if (next.find(L"ms") != std::wstring::npos || delayOption) {
      std::wstring number = next;
      for (std::size_t at; (at = number.find(L" ms")) != std::wstring::npos;) number.erase(at, 3);
      delay = std::clamp<std::int64_t>(gm::LeadingDecimal(number), 0, gm::kMaxDelayMs);
    }
    if (delay <= 1270) delay = delay / 10 * 10;
    events.push_back({!press, gm::MacroKeyCodeOf(name), delay});
  }
  return events;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const gm::fuzz::ScratchFolder scratch;
  const std::filesystem::path filePath = scratch.path() / "record.ini";
  gm::fuzz::WriteFile(filePath, {data, size});
  const gm::FilePath file = filePath;

  gm::PortableIniFile ini(gm::PortableIniFile::RecentFiles::kTrustFacts);
  gm::MacroStore store(ini, file);
  const gm::MacroList list = store.LoadAll();
  const std::optional<gm::MacroEncoding> encoding = store.EncodeAll();
  GM_FUZZ_CHECK(encoding.has_value() == !list.names.empty());
  if (!encoding) return 0;

  std::size_t overflow = 0;
  for (std::size_t k = 0; k < list.names.size() && k < gm::kMacroCount; ++k) {
    const std::wstring& name = list.names[k];
    const gm::MacroBlock& block = encoding->blocks[k];
    if (overflow < encoding->overflows.size() && encoding->overflows[overflow].position == k) {
      const gm::MacroOverflow& over = encoding->overflows[overflow++];
      GM_FUZZ_CHECK(over.tooManyItems || over.pairBytes > gm::kPairAreaSize);
      GM_FUZZ_CHECK(std::all_of(block.begin(), block.end(), [](std::uint8_t b) { return b == 0; }));
      (void)gm::DescribeOverflow(over);
      continue;
    }
    // Each block from the section at its place, also where an earlier one has its name.
    const std::optional<gm::LoadedMacro> macro = store.Load(k, name);
    GM_FUZZ_CHECK(macro.has_value() && !macro->itemsCut);
    std::wstring delay = ini.ReadString(file, name, L"DelayTimeSelStatus", 1024);
    if (const auto keys = ini.SectionAt(file, k, name, 1024)) {
      const auto found = std::find_if(keys->begin(), keys->end(), [](const auto& entry) {
        return gm::SameIniName(entry.first, L"DelayTimeSelStatus");
      });
      delay = found != keys->end() ? found->second : std::wstring();
    }
    const bool delayOption = gm::LeadingDecimal(delay) != 0;
    const std::vector<KeyEvent> expected = ExpectedEvents(macro->items, delayOption);
    if (macro->items.empty()) {
      GM_FUZZ_CHECK(std::all_of(block.begin(), block.end(), [](std::uint8_t b) { return b == 0; }));
      continue;
    }
    const std::uint16_t repeat = static_cast<std::uint16_t>((block[0] << 8) | block[1]);
    GM_FUZZ_CHECK(repeat >= 1);
    const std::optional<std::vector<KeyEvent>> decoded = DecodeBlock(block);
    // A trailing key event with code 0 and no delay is all zero bytes: it cannot be told from
    // the free space after the pairs.
    std::vector<KeyEvent> comparable = expected;
    while (!comparable.empty() && comparable.back().code == 0 && comparable.back().delay == 0 &&
           !comparable.back().release) {
      comparable.pop_back();
    }
    GM_FUZZ_CHECK(decoded.has_value());
    GM_FUZZ_CHECK(*decoded == comparable);
  }
  GM_FUZZ_CHECK(overflow == encoding->overflows.size());
  for (std::size_t k = list.names.size(); k < gm::kMacroCount; ++k) {
    GM_FUZZ_CHECK(std::all_of(encoding->blocks[k].begin(), encoding->blocks[k].end(),
                              [](std::uint8_t b) { return b == 0; }));
  }
  return 0;
}
