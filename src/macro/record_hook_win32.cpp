#include "macro/record_hook_win32.h"

#include "buttons/key_names.h"
#include "buttons/system_key_name.h"

namespace gm {
namespace {

KeyRole RoleOf(WPARAM key) {
  // Ctrl with Pause arrives as VK_CANCEL; some systems pass VK_PAUSE with Ctrl held.
  const bool control = GetKeyState(VK_CONTROL) < 0;
  if (key == VK_CANCEL || (key == VK_PAUSE && control)) return KeyRole::Break;
  if (key == VK_CONTROL || key == VK_LCONTROL || key == VK_RCONTROL) return KeyRole::Control;
  return KeyRole::Other;
}

}  // namespace

bool RecordHook::Install(unsigned long& errorCode) {
  const bool installed = hook_.Install([this](WPARAM key, LPARAM flags) {
    const auto keystroke = static_cast<std::uint32_t>(flags);
    recorder_.OnKeystroke(KeyNameOf(keystroke, &SystemKeyName), keystroke, RoleOf(key));
  });
  errorCode = installed ? 0 : hook_.lastError();
  return installed;
}

}  // namespace gm
