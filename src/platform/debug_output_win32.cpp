#include <windows.h>

#include "platform/debug_output.h"

namespace gm {

void WriteDebuggerLine(const std::wstring& text) {
  OutputDebugStringW(text.c_str());
}

}  // namespace gm
