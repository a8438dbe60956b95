// What the configuration files leave in the program beside the record: the four paths the
// loader keeps and the skin values of the caption file.
#pragma once

#include <filesystem>
#include <string>

namespace gm {

struct ConfigFilePaths {
  std::filesystem::path configFile;   // config%d.bin in use (config.bin while Reset loads)
  std::filesystem::path captionFile;  // str%d.ini in use (str.ini while Reset loads)
  std::filesystem::path macroFile;    // record.ini
  std::filesystem::path profileList;  // str.ini
};

// Section Skins of the caption file, as text; the colour is converted once at start-up.
struct SkinValues {
  std::wstring path;  // skin folder under Skins
  std::wstring red;
  std::wstring green;
  std::wstring blue;
};

}  // namespace gm
