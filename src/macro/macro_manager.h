// The macro manager's state and rules, without a window: the macro list, the event list of the
// selected macro, the record options, the repeat-count field and the working copy of the 19
// macro blocks. Every edit of the selected macro is written to record.ini at once; OK encodes
// all macros into the working copy, which the caller then hands to the record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/language.h"
#include "gfx/geometry.h"
#include "macro/macro_manager_texts.h"
#include "macro/macro_options.h"
#include "macro/macro_store.h"

namespace gm {

class Host;

// The dialog's layout in client pixels.
namespace manager_layout {
inline constexpr Rect kTitle{15, 0, 414, 31};
inline constexpr Rect kClose{427, 17, 478, 41};
inline constexpr Rect kHeadings[3] = {{16, 60, 134, 78}, {148, 60, 266, 78}, {279, 60, 397, 78}};
inline constexpr Rect kMacroList{21, 82, 130, 353};
inline constexpr Rect kEventList{153, 82, 262, 353};
inline constexpr Rect kRecord{290, 87, 390, 111};
inline constexpr Rect kDelayText{281, 136, 390, 166};
inline constexpr Rect kDelayBox{382, 142, 396, 156};
inline constexpr Rect kLoopText{315, 300, 390, 330};
inline constexpr Rect kLoopBox{296, 314, 310, 328};
inline constexpr Rect kRepeatField{298, 333, 379, 345};
inline constexpr Rect kNew{17, 367, 75, 392};
inline constexpr Rect kDelete{77, 367, 135, 392};
inline constexpr Rect kOk{266, 394, 336, 422};
inline constexpr Rect kCancel{338, 394, 408, 422};
}  // namespace manager_layout

// Control ids.
inline constexpr int kRepeatFieldId = 149;
inline constexpr int kMacroListId = 151;
inline constexpr int kEventListId = 152;
// The event list's context menu: the resource and its commands.
inline constexpr int kMacroListMenuResource = 180;
inline constexpr unsigned kCmdDeleteItem = 32772;
inline constexpr unsigned kCmdInsertLeft = 32784;
inline constexpr unsigned kCmdInsertMiddle = 32785;
inline constexpr unsigned kCmdInsertRight = 32786;
inline constexpr unsigned kCmdInsertDelay = 32794;

// What a left click on the dialog's surface hits, tested in this order.
enum class ManagerHit { None, Ok, Cancel, Close, Record, DelayBox, LoopBox, New, Delete };
ManagerHit HitManager(int x, int y);
// The image buttons that show their "over" look under the pointer.
enum class ManagerButton { None, Close, New, Delete, Ok, Cancel };
ManagerButton ManagerButtonAt(int x, int y);

// The name New gives: the base word, "_" and the number after the last name's first "_" plus 1
// (the count of names when the last name has no "_"). A name the list already holds would share
// its section in record.ini, so the number then grows until the name is free.
std::wstring NextMacroName(const std::vector<std::wstring>& names, std::wstring_view base);

// Longest macro name in UTF-16 units: the fixed name buffers hold 32 with the terminating NUL.
inline constexpr std::size_t kMaxMacroNameLength = 31;

// Refusals of a new macro name; the caption is the limit caption of the language.
inline constexpr std::wstring_view kMacroNameBlank = L"Macro name is blank";
inline constexpr std::wstring_view kMacroNameExists = L"Macro name already exists";
// Refusals of a name that would push a macro past the window of the names the lists read.
inline constexpr std::wstring_view kMacroNameTooLong =
    L"Macro name too long: the names of all macros, one character more each, may take 255 "
    L"characters together.";
inline constexpr std::wstring_view kNoRoomForMacro =
    L"No room for another macro: the names of all macros, one character more each, may take 255 "
    L"characters together. Shorten some names first.";
// New could not create or write record.ini.
inline constexpr std::wstring_view kRecordIniNotWritten = L"record.ini cannot be written.";

// A name as a rename stores it: without leading and trailing blanks, at most 31 UTF-16 units,
// cut between two characters.
std::wstring CleanMacroName(std::wstring_view typed);
// The text without leading and trailing blanks.
std::wstring_view TrimBlanks(std::wstring_view typed);

enum class MouseButtonKey { Left, Middle, Right };

class MacroManager {
 public:
  MacroManager(MacroStore& store, Host& host, MacroOptions& options, Language language);

