// Handle leaks: every page, dialog and list opened and closed a few hundred times leaves the
// GDI and USER objects of the process where they were. Counted by GuiObjectTracker (our own
// calls that create and free objects, and the thread's windows), since Wine's GetGuiResources
// always answers 0; on Windows the system's counts are compared as well.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>

#include "app/app_state.h"
#include "app/main_layout.h"
#include "app/main_painter_win32.h"
#include "app/page_painter_win32.h"
#include "app/settings_pages.h"
#include "buttons/combo_dialog_win32.h"
#include "buttons/single_dialog_win32.h"
#include "fake_host.h"
#include "fake_shell.h"
#include "gfx/gdiplus_win32.h"
#include "gui_object_tracker_win32.h"
#include "help/help_dialog_win32.h"
#include "macro/list_editor_win32.h"
#include "macro/macro_dialog_win32.h"
#include "macro/macro_program_dialog_win32.h"
#include "macro/macro_store.h"
#include "macro_items.h"
#include "memory_ini_file.h"
#include "platform/win32_ini_file.h"
#include "profiles/config_dialog_win32.h"
#include "temp_dir.h"
#include "ui/ui_log.h"
#include "ui/wnd_win32.h"
#include "win32_test_support.h"

namespace gm {
namespace {

constexpr int kCycles = 200;

// A stand-in for the main window: a hidden top-level window of the main window's size.
class MainStandIn : public Wnd {
 public:
  MainStandIn() {
    WndCreateArgs args;
    args.className = L"QLGM900LeakTestMain";
    args.width = 1000;
    args.height = 650;
    Create(args);
  }
};

class GuiLeaksWin32 : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { gdiplus_ = new gfx::GdiplusSession; }
  static void TearDownTestSuite() {
    delete gdiplus_;
    gdiplus_ = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(tracker.patched("DeleteObject") && tracker.patched("CreateCompatibleDC"));
    ASSERT_NE(main.hwnd(), nullptr);
  }

  // A warm-up first, so that what is made once and kept (caches, classes) is not counted;
  // then kCycles more must end where the warm-up left the counts.
  void ExpectNoLeak(const std::function<void()>& cycle, int warmUp = 1) {
    for (int i = 0; i < warmUp; ++i) cycle();
    test::PumpMessages();
    const test::GuiObjectCounts before = tracker.Counts();
    for (int i = 0; i < kCycles; ++i) cycle();
    test::PumpMessages();
    const test::GuiObjectCounts after = tracker.Counts();
    EXPECT_EQ(after.gdiObjects, before.gdiObjects);
    EXPECT_EQ(after.windowDcs, before.windowDcs);
    EXPECT_EQ(after.menus, before.menus);
    EXPECT_EQ(after.icons, before.icons);
    EXPECT_EQ(after.hooks, before.hooks);
    EXPECT_EQ(after.windows, before.windows);
    // Where the system counts (not under Wine), a little slack for its own caches.
    EXPECT_LE(after.systemGdi, before.systemGdi + 8);
    EXPECT_LE(after.systemUser, before.systemUser + 8);
  }

