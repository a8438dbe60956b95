// The macro dialogs as real windows under Windows: the macro manager driven by clicks, list
// notifications, in-place edits, menu commands and keystrokes through its hook, and the macro
// picker's drop list; record.ini is a real file written through the system's profile functions.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fake_host.h"
#include "gfx/gdiplus_win32.h"
#include "macro/macro_dialog_win32.h"
#include "macro/macro_program_dialog_win32.h"
#include "macro_items.h"
#include "platform/win32_ini_file.h"
#include "temp_dir.h"
#include "ui/app_messages.h"
#include "ui/keyboard_hook_win32.h"
#include "ui/wnd_win32.h"
#include "win32_test_support.h"

namespace gm {
namespace {

using Lines = std::vector<std::wstring>;
using test::Delay;
using test::Press;
using test::Release;

Lines ListLines(HWND list) {
  Lines lines;
  const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) lines.push_back(ListBoxLine(list, i));
  return lines;
}

int Selection(HWND list) {
  return static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
}

void Click(HWND window, int x, int y) {
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void ClickIn(HWND window, const Rect& r) {
  Click(window, r.left + 2, r.top + 2);
}

// What the list box tells its parent when the user chooses a line.
void Notify(HWND dialog, HWND list, int line, WORD code) {
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), code),
               reinterpret_cast<LPARAM>(list));
}

void Key(HWND window, WPARAM key) {
  SendMessageW(window, WM_KEYDOWN, key, 1);
}

// The field of the in-place editor open over a list, if any.
HWND EditorField(HWND list) {
  return FindWindowExW(list, nullptr, L"EDIT", nullptr);
}

class MacroDialogsWin32 : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { gdiplus_ = new gfx::GdiplusSession; }
  static void TearDownTestSuite() {
    delete gdiplus_;
    gdiplus_ = nullptr;
  }
  void SetUp() override {
    test::WriteBytes(path, test::Utf16File(u""));
    Add(L"Fire", {Press(L"A"), Delay(120), Release(L"A")});
    Add(L"Jump", {Press(L"B")});
    Add(L"Reload", {Press(L"C")});
  }
  void Add(const std::wstring& name, const Lines& items) {
    store.Store(Macro{name, true, true, L"2", items});
  }
  MacroDialogContext Context(const std::wstring& skin = test::DefaultSkinFolder()) {
    return {ini, path, skin, Language::English, {255, 255, 255}, options, nullptr, &host};
  }

  static gfx::GdiplusSession* gdiplus_;
  test::TempDir dir;
  std::filesystem::path path = dir / "record.ini";
  Win32IniFile ini;
  MacroStore store{ini, path};
  test::FakeHost host;
  MacroOptions options;
};
gfx::GdiplusSession* MacroDialogsWin32::gdiplus_ = nullptr;

TEST_F(MacroDialogsWin32, ManagerOpensSizedToItsSkinWithTheFirstMacro) {
  CMacroProgramDialog dialog(Context());
  ASSERT_TRUE(dialog.Create(nullptr));
  RECT client;
  GetClientRect(dialog.hwnd(), &client);
  EXPECT_EQ(client.right, 490);
  EXPECT_EQ(client.bottom, 432);
  EXPECT_EQ(test::WindowText(dialog.hwnd()), L"Macro Manager");
  EXPECT_EQ(ListLines(dialog.macroList()), (Lines{L"Fire", L"Jump", L"Reload"}));
  EXPECT_EQ(Selection(dialog.macroList()), 0);
  EXPECT_EQ(ListLines(dialog.eventList()), (Lines{Press(L"A"), Delay(120), Release(L"A")}));
  EXPECT_EQ(GetDlgCtrlID(dialog.eventList()), 152);
  EXPECT_EQ(test::WindowText(dialog.repeatField()), L"2");
  EXPECT_TRUE(IsWindowEnabled(dialog.repeatField()));
  EXPECT_TRUE(host.messages.empty());

  // The loop box disables the field; selecting a macro loads its options again.
  ClickIn(dialog.hwnd(), manager_layout::kLoopBox);
  EXPECT_FALSE(IsWindowEnabled(dialog.repeatField()));
  Notify(dialog.hwnd(), dialog.macroList(), 2, LBN_SELCHANGE);
  EXPECT_EQ(ListLines(dialog.eventList()), (Lines{Press(L"C")}));
  EXPECT_TRUE(IsWindowEnabled(dialog.repeatField()));

  // A typed repeat count out of range becomes 1 at once.
  SetWindowTextW(dialog.repeatField(), L"0");
  EXPECT_EQ(test::WindowText(dialog.repeatField()), L"1");
  SetWindowTextW(dialog.repeatField(), L"300");
  EXPECT_EQ(store.Load(L"Reload")->loopTimes, L"300");
}

