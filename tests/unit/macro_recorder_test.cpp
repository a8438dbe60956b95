// Recording keys into a macro's event list: which keystrokes count, the measured delays, the
// limit of 64 events, starting and stopping, and the messages between recorder and manager.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_host.h"
#include "macro/macro_manager_texts.h"
#include "macro/macro_recorder.h"

namespace gm {
namespace {

// Keystroke flags as a keyboard hook gets them: scan code, previous state, release.
constexpr std::uint32_t kPress = 0x00000001;
constexpr std::uint32_t kRepeat = 0x40000001;
constexpr std::uint32_t kRelease = 0xC0000001;

// The manager: an event list, the repeat-count field, and message 0x926 handled at once, as a
// sent message is.
class FakeManager : public RecorderOwner {
 public:
  void ClearEvents() override {
    events.clear();
    calls.push_back("clear");
  }
  void AppendEvent(const std::wstring& item) override { events.push_back(item); }
  void RemoveLastEvents(std::size_t count) override { events.resize(events.size() - count); }
  void SelectLastEvent() override { selected = events.size() - 1; }
  void EnableRepeatCount(bool enabled) override { repeatCountEnabled = enabled; }
  void SetTitleText(std::wstring_view text) override { windowText = text; }
  void DrawRecordButton(std::wstring_view text) override { recordButton = text; }
  bool delayOption() const override { return delays; }
  void StoreSelectedMacro() override { stored.push_back(events); }
  void SendRecorderMessage(unsigned wParam, long lParam) override {
    messages.push_back(wParam);
    lParams.push_back(lParam);
    if (recorder != nullptr) recorder->OnRecorderMessage(wParam, lParam);
  }
  bool InstallRecordHook(unsigned long& errorCode) override {
    calls.push_back("install");
    errorCode = refuseWith;
    hooked = refuseWith == 0;
    return hooked;
  }
  void RemoveRecordHook() override {
    calls.push_back("remove");
    hooked = false;
  }

  MacroRecorder* recorder = nullptr;
  bool delays = true;
  unsigned long refuseWith = 0;
  bool hooked = false;
  std::vector<std::wstring> events;
  std::size_t selected = 0;
  bool repeatCountEnabled = true;
  std::wstring windowText;
  std::wstring recordButton;
  std::vector<std::vector<std::wstring>> stored;
  std::vector<unsigned> messages;
  std::vector<long> lParams;
  std::vector<std::string> calls;
};

class Recorder : public ::testing::Test {
 protected:
  Recorder() { manager.recorder = &recorder; }

  // The hook's call for a keystroke at a time in milliseconds.
  void Key(const wchar_t* name, std::uint32_t flags, std::uint32_t atTick) {
    host.ticks = atTick;
    recorder.OnKeystroke(name, flags);
  }