  static gfx::GdiplusSession* gdiplus_;
  test::GuiObjectTracker& tracker = test::GuiObjectTracker::Instance();
  MainStandIn main;
  test::FakeHost host;
  test::FakeShell shell;
  test::TempDir dir;
};
gfx::GdiplusSession* GuiLeaksWin32::gdiplus_ = nullptr;

// The counts see what the code of this program makes and frees; else the checks below would
// pass on anything.
TEST_F(GuiLeaksWin32, TheCountsSeeObjectsMadeAndFreed) {
  const test::GuiObjectCounts before = tracker.Counts();
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  HDC dc = GetDC(main.hwnd());
  HMENU menu = CreatePopupMenu();
  const test::GuiObjectCounts held = tracker.Counts();
  EXPECT_EQ(held.gdiObjects, before.gdiObjects + 1);
  EXPECT_EQ(held.windowDcs, before.windowDcs + 1);
  EXPECT_EQ(held.menus, before.menus + 1);
  DestroyMenu(menu);
  ReleaseDC(main.hwnd(), dc);
  DeleteObject(brush);
  EXPECT_EQ(tracker.Counts(), before);
}

TEST_F(GuiLeaksWin32, EveryPageOpenedAndClosed) {
  AppState state;
  state.UseLanguage(L"");
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP picture = CreateCompatibleBitmap(screen, 1000, 650);
  ReleaseDC(nullptr, screen);
  const HGDIOBJ old = SelectObject(dc, picture);
  HFONT font = CreateFontW(15, 0, 0, 0, 300, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, L"Segoe UI");
  const FilePath skin = test::DefaultSkinFolder();  // the painter keeps a reference
  MainPainter painter(state, skin, font, font);
  const PagePainter pages(painter);
  MainLayout layout;
  const PageSizes sizes = painter.MeasurePages();
  // Each cycle opens the next page and closes it again, redrawing its column each time.
  std::size_t next = 0;
  ExpectNoLeak(
      [&] {
        const auto page = static_cast<Page>(next++ % kPageCount);
        const bool left = PageIndex(page) < PageIndex(Page::Dpi);
        for (const bool open : {true, false}) {
          layout.SetOpen(page, open);
          painter.Column(dc, left ? layout.LeftPass(sizes) : layout.TopPass(sizes), layout.view(),
                         sizes);
        }
        if (page == Page::Dpi) {
          for (int stage = 0; stage < static_cast<int>(kDpiStageCount); ++stage) {
            pages.Redraw(dc, ControlOf(Control::DpiLevel), PlaceOf(layout, Page::Dpi, sizes),
                         stage);
          }
        }
      },
      static_cast<int>(kPageCount));
  DeleteObject(font);
  SelectObject(dc, old);
  DeleteObject(picture);
  DeleteDC(dc);
}

TEST_F(GuiLeaksWin32, HelpPanel) {
  ExpectNoLeak([&] {
    CHelpDialog help(Language::English, shell, host);
    ASSERT_TRUE(help.Open(main.hwnd(), test::DefaultSkinFolder()));
  });
}

TEST_F(GuiLeaksWin32, ProfileManagerAndItsListEditor) {
  // The list file is left missing: the profile functions take seconds under Wine to write it
  // at every close, and the windows are the same without it.
  test::MemoryIniFile ini;
  const std::filesystem::path strIni = dir / "str.ini";
  UiLog log;
  ExpectNoLeak([&] {
    CConfigDialog dialog(ini, strIni, Language::German, {255, 255, 255}, log);
    ASSERT_TRUE(dialog.Open(main.hwnd(), test::DefaultSkinFolder()));
    HWND list = GetDlgItem(dialog.hwnd(), kProfileListId);
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Game"));
    ASSERT_TRUE(
        CLBEditorWnd::Edit(list, 0, EditMode::ProfileName, [](int, const std::wstring&) {}));
    HWND field = FindWindowExW(list, nullptr, L"EDIT", nullptr);
    ASSERT_NE(field, nullptr);
    SendMessageW(field, WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageW(dialog.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(247, 15));  // close box
    EXPECT_FALSE(dialog.open());
  });
}

TEST_F(GuiLeaksWin32, KeyDialogs) {
  const KeyDialogContext context{
      host, main.hwnd(), test::DefaultSkinFolder(), Language::Russian, {255, 255, 255}};
  ExpectNoLeak([&] {
    {
      CComboDialog combo(context);
      ASSERT_TRUE(combo.Open());
    }
    CSingleDialog single(context);
    ASSERT_TRUE(single.Open());
  });
}

TEST_F(GuiLeaksWin32, MacroManagerAndPicker) {
  const std::filesystem::path path = dir / "record.ini";
  test::WriteBytes(path, test::Utf16File(u""));
  Win32IniFile ini;
  MacroStore store{ini, path};
  store.Store(
      Macro{L"Fire", true, true, L"2", {test::Press(L"A"), test::Delay(120), test::Release(L"A")}});
  store.Store(Macro{L"Jump", false, false, L"1", {test::Press(L"B")}});
  MacroOptions options;
  const MacroDialogContext context{
      ini,     path, test::DefaultSkinFolder(), Language::English, {255, 255, 255}, options,
      nullptr, &host};
  ExpectNoLeak([&] {
    {
      CMacroProgramDialog manager(context);
      ASSERT_TRUE(manager.Create(nullptr));
    }
    CMacroDialog picker(context);
    ASSERT_TRUE(picker.Create(nullptr));
  });
}

}  // namespace
}  // namespace gm
