// A keyboard hook limited to the calling thread (WH_KEYBOARD): it sees each keyboard message
// as the thread takes it from its queue, before the message is dispatched, and always passes
// it on. Used by the key dialogs and the macro recorder to learn which key was pressed.
#pragma once

#include <windows.h>

#include <functional>

namespace gm {

class ThreadKeyboardHook {
 public:
  // The virtual-key code and the keystroke flags (scan code, extended bit, previous state,
  // transition) of a key-down or key-up message.
  using Handler = std::function<void(WPARAM virtualKey, LPARAM flags)>;

  ThreadKeyboardHook() = default;
  ~ThreadKeyboardHook();
  ThreadKeyboardHook(const ThreadKeyboardHook&) = delete;
  ThreadKeyboardHook& operator=(const ThreadKeyboardHook&) = delete;

  // Installs the hook for the calling thread (replacing one this object held); false when the
  // system refuses, with its error code in lastError().
  bool Install(Handler handler);
  // May be called from inside the handler.
  void Remove();
  bool installed() const { return hook_ != nullptr; }
  DWORD lastError() const { return lastError_; }

  // The procedure the system calls. Acts only on HC_ACTION, newest hook of the thread first,
  // and hands every call on down the chain. Tests call it with real keystroke flags.
  static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam);

 private:
  HHOOK hook_ = nullptr;
  Handler handler_;
  DWORD lastError_ = 0;
};

}  // namespace gm
