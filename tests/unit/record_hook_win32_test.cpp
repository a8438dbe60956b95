// The recorder's hook under Windows: keystrokes with real scan codes named and recorded into a
// real list box through message 0x926, sent to a window on the program's own thread; nothing
// more once the recording stopped.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_host.h"
#include "macro/record_hook_win32.h"
#include "ui/app_messages.h"
#include "ui/wnd_win32.h"
#include "win32_test_support.h"

namespace gm {
namespace {

constexpr std::uint32_t kScanA = 0x1E;
constexpr std::uint32_t kScanRightCtrl = 0x1D;  // extended

// A stand-in for the macro manager: an event list box and the handler of message 0x926.
class ManagerWindow : public Wnd, public RecorderOwner {
 public:
  explicit ManagerWindow(Host& host) : recorder_(*this, host, Language::English), hook_(recorder_) {
    WndCreateArgs args;
    args.className = L"QLGM900RecorderTest";
    Create(args);
    list_ = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD, 0, 0, 100, 100, hwnd(), nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  }
  ~ManagerWindow() override { Destroy(); }

  MacroRecorder& recorder() { return recorder_; }
  bool hooked() const { return hook_.installed(); }
  std::vector<std::wstring> Events() const {
    std::vector<std::wstring> events;
    const auto count = SendMessageW(list_, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      wchar_t text[64] = {};
      SendMessageW(list_, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      events.emplace_back(text);
    }
    return events;
  }
  int stores = 0;

  void ClearEvents() override {
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    SetFocus(list_);
  }
  void AppendEvent(const std::wstring& item) override {
    SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  void RemoveLastEvents(std::size_t count) override {
    for (; count > 0; --count) {
      SendMessageW(list_, LB_DELETESTRING,
                   static_cast<WPARAM>(SendMessageW(list_, LB_GETCOUNT, 0, 0) - 1), 0);
    }
  }
  void SelectLastEvent() override {
    SendMessageW(list_, LB_SETCURSEL,
                 static_cast<WPARAM>(SendMessageW(list_, LB_GETCOUNT, 0, 0) - 1), 0);
  }
  void EnableRepeatCount(bool) override {}
  void SetTitleText(std::wstring_view text) override {
    ::SetWindowTextW(hwnd(), std::wstring(text).c_str());
  }
  void DrawRecordButton(std::wstring_view) override {}
  bool delayOption() const override { return true; }
  void StoreSelectedMacro() override { ++stores; }
  void SendRecorderMessage(unsigned wParam, long lParam) override {
    SendMessageW(hwnd(), kMsgRecorderEvent, wParam, lParam);
  }
  bool InstallRecordHook(unsigned long& errorCode) override { return hook_.Install(errorCode); }
  void RemoveRecordHook() override { hook_.Remove(); }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kMsgRecorderEvent) {
      recorder_.OnRecorderMessage(static_cast<unsigned>(wParam), static_cast<long>(lParam));
      return 0;
    }
    return Wnd::OnMessage(message, wParam, lParam);
  }

 private:
  MacroRecorder recorder_;
  RecordHook hook_;
  HWND list_ = nullptr;
};

TEST(RecordHookWin32, KeystrokesAreNamedAndRecordedUntilTheRecordingStops) {
  test::FakeHost host;
  ManagerWindow manager(host);
  manager.recorder().Start();
  ASSERT_TRUE(manager.hooked());
  EXPECT_EQ(test::WindowText(manager.hwnd()), L"Press Ctrl+Break key to stop recording");

  host.ticks = 100;
  ThreadKeyboardHook::Procedure(HC_ACTION, VK_RCONTROL, test::KeyDownFlags(kScanRightCtrl, true));
  host.ticks = 130;
  ThreadKeyboardHook::Procedure(HC_ACTION, 'A', test::KeyDownFlags(kScanA));
  host.ticks = 135;  // auto-repeat of A
  ThreadKeyboardHook::Procedure(HC_ACTION, 'A', test::KeyDownFlags(kScanA) | (1 << 30));
  host.ticks = 200;
  ThreadKeyboardHook::Procedure(HC_ACTION, 'A', test::KeyUpFlags(kScanA));
  host.ticks = 260;
  ThreadKeyboardHook::Procedure(HC_ACTION, VK_RCONTROL, test::KeyUpFlags(kScanRightCtrl, true));
  const std::vector<std::wstring> recorded = {
      L"Right Ctrl   Dn", L"30 ms", L"A   Dn", L"70 ms", L"A   Up", L"60 ms", L"Right Ctrl   Up"};
  EXPECT_EQ(manager.Events(), recorded);

  manager.recorder().Stop();
  EXPECT_FALSE(manager.hooked());
  EXPECT_EQ(manager.stores, 1);
  ThreadKeyboardHook::Procedure(HC_ACTION, 'A', test::KeyDownFlags(kScanA));
  EXPECT_EQ(manager.Events(), recorded);
}

TEST(RecordHookWin32, TheHookIsRemovedFromInsideItsOwnCallOnTheSixtyFifthEvent) {
  test::FakeHost host;
  ManagerWindow manager(host);
  manager.recorder().Start();
  for (int i = 0; i < 65; ++i) {
    ThreadKeyboardHook::Procedure(
        HC_ACTION, 'A', i % 2 == 0 ? test::KeyDownFlags(kScanA) : test::KeyUpFlags(kScanA));
  }
  EXPECT_FALSE(manager.hooked());
  EXPECT_FALSE(manager.recorder().recording());
  EXPECT_EQ(manager.Events().size(), 127u);
  EXPECT_EQ(manager.stores, 1);
}

}  // namespace
}  // namespace gm
