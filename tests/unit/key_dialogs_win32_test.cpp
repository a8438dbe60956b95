// The key dialogs as real windows under Windows: their frame and controls, keys reaching them
// through the thread's keyboard hook with real scan codes, the modifier list, the modal run
// with its owner, the hover looks, and a skin without the dialog's background.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "buttons/combo_dialog_win32.h"
#include "buttons/single_dialog_win32.h"
#include "fake_host.h"
#include "gfx/gdiplus_win32.h"
#include "gfx/skin_files.h"
#include "temp_dir.h"
#include "ui/keyboard_hook_win32.h"
#include "win32_test_support.h"

namespace gm {
namespace {

constexpr std::uint32_t kScanA = 0x1E;
constexpr std::uint32_t kScanB = 0x30;
constexpr std::uint32_t kScanTab = 0x0F;
constexpr std::uint32_t kScanEnter = 0x1C;
constexpr std::uint32_t kScanShift = 0x2A;
constexpr std::uint32_t kScanLeftWindows = 0x5B;  // extended

LPARAM At(int x, int y) {
  return MAKELPARAM(x, y);
}

// The hook procedure as the system calls it for a keystroke the thread takes.
void Keystroke(WPARAM virtualKey, LPARAM flags) {
  ThreadKeyboardHook::Procedure(HC_ACTION, virtualKey, flags);
}

// Runs a step inside a modal loop, from a thread timer that the loop dispatches.
class InsideModalRun {
 public:
  explicit InsideModalRun(std::function<void()> step) {
    step_ = std::move(step);
    timer_ = SetTimer(nullptr, 0, 20, &InsideModalRun::Fire);
  }
  ~InsideModalRun() {
    if (timer_ != 0) KillTimer(nullptr, timer_);
    step_ = nullptr;
  }

 private:
  static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (step_) step_();
  }
  static inline std::function<void()> step_;
  UINT_PTR timer_ = 0;
};

class KeyDialogsWin32 : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { gdiplus_ = new gfx::GdiplusSession; }
  static void TearDownTestSuite() {
    delete gdiplus_;
    gdiplus_ = nullptr;
  }

  KeyDialogContext Context(Language language = Language::English) {
    return {host, owner, test::DefaultSkinFolder(), language, {255, 255, 255}};
  }

  static gfx::GdiplusSession* gdiplus_;
  test::FakeHost host;
  HWND owner = nullptr;
};
gfx::GdiplusSession* KeyDialogsWin32::gdiplus_ = nullptr;

TEST_F(KeyDialogsWin32, ComboOpensFramelessAtItsBackgroundsSizeWithBoxesAndHook) {
  CComboDialog dialog(Context());
  ASSERT_TRUE(dialog.Open());
  EXPECT_TRUE(host.messages.empty());
  EXPECT_TRUE(dialog.backgroundLoaded());
  EXPECT_TRUE(dialog.hookInstalled());
  const LONG_PTR style = GetWindowLongPtrW(dialog.hwnd(), GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER), 0);
  RECT client{};
  GetClientRect(dialog.hwnd(), &client);
  EXPECT_EQ(client.right, 380);  // the default skin's "/combo-key.png"
  EXPECT_EQ(client.bottom, 285);
  EXPECT_FALSE(IsWindowVisible(dialog.hwnd())) << "shown only by the modal run";

  ASSERT_NE(dialog.firstKeyBox(), nullptr);
  RECT box{};
  GetWindowRect(dialog.secondKeyBox(), &box);
  MapWindowPoints(nullptr, dialog.hwnd(), reinterpret_cast<POINT*>(&box), 2);
  EXPECT_EQ(box.left, kComboSecondKeyBox.left);
  EXPECT_EQ(box.top, kComboSecondKeyBox.top);
  EXPECT_EQ(box.right, kComboSecondKeyBox.right);
  EXPECT_EQ(dialog.modifierList(), nullptr);
  EXPECT_TRUE(test::WindowText(dialog.modifierText()).empty());
}

TEST_F(KeyDialogsWin32, ComboKeysReachOnlyTheFocusedBoxByName) {
  CComboDialog dialog(Context());
  ASSERT_TRUE(dialog.Open());
  SetFocus(dialog.firstKeyBox());
  ASSERT_EQ(GetFocus(), dialog.firstKeyBox());
  Keystroke(VK_TAB, test::KeyDownFlags(kScanTab));
  EXPECT_EQ(test::WindowText(dialog.firstKeyBox()), L"Tab");

  SetFocus(dialog.secondKeyBox());
  Keystroke('B', test::KeyDownFlags(kScanB));
  Keystroke(VK_SHIFT, test::KeyDownFlags(kScanShift));
  Keystroke(VK_SHIFT, test::KeyUpFlags(kScanShift));
  EXPECT_EQ(test::WindowText(dialog.secondKeyBox()), L"Shift");
  // A peek that leaves the message in the queue is not a keystroke.
  ThreadKeyboardHook::Procedure(HC_NOREMOVE, 'A', test::KeyDownFlags(kScanA));
  EXPECT_EQ(dialog.model().key2Name(), L"Shift");

  SetFocus(dialog.hwnd());
  Keystroke('A', test::KeyDownFlags(kScanA));
  EXPECT_EQ(dialog.model().key1Name(), L"Tab");
  EXPECT_EQ(dialog.model().key2Name(), L"Shift");
  // Whatever is typed into a box, the name comes only from the capture.
  SetWindowTextW(dialog.firstKeyBox(), L"typed");
  EXPECT_EQ(dialog.Result(DialogEnd::Confirmed).key1Name, L"Tab");
}

