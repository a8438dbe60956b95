// The MacroStore: record.ini beside the program, one section per macro, the section order
// being the order of the macros everywhere (lists, block numbers, button assignments).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/records.h"
#include "platform/file_path.h"
#include "platform/ini_file.h"

namespace gm {

// Only the names that begin within this many characters of the section-name list are read.
inline constexpr std::size_t kMacroNameListChars = 255;
// Buffer of the section-name list and of every value read.
inline constexpr std::size_t kMacroReadBufferChars = 1024;
// More items than any block can play; a larger ItemCount comes from a damaged file and is not
// read beyond this.
inline constexpr std::size_t kMaxMacroItems = 4096;

// A macro as the manager stores it.
struct Macro {
  std::wstring name;
  bool delayOption = false;  // DelayTimeSelStatus
  bool loopOption = false;   // LoopTimeSelStatus
  std::wstring loopTimes;    // MacroLoopTimes: the repeat-count field's text
  std::vector<std::wstring> items;
};

// A macro as read back for the manager. An option whose stored value is neither 0 nor 1 is
// empty: the manager then keeps the state it had.
struct LoadedMacro {
  std::optional<bool> delayOption;
  std::optional<bool> loopOption;
  std::wstring loopTimes;
  std::vector<std::wstring> items;
  // The stored ItemCount was larger than kMaxMacroItems.
  bool itemsCut = false;
};

struct MacroList {
  std::vector<std::wstring> names;   // file order
  std::optional<LoadedMacro> first;  // the first macro, when there is one
};

using MacroBlocks = std::array<MacroBlock, kMacroCount>;

// A character that a macro name or event text cannot hold in record.ini, where it would end the
// line (CR, LF) or the text (NUL) and change the file's structure; nothing when it has none.
std::optional<wchar_t> UnwritableMacroChar(std::wstring_view text);
// The refusal naming that character.
std::wstring UnwritableMacroCharMessage(wchar_t c);

// A macro whose events do not fit into its block; nothing of it is encoded.
struct MacroOverflow {
  std::wstring name;
  std::size_t position = 0;   // 0-18, the block it would have
  std::size_t pairBytes = 0;  // bytes its event pairs need; a block has 126
  bool tooManyItems = false;  // ItemCount above kMaxMacroItems: not even counted
};

struct MacroEncoding {
  // Blocks of the first 19 macros in file order, absent macros zero. The block of a macro
  // that does not fit is zero too: the result must not be used while overflows is not empty.
  MacroBlocks blocks{};
  std::vector<MacroOverflow> overflows;

  bool ok() const { return overflows.empty(); }
};

// One line per block, "macro-block K" and its 128 bytes in the trace's hex (K = 0..18).
std::vector<std::string> MacroBlockLines(const MacroBlocks& blocks);

// A sentence naming the macro and how far it is over, for messages and the command line.
std::wstring DescribeOverflow(const MacroOverflow& overflow);

// How many of the names, in file order, the macro lists read: those that begin within the first
// kMacroNameListChars UTF-16 units of the section-name list, where each name is followed by a
// NUL.
std::size_t NamesInList(const std::vector<std::wstring>& names);

class MacroStore {
 public:
  // A relative path is made absolute first: the Windows profile functions would look for a
  // bare file name in the Windows folder, not beside the program.
  MacroStore(IniFile& ini, const FilePath& file);

  // Nothing is read or written while record.ini is missing, except by Add, which creates it.
  bool Exists() const;

  // The macro names in file order: the names within the list's window (NamesInList).
  std::vector<std::wstring> Names();
  // Every section name in file order, also those past the window, which no list shows.
  std::vector<std::wstring> AllNames();

