// The configuration side of the program's state, one instance per process: the records, the
// values the configuration files leave beside them, and the session's language.
#pragma once

#include <cstdint>
#include <string>

#include "config/function_catalogue.h"
#include "config/language.h"
#include "config/records.h"
#include "platform/file_path.h"

namespace gm {

struct ConfigFilePaths {
  FilePath configFile;   // config%d.bin in use (config.bin while Reset loads)
  FilePath captionFile;  // str%d.ini in use (str.ini while Reset loads)
  FilePath macroFile;    // record.ini
  FilePath profileList;  // str.ini
};

// Section Skins of the caption file, as text; the colour is converted once at start-up.
struct SkinValues {
  std::wstring path;  // skin folder under Skins
  std::wstring red;
  std::wstring green;
  std::wstring blue;
};

struct ConfigState {
  SettingsRecord record;              // what the user edits
  DeviceConfig device;                // what was last built for, or read back from, the mouse
  SettingsRecord savedRecord;         // the record as last loaded or applied; Cancel returns to it
  std::uint8_t defaultsMode = 0;      // 1 only while Reset loads the factory files
  std::uint8_t firstRunFlag = 0;      // byte 0 of the configuration file last read
  std::uint8_t profileFileIndex = 0;  // n of config%d.bin / str%d.ini in use

  FilePath programPath;   // full path of the running program; its files sit beside it
  ConfigFilePaths files;  // paths of the configuration in use
  ButtonLabels labels;    // the 19 button captions
  SkinValues skin;        // skin values of the caption file
  // Chosen once at start-up by the caption file's code; selects the captions' section.
  Language language = Language::English;
};

}  // namespace gm
