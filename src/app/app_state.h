// The process-wide state of the program, owned by one object so that tests can build a fresh
// one: the configuration side, the device link's session, and what only the windows use.
#pragma once

#include <string_view>

#include "config/config_state.h"
#include "config/language_table.h"
#include "device/device_session.h"
#include "macro/macro_options.h"

namespace gm {

struct AppState : ConfigState, DeviceSession {
  LanguageTable texts;        // the main window's texts in the session's language
  Rgb textColour{0, 255, 0};  // until the skin's values are read
  MacroOptions macroOptions;  // the macro manager's record options, kept between runs

  // The session's language from a caption file's code, for the texts and the captions alike.
  void UseLanguage(std::wstring_view code) {
    language = LanguageFromCode(code);
    FillLanguageTable(texts, code);
  }
};

}  // namespace gm
