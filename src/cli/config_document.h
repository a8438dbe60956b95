// A configuration file as a JSON document that holds all of it: show --json writes it, import
// builds a file from it, get and set name its settings by their dotted paths in it
// ("dpi.stage3.dpi", "buttons.button2.function"). Values are JSON numbers, booleans and fixed
// strings; a byte a damaged file holds outside a setting's range is {"unknown": N}, so that every
// file reads back to the same bytes. docs/gm900-config.schema.json describes the document.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "buttons/button_assignment.h"
#include "cli/config_words.h"
#include "cli/function_text.h"
#include "config/records.h"

namespace gm::cli {

struct ConfigurationContent {
  std::uint8_t firstRunFlag = 0;
  SettingsRecord record;
  friend bool operator==(const ConfigurationContent&, const ConfigurationContent&) = default;
};

// The macro names of the extras (record.ini order).
MacroNames MacroNamesOf(const Extras& extras);

// The whole document, two-space indents. Captions and macro names are added from the extras;
// import reads past them.
std::string DocumentJson(const ConfigurationContent& content, const Extras& extras);

// Builds content from a document: every setting it holds replaces the one of content (the
// base). Nothing when it worked; otherwise one line naming the JSON path that is wrong and
// what it may hold, and content is as it was. The result must pass the range check set
// keeps to (no {"unknown": N}, a button with "Click"), unless forced.
std::optional<std::string> ImportDocument(std::string_view text, ConfigurationContent& content,
                                          bool force = false);

// One setting (or a group of them) as show prints it: a value as plain text ("1600", "true",
// "neon", "Multimedia: Volume Up", "unknown (254)"), a group as JSON.
struct GotSetting {
  std::string text;
  bool json = false;  // a group, as a JSON document
};
// Nothing when the document has no such path; message then says so and names the nearest.
std::optional<GotSetting> GetSetting(const ConfigurationContent& content, const Extras& extras,
                                     const std::string& path, std::string& message);

// What set changes besides the record: the captions of the buttons whose function it set.
struct CaptionEdit {
  ButtonLabels* labels = nullptr;  // null: no caption file given
  Language language = Language::English;
  std::vector<std::size_t> changed;  // buttons given a function
};

// Applies NAME=VALUE pairs, all or nothing: each is checked first, and the first wrong one
// gives one line naming it and what is allowed (the nearest name for a misspelling), with
// content untouched. Values are written as show prints them; only values the window can give
// are taken, and the last button with "Click" keeps it.
std::optional<std::string> SetSettings(ConfigurationContent& content,
                                       const std::vector<std::string>& pairs,
                                       const MacroNames& macros, CaptionEdit& captions);

// The settings sent to the mouse whose bytes lie outside their range, "path: value" each.
std::vector<std::string> OutOfRange(const ConfigurationContent& content);

// diff --json: {"equal": ..., "differences": [{"setting": path, "a": ..., "b": ...}, ...]}.
std::string DiffJson(const ConfigurationContent& a, const ConfigurationContent& b);

// A settings block read back from the mouse, as JSON.
std::string BlockJson(std::uint8_t profile, const SettingsBlock& block);

// verify --json: whether the mouse holds what a Save of the file sends, and what differs.
std::string VerifyJson(const SettingsBlock& expected, std::uint8_t profile,
                       const SettingsBlock& held);

// Text for a terminal: control characters (C0, DEL, C1) as \xNN, so that a caption or a name
// cannot move the cursor or ring the bell.
std::string Printable(std::string_view text);

}  // namespace gm::cli