  enum class NameFit {
    Fits,
    // A name shown now, or the new one, would begin past the window of the list and vanish from
    // every list.
    PastList,
    Taken,  // a section the lists do not show has the name
  };
  // A new macro, added at the end of the file.
  NameFit FitNew(const std::wstring& name);
  // A macro renamed where it stands: the section at `position` in file order when it has the name
  // `from` (record.ini may hold several sections of one name), else the first one that has it.
  NameFit FitRename(std::size_t position, const std::wstring& from, const std::wstring& to);

  // New: the macro's section holding MacroLoopTimes alone, at the end of the file. A missing
  // record.ini is created, as the INI layer creates files (UTF-16LE with a byte-order mark).
  // False when the name is taken, does not fit (FitNew) or the file cannot be written.
  bool Add(const std::wstring& name, long count);
  // Gives the macro's section (chosen as by FitRename) the new name where it stands, its keys
  // kept. True also when no section has the old name: the next store adds the macro. False, with
  // record.ini as it was, when the name does not fit or the file cannot be written.
  bool Rename(std::size_t position, const std::wstring& from, const std::wstring& to);

  enum class StoreResult {
    Written,
    // An empty event list leaves the section as it was; the caller zeroes the macro's block.
    EmptyListKept,
    // No record.ini, no macro selected (empty name), or the section shares its name with another
    // and record.ini did not take the write at its place.
    NotStored,
    // The section lies (or would lie) past the window of the list: it is not written over.
    OutOfList,
  };
  // Every read and write of one macro goes to its section chosen as by FitRename: the section at
  // `position` in file order when it has the macro's name, else the first one that has it. Where
  // several sections have the name, the one at the position is reached by place.

  // Writes the macro's section, its keys in their fixed order. The macro keeps its place in the
  // file; a macro not yet in the file is added at its end.
  StoreResult Store(std::size_t position, const Macro& macro);
  // The first section of the macro's name (a macro named on the command line).
  StoreResult Store(const Macro& macro);

  std::optional<LoadedMacro> Load(std::size_t position, const std::wstring& name);
  std::optional<LoadedMacro> Load(const std::wstring& name);  // the first section of the name
  MacroList LoadAll();
  // Deletes the first section of that name.
  bool Delete(const std::wstring& name);
  // Deletes the section at `position` in file order when it has that name, else the first one
  // that has it.
  bool DeleteAt(std::size_t position, const std::wstring& name);
  // Writes MacroLoopTimes alone (the repeat-count field's value); not into a section past the
  // window of the list.
  bool SetRepeatCount(std::size_t position, const std::wstring& name, long count);
  bool SetRepeatCount(const std::wstring& name, long count);  // the first section of the name

  // All blocks from record.ini, each macro read from its own section; nothing when it is missing
  // or holds no macro.
  std::optional<MacroEncoding> EncodeAll();

 private:
  // A macro's section to read: by its name, or, where other sections have the name too, from the
  // keys of the section at its place.
  struct Place {
    std::wstring name;
    std::optional<IniKeyValues> keys;
  };
  Place PlaceOf(const std::vector<std::wstring>& all, std::size_t position,
                const std::wstring& name);
  std::wstring Read(const Place& place, const std::wstring& key);
  std::size_t ItemCount(const Place& place, bool* cut);
  // Item0 .. Item<count - 1> of the section; a missing item reads as empty.
  std::vector<std::wstring> Items(const Place& place, std::size_t count);
  LoadedMacro LoadFrom(const Place& place);
  // Whether the name's section, or a new one added at the end of the file, lies within the
  // window of the list; `all` holds every section name.
  // Where in `all` the section chosen by position and name is (see FitRename).
  static std::optional<std::size_t> SectionIndex(const std::vector<std::wstring>& all,
                                                 std::size_t position, const std::wstring& name);
  // More than one section has the name: only the calls by position reach any but the first.
  static bool Shared(const std::vector<std::wstring>& all, const std::wstring& name);
  static bool InList(const std::vector<std::wstring>& all, const std::wstring& name);

  IniFile& ini_;
  FilePath file_;
};

}  // namespace gm