  const MacroManagerTexts& texts() const { return texts_; }
  const std::vector<std::wstring>& names() const { return names_; }
  std::optional<std::size_t> selectedMacro() const { return selectedMacro_; }
  const std::vector<std::wstring>& items() const { return items_; }
  std::optional<std::size_t> selectedItem() const { return selectedItem_; }
  const std::wstring& repeatText() const { return repeatText_; }
  const MacroOptions& options() const { return options_; }
  bool repeatFieldEnabled() const { return repeatFieldEnabled_; }
  const MacroBlocks& workingCopy() const { return working_; }

  // Opening: the names in file order; the first macro's options, repeat count and items; the
  // first macro selected.
  void Open();

  // Macro list.
  void SelectMacro(std::size_t index);
  // The limit message instead of a 20th macro, or of one whose name would not fit the list.
  // The first macro creates record.ini when it is missing.
  void NewMacro();
  // Deletes the selected macro's section (the one at its place in the list); refused with a
  // message when record.ini does not take it.
  void DeleteMacro();
  // A double-click on a macro: true when the rename editor opens over it, which takes a second
  // double-click on the same macro.
  bool MacroDoubleClicked(std::size_t index);
  enum class RenameResult { Renamed, Unchanged, Blank, Exists, TooLong, Failed };
  // A committed new name: the macro's section (the one at its place in the list, also where
  // record.ini holds several of its name) is renamed where it stands (its place is its block
  // number) and the macro stored under the new name. A blank name, one another section has, one
  // that would push a macro past the window of the list, or a rename record.ini does not take
  // is refused with a message, the file as it was. The name given back unchanged, however long,
  // is no rename.
  RenameResult RenameMacro(std::size_t index, std::wstring_view typed);

  // Event list. A choice (selection change or double-click) selects the item; true when the
  // delay editor opens over it, which takes a delay item that was chosen before.
  bool EventItemChosen(std::size_t index);
  void SelectItem(std::optional<std::size_t> index);
  // A delay the editor committed; the store follows with message 0x926.
  void ReplaceItem(std::size_t index, std::wstring text);
  void DeleteItem();
  void InsertClick(MouseButtonKey button);
  void InsertDelay();

  // What the recorder does to the event list and the field.
  void ClearItems();
  void AppendItem(std::wstring text);
  void SelectLastItem();
  // The field is enabled only while the loop option is on.
  void SetRepeatFieldEnabled(bool enabled) { repeatFieldEnabled_ = enabled && options_.loop; }

  void ToggleDelayOption() { options_.delay = !options_.delay; }
  // The field follows the loop option.
  void ToggleLoopOption();
  // Every change of the field's text, typed or set: a value outside 1..65535 makes it "1"; the
  // selected macro's repeat count goes to its block and its section.
  void SetRepeatText(std::wstring_view text);

  // Writes the selected macro's section; an empty event list leaves the section and zeroes the
  // macro's block in the working copy.
  MacroStore::StoreResult StoreSelected();

  enum class FinishResult {
    Encoded,  // the working copy is what the record gets
    // A message named each macro that does not fit; the dialog stays open.
    Refused,
    // record.ini is missing: nothing to encode, and the record's macros stay as they are (the
    // dialog closes as with Cancel).
    NoMacroFile,
  };
  // OK: stores and encodes every macro into the working copy.
  FinishResult Finish();

 private:
  void ShowWarning(std::wstring_view text);
  void ForgetItemChoices();

  MacroStore& store_;
  Host& host_;
  MacroOptions& options_;
  const MacroManagerTexts texts_;

  std::vector<std::wstring> names_;
  std::optional<std::size_t> selectedMacro_;
  std::vector<std::wstring> items_;
  std::optional<std::size_t> selectedItem_;
  std::wstring repeatText_;
  MacroBlocks working_{};
  std::optional<std::size_t> lastMacroDoubleClick_;
  std::optional<std::size_t> rememberedDelay_;
  bool repeatFieldEnabled_ = false;
};

}  // namespace gm
