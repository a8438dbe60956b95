// The recorder's keyboard hook (the RecordHook): on the program's own user-interface thread,
// so only keystrokes that reach the program's windows are recorded. Each keystroke is named
// and handed to the recorder; the macro manager installs and removes it for the recorder.
#pragma once

#include "macro/macro_recorder.h"
#include "ui/keyboard_hook_win32.h"

namespace gm {

class RecordHook {
 public:
  explicit RecordHook(MacroRecorder& recorder) : recorder_(recorder) {}

  // false with the system's error code when the hook is refused.
  bool Install(unsigned long& errorCode);
  void Remove() { hook_.Remove(); }
  bool installed() const { return hook_.installed(); }

 private:
  MacroRecorder& recorder_;
  ThreadKeyboardHook hook_;
};

}  // namespace gm
