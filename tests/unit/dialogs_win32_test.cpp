// The help panel and the profile manager as real windows: where they sit, their size from the
// skin, their controls, and what they do when the skin lacks their background.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "fake_host.h"
#include "fake_shell.h"
#include "gfx/gdiplus_win32.h"
#include "help/help_dialog_win32.h"
#include "macro/list_editor_win32.h"
#include "platform/portable_ini_file.h"
#include "profiles/config_dialog_win32.h"
#include "temp_dir.h"
#include "ui/wnd_win32.h"

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

// The dialog class asks for double clicks: a quick second click must still be a click.
TEST_F(DialogsWin32, QuickSecondClickIsAClick) {
  CHelpDialog help(Language::English, shell, host);
  ASSERT_TRUE(help.Open(main.hwnd(), SkinFolder()));
  SendMessageW(help.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(80, 12));  // the web link
  SendMessageW(help.hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(80, 12));
  EXPECT_EQ(shell.opened, (std::vector<std::wstring>{kMakerWebAddress, kMakerWebAddress}));
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

std::wstring ListLine(HWND list, int index) {
  wchar_t text[256] = {};
  SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  return text;
}

TEST_F(DialogsWin32, ProfileManagerOverTheMainWindowWithItsNameList) {
  test::TempDir dir;
  PortableIniFile ini;
  const std::filesystem::path strIni = dir / "str.ini";
  ASSERT_TRUE(ini.WriteString(strIni, L"Profile", L"ItemCount", L"2"));
  ASSERT_TRUE(ini.WriteString(strIni, L"Profile", L"Item0", L"Office"));
  ASSERT_TRUE(ini.WriteString(strIni, L"Profile", L"Item1", L"Игра"));
  ASSERT_TRUE(ini.WriteString(strIni, L"Profile", L"CurProfileName", L"Игра"));
  UiLog log;
  CConfigDialog dialog(ini, strIni, Language::Russian, {255, 255, 255}, log);
  ASSERT_TRUE(dialog.Open(main.hwnd(), SkinFolder()));
  EXPECT_TRUE(dialog.open());
  EXPECT_EQ(GetWindow(dialog.hwnd(), GW_OWNER), main.hwnd());
  RECT place;
  GetWindowRect(dialog.hwnd(), &place);
  POINT origin{0, 0};
  ClientToScreen(main.hwnd(), &origin);
  EXPECT_EQ(place.left, origin.x);
  EXPECT_EQ(place.top, origin.y);
  EXPECT_EQ(place.right - place.left, 263);
  EXPECT_EQ(place.bottom - place.top, 598);
  EXPECT_TRUE(GetWindowLongW(dialog.hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);

  HWND list = GetDlgItem(dialog.hwnd(), kProfileListId);
  ASSERT_NE(list, nullptr);
  const RECT listPlace = PlaceInParent(list);
  EXPECT_EQ(listPlace.left, 0);
  EXPECT_EQ(listPlace.top, 31);
  EXPECT_EQ(listPlace.right, 263);
  EXPECT_EQ(listPlace.bottom, 575);
  ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(ListLine(list, 1), L"Игра");
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1);

  // New, then the close box: the ProfileList is written and the main window asked to reload.
  SendMessageW(dialog.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 586));
  EXPECT_EQ(ListLine(list, 2), L"Игра_2");
  SendMessageW(dialog.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(247, 15));
  EXPECT_FALSE(dialog.open());
  EXPECT_EQ(dialog.hwnd(), nullptr);
  EXPECT_EQ(ini.ReadString(strIni, L"Profile", L"Item2"), L"Игра_2");
  EXPECT_EQ(ini.ReadString(strIni, L"Profile", L"CurProfileName"), L"Игра_2");
  MSG posted;
  ASSERT_TRUE(PeekMessageW(&posted, main.hwnd(), 0xB03, 0xB03, PM_REMOVE));
  EXPECT_EQ(posted.wParam, 2u);
  EXPECT_EQ(posted.lParam, 0);
}

