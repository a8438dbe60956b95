// The rules window of the automatic profiles: a plain dialog of system controls listing the
// rules (program, profile), with Add (a program now running, or an .exe chosen in a file
// dialog), Remove, the selected rule's profile, OK and Cancel.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "config/language.h"
#include "platform/host.h"
#include "profiles/auto_profiles.h"

namespace gm {

// Runs the window modally over `owner`; the edited rules after OK, nothing after Cancel.
std::optional<std::vector<ProfileRule>> RunRulesWindow(HWND owner, Host& host, Language language,
                                                       std::vector<ProfileRule> rules,
                                                       std::vector<std::wstring> profiles);

}  // namespace gm
