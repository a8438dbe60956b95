// The help panel and the profile manager as real windows: where they sit, their size from the
// skin, their controls, and what they do when the skin lacks their background.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "app/wnd_win32.h"
#include "fake_host.h"
#include "fake_shell.h"
#include "gfx/gdiplus_win32.h"
#include "help/help_dialog_win32.h"

namespace gm {
namespace {

std::wstring SkinFolder() {
  std::wstring folder;
  for (const char* c = GM_SKIN_DIR; *c != 0; ++c) folder.push_back(static_cast<wchar_t>(*c));
  // A Unix path of the build folder reaches Wine's programs through drive Z:.
  if (!folder.empty() && folder.front() == L'/') folder = L"Z:" + folder;
  return folder;
}

// A stand-in for the main window: a hidden top-level window of the main window's size.
class MainStandIn : public Wnd {
 public:
  MainStandIn() {
    WndCreateArgs args;
    args.className = L"QLGM900TestMain";
    args.x = 0;
    args.y = 0;
    args.width = 1000;
    args.height = 650;
    Create(args);
  }
};

class DialogsWin32 : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { session_ = new gfx::GdiplusSession; }
  static void TearDownTestSuite() {
    delete session_;
    session_ = nullptr;
  }

  // The window's rectangle in its parent's client coordinates.
  static RECT PlaceInParent(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }

  MainStandIn main;
  test::FakeHost host;
  test::FakeShell shell;

 private:
  static gfx::GdiplusSession* session_;
};

gfx::GdiplusSession* DialogsWin32::session_ = nullptr;

TEST_F(DialogsWin32, HelpPanelSitsUnderTheHelpIconInTheSizeOfItsImage) {
  ASSERT_NE(main.hwnd(), nullptr);
  CHelpDialog help(Language::English, shell, host);
  ASSERT_TRUE(help.Open(main.hwnd(), SkinFolder()));
  EXPECT_EQ(GetParent(help.hwnd()), main.hwnd());
  EXPECT_TRUE(GetWindowLongW(help.hwnd(), GWL_STYLE) & WS_CHILD);
  const RECT place = PlaceInParent(help.hwnd());
  EXPECT_EQ(place.left, 786);
  EXPECT_EQ(place.top, 25);
  EXPECT_EQ(place.right - place.left, 166);
  EXPECT_EQ(place.bottom - place.top, 77);
  EXPECT_TRUE(host.messages.empty());

  SendMessageW(help.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(80, 12));
  SendMessageW(help.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(80, 40));
  EXPECT_EQ(shell.opened, std::vector<std::wstring>{kMakerWebAddress});
}

TEST_F(DialogsWin32, HelpPanelWithoutItsImageSaysSoAndStaysOpen) {
  CHelpDialog help(Language::German, shell, host);
  ASSERT_TRUE(help.Open(main.hwnd(), L"Z:\\no\\such\\skin"));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, L"error");
  EXPECT_EQ(host.messages[0].title, L"Help Dialog Load background image failed!!!");
  EXPECT_NE(help.hwnd(), nullptr);
  EXPECT_TRUE(GetWindowLongW(help.hwnd(), GWL_STYLE) & WS_VISIBLE);  // shown, though empty
}

}  // namespace
}  // namespace gm