// It sits over the main window's client origin: moved, hidden and shown with the main window,
// not left alone on the desktop.
TEST_F(DialogsWin32, ProfileManagerFollowsTheMainWindow) {
  test::TempDir dir;
  PortableIniFile ini;
  UiLog log;
  CConfigDialog dialog(ini, dir / "str.ini", Language::English, {255, 255, 255}, log);
  ShowWindow(main.hwnd(), SW_SHOWNOACTIVATE);
  ASSERT_TRUE(dialog.Open(main.hwnd(), SkinFolder()));
  SetWindowPos(main.hwnd(), nullptr, 120, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const auto atOrigin = [&] {
    RECT place;
    GetWindowRect(dialog.hwnd(), &place);
    POINT origin{0, 0};
    ClientToScreen(main.hwnd(), &origin);
    return place.left == origin.x && place.top == origin.y;
  };
  EXPECT_TRUE(atOrigin());
  ShowWindow(main.hwnd(), SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(dialog.hwnd()));
  SetWindowPos(main.hwnd(), nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(main.hwnd(), SW_SHOWNOACTIVATE);
  EXPECT_TRUE(IsWindowVisible(dialog.hwnd()));
  EXPECT_TRUE(atOrigin());
  ShowWindow(main.hwnd(), SW_HIDE);
}

// A skin without the background: the message, an empty window, and a close that writes the
// list back as it was instead of wiping it.
TEST_F(DialogsWin32, ProfileManagerWithoutItsImageKeepsTheList) {
  test::TempDir dir;
  PortableIniFile ini;
  const std::filesystem::path strIni = dir / "str.ini";
  ASSERT_TRUE(ini.WriteString(strIni, L"Profile", L"ItemCount", L"2"));
  ASSERT_TRUE(ini.WriteString(strIni, L"Profile", L"Item0", L"A"));
  ASSERT_TRUE(ini.WriteString(strIni, L"Profile", L"Item1", L"B"));
  ASSERT_TRUE(ini.WriteString(strIni, L"Profile", L"CurProfileName", L"B"));
  UiLog log;
  CConfigDialog dialog(ini, strIni, Language::English, {255, 255, 255}, log);
  // The box is modal; answer it at once.
  std::thread answer([] {
    for (int i = 0; i < 100; ++i) {
      if (HWND box = FindWindowW(nullptr, L"Config Dialog Load background image failed!!!")) {
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return;
      }
      Sleep(20);
    }
  });
  ASSERT_TRUE(dialog.Open(main.hwnd(), L"Z:\\no\\such\\skin"));
  answer.join();
  EXPECT_EQ(GetDlgItem(dialog.hwnd(), kProfileListId), nullptr);
  SendMessageW(dialog.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(247, 15));
  EXPECT_EQ(ini.ReadString(strIni, L"Profile", L"ItemCount"), L"2");
  EXPECT_EQ(ini.ReadString(strIni, L"Profile", L"Item1"), L"B");
  EXPECT_EQ(ini.ReadString(strIni, L"Profile", L"CurProfileName"), L"B");
}

TEST_F(DialogsWin32, ProfileListMenuResource) {
  HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProfileMenuResource));
  ASSERT_NE(menu, nullptr);
  HMENU popup = GetSubMenu(menu, 0);
  ASSERT_NE(popup, nullptr);
  wchar_t name[32] = {};
  GetMenuStringW(menu, 0, name, 32, MF_BYPOSITION);
  EXPECT_STREQ(name, L"ProfileList");
  ASSERT_EQ(GetMenuItemCount(popup), 5);
  const UINT ids[] = {kCmdProfileDelete, kCmdProfileEdit, kCmdProfileCopy, kCmdProfileLoad,
                      kCmdProfileSave};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(GetMenuItemID(popup, i), ids[i]);
  DestroyMenu(menu);
}

