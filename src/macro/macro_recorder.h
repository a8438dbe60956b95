// The macro recorder: turns the keys the macro manager receives into event items of its list,
// with the time measured between them. A keyboard hook on the program's own thread hands each
// keystroke to OnKeystroke; the recorder sends its owner message 0x926 for every key it keeps,
// and the owner's handler of that message (OnRecorderMessage) adds the items.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "config/language.h"
#include "macro/macro_manager_texts.h"

namespace gm {

class Host;

// wParam of message 0x926. lParam is 1 when the key was up before the keystroke, else 0.
namespace recorder_message {
inline constexpr unsigned kKeyPressed = 0;
inline constexpr unsigned kKeyReleased = 1;
inline constexpr unsigned kRecordingStopped = 5;  // no action
inline constexpr unsigned kStoreMacro = 7;        // sent by the in-place editor
}  // namespace recorder_message

// At most this many key events are recorded; the next one ends the recording.
inline constexpr unsigned kMaxRecordedEvents = 64;
// Key names are kept to this many characters (the system's 32-unit buffer).
inline constexpr std::size_t kMaxRecordedNameLength = 31;

// Item texts: the key name with "   Dn" or "   Up", and delays as "%d ms".
std::wstring PressItem(std::wstring_view keyName);
std::wstring ReleaseItem(std::wstring_view keyName);
std::wstring DelayItem(std::uint32_t milliseconds);

// The macro manager, as the recorder sees it.
class RecorderOwner {
 public:
  virtual ~RecorderOwner() = default;
  // Empties the event list and gives it the keyboard focus.
  virtual void ClearEvents() = 0;
  virtual void AppendEvent(const std::wstring& item) = 0;
  // Takes the last `count` items off the list.
  virtual void RemoveLastEvents(std::size_t count) = 0;
  virtual void SelectLastEvent() = 0;
  virtual void EnableRepeatCount(bool enabled) = 0;
  // The manager window's own text.
  virtual void SetTitleText(std::wstring_view text) = 0;
  // Redraws the record button with this text on it.
  virtual void DrawRecordButton(std::wstring_view text) = 0;
  // The "Record delays between key commands" option.
  virtual bool delayOption() const = 0;
  // Stores the selected macro in record.ini.
  virtual void StoreSelectedMacro() = 0;
  // Sends message 0x926 to the manager and returns after its handler ran.
  virtual void SendRecorderMessage(unsigned wParam, long lParam) = 0;
  // The keyboard hook on the program's own thread; false (with the system's error code) when
  // it cannot be installed.
  virtual bool InstallRecordHook(unsigned long& errorCode) = 0;
  virtual void RemoveRecordHook() = 0;
};

// The keys the recorder treats apart from the others.
enum class KeyRole {
  Other,
  Control,  // a Ctrl key
  Break,    // Ctrl+Break: stops the recording and is not recorded
};

class MacroRecorder {
 public:
  // 0 no event yet in this recording, 1 at least one, 2 a recording has been stopped.
  enum class PreviousEvent { None = 0, Some = 1, Stopped = 2 };

  MacroRecorder(RecorderOwner& owner, Host& host, Language language);

  // The record button: Start while idle, Stop while recording.
  void Start();
  void Stop();

  // A keystroke the hook saw (HC_ACTION only): the key's name and the keystroke flags
  // (bit 30 previous state down, bit 31 release).
  // A press of Break ends the recording; the Ctrl press recorded just before it (held for the
  // Break) is taken off the list again.
  void OnKeystroke(std::wstring_view keyName, std::uint32_t flags, KeyRole role = KeyRole::Other);
  // Message 0x926.
  void OnRecorderMessage(unsigned wParam, long lParam);

  bool recording() const { return recording_; }
  bool hookInstalled() const { return hookInstalled_; }
  unsigned eventCount() const { return eventCount_; }
  PreviousEvent previousEvent() const { return previous_; }

 private:
  // Returns the number of items added (the key, and a delay before it).
  std::size_t AddEvent(const std::wstring& item, bool withDelay);

  RecorderOwner& owner_;
  Host& host_;
  MacroManagerTexts texts_;
  bool hookInstalled_ = false;
  bool recording_ = false;
  unsigned eventCount_ = 0;
  PreviousEvent previous_ = PreviousEvent::None;
  std::wstring currentName_;
  std::wstring previousName_;
  std::uint32_t lastTick_ = 0;
  KeyRole currentRole_ = KeyRole::Other;
  // Items the last recorded event added when it was a Ctrl press, else 0.
  std::size_t controlPressItems_ = 0;
};

}  // namespace gm
