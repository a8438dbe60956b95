#include "ui/keyboard_hook_win32.h"

#include <algorithm>
#include <vector>

namespace gm {
namespace {

// The hooks this thread installed, oldest first. The system calls the procedure of the newest
// hook, which hands the message on with CallNextHookEx to the next one, and so on; the depth
// of that chain tells which of ours a call belongs to.
struct ThreadHooks {
  std::vector<ThreadKeyboardHook*> hooks;
  std::size_t depth = 0;
};

ThreadHooks& Hooks() {
  thread_local ThreadHooks hooks;
  return hooks;
}

}  // namespace

ThreadKeyboardHook::~ThreadKeyboardHook() {
  Remove();
}

bool ThreadKeyboardHook::Install(Handler handler) {
  Remove();
  hook_ =
      SetWindowsHookExW(WH_KEYBOARD, &ThreadKeyboardHook::Procedure, nullptr, GetCurrentThreadId());
  if (hook_ == nullptr) {
    lastError_ = GetLastError();
    return false;
  }
  lastError_ = 0;
  handler_ = std::move(handler);
  Hooks().hooks.push_back(this);
  return true;
}

void ThreadKeyboardHook::Remove() {
  if (hook_ == nullptr) return;
  UnhookWindowsHookEx(hook_);
  hook_ = nullptr;
  auto& hooks = Hooks().hooks;
  hooks.erase(std::remove(hooks.begin(), hooks.end(), this), hooks.end());
  // The handler stays: this may be a call from inside it.
}

LRESULT CALLBACK ThreadKeyboardHook::Procedure(int code, WPARAM wParam, LPARAM lParam) {
  ThreadHooks& thread = Hooks();
  const std::size_t fromNewest = thread.depth++;
  HHOOK self = nullptr;
  if (fromNewest < thread.hooks.size()) {
    ThreadKeyboardHook* hook = thread.hooks[thread.hooks.size() - 1 - fromNewest];
    self = hook->hook_;
    if (code == HC_ACTION && hook->handler_) {
      // A copy: the handler may remove or reinstall its hook.
      const Handler handler = hook->handler_;
      handler(wParam, lParam);
    }
  }
  const LRESULT result = CallNextHookEx(self, code, wParam, lParam);
  --thread.depth;
  return result;
}

}  // namespace gm