TEST_F(MacroDialogsWin32, ManagerEditsReachTheListsAndRecordIni) {
  CMacroProgramDialog dialog(Context());
  ASSERT_TRUE(dialog.Create(nullptr));
  ClickIn(dialog.hwnd(), manager_layout::kNew);
  EXPECT_EQ(ListLines(dialog.macroList()).back(), L"Macro_3");
  EXPECT_EQ(Selection(dialog.macroList()), 3);
  EXPECT_TRUE(ListLines(dialog.eventList()).empty());
  EXPECT_EQ(store.Names().back(), L"Macro_3");

  // The event list's menu commands.
  SendMessageW(dialog.hwnd(), WM_COMMAND, kCmdInsertLeft, 0);
  Notify(dialog.hwnd(), dialog.eventList(), 1, LBN_SELCHANGE);
  SendMessageW(dialog.hwnd(), WM_COMMAND, kCmdInsertDelay, 0);
  const Lines clicked = {L"L-Button   Dn", L"50 ms", L"L-Button   Up"};
  EXPECT_EQ(ListLines(dialog.eventList()), clicked);
  EXPECT_EQ(Selection(dialog.eventList()), 1);
  EXPECT_EQ(store.Load(L"Macro_3")->items, clicked);

  // The delay chosen a second time opens the editor; its commit is stored through 0x926.
  Notify(dialog.hwnd(), dialog.eventList(), 1, LBN_SELCHANGE);
  EXPECT_EQ(EditorField(dialog.eventList()), nullptr);
  Notify(dialog.hwnd(), dialog.eventList(), 1, LBN_DBLCLK);
  HWND field = EditorField(dialog.eventList());
  ASSERT_NE(field, nullptr);
  SetWindowTextW(field, L"7000ms");
  Key(field, VK_RETURN);
  test::PumpMessages();
  EXPECT_EQ(ListBoxLine(dialog.eventList(), 1), L"7000 ms");
  EXPECT_EQ(store.Load(L"Macro_3")->items[1], L"7000 ms");

  // A rename takes the second double-click on the same macro; a taken name is refused.
  Notify(dialog.hwnd(), dialog.macroList(), 0, LBN_DBLCLK);
  EXPECT_EQ(EditorField(dialog.macroList()), nullptr);
  Notify(dialog.hwnd(), dialog.macroList(), 0, LBN_DBLCLK);
  field = EditorField(dialog.macroList());
  ASSERT_NE(field, nullptr);
  SetWindowTextW(field, L"jump");
  Key(field, VK_RETURN);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, L"Macro name already exists");
  EXPECT_EQ(ListBoxLine(dialog.macroList(), 0), L"Fire");

  Notify(dialog.hwnd(), dialog.macroList(), 0, LBN_SELCHANGE);
  ClickIn(dialog.hwnd(), manager_layout::kDelete);
  EXPECT_EQ(ListLines(dialog.macroList()), (Lines{L"Jump", L"Reload", L"Macro_3"}));
  EXPECT_EQ(store.Names(), (Lines{L"Jump", L"Reload", L"Macro_3"}));

  ClickIn(dialog.hwnd(), manager_layout::kOk);
  EXPECT_TRUE(dialog.ended());
  EXPECT_TRUE(dialog.endedWithOk());
  EXPECT_EQ(dialog.blocks()[2][0], 0x00);
  EXPECT_EQ(dialog.blocks()[2][1], 0x01);
  // L-Button pressed with 7000 ms after it (an extension of 70 x 100 ms), released.
  const MacroBlock& block = dialog.blocks()[2];
  EXPECT_EQ(test::Bytes(block.begin() + 2, block.begin() + 9),
            (test::Bytes{0x00, 0xF0, 0x46, 0x03, 0x80, 0xF0, 0x00}));
}

