// The argument conventions every gm900ctl subcommand shares: options in any order around the
// operands, "--" to end them, "-" for standard input, and one usage line after an error.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/config_words.h"
#include "cli/ctl_commands.h"
#include "platform/ini_file.h"

namespace gm::cli {

// "-" where an INI file is read: the program's INI engine reads files by their path.
inline constexpr std::string_view kNoStandardInput =
    "-: INI files (record.ini, caption files) are read by their path, not from standard input";

// A command-line word as UTF-8, as given.
std::string ArgUtf8(const FilePath& arg);
// Whether a command-line word is exactly word ("-", "--force").
bool IsWord(const FilePath& arg, std::string_view word);
inline bool IsWord(std::string_view text, std::string_view word) {
  return text == word;
}
// A path as UTF-8 for messages: control characters escaped (Printable).
std::string PathText(const FilePath& path);

// The options a subcommand takes besides --virtual (which every device command takes).
struct Allowed {
  bool trace = false;
  bool json = false;
  bool files = false;  // --captions FILE and --macros FILE
  bool force = false;
  bool base = false;  // --base FILE
};

// The arguments of a subcommand: its options (any order, before or after the file) and the
// remaining operands. "--" ends the options; "-" is an operand (standard input).
struct ParsedArgs {
  bool virtualMouse = false;
  bool trace = false;
  bool json = false;
  bool force = false;
  std::optional<FilePath> captions;
  std::optional<FilePath> macros;
  std::optional<FilePath> base;
  std::vector<FilePath> operands;
  std::string unknownOption;
  std::string missingValue;  // an option whose FILE is missing
};

// The options and operands of a subcommand's arguments.
ParsedArgs Parse(Args args, Allowed allowed);

// "gm900ctl: PROBLEM (see gm900ctl help NAME)" on standard error, NAME from the usage line;
// returns kExitUsage.
int Usage(Streams io, std::string_view usage, const std::string& problem);

// The first problem of the arguments besides the operand count: an unknown option, --virtual
// where no mouse is used, an option without its FILE. Empty when there is none.
std::string ArgumentProblem(const ParsedArgs& parsed, bool takesVirtual);

// The 19 captions of a caption file in its own language (Skins/Lan), UTF-8; a message naming
// the file and nothing when it is missing or has none.
std::optional<std::array<std::string, kButtonCount>> ReadCaptionFile(IniFile& ini,
                                                                     const FilePath& file,
                                                                     OutText& err);
// The macro names of a record.ini with their item counts.
std::optional<std::vector<Extras::MacroInfo>> ReadMacroNameFile(IniFile& ini, const FilePath& file,
                                                                OutText& err);

}  // namespace gm::cli
