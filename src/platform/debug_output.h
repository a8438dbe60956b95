// The debugger's output window (OutputDebugStringW). Only the Windows build has it; portable
// code never calls it but may be handed it as a diagnostic sink.
#pragma once

#include <string>

namespace gm {

void WriteDebuggerLine(const std::wstring& text);

}  // namespace gm
