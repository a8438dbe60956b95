// The name of a key pressed in a key dialog. Keys are shown and stored by name; a name becomes
// a KeyCode (config/key_codes, where the tables are) only when a byte for the mouse is needed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "config/key_codes.h"

namespace gm {

// The system's own name of the key in a keystroke's flags (GetKeyNameTextW); the front end
// passes it to KeyNameOf. Null where the system has no such service.
using SystemKeyNameFunction = std::wstring (*)(std::uint32_t keystrokeFlags);

// The name of the key in a keyboard message's flags (the lParam: scan code in bits 16-23,
// extended-key flag in bit 24), at most 31 characters. Keys of the key table get their
// US-layout name from the scan code, so that the mouse receives the key at the same place on
// every layout; other keys are named by the system, or stay unnamed without it.
std::wstring KeyNameOf(std::uint32_t keystrokeFlags, SystemKeyNameFunction systemName);

}  // namespace gm