TEST_F(MacroDialogsWin32, ManagerRecordsThroughItsHookAndRefusesAMacroThatDoesNotFit) {
  CMacroProgramDialog dialog(Context());
  ASSERT_TRUE(dialog.Create(nullptr));
  ClickIn(dialog.hwnd(), manager_layout::kRecord);
  ASSERT_TRUE(dialog.recording());
  EXPECT_EQ(test::WindowText(dialog.hwnd()), L"Press Ctrl+Break key to stop recording");
  EXPECT_TRUE(ListLines(dialog.eventList()).empty());
  EXPECT_FALSE(IsWindowEnabled(dialog.repeatField()));
  // Esc reaches the hook but not the list; the Windows keys are dropped; Enter too, until a
  // recording has been stopped.
  MSG esc{dialog.eventList(), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
  MSG win{dialog.eventList(), WM_KEYUP, VK_LWIN, 1, 0, {}};
  MSG enter{dialog.eventList(), WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  MSG letter{dialog.eventList(), WM_KEYDOWN, 'A', 1, 0, {}};
  EXPECT_TRUE(dialog.PreTranslateMessage(esc));
  EXPECT_TRUE(dialog.PreTranslateMessage(win));
  EXPECT_TRUE(dialog.PreTranslateMessage(enter));
  EXPECT_FALSE(dialog.PreTranslateMessage(letter));

  host.ticks = 1000;
  for (int i = 0; i < 64; ++i) {  // the last one fills the 64 events a recording may hold
    host.ticks += 10;
    ThreadKeyboardHook::Procedure(HC_ACTION, 'A',
                                  i % 2 == 0 ? test::KeyDownFlags(0x1E) : test::KeyUpFlags(0x1E));
  }
  EXPECT_TRUE(dialog.recording());
  ClickIn(dialog.hwnd(), manager_layout::kRecord);
  EXPECT_FALSE(dialog.recording());
  EXPECT_FALSE(dialog.PreTranslateMessage(enter));
  EXPECT_EQ(ListLines(dialog.eventList()).size(), 127u);
  EXPECT_EQ(store.Load(L"Fire")->items.size(), 127u);

  // 64 events need 128 bytes: OK names the macro and the dialog stays.
  ClickIn(dialog.hwnd(), manager_layout::kOk);
  EXPECT_FALSE(dialog.ended());
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].text.find(L"\"Fire\" (number 1)"), std::wstring::npos);
  ClickIn(dialog.hwnd(), manager_layout::kClose);
  EXPECT_TRUE(dialog.ended());
  EXPECT_FALSE(dialog.endedWithOk());
}

// A recording belongs to the macro it started on: choosing, making or deleting another macro
// ends it first, stored there; the keys typed afterwards land nowhere.
TEST_F(MacroDialogsWin32, ChoosingAnotherMacroEndsTheRecordingWhereItStarted) {
  CMacroProgramDialog dialog(Context());
  ASSERT_TRUE(dialog.Create(nullptr));
  ClickIn(dialog.hwnd(), manager_layout::kRecord);
  ASSERT_TRUE(dialog.recording());
  ThreadKeyboardHook::Procedure(HC_ACTION, 'Q', test::KeyDownFlags(0x10));
  Notify(dialog.hwnd(), dialog.macroList(), 1, LBN_SELCHANGE);
  EXPECT_FALSE(dialog.recording());
  ThreadKeyboardHook::Procedure(HC_ACTION, 'W', test::KeyDownFlags(0x11));
  EXPECT_EQ(store.Load(L"Fire")->items, (Lines{Press(L"Q")}));
  EXPECT_EQ(store.Load(L"Jump")->items, (Lines{Press(L"B")}));
  EXPECT_EQ(ListLines(dialog.eventList()), (Lines{Press(L"B")}));

  ClickIn(dialog.hwnd(), manager_layout::kRecord);
  ThreadKeyboardHook::Procedure(HC_ACTION, 'E', test::KeyDownFlags(0x12));
  ClickIn(dialog.hwnd(), manager_layout::kNew);
  EXPECT_FALSE(dialog.recording());
  EXPECT_EQ(store.Load(L"Jump")->items, (Lines{Press(L"E")}));
  EXPECT_TRUE(ListLines(dialog.eventList()).empty());
}

