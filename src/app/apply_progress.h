// What the notification-area tip says while the mouse is written: the program's tip, then the
// word for the writing in the session's language and the share sent.
#pragma once

#include <string>

#include "config/language.h"

namespace gm {

// "QL-GM900 - Saving 40%": title is the language's usual tip.
std::wstring ApplyProgressTip(Language language, const std::wstring& title, unsigned percent);

}  // namespace gm
