// A small window layer reused by every window of the program: a Wnd owns its HWND, gets its
// messages through OnMessage, and is found again from the HWND through GWLP_USERDATA.
#pragma once

#include <windows.h>

#include <string>

namespace gm {

struct WndCreateArgs {
  const wchar_t* className = L"QLGM900Window";
  std::wstring title;
  DWORD style = WS_POPUP;
  DWORD exStyle = 0;
  int x = CW_USEDEFAULT;
  int y = CW_USEDEFAULT;
  int width = 100;
  int height = 100;
  HWND parent = nullptr;
  HICON icon = nullptr;
  // Copy the system dialog class's attributes (cursor, background, extra bytes).
  bool dialogClassAttributes = false;
};

class Wnd {
 public:
  Wnd() = default;
  Wnd(const Wnd&) = delete;
  Wnd& operator=(const Wnd&) = delete;
  virtual ~Wnd();

  // Registers the class once per name and creates the window; false on failure.
  bool Create(const WndCreateArgs& args);
  void Destroy();
  HWND hwnd() const { return hwnd_; }

  static Wnd* FromHandle(HWND hwnd);
  // Registers a window class of this layer once; true when it is (or already was) registered.
  static bool RegisterWindowClass(const wchar_t* className, bool dialogClassAttributes, HICON icon);

 protected:
  // Default: DefWindowProcW.
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Called for WM_NCDESTROY after the handle is detached.
  virtual void OnFinalMessage() {}

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

// Runs the message loop until WM_QUIT; returns its exit code.
int RunMessageLoop();

}  // namespace gm
