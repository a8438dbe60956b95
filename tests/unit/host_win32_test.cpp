// The Save flows' window services of the Windows Host, on a real (message-only) window under
// Wine: the class cursor and the timers. Without an owner they must do nothing at all.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32_host.h"

namespace gm {
namespace {

HCURSOR ClassCursor(HWND window) {
  return reinterpret_cast<HCURSOR>(GetClassLongPtrW(window, GCLP_HCURSOR));
}

// Pumps the window's messages until WM_TIMER with the id arrives or two seconds pass.
bool TimerFires(HWND window, UINT_PTR id) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 2000) {
    MSG message;
    while (PeekMessageW(&message, window, 0, 0, PM_REMOVE)) {
      if (message.message == WM_TIMER && message.wParam == id) return true;
    }
    Sleep(5);
  }
  return false;
}

TEST(Win32Host, WaitCursorAndTimersWorkOnTheOwnerWindow) {
  const WNDCLASSW windowClass{0,
                              DefWindowProcW,
                              0,
                              0,
                              GetModuleHandleW(nullptr),
                              nullptr,
                              LoadCursorW(nullptr, IDC_ARROW),
                              nullptr,
                              nullptr,
                              L"GmHostTestWindow"};
  ASSERT_NE(RegisterClassW(&windowClass), 0);
  HWND window = CreateWindowExW(0, L"GmHostTestWindow", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);

  Win32Host unowned;
  unowned.SetWaitCursor();
  unowned.StartTimer(5, 1);
  EXPECT_EQ(ClassCursor(window), LoadCursorW(nullptr, IDC_ARROW));

  Win32Host host(window);
  host.SetWaitCursor();
  EXPECT_EQ(ClassCursor(window), LoadCursorW(nullptr, IDC_WAIT));
  host.RestoreArrowCursor();
  EXPECT_EQ(ClassCursor(window), LoadCursorW(nullptr, IDC_ARROW));

  host.StartTimer(3, 10);
  EXPECT_TRUE(TimerFires(window, 3));
  host.KillTimer(3);
  MSG stale;
  while (PeekMessageW(&stale, window, WM_TIMER, WM_TIMER, PM_REMOVE)) {
  }
  Sleep(50);
  EXPECT_FALSE(PeekMessageW(&stale, window, WM_TIMER, WM_TIMER, PM_REMOVE));

  DestroyWindow(window);
  UnregisterClassW(L"GmHostTestWindow", GetModuleHandleW(nullptr));
}

}  // namespace
}  // namespace gm
