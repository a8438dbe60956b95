// The values the program itself writes into a configuration file, and the check that finds any
// other: a byte outside them comes from a damaged or foreign file and must reach neither the
// mouse, the desktop settings nor another file. The window reads no file that fails it, and
// gm900ctl sends none (unless forced) and describes its settings by the same ranges.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "config/records.h"

namespace gm {

// The FirstRunFlag, the byte before the record in a configuration file.
inline constexpr int kFirstRunFlagOffset = -1;

// Whether byte may stand at a record offset (or kFirstRunFlagOffset). Offsets without a range
// of their own (colours, the profile byte, bytes no setting reads) take any byte.
bool SettingInRange(int offset, std::uint8_t byte);

// Whether button b holds a function its list gives: a category of the list, a choice of its
// sub-list, a named key or none, at most one modifier, one of the 19 macros and its 3 modes.
bool FunctionInRange(const SettingsRecord& record, std::size_t button);

// One value outside its range.
struct RangeFault {
  int offset = 0;                     // the setting's offset, or the button's Category field
  std::size_t button = kButtonCount;  // the button whose function it is; kButtonCount: a setting
  bool sent = false;                  // a Save sends it to the mouse
  bool noClick = false;               // no button has "Click" (offset and button unused)
};

// Every value of a configuration outside its range, in record order; a record in which no
// button has "Click" is one fault too (the window keeps one).
std::vector<RangeFault> RangeFaults(std::uint8_t firstRunFlag, const SettingsRecord& record);

}  // namespace gm