TEST_F(KeyDialogsWin32, ComboModifierListOpensOverTheBoxesAndPicksOnHover) {
  CComboDialog dialog(Context());
  ASSERT_TRUE(dialog.Open());
  SendMessageW(dialog.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(60, 75));
  const HWND list = dialog.modifierList();
  ASSERT_NE(list, nullptr);
  EXPECT_FALSE(IsWindowEnabled(dialog.firstKeyBox()));
  EXPECT_FALSE(IsWindowEnabled(dialog.secondKeyBox()));
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 8);
  RECT area{};
  GetWindowRect(list, &area);
  EXPECT_EQ(area.right - area.left, kComboModifierList.width());
  EXPECT_EQ(area.bottom - area.top, kComboModifierList.height());

  // The item under the pointer becomes the selection.
  const auto itemHeight = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  SendMessageW(list, WM_MOUSEMOVE, 0, At(10, itemHeight * 6 + itemHeight / 2));
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 6);
  SendMessageW(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(kComboModifierListId, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
  EXPECT_EQ(test::WindowText(dialog.modifierText()), L"Right Alt");
  EXPECT_TRUE(IsWindowEnabled(dialog.firstKeyBox()));
  EXPECT_FALSE(IsWindowVisible(list));
  test::PumpMessages();
  EXPECT_EQ(dialog.modifierList(), nullptr);
  EXPECT_FALSE(IsWindow(list));

  // Opened again and closed by a press elsewhere.
  SendMessageW(dialog.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(60, 75));
  ASSERT_NE(dialog.modifierList(), nullptr);
  SendMessageW(dialog.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(300, 150));
  EXPECT_EQ(dialog.modifierList(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(dialog.secondKeyBox()));
  EXPECT_EQ(test::WindowText(dialog.modifierText()), L"Right Alt");
}

TEST_F(KeyDialogsWin32, ComboModalRunDisablesTheOwnerIgnoresEnterAndEndsOnOk) {
  owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(owner, nullptr);
  CComboDialog dialog(Context());
  ASSERT_TRUE(dialog.Open());
  bool ownerDisabled = false;
  InsideModalRun step([&] {
    ownerDisabled = IsWindowEnabled(owner) == FALSE;
    SetFocus(dialog.firstKeyBox());
    Keystroke('A', test::KeyDownFlags(kScanA));
    for (WPARAM key : {WPARAM{VK_RETURN}, WPARAM{VK_ESCAPE}}) {
      PostMessageW(dialog.firstKeyBox(), WM_KEYDOWN, key, test::KeyDownFlags(kScanEnter));
    }
    PostMessageW(dialog.hwnd(), WM_MOUSEMOVE, 0, At(60, 200));
    PostMessageW(dialog.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(kComboOkButton.left + 5, 260));
  });
  const DialogEnd end = dialog.Run();
  EXPECT_TRUE(ownerDisabled);
  EXPECT_EQ(end, DialogEnd::Confirmed) << "neither Enter nor Esc ended it";
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_FALSE(dialog.hookInstalled()) << "the hook goes when the dialog closes";
  const ComboDialogResult result = dialog.Result(end);
  EXPECT_TRUE(result.confirmed);
  EXPECT_EQ(result.key1Name, L"A");
  EXPECT_TRUE(result.modifierName.empty());
  DestroyWindow(owner);
}

TEST_F(KeyDialogsWin32, CloseButtonAndWindowCloseCancel) {
  for (UINT message : {UINT{WM_LBUTTONDOWN}, UINT{WM_CLOSE}}) {
    CComboDialog dialog(Context());
    ASSERT_TRUE(dialog.Open());
    InsideModalRun step(
        [&] { PostMessageW(dialog.hwnd(), message, 0, message == WM_CLOSE ? 0 : At(360, 10)); });
    EXPECT_EQ(dialog.Run(), DialogEnd::Cancelled);
  }
}

TEST_F(KeyDialogsWin32, HoveredButtonsAreDrawnWithTheirOverImages) {
  CComboDialog dialog(Context());
  ASSERT_TRUE(dialog.Open());
  // A point on the OK button's rim, where its two images differ most.
  const int x = kComboOkButton.left + 1;
  const int y = kComboOkButton.top + kComboOkButton.height() / 2;
  const COLORREF normal = test::BitmapPixel(dialog.picture(), x, y);
  SendMessageW(dialog.hwnd(), WM_MOUSEMOVE, 0, At(x, y));
  EXPECT_EQ(test::BitmapPixel(dialog.picture(), x, y), normal) << "only after the hover notice";
  SendMessageW(dialog.hwnd(), WM_MOUSEHOVER, 0, At(x, y));
  EXPECT_TRUE(dialog.model().hover().IsOver(DialogButton::Ok));
  const COLORREF over = test::BitmapPixel(dialog.picture(), x, y);
  EXPECT_NE(over, normal);
  SendMessageW(dialog.hwnd(), WM_MOUSEMOVE, 0, At(200, 200));
  EXPECT_EQ(test::BitmapPixel(dialog.picture(), x, y), normal);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(KeyDialogsWin32, WithoutItsBackgroundTheDialogSaysSoAndOnlyItsButtonsWork) {
  test::TempDir skin;
  // The buttons' images are there; the background is not.
  for (const wchar_t* name :
       {skin::kCloseNormal, skin::kCloseOver, skin::kSmallButtonNormal, skin::kSmallButtonOver,
        skin::kWideButtonNormal, skin::kWideButtonOver}) {
    const std::filesystem::path to = skin.path() / std::filesystem::path(name).relative_path();
    std::filesystem::create_directories(to.parent_path());
    std::filesystem::copy_file(test::DefaultSkinFolder() + name, to);
  }
  KeyDialogContext context = Context();
  context.skinFolder = skin.path().wstring();

  CComboDialog combo(context);
  ASSERT_TRUE(combo.Open());
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, L"error");
  EXPECT_EQ(host.messages[0].title, L"Combo Dialog Load background image failed!!!");
  EXPECT_FALSE(combo.hookInstalled());
  EXPECT_EQ(combo.firstKeyBox(), nullptr);
  EXPECT_EQ(combo.modifierText(), nullptr);
  Keystroke('A', test::KeyDownFlags(kScanA));
  InsideModalRun step([&] {
    PostMessageW(combo.hwnd(), WM_LBUTTONDOWN, 0, At(kComboOkButton.left, kComboOkButton.top));
  });
  const ComboDialogResult result = combo.Result(combo.Run());
  EXPECT_TRUE(result.confirmed);
  EXPECT_TRUE(result.key1Name.empty());

  CSingleDialog single(context);
  ASSERT_TRUE(single.Open());
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(host.messages[1].text, L"error");
  EXPECT_EQ(host.messages[1].title, L"Single Key Dialog Load background image failed!!!");
  EXPECT_EQ(single.keyNameText(), nullptr);
  RECT client{};
  GetClientRect(single.hwnd(), &client);
  EXPECT_GE(client.right, kSingleCancelButton.right) << "the buttons stay reachable";
}

TEST_F(KeyDialogsWin32, SingleShowsTheLastKeyEventWithoutAnyFocusCondition) {
  CSingleDialog dialog(Context(Language::German));
  ASSERT_TRUE(dialog.Open());
  EXPECT_TRUE(dialog.hookInstalled());
  RECT client{};
  GetClientRect(dialog.hwnd(), &client);
  EXPECT_EQ(client.right, 390);  // the default skin's "/single-key.png"

  Keystroke('A', test::KeyDownFlags(kScanA));
  EXPECT_EQ(test::WindowText(dialog.keyNameText()), L"A");
  Keystroke(VK_SHIFT, test::KeyDownFlags(kScanShift));
  Keystroke('A', test::KeyDownFlags(kScanA));
  Keystroke('A', test::KeyUpFlags(kScanA));
  Keystroke(VK_SHIFT, test::KeyUpFlags(kScanShift));
  EXPECT_EQ(test::WindowText(dialog.keyNameText()), L"Shift");
  Keystroke(VK_LWIN, test::KeyDownFlags(kScanLeftWindows, true));
  EXPECT_EQ(dialog.model().keyName(), L"Left Windows");

  InsideModalRun step([&] {
    Keystroke(VK_RETURN, test::KeyDownFlags(kScanEnter));
    PostMessageW(dialog.hwnd(), WM_KEYDOWN, VK_RETURN, test::KeyDownFlags(kScanEnter));
    PostMessageW(dialog.hwnd(), WM_LBUTTONDOWN, 0, At(kSingleOkButton.left, kSingleOkButton.top));
  });
  const SingleDialogResult result = dialog.Result(dialog.Run());
  EXPECT_TRUE(result.confirmed);
  EXPECT_EQ(result.keyName, L"Enter");
  EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace gm
