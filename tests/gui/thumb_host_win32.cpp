// A test window with the main window's scroll track and thumb: the skin's background and track,
// and the image button made from PNG resource 184 at the thumb's place. Each move the thumb
// reports is appended to the log file named on the command line as "moved TOP". Used by the
// GUI test of the thumb's drag before the main window's layout creates the thumb itself.
#include <windows.h>

#include <cstdio>
#include <string>

#include "gfx/gdip_button_win32.h"
#include "gfx/gdiplus_win32.h"
#include "gfx/image_win32.h"
#include "gfx/mem_dc_win32.h"
#include "gfx/skin_files.h"

namespace {

std::wstring g_skin;
std::wstring g_log;

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L"\\/"));
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      {
        RECT client;
        GetClientRect(hwnd, &client);
        gm::gfx::CMemDC picture(dc, &client);
        gm::gfx::DrawSkinImage(picture, g_skin + gm::skin::kMain, 0, 0);
        gm::gfx::DrawSkinImage(picture, g_skin + gm::skin::kScrollTrack, 984, 32);
      }
      EndPaint(hwnd, &paint);
      return 0;
    }
    case gm::gfx::kThumbMovedMessage:
      if (FILE* log = _wfopen(g_log.c_str(), L"ab")) {
        std::fprintf(log, "moved %d\n", static_cast<int>(wParam));
        std::fclose(log);
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  gm::gfx::GdiplusSession gdiplus;
  g_skin = ProgramFolder() + L"/Skins/Default";
  g_log = commandLine != nullptr && *commandLine != 0 ? commandLine : L"thumb.txt";

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = HostProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.lpszClassName = L"QLGM900ThumbHost";
  if (RegisterClassW(&windowClass) == 0) return 1;
  HWND window =
      CreateWindowExW(0, windowClass.lpszClassName, L"gfx-thumb-host", WS_POPUP | WS_CLIPCHILDREN,
                      0, 0, 1000, 650, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);

  gm::gfx::CGdipButton thumb;
  if (!thumb.Create(window, {984, 32, 991, 146}, 161)) return 1;
  thumb.LoadStdImage(gm::gfx::kScrollThumbPng);
  thumb.LoadAltImage(gm::gfx::kScrollThumbPng);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