  test::FakeHost host;
  FakeManager manager;
  MacroRecorder recorder{manager, host, Language::English};
};

TEST_F(Recorder, StartEmptiesTheListLocksTheCountAndShowsStop) {
  manager.events = {L"old   Dn"};
  recorder.Start();
  EXPECT_TRUE(recorder.recording());
  EXPECT_TRUE(manager.hooked);
  EXPECT_TRUE(manager.events.empty());
  EXPECT_FALSE(manager.repeatCountEnabled);
  EXPECT_EQ(manager.windowText, L"Press Ctrl+Break key to stop recording");
  EXPECT_EQ(manager.recordButton, L"Stop Recording");
  EXPECT_EQ(recorder.previousEvent(), MacroRecorder::PreviousEvent::None);
}

TEST_F(Recorder, RefusedHookShowsTheErrorAndDoesNotRecord) {
  manager.refuseWith = 1428;
  recorder.Start();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, L"JournalRecordHook Install error code :1428\n");
  EXPECT_EQ(host.messages[0].title, L"QL-GM900");
  EXPECT_FALSE(recorder.recording());
  EXPECT_FALSE(manager.repeatCountEnabled);  // stays locked, as the list stays empty
  EXPECT_EQ(manager.recordButton, L"");
  recorder.Stop();  // nothing to stop
  EXPECT_TRUE(manager.stored.empty());
}

TEST_F(Recorder, HoldingAKeyRecordsOnePressThenItsRelease) {
  recorder.Start();
  Key(L"A", kPress, 1000);
  Key(L"A", kRepeat, 1500);
  Key(L"A", kRepeat, 1530);
  Key(L"A", kRelease, 1620);
  EXPECT_EQ(manager.events, (std::vector<std::wstring>{L"A   Dn", L"620 ms", L"A   Up"}));
  EXPECT_EQ(manager.selected, 2u);
  EXPECT_EQ(recorder.eventCount(), 2u);
  // lParam tells whether the key was up before: 1 for the press, 0 for the release.
  EXPECT_EQ(manager.lParams, (std::vector<long>{1, 0}));
}

TEST_F(Recorder, OverlappingKeysAreAllRecordedWithADelayBeforeAllButTheFirst) {
  recorder.Start();
  Key(L"A", kPress, 100);
  Key(L"B", kPress, 150);
  Key(L"B", kRepeat, 400);  // B repeats now, not A
  Key(L"A", kRelease, 420);
  Key(L"B", kRelease, 500);
  EXPECT_EQ(manager.events, (std::vector<std::wstring>{L"A   Dn", L"50 ms", L"B   Dn", L"270 ms",
                                                       L"A   Up", L"80 ms", L"B   Up"}));
}

TEST_F(Recorder, WithoutTheDelayOptionOnlyKeysAreListed) {
  manager.delays = false;
  recorder.Start();
  Key(L"Ctrl", kPress, 0);
  Key(L"C", kPress, 10);
  Key(L"C", kRelease, 20);
  Key(L"Ctrl", kRelease, 30);
  EXPECT_EQ(manager.events,
            (std::vector<std::wstring>{L"Ctrl   Dn", L"C   Dn", L"C   Up", L"Ctrl   Up"}));
}

TEST_F(Recorder, TheSixtyFifthEventStopsAndStoresTheRecording) {
  recorder.Start();
  std::uint32_t tick = 0;
  for (int i = 0; i < 32; ++i) {
    Key(L"K", kPress, tick += 10);
    Key(L"K", kRelease, tick += 10);
  }
  EXPECT_EQ(manager.events.size(), 64u * 2 - 1);  // 64 keys, 63 delays
  EXPECT_TRUE(manager.stored.empty());

  Key(L"L", kPress, tick += 10);
  EXPECT_FALSE(recorder.recording());
  EXPECT_EQ(manager.events.size(), 64u * 2 - 1);  // not added
  EXPECT_EQ(manager.events.back(), L"K   Up");
  EXPECT_FALSE(manager.hooked);
  EXPECT_EQ(manager.messages.back(), recorder_message::kRecordingStopped);
  EXPECT_EQ(recorder.eventCount(), 0u);
  EXPECT_EQ(recorder.previousEvent(), MacroRecorder::PreviousEvent::Stopped);
  EXPECT_TRUE(manager.repeatCountEnabled);
  EXPECT_EQ(manager.recordButton, L"Start Recording");
  ASSERT_EQ(manager.stored.size(), 1u);
  EXPECT_EQ(manager.stored[0], manager.events);
  // The window text stays.
  EXPECT_EQ(manager.windowText, L"Press Ctrl+Break key to stop recording");
}

TEST_F(Recorder, AReleaseBeforeAnyPressIsMeasuredFromTheStart) {
  host.ticks = 5000;
  recorder.Start();
  Key(L"Shift", kRelease, 5300);
  Key(L"A", kPress, 5400);
  EXPECT_EQ(manager.events,
            (std::vector<std::wstring>{L"300 ms", L"Shift   Up", L"100 ms", L"A   Dn"}));
}

TEST_F(Recorder, DelaysSurviveTheTickCounterWrapping) {
  host.ticks = 0xFFFFFF00u;
  recorder.Start();
  Key(L"A", kPress, 0xFFFFFFF0u);
  Key(L"A", kRelease, 0x00000010u);
  EXPECT_EQ(manager.events.at(1), L"32 ms");
}

TEST_F(Recorder, StopByButtonAndTheOtherMessages) {
  recorder.Start();
  Key(L"A", kPress, 10);
  manager.messages.clear();
  recorder.Stop();
  EXPECT_EQ(manager.messages, (std::vector<unsigned>{recorder_message::kRecordingStopped}));
  EXPECT_EQ(manager.stored.size(), 1u);
  // The hook is gone; the manager's own messages still work.
  recorder.OnRecorderMessage(recorder_message::kStoreMacro, 0);
  EXPECT_EQ(manager.stored.size(), 2u);
  recorder.OnRecorderMessage(3, 0);
  EXPECT_EQ(manager.stored.size(), 2u);
  EXPECT_EQ(manager.events, (std::vector<std::wstring>{L"A   Dn"}));

  // A new recording removes nothing twice and starts from an empty list.
  manager.calls.clear();
  recorder.Start();
  EXPECT_EQ(manager.calls, (std::vector<std::string>{"clear", "install"}));
  EXPECT_TRUE(manager.events.empty());
}

TEST_F(Recorder, CtrlBreakStopsTheRecordingWithoutRecordingItsKeys) {
  recorder.Start();
  Key(L"A", kPress, 100);
  Key(L"A", kRelease, 150);
  host.ticks = 300;
  recorder.OnKeystroke(L"Ctrl", kPress, KeyRole::Control);
  recorder.OnKeystroke(L"Ctrl", kRepeat, KeyRole::Control);
  recorder.OnKeystroke(L"Break", kPress, KeyRole::Break);
  EXPECT_FALSE(recorder.recording());
  EXPECT_FALSE(manager.hooked);
  EXPECT_EQ(manager.events, (std::vector<std::wstring>{L"A   Dn", L"50 ms", L"A   Up"}));
  ASSERT_EQ(manager.stored.size(), 1u);
  EXPECT_EQ(manager.stored[0], manager.events);

  // A Ctrl that was part of a recorded shortcut stays; a Ctrl held from before only stops.
  recorder.Start();
  recorder.OnKeystroke(L"Ctrl", kPress, KeyRole::Control);
  Key(L"C", kPress, 310);
  recorder.OnKeystroke(L"Break", kPress, KeyRole::Break);
  EXPECT_EQ(manager.events, (std::vector<std::wstring>{L"Ctrl   Dn", L"10 ms", L"C   Dn"}));
  recorder.Start();
  recorder.OnKeystroke(L"Break", kPress, KeyRole::Break);
  EXPECT_FALSE(recorder.recording());
  EXPECT_TRUE(manager.events.empty());
}

TEST_F(Recorder, LongNamesAreCutTo31Characters) {
  recorder.Start();
  const std::wstring longName(40, L'x');
  Key(longName.c_str(), kPress, 0);
  EXPECT_EQ(manager.events.at(0), std::wstring(31, L'x') + L"   Dn");
  // The cut name is the one compared for repeats.
  Key(longName.c_str(), kRepeat, 5);
  EXPECT_EQ(manager.events.size(), 1u);
}

TEST(MacroManagerTexts, KeepLineBreaksAndTrailingBlanks) {
  EXPECT_EQ(MacroManagerTextsFor(Language::Russian).loopOption, L"Время \nЦиклов");
  EXPECT_EQ(MacroManagerTextsFor(Language::Russian).insertRightButton, L"Вставить правую Кнопку ");
  EXPECT_EQ(MacroManagerTextsFor(Language::German).insertDelay, L"Verzögerung einfügen ");
  EXPECT_EQ(MacroManagerTextsFor(Language::German).stopRecording, L"Aufnahme Beenden");
  EXPECT_EQ(MacroManagerTextsFor(Language::ChineseTraditional).recordingWindowText,
            L"按Ctrl+Break 停止錄製");
  EXPECT_EQ(MacroManagerTextsFor(Language::ChineseSimplified).limitMessage,
            L"最多可以新建19个宏。");
  EXPECT_EQ(MacroManagerTextsFor(Language::English).limitCaption, L"Warning");
}

}  // namespace
}  // namespace gm
