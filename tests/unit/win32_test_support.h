// Helpers of the Windows tests that drive real windows: the default skin's folder as Wine sees
// it, a message pump, keystroke flags with real scan codes, and pixels of a bitmap.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace gm::test {

// The build's default skin; a Unix path reaches Wine's programs through drive Z:.
inline std::wstring DefaultSkinFolder() {
  std::wstring folder;
  for (const char* c = GM_SKIN_DIR; *c != 0; ++c) folder.push_back(static_cast<wchar_t>(*c));
  if (!folder.empty() && folder.front() == L'/') folder = L"Z:" + folder;
  return folder;
}

// Dispatches whatever the thread has queued.
inline void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// The lParam of a keystroke: repeat count 1, the scan code, the extended-key bit; a release
// also has the previous-state and transition bits.
inline LPARAM KeyDownFlags(std::uint32_t scanCode, bool extended = false) {
  return static_cast<LPARAM>(1u | (scanCode << 16) | (extended ? 1u << 24 : 0u));
}
inline LPARAM KeyUpFlags(std::uint32_t scanCode, bool extended = false) {
  return static_cast<LPARAM>(0xC0000000u |
                             static_cast<std::uint32_t>(KeyDownFlags(scanCode, extended)));
}

inline COLORREF BitmapPixel(HBITMAP bitmap, int x, int y) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  const COLORREF colour = GetPixel(memory, x, y);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return colour;
}

inline std::wstring WindowText(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

}  // namespace gm::test
