// A small window layer reused by every window of the program: a Wnd owns its HWND, gets its
// messages through typed handlers (OnPaint, OnLeftButtonDown, OnCommand, ...) or, for messages
// of its own, through OnMessage, and is found again from the HWND through GWLP_USERDATA.
#pragma once

#include <windows.h>

#include <string>

#include "gfx/geometry.h"

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

  // A modal run: shows the window, disables the owner and pumps the thread's messages until
  // EndModal; then enables and activates the owner again and hides the window (the caller
  // destroys it). Returns EndModal's result, or `ended` when the window was destroyed without
  // one.
  int RunModal(HWND owner, int ended = IDCANCEL);
  void EndModal(int result);
  bool modalRunning() const { return modalRunning_; }

  static Wnd* FromHandle(HWND hwnd);
  // Registers a window class of this layer once; true when it is (or already was) registered.
  static bool RegisterWindowClass(const wchar_t* className, bool dialogClassAttributes, HICON icon);

 protected:
  // Every message. The default hands the messages of the handlers below to them and the others
  // to DefWindowProcW; an override takes the window's own messages and hands the rest on.
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // Typed handlers; each default does what DefWindowProcW does with its message.
  // WM_PAINT, between BeginPaint and EndPaint.
  virtual void OnPaint(HDC dc);
  // WM_ERASEBKGND: nonzero when the background counts as erased.
  virtual LRESULT OnEraseBackground(HDC dc);
  // Points in client pixels. A double click arrives as a second press.
  virtual void OnLeftButtonDown(Point p);
  virtual void OnMouseMove(Point p);
  virtual void OnMouseHover(Point p);
  virtual void OnMouseLeave();
  // WM_COMMAND: the menu item's or control's id, the notification code, the control (null for
  // a menu item).
  virtual void OnCommand(int id, int code, HWND control);
  virtual void OnTimer(UINT_PTR id);
  // WM_CTLCOLORSTATIC, ...EDIT, ...LISTBOX and ...BTN, the message as `kind`: the brush the
  // control is painted with.
  virtual LRESULT OnControlColour(UINT kind, HDC dc, HWND control);
  virtual void OnClose();
  virtual void OnDestroy();
  // Called for WM_NCDESTROY after the handle is detached.
  virtual void OnFinalMessage() {}
  // Sees every message of a modal run before it is dispatched; true discards it.
  virtual bool PreTranslateMessage(const MSG& message);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
  bool modalRunning_ = false;
  int modalResult_ = 0;
};

// Runs the message loop until WM_QUIT; returns its exit code.
int RunMessageLoop();

// The window's text, whole.
std::wstring WindowText(HWND window);
// Line `index` of a list box; empty when there is none.
std::wstring ListBoxLine(HWND list, int index);

}  // namespace gm