// The event list's menu acts on the line it was opened on: the right-button press selects it.
TEST_F(MacroDialogsWin32, RightButtonSelectsTheEventLineBeforeTheMenu) {
  CMacroProgramDialog dialog(Context());
  ASSERT_TRUE(dialog.Create(nullptr));
  SendMessageW(dialog.eventList(), LB_SETCURSEL, 1, 0);  // "120 ms"
  const auto press = [&](int line) {
    RECT r{};
    SendMessageW(dialog.eventList(), LB_GETITEMRECT, static_cast<WPARAM>(line),
                 reinterpret_cast<LPARAM>(&r));
    const MSG down{dialog.eventList(),
                   WM_RBUTTONDOWN,
                   MK_RBUTTON,
                   MAKELPARAM(r.left + 5, (r.top + r.bottom) / 2),
                   0,
                   {}};
    return dialog.PreTranslateMessage(down);
  };
  EXPECT_FALSE(press(0));  // the list still gets the press
  EXPECT_EQ(Selection(dialog.eventList()), 0);
  SendMessageW(dialog.hwnd(), WM_COMMAND, kCmdDeleteItem, 0);
  EXPECT_EQ(store.Load(L"Fire")->items, (Lines{Delay(120), Release(L"A")}));
  // Below the last line the selection stays where it was.
  press(1);
  const MSG below{dialog.eventList(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 200), 0, {}};
  dialog.PreTranslateMessage(below);
  EXPECT_EQ(Selection(dialog.eventList()), 1);
  SendMessageW(dialog.hwnd(), WM_COMMAND, kCmdDeleteItem, 0);
  EXPECT_EQ(store.Load(L"Fire")->items, (Lines{Delay(120)}));
}

TEST_F(MacroDialogsWin32, ManagerWithoutItsBackgroundStaysEmptyAndHandsNothingBack) {
  const test::TempDir emptySkin;
  CMacroProgramDialog dialog(Context(emptySkin.path().wstring()));
  ASSERT_TRUE(dialog.Create(nullptr));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, L"error");
  EXPECT_EQ(host.messages[0].title, L"Macro Manager Dialog Load background image failed!!!");
  EXPECT_EQ(dialog.manager(), nullptr);
  EXPECT_EQ(dialog.macroList(), nullptr);
  ClickIn(dialog.hwnd(), manager_layout::kOk);
  EXPECT_TRUE(dialog.ended());
  EXPECT_FALSE(dialog.endedWithOk());  // the record's macros must not be cleared
}

// How wide the text is in the window's font, and how wide the window's inside.
int TextWidth(HWND window, const std::wstring& text) {
  HDC dc = GetDC(window);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return static_cast<int>(size.cx);
}
int ClientWidth(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return static_cast<int>(client.right);
}

