// The macro manager's texts in the language of the session, including the recorder's record
// button and window text.
#pragma once

#include <string_view>

#include "config/language.h"

namespace gm {

struct MacroManagerTexts {
  std::wstring_view ok;                // OK button
  std::wstring_view cancel;            // Cancel button
  std::wstring_view title;             // drawn in the title bar
  std::wstring_view selectMacro;       // heading of the macro list
  std::wstring_view keyPressSequence;  // heading of the event list
  std::wstring_view recordOption;      // heading of the options
  std::wstring_view delayOption;       // the delay check box
  std::wstring_view loopOption;        // the loop check box
  std::wstring_view newButton;
  std::wstring_view deleteButton;         // button and event-list menu item
  std::wstring_view newMacroBase;         // new names: base, "_", number
  std::wstring_view startRecording;       // record button while idle
  std::wstring_view stopRecording;        // record button while recording
  std::wstring_view recordingWindowText;  // the window text while recording
  std::wstring_view insertLeftButton;     // event-list menu
  std::wstring_view insertMiddleButton;
  std::wstring_view insertRightButton;
  std::wstring_view insertDelay;
  std::wstring_view limitCaption;  // the 20th macro's message box
  std::wstring_view limitMessage;
};

MacroManagerTexts MacroManagerTextsFor(Language language);

// The window's own text when it opens, in every language.
inline constexpr std::wstring_view kMacroManagerWindowText = L"Macro Manager";

}  // namespace gm
