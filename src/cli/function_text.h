// A button's function as one line of text, both ways: what show prints for the function fields
// of a record, and the fields such a line stands for. The text names the function with the
// program's English texts ("Multimedia: Volume Up", "Combo Key: Left Ctrl + Shift + A",
// "Macro Key: Macro_2, repeat while held"); every combination of field bytes has exactly one
// text, so that a record printed and read back is the same record.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "buttons/button_assignment.h"
#include "config/records.h"

namespace gm::cli {

// Names of the macros in record.ini order (UTF-8); a button's MacroNumber is a position in it.
// Empty when no record.ini was given: macros are then "macro 1" .. "macro 19".
using MacroNames = std::vector<std::string>;

// The texts of the three repeat modes (MacroMode 0, 1, 2).
extern const std::array<const char*, 3> kMacroModeTexts;

// "unknown (N)": a byte outside the values a field may hold.
std::string UnknownText(unsigned value);

// The function of button b in words.
std::string FunctionText(const SettingsRecord& record, std::size_t button,
                         const MacroNames& macros);

// The record bytes a function text stands for.
struct ParsedFunction {
  std::uint8_t category = 0;
  // The category's parameter fields with their values; the other fields are not touched.
  std::vector<std::pair<ButtonField, std::uint8_t>> fields;
};

// The fields of a function text, or a message that says what is wrong and what is allowed.
std::variant<ParsedFunction, std::string> ParseFunction(const std::string& text,
                                                        const MacroNames& macros);

// Writes the function into button b of the record (category and its fields only).
void WriteFunction(SettingsRecord& record, std::size_t button, const ParsedFunction& function);

// Makes a window-made function as the window does: the pick that writes its fields and sets
// the button's caption in the assignment's language.
void PickFunction(ButtonAssignment& assignment, std::size_t button, const ParsedFunction& function,
                  const MacroNames& macros);

// The record offsets a button's current function reads: its Category and the category's
// parameter fields.
std::vector<std::size_t> FunctionOffsets(const SettingsRecord& record, std::size_t button);

// The edit distance of two texts, for the nearest name to a misspelling.
std::size_t Distance(std::string_view a, std::string_view b);

}  // namespace gm::cli
