// The window layer's typed handlers: what each receives from its message, which messages reach
// them, and that the defaults leave a message to the system as before.
#include <gtest/gtest.h>

#include <windows.h>

#include "ui/wnd_win32.h"

namespace gm {
namespace {

class RecordingWnd : public Wnd {
 public:
  RecordingWnd() {
    WndCreateArgs args;
    args.className = L"QLGM900TestTypedHandlers";
    Create(args);
  }

  Point click{-1, -1};
  int clicks = 0;
  int commandId = 0;
  int commandCode = 0;
  HWND commandControl = nullptr;
  UINT colourKind = 0;

 protected:
  void OnLeftButtonDown(Point p) override {
    click = p;
    ++clicks;
  }
  void OnCommand(int id, int code, HWND control) override {
    commandId = id;
    commandCode = code;
    commandControl = control;
  }
  LRESULT OnControlColour(UINT kind, HDC, HWND) override {
    colourKind = kind;
    return 77;
  }
};

TEST(WndTypedHandlers, DecodeTheirMessages) {
  RecordingWnd window;
  ASSERT_NE(window.hwnd(), nullptr);
  // Coordinates left of or above the client area are negative, and a double click is a click.
  SendMessageW(window.hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(-3, 7));
  EXPECT_EQ(window.click, (Point{-3, 7}));
  EXPECT_EQ(window.clicks, 1);

  SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(1028, EN_CHANGE),
               reinterpret_cast<LPARAM>(window.hwnd()));
  EXPECT_EQ(window.commandId, 1028);
  EXPECT_EQ(window.commandCode, EN_CHANGE);
  EXPECT_EQ(window.commandControl, window.hwnd());

  // The handler's brush is the answer; colour requests the program never answers stay the
  // system's.
  EXPECT_EQ(SendMessageW(window.hwnd(), WM_CTLCOLOREDIT, 0, 0), 77);
  EXPECT_EQ(window.colourKind, static_cast<UINT>(WM_CTLCOLOREDIT));
  window.colourKind = 0;
  SendMessageW(window.hwnd(), WM_CTLCOLORSCROLLBAR, 0, 0);
  EXPECT_EQ(window.colourKind, 0u);
}

TEST(WndTypedHandlers, DefaultsLeaveTheMessageToTheSystem) {
  RecordingWnd window;
  ASSERT_NE(window.hwnd(), nullptr);
  HDC dc = GetDC(window.hwnd());
  EXPECT_EQ(SendMessageW(window.hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0),
            DefWindowProcW(window.hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0));
  ReleaseDC(window.hwnd(), dc);
  // Unhandled, a close destroys the window.
  SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(window.hwnd(), nullptr);
}

}  // namespace
}  // namespace gm
