// What the macro manager and the macro picker are opened with.
#pragma once

#include "config/language.h"
#include "config/records.h"
#include "macro/macro_options.h"
#include "platform/file_path.h"

namespace gm {

class Host;
class IniFile;
class UiLog;

struct MacroDialogContext {
  IniFile& ini;
  FilePath macroFile;   // record.ini
  FilePath skinFolder;  // the skin in use
  Language language = Language::English;
  Rgb textColour{0, 255, 0};  // the skin's text colour
  MacroOptions& options;      // the process-wide record options
  // Optional: where the dialogs say what they did, for the end-to-end tests.
  UiLog* log = nullptr;
  // Optional: message boxes; without it they are the system's, owned by the dialog.
  Host* host = nullptr;
};

}  // namespace gm
