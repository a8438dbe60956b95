#include "macro/macro_encoder.h"

#include <algorithm>
#include <limits>

#include "buttons/key_names.h"

namespace gm {

namespace {

constexpr std::uint8_t kExtensionCode = 0x03;
constexpr std::uint8_t kReleaseBit = 0x80;
constexpr std::int64_t kShortDelayLimitMs = 1270;    // 127 x 10 ms in the pair itself
constexpr std::int64_t kMediumDelayLimitMs = 25500;  // 255 x 100 ms in one extension pair
constexpr std::int64_t kDelayWithoutOptionMs = 50;

bool Contains(std::wstring_view text, std::wstring_view part) {
  return text.find(part) != std::wstring_view::npos;
}

std::wstring RemoveAll(std::wstring_view text, std::wstring_view part) {
  std::wstring result;
  std::size_t from = 0;
  for (std::size_t at = text.find(part); at != std::wstring_view::npos;
       at = text.find(part, from)) {
    result.append(text.substr(from, at - from));
    from = at + part.size();
  }
  result.append(text.substr(from));
  return result;
}

std::uint8_t Byte(std::int64_t value) {
  return static_cast<std::uint8_t>(value & 0xFF);
}

// The delay after the key item at index i, from the item that follows it.
std::int64_t DelayAfter(const MacroSource& macro, std::size_t i) {
  const std::wstring_view next =
      i + 1 < macro.items.size() ? std::wstring_view(macro.items[i + 1]) : std::wstring_view();
  // With the delay option off, a following key item (no "ms") stands for the default pause.
  if (!Contains(next, L"ms") && macro.delayStatus == 0) return kDelayWithoutOptionMs;
  // A damaged file may hold delays the mouse cannot carry; keep them within its range.
  return std::clamp<std::int64_t>(LeadingDecimal(RemoveAll(next, L" ms")), 0, kMaxDelayMs);
}

void EmitKeyEvent(std::vector<std::uint8_t>& pairs, bool release, KeyCode code,
                  std::int64_t delay) {
  const std::uint8_t direction = release ? kReleaseBit : 0;
  if (delay <= kShortDelayLimitMs) {
    pairs.push_back(static_cast<std::uint8_t>(Byte(delay / 10) | direction));
    pairs.push_back(code);
    return;
  }
  // Longer delays: the pair keeps the remainder below 100 ms, extensions add 100 ms units.
  pairs.push_back(static_cast<std::uint8_t>(Byte(delay % 100) | direction));
  pairs.push_back(code);
  const std::int64_t hundreds = delay / 100;
  if (delay <= kMediumDelayLimitMs) {
    pairs.push_back(Byte(hundreds));
    pairs.push_back(kExtensionCode);
  } else {
    pairs.push_back(0x00);
    pairs.push_back(kExtensionCode);
    pairs.push_back(Byte(hundreds >> 8));
    pairs.push_back(Byte(hundreds));
  }
}

}  // namespace

std::int64_t LeadingDecimal(std::wstring_view text) {
  std::size_t at = 0;
  while (at < text.size() && (text[at] == L' ' || (text[at] >= L'\t' && text[at] <= L'\r'))) {
    ++at;
  }
  bool negative = false;
  if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) {
    negative = text[at] == L'-';
    ++at;
  }
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  std::int64_t value = 0;
  for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at) {
    const int digit = text[at] - L'0';
    value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
  }
  return negative ? -value : value;
}

std::vector<std::uint8_t> EncodeMacroPairs(const MacroSource& macro) {
  std::vector<std::uint8_t> pairs;
  for (std::size_t i = 0; i < macro.items.size(); ++i) {
    const std::wstring_view item = macro.items[i];
    bool release = false;
    std::wstring keyName;
    if (Contains(item, kPressSuffix)) {
      keyName = RemoveAll(item, kPressSuffix);
    } else if (Contains(item, kReleaseSuffix)) {
      keyName = RemoveAll(item, kReleaseSuffix);
      release = true;
    } else {
      continue;  // a delay item: encoded with the key item before it
    }
    EmitKeyEvent(pairs, release, MacroKeyCodeOf(keyName), DelayAfter(macro, i));
  }
  return pairs;
}

std::uint16_t RepeatCount(const MacroSource& macro) {
  if (macro.loopStatus == 0) return 1;
  if (macro.loopTimes < 1 || macro.loopTimes > 0xFFFF) return 1;
  return static_cast<std::uint16_t>(macro.loopTimes);
}

void SetBlockRepeatCount(MacroBlock& block, std::uint16_t count) {
  block[0] = static_cast<std::uint8_t>(count >> 8);
  block[1] = static_cast<std::uint8_t>(count & 0xFF);
}

std::optional<MacroBlock> EncodeMacroBlock(const MacroSource& macro, std::size_t* pairBytes) {
  MacroBlock block{};
  if (macro.items.empty()) {
    if (pairBytes != nullptr) *pairBytes = 0;
    return block;
  }
  const std::vector<std::uint8_t> pairs = EncodeMacroPairs(macro);
  if (pairBytes != nullptr) *pairBytes = pairs.size();
  if (pairs.size() > kPairAreaSize) return std::nullopt;
  SetBlockRepeatCount(block, RepeatCount(macro));
  std::copy(pairs.begin(), pairs.end(), block.begin() + kPairAreaOffset);
  return block;
}

}  // namespace gm
