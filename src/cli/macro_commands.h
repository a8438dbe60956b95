// gm900ctl's macro commands: the macros of a record.ini listed, shown as text and written from
// text, by the macro manager's rules and through the program's own store, so that the file is
// what the program writes. Also the checks every command makes on a record.ini it is given.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/ctl_commands.h"
#include "platform/ini_file.h"

namespace gm::cli {

// macro list|show|add|rename|delete RECORD.ini ...
int MacroCommand(Args args, Streams io, IniFile& ini);

// The text form of one macro, one line each:
//   "Ctrl down", "C up"   a key pressed or released (the program's key names)
//   "20 ms"               the delay after the event before it
//   "item TEXT"           an event text the program does not write itself, kept as it stands
//   "loop 3 times", "loop off", "loop off, count 3"    the "Loop Times" option and its count
//   "delays on", "delays off"   the "Record delays between key commands" option
// Lines that are empty or begin with "#" are ignored when read.
struct MacroText {
  std::vector<std::wstring> items;  // as record.ini stores them
  std::optional<bool> loop;
  std::wstring loopTimes;  // the count's digits; empty when not given
  std::optional<bool> delays;
  std::vector<std::string> notes;  // what was read otherwise than written (a delay cut)
};

std::vector<std::string> MacroTextLines(const MacroText& macro);
// The macro a text describes, or one line that names the line that is wrong and why.
std::variant<MacroText, std::string> ParseMacroText(std::string_view text);

// A record.ini given to a command: false, with one line on err, when it is missing ("no such
// file"), not a regular file (a folder, a device, a pipe) or cannot be read.
bool UsableRecordIni(const FilePath& file, OutText& err);
// Warnings on err about what the program would read from a damaged record.ini without a word:
// an ItemCount that is not a number, negative or larger than the items present, and sections
// of one name (the program reads the first one's keys for each of them).
void WarnAboutRecordIni(IniFile& ini, const FilePath& file, OutText& err);

}  // namespace gm::cli
