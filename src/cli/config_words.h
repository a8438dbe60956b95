// A configuration in a person's words: every setting of a SettingsRecord (and of a settings
// block read back from the mouse) as a labelled line, grouped, with a stable key. show prints
// it, diff and verify compare it line by line; config_document.h is the same as JSON.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/records.h"

namespace gm::cli {

struct Setting {
  std::string key;    // stable JSON key within its group ("stage1", "button4")
  std::string label;  // what a person reads ("Stage 1", "Button 4")
  std::string text;   // the value in words
};

struct SettingGroup {
  std::string key;    // stable JSON key ("dpi", "buttons")
  std::string title;  // heading of the text form
  std::vector<Setting> settings;
};

using Description = std::vector<SettingGroup>;

// What the caption and macro files add to a record's description.
struct Extras {
  std::optional<std::array<std::string, kButtonCount>> captions;  // UTF-8
  // Names of the macros in record.ini order with their item counts; empty without the file.
  struct MacroInfo {
    std::string name;
    std::size_t items = 0;
  };
  std::optional<std::vector<MacroInfo>> macros;
};

// Every setting of a configuration file's content: flag 1 = saved by the program.
Description DescribeRecord(const SettingsRecord& record, std::uint8_t firstRunFlag,
                           const Extras& extras);

// What a settings block says, in words; profile is the mouse's current profile.
Description DescribeBlock(std::uint8_t profile, const SettingsBlock& block);

// Text form: a heading per group, then "  Label: text" lines (control characters escaped).
std::string DescriptionText(const Description& description);

// "Label: a -> b" for each setting whose text differs (settings only on one side are shown
// against "(none)").
std::vector<std::string> DifferingLines(const Description& a, const Description& b);

// "Name: " + the button's function in words, as show prints it.
std::string ButtonFunctionText(const SettingsRecord& record, std::size_t button,
                               const Extras& extras);

}  // namespace gm::cli