// A name wider than its list or field ends in "..." within it, never cut through a letter; the
// rename editor and the choice keep the whole name. No rename editor opens while recording.
TEST_F(MacroDialogsWin32, LongNamesEndInDotsAndNoRenameWhileRecording) {
  const std::wstring wide(31, L'W');
  Add(wide, {Press(L"D")});
  {
    CMacroProgramDialog dialog(Context());
    ASSERT_TRUE(dialog.Create(nullptr));
    const std::wstring shown = ListLines(dialog.macroList()).at(3);
    EXPECT_TRUE(shown.ends_with(L"...") && shown.starts_with(L"WW")) << shown;
    EXPECT_LT(TextWidth(dialog.macroList(), shown), ClientWidth(dialog.macroList()));

    ClickIn(dialog.hwnd(), manager_layout::kRecord);
    ASSERT_TRUE(dialog.recording());
    for (int i = 0; i < 3; ++i) Notify(dialog.hwnd(), dialog.macroList(), 0, LBN_DBLCLK);
    EXPECT_EQ(EditorField(dialog.macroList()), nullptr);
    ClickIn(dialog.hwnd(), manager_layout::kRecord);
    ASSERT_FALSE(dialog.recording());

    Notify(dialog.hwnd(), dialog.macroList(), 3, LBN_SELCHANGE);
    Notify(dialog.hwnd(), dialog.macroList(), 3, LBN_DBLCLK);
    Notify(dialog.hwnd(), dialog.macroList(), 3, LBN_DBLCLK);
    const HWND field = EditorField(dialog.macroList());
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(test::WindowText(field), wide);
    Key(field, VK_ESCAPE);
    test::PumpMessages();
    EXPECT_EQ(ListLines(dialog.macroList()).at(3), shown);
    EXPECT_EQ(store.Names().at(3), wide);
  }
  CMacroDialog picker(Context());
  ASSERT_TRUE(picker.Create(nullptr));
  ClickIn(picker.hwnd(), picker_layout::kDropDownArea);
  ASSERT_NE(picker.dropList(), nullptr);
  const std::wstring line = ListLines(picker.dropList()).at(3);
  EXPECT_TRUE(line.ends_with(L"...")) << line;
  EXPECT_LT(TextWidth(picker.dropList(), line), ClientWidth(picker.dropList()));
  Notify(picker.hwnd(), picker.dropList(), 3, LBN_SELCHANGE);
  test::PumpMessages();
  const std::wstring chosen = test::WindowText(picker.chosenNameField());
  EXPECT_TRUE(chosen.ends_with(L"...")) << chosen;
  EXPECT_LE(TextWidth(picker.chosenNameField(), chosen), ClientWidth(picker.chosenNameField()));
  ClickIn(picker.hwnd(), picker_layout::kOk);
  EXPECT_EQ(picker.result().choice.name, wide);
}

TEST_F(MacroDialogsWin32, PickerChoosesFromTheDropListAndAMode) {
  CMacroDialog dialog(Context());
  ASSERT_TRUE(dialog.Create(nullptr));
  RECT client;
  GetClientRect(dialog.hwnd(), &client);
  EXPECT_EQ(client.right, 396);
  EXPECT_EQ(client.bottom, 296);
  EXPECT_EQ(GetDlgCtrlID(dialog.chosenNameField()), 592);
  EXPECT_EQ(dialog.dropList(), nullptr);

  ClickIn(dialog.hwnd(), picker_layout::kDropDownArea);
  ASSERT_NE(dialog.dropList(), nullptr);
  EXPECT_EQ(GetDlgCtrlID(dialog.dropList()), 593);
  EXPECT_EQ(ListLines(dialog.dropList()), (Lines{L"Fire", L"Jump", L"Reload"}));
  Notify(dialog.hwnd(), dialog.dropList(), 2, LBN_SELCHANGE);
  test::PumpMessages();
  EXPECT_EQ(dialog.dropList(), nullptr);
  EXPECT_EQ(test::WindowText(dialog.chosenNameField()), L"Reload");

  ClickIn(dialog.hwnd(), picker_layout::kModeBoxes[1]);
  ClickIn(dialog.hwnd(), picker_layout::kOk);
  EXPECT_TRUE(dialog.ended());
  const MacroPickerResult result = dialog.result();
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(result.choice.macroIndex, 2);
  EXPECT_EQ(result.choice.mode, 1);
  EXPECT_EQ(result.choice.name, L"Reload");
}

TEST_F(MacroDialogsWin32, PickerClosesItsListOnAClickElsewhereAndCancels) {
  CMacroDialog dialog(Context());
  ASSERT_TRUE(dialog.Create(nullptr));
  ClickIn(dialog.hwnd(), picker_layout::kDropDownArea);
  ASSERT_NE(dialog.dropList(), nullptr);
  Click(dialog.hwnd(), 10, 200);
  EXPECT_EQ(dialog.dropList(), nullptr);
  ClickIn(dialog.hwnd(), picker_layout::kClose);
  EXPECT_TRUE(dialog.ended());
  EXPECT_FALSE(dialog.result().ok);
  EXPECT_EQ(dialog.result().choice.macroIndex, -1);
}

}  // namespace
}  // namespace gm
