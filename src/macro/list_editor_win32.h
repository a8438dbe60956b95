// CLBEditorWnd: a one-line edit field laid over one line of a list box, so that the line's text
// can be changed in place. Esc ends without a change; Enter, Tab, a click outside the field and
// the loss of the focus commit the text by the rules of the EditMode.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "macro/list_editor.h"

namespace gm {

class CLBEditorWnd {
 public:
  // Told the line's index and new text after a commit changed the line.
  using Committed = std::function<void(int index, const std::wstring& line)>;

  // Opens an editor over line `index` of `list`; the editor owns itself and goes with its
  // field. False, and no editor, when index is not a line of the list. The field opens with
  // `text`, or with the line's own text (which a long name shows shortened) when there is none.
  static bool Edit(HWND list, int index, EditMode mode, Committed committed,
                   std::optional<std::wstring> text = std::nullopt);

  CLBEditorWnd(const CLBEditorWnd&) = delete;
  CLBEditorWnd& operator=(const CLBEditorWnd&) = delete;

 private:
  CLBEditorWnd(HWND list, int index, EditMode mode, Committed committed,
               std::optional<std::wstring> text);
  bool Open();
  // Ends the edit once: commits or not, then destroys the field (and with it this editor).
  void End(bool commit);
  static LRESULT CALLBACK FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self);

  HWND list_;
  HWND field_ = nullptr;
  int index_;
  EditMode mode_;
  Committed committed_;
  std::optional<std::wstring> text_;
  bool ending_ = false;
};

}  // namespace gm
