// The in-place list editor's rules: what a committed text does to the line it was opened over,
// by what the line holds (EditMode).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "macro/macro_encoder.h"  // kMaxDelayMs

namespace gm {

// What the editor edits; the opener chooses it.
enum class EditMode : int { ProfileName = 1, Delay = 2, MacroName = 3 };

// wParam of the recorder event (0x926) that asks the macro manager to store the macro.
inline constexpr unsigned kRecorderStoreMacro = 7;

struct EditorCommit {
  std::wstring line;        // the line's new text
  bool storeMacro = false;  // a delay changed: the macro manager stores the macro
};

// The line after a commit of `text`, or nothing when the line is to stay as it was.
// Names (profile and macro) take the text as it is. A delay takes a text with "ms" whose other
// characters are blanks and decimal digits: the blanks go, a value above 6553500 becomes
// 6553500, and the unit is set off by one blank ("250ms" -> "250 ms").
std::optional<EditorCommit> CommitEditorText(EditMode mode, std::wstring text);

}  // namespace gm
