// The process-wide state of the program, owned by one object so that tests can build a fresh
// one: the records, the values beside them, the files and texts, and the device link's state.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>

#include "app/language_table.h"
#include "buttons/button_assignment.h"
#include "config/config_file_state.h"
#include "config/records.h"
#include "device/link_state.h"
#include "macro/macro_options.h"

namespace gm {

struct AppState {
  SettingsRecord record;              // what the user edits
  DeviceConfig device;                // what was last built for, or read back from, the mouse
  SettingsRecord savedRecord;         // the record as last loaded or applied; Cancel returns to it
  std::uint8_t defaultsMode = 0;      // 1 only while Reset loads the factory files
  std::uint8_t firstRunFlag = 0;      // byte 0 of the configuration file last read
  std::uint8_t profileFileIndex = 0;  // n of config%d.bin / str%d.ini in use
  // 1 while the command interface is open; read by the listener thread without a lock.
  std::atomic<std::uint32_t> connectedFlag{0};
  LinkState link;

  std::filesystem::path programPath;  // full path of the running program; its files sit beside it
  ConfigFilePaths files;              // paths of the configuration in use
  ButtonLabels labels;                // the 19 button captions
  SkinValues skin;                    // skin values of the caption file
  LanguageTable texts;                // the main window's texts in the session's language
  Rgb textColour{0, 255, 0};          // until the skin's values are read
  MacroOptions macroOptions;          // the macro manager's record options, kept between runs
};

}  // namespace gm
