#include "macro/macro_recorder.h"

#include "buttons/key_dialog_common.h"
#include "platform/host.h"

namespace gm {
namespace {

constexpr std::uint32_t kPreviousStateDown = 1u << 30;
constexpr std::uint32_t kReleased = 1u << 31;
constexpr wchar_t kDefaultCaption[] = L"QL-GM900";

}  // namespace

std::wstring PressItem(std::wstring_view keyName) {
  return std::wstring(keyName) + L"   Dn";
}

std::wstring ReleaseItem(std::wstring_view keyName) {
  return std::wstring(keyName) + L"   Up";
}

std::wstring DelayItem(std::uint32_t milliseconds) {
  // "%d ms": the signed value of the 32-bit difference.
  return std::to_wstring(static_cast<std::int32_t>(milliseconds)) + L" ms";
}

MacroRecorder::MacroRecorder(RecorderOwner& owner, Host& host, Language language)
    : owner_(owner), host_(host), texts_(MacroManagerTextsFor(language)) {}

void MacroRecorder::Start() {
  eventCount_ = 0;
  if (hookInstalled_) {
    owner_.RemoveRecordHook();
    hookInstalled_ = false;
  }
  owner_.ClearEvents();
  owner_.EnableRepeatCount(false);
  unsigned long error = 0;
  if (!owner_.InstallRecordHook(error)) {
    host_.ShowMessage(HookInstallErrorText(L"JournalRecordHook", error), kDefaultCaption, kMbOk);
    return;
  }
  hookInstalled_ = true;
  recording_ = true;
  owner_.SetTitleText(texts_.recordingWindowText);
  previous_ = PreviousEvent::None;
  // A release before the first press is measured from here.
  lastTick_ = host_.TickCount();
  owner_.DrawRecordButton(texts_.stopRecording);
}

void MacroRecorder::Stop() {
  if (!recording_ || !hookInstalled_) return;
  eventCount_ = 0;
  owner_.RemoveRecordHook();
  hookInstalled_ = false;
  owner_.SendRecorderMessage(recorder_message::kRecordingStopped, 0);
  previous_ = PreviousEvent::Stopped;
  recording_ = false;
  owner_.DrawRecordButton(texts_.startRecording);
  owner_.EnableRepeatCount(true);
  // A finished recording reaches record.ini at once.
  owner_.StoreSelectedMacro();
}

void MacroRecorder::OnKeystroke(std::wstring_view keyName, std::uint32_t flags, KeyRole role) {
  if (role == KeyRole::Break) {
    if ((flags & kReleased) != 0 || !recording_) return;
    if (controlPressItems_ > 0) owner_.RemoveLastEvents(controlPressItems_);
    controlPressItems_ = 0;
    Stop();
    return;
  }
  currentRole_ = role;
  currentName_ = keyName.substr(0, kMaxRecordedNameLength);
  const bool sameKey = currentName_ == previousName_;
  const bool wasDown = (flags & kPreviousStateDown) != 0;
  const long wasUp = wasDown ? 0 : 1;
  if ((flags & kReleased) != 0) {
    if (sameKey && !wasDown) return;
    ++eventCount_;
    owner_.SendRecorderMessage(recorder_message::kKeyReleased, wasUp);
  } else {
    // The auto-repeat of the key last recorded.
    if (sameKey && wasDown) return;
    ++eventCount_;
    owner_.SendRecorderMessage(recorder_message::kKeyPressed, wasUp);
  }
}

std::size_t MacroRecorder::AddEvent(const std::wstring& item, bool withDelay) {
  const std::uint32_t now = host_.TickCount();
  std::size_t added = 1;
  if (withDelay && owner_.delayOption()) {
    owner_.AppendEvent(DelayItem(now - lastTick_));
    ++added;
  }
  owner_.AppendEvent(item);
  owner_.SelectLastEvent();
  lastTick_ = now;
  // Also on the first event, so that holding the first key down records one press.
  previousName_ = currentName_;
  previous_ = PreviousEvent::Some;
  return added;
}

void MacroRecorder::OnRecorderMessage(unsigned wParam, long /*lParam*/) {
  switch (wParam) {
    case recorder_message::kKeyPressed:
    case recorder_message::kKeyReleased:
      if (eventCount_ > kMaxRecordedEvents) {
        Stop();
        return;
      }
      if (wParam == recorder_message::kKeyPressed) {
        // The first event of a recording has no time before it.
        controlPressItems_ = AddEvent(PressItem(currentName_), previous_ != PreviousEvent::None);
        if (currentRole_ != KeyRole::Control) controlPressItems_ = 0;
      } else {
        AddEvent(ReleaseItem(currentName_), true);
        controlPressItems_ = 0;
      }
      return;
    case recorder_message::kStoreMacro:
      owner_.StoreSelectedMacro();
      return;
    default:
      return;
  }
}

}  // namespace gm
