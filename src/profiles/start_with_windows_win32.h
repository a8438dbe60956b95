// "Start with Windows": the program's value under the current user's Run key.
#pragma once

#include <string>

namespace gm {

// Whether the Run key holds a value that starts the program at exePath: the real state of the
// key, whoever wrote it.
bool StartsWithWindows(const std::wstring& exePath);
// Writes (on) or removes (off) the value; false when the registry refused.
bool SetStartWithWindows(bool on, const std::wstring& exePath);

}  // namespace gm
