#include "macro/record_hook_win32.h"

#include "buttons/key_names.h"
#include "buttons/system_key_name.h"

namespace gm {

bool RecordHook::Install(unsigned long& errorCode) {
  const bool installed = hook_.Install([this](WPARAM, LPARAM flags) {
    const auto keystroke = static_cast<std::uint32_t>(flags);
    recorder_.OnKeystroke(KeyNameOf(keystroke, &SystemKeyName), keystroke);
  });
  errorCode = installed ? 0 : hook_.lastError();
  return installed;
}

}  // namespace gm
