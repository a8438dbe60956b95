// The device form of a macro: a 128-byte block with the repeat count (big-endian) and the
// event pairs the mouse plays, built from the macro's event items.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/records.h"

namespace gm {

inline constexpr std::wstring_view kPressSuffix = L"   Dn";
inline constexpr std::wstring_view kReleaseSuffix = L"   Up";

inline constexpr std::size_t kPairAreaOffset = 2;
inline constexpr std::size_t kPairAreaSize = kBlockSize - kPairAreaOffset;  // 126 bytes

// Longest delay a macro can carry: a 16-bit count of 100 ms.
inline constexpr std::int64_t kMaxDelayMs = 6553500;

// The decimal number a text begins with (after blanks and a sign), 0 when there is none;
// saturates instead of overflowing.
std::int64_t LeadingDecimal(std::wstring_view text);

// A macro section as read, each value converted as the encoder needs it.
struct MacroSource {
  std::int64_t delayStatus = 0;  // DelayTimeSelStatus: delays recorded with the events
  std::int64_t loopStatus = 0;   // LoopTimeSelStatus: MacroLoopTimes applies
  std::int64_t loopTimes = 0;    // MacroLoopTimes
  std::vector<std::wstring> items;
};

// The event pairs of a macro, however many bytes they need.
std::vector<std::uint8_t> EncodeMacroPairs(const MacroSource& macro);

// Repeat count sent to the mouse: MacroLoopTimes when the loop option is on and it is in
// 1..65535, else 1.
std::uint16_t RepeatCount(const MacroSource& macro);

// Bytes 0 and 1 of a block.
void SetBlockRepeatCount(MacroBlock& block, std::uint16_t count);

// The block of one macro, or nothing when its pairs need more than the 126 bytes a block has
// (pairBytes, when given, receives what they need). A macro without items is all zero.
std::optional<MacroBlock> EncodeMacroBlock(const MacroSource& macro,
                                           std::size_t* pairBytes = nullptr);

}  // namespace gm
