#include <windows.h>

#include "platform/win32_host.h"

namespace gm {

void Win32Host::Pause(std::uint32_t milliseconds) {
  Sleep(milliseconds);
}

std::uint32_t Win32Host::TickCount() {
  return GetTickCount();
}

int Win32Host::ShowMessage(const std::wstring& text, const std::wstring& title, unsigned flags) {
  return MessageBoxW(static_cast<HWND>(owner_), text.c_str(), title.c_str(), flags);
}

}  // namespace gm