// A list box with three lines in the stand-in main window, for the in-place editor.
class ListEditorWin32 : public DialogsWin32 {
 protected:
  void SetUp() override {
    list = CreateWindowExW(0, L"LISTBOX", nullptr, WS_CHILD | WS_VISIBLE | LBS_HASSTRINGS, 0, 0,
                           200, 200, main.hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    for (const wchar_t* line : {L"first", L"250 ms", L"third"}) {
      SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    }
  }
  HWND Field() const { return FindWindowExW(list, nullptr, L"EDIT", nullptr); }
  void Type(const wchar_t* text, WPARAM endKey) {
    HWND field = Field();
    ASSERT_NE(field, nullptr);
    SetWindowTextW(field, text);
    SendMessageW(field, WM_KEYDOWN, endKey, 0);
  }

  HWND list = nullptr;
  std::vector<std::pair<int, std::wstring>> committed;
  CLBEditorWnd::Committed Record() {
    return [this](int index, const std::wstring& line) { committed.emplace_back(index, line); };
  }
};

TEST_F(ListEditorWin32, OpensOverTheLineWithItsText) {
  EXPECT_FALSE(CLBEditorWnd::Edit(list, 3, EditMode::ProfileName, Record()));
  EXPECT_FALSE(CLBEditorWnd::Edit(list, -1, EditMode::ProfileName, Record()));
  EXPECT_EQ(Field(), nullptr);
  ASSERT_TRUE(CLBEditorWnd::Edit(list, 2, EditMode::ProfileName, Record()));
  HWND field = Field();
  ASSERT_NE(field, nullptr);
  wchar_t text[32] = {};
  GetWindowTextW(field, text, 32);
  EXPECT_STREQ(text, L"third");
  RECT line;
  SendMessageW(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&line));
  RECT place;
  GetWindowRect(field, &place);
  MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&place), 2);
  EXPECT_EQ(place.top, line.top - 1);
  EXPECT_EQ(place.bottom, line.bottom + 1);
  EXPECT_EQ(GetCapture(), field);
  Type(L"x", VK_ESCAPE);
}

TEST_F(ListEditorWin32, EscKeepsTheLineEnterAndTabCommit) {
  ASSERT_TRUE(CLBEditorWnd::Edit(list, 0, EditMode::ProfileName, Record()));
  Type(L"changed", VK_ESCAPE);
  EXPECT_EQ(Field(), nullptr);
  EXPECT_EQ(ListLine(list, 0), L"first");
  EXPECT_TRUE(committed.empty());

  ASSERT_TRUE(CLBEditorWnd::Edit(list, 0, EditMode::ProfileName, Record()));
  Type(L"Game", VK_RETURN);
  EXPECT_EQ(ListLine(list, 0), L"Game");
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
  ASSERT_TRUE(CLBEditorWnd::Edit(list, 2, EditMode::MacroName, Record()));
  Type(L"Macro 3", VK_TAB);
  EXPECT_EQ(ListLine(list, 2), L"Macro 3");
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(committed, (std::vector<std::pair<int, std::wstring>>{{0, L"Game"}, {2, L"Macro 3"}}));
}

// A press outside the field commits; a delay asks the list's window to store the macro.
TEST_F(ListEditorWin32, ClickOutsideCommitsAndDelaysAskForAStore) {
  ASSERT_TRUE(CLBEditorWnd::Edit(list, 1, EditMode::Delay, Record()));
  HWND field = Field();
  ASSERT_NE(field, nullptr);
  SetWindowTextW(field, L"1 2 0ms");
  SendMessageW(field, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, 100));
  EXPECT_EQ(Field(), nullptr);
  EXPECT_EQ(ListLine(list, 1), L"120 ms");
  MSG posted;
  ASSERT_TRUE(PeekMessageW(&posted, main.hwnd(), 0x926, 0x926, PM_REMOVE));
  EXPECT_EQ(posted.wParam, 7u);

  ASSERT_TRUE(CLBEditorWnd::Edit(list, 1, EditMode::Delay, Record()));
  Type(L"120", VK_RETURN);  // the unit deleted: the old item stays
  EXPECT_EQ(ListLine(list, 1), L"120 ms");
  EXPECT_FALSE(PeekMessageW(&posted, main.hwnd(), 0x926, 0x926, PM_REMOVE));
}

}  // namespace
}  // namespace gm
