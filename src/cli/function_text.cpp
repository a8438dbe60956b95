#include "cli/function_text.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <string_view>

#include "buttons/key_names.h"
#include "config/function_catalogue.h"
#include "platform/text_codec.h"

namespace gm::cli {

const std::array<const char*, 3> kMacroModeTexts = {
    "repeat the set number of times or until a key is pressed", "repeat until a key is pressed",
    "repeat while held"};

namespace {

constexpr std::string_view kNone = "none";
constexpr std::string_view kNoModifier = "no modifier";
constexpr std::string_view kPlus = " + ";

std::string English(const LocalisedText& text) {
  return ToUtf8(InLanguage(text, Language::English));
}

std::wstring Wide(std::string_view text) {
  const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
  return FromUtf16(DecodeUtf8(std::span(data, text.size()), true).value_or(u""));
}

std::string CategoryName(std::size_t category) {
  return ToUtf8(CategoryText(static_cast<std::uint8_t>(category), Language::English));
}

std::string KeyText(KeyCode code) {
  if (code == kNoKey) return std::string(kNone);
  for (const KeyName& key : KeyNameTable) {
    if (key.code == code) return ToUtf8(key.name);
  }
  char text[16];
  std::snprintf(text, sizeof text, "key 0x%02x", static_cast<unsigned>(code));
  return text;
}

bool IsModifierName(std::string_view text) {
  return ModifierBitOf(Wide(text)) != 0;
}

// The modifier bits as one token: the names in bit order, joined by "+" without blanks.
std::string ModifierToken(std::uint8_t bits) {
  std::string text;
  for (const ModifierName& modifier : ModifierNameTable) {
    if ((bits & modifier.bit) == 0) continue;
    if (!text.empty()) text += '+';
    text += ToUtf8(modifier.name);
  }
  return text;
}

std::string ComboText(std::uint8_t modifier, KeyCode key1, KeyCode key2) {
  std::vector<std::string> keys;
  if (key2 != kNoKey) {
    keys = {KeyText(key1), KeyText(key2)};
  } else if (key1 != kNoKey) {
    keys = {KeyText(key1)};
  }
  std::vector<std::string> parts;
  if (modifier != 0) {
    parts.push_back(ModifierToken(modifier));
  } else if (keys.empty()) {
    return std::string(kNone);
  } else if (IsModifierName(keys.front())) {
    // A key named like a modifier ("Right Ctrl") would be read as the modifier.
    parts.emplace_back(kNoModifier);
  }
  parts.insert(parts.end(), keys.begin(), keys.end());
  std::string text;
  for (const std::string& part : parts) {
    if (!text.empty()) text += kPlus;
    text += part;
  }
  return text;
}

std::string MacroText(std::uint8_t number, const MacroNames& macros) {
  if (number < macros.size()) return macros[number];
  if (number < kMacroCount) return "macro " + std::to_string(number + 1);
  return UnknownText(number);
}

template <typename List>
std::optional<std::size_t> IndexOf(const List& list, std::string_view text) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (text == list[i]) return i;
  }
  return std::nullopt;
}

// "unknown (N)" with N 0-255.
std::optional<std::uint8_t> UnknownValue(std::string_view text) {
  constexpr std::string_view kHead = "unknown (";
  if (text.size() < kHead.size() + 2 || text.substr(0, kHead.size()) != kHead ||
      text.back() != ')') {
    return std::nullopt;
  }
  const std::string_view digits = text.substr(kHead.size(), text.size() - kHead.size() - 1);
  if (digits.empty() || digits.size() > 3) return std::nullopt;
  unsigned value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  if (value > 255) return std::nullopt;
  return static_cast<std::uint8_t>(value);
}

// "key 0xNN" for any byte.
std::optional<std::uint8_t> HexKey(std::string_view text) {
  if (text.size() != 8 || text.substr(0, 6) != "key 0x") return std::nullopt;
  unsigned value = 0;
  for (const char c : text.substr(6)) {
    const char lower = static_cast<char>(c >= 'A' && c <= 'F' ? c - 'A' + 'a' : c);
    const auto digit = std::string_view("0123456789abcdef").find(lower);
    if (digit == std::string_view::npos) return std::nullopt;
    value = value * 16 + static_cast<unsigned>(digit);
  }
  return static_cast<std::uint8_t>(value);
}

// A key of a single-key or combination function: its code, or nothing when the text names
// no key.
std::optional<KeyCode> KeyOf(std::string_view text) {
  if (text == kNone) return kNoKey;
  if (const auto code = HexKey(text)) return *code;
  const KeyCode code = KeyCodeOf(Wide(text));
  if (code == kNoKey) return std::nullopt;
  return code;
}

// Splits "A + B + C" into the names it is made of. Names may hold "+" themselves ("Num +"),
// so the split follows the names that exist: the first reading that uses only names wins.
bool IsComboWord(std::string_view word) {
  if (word == kNone || word == kNoModifier || HexKey(word)) return true;
  if (KeyCodeOf(Wide(word)) != kNoKey) return true;
  // One modifier or several joined by "+".
  std::size_t start = 0;
  while (true) {
    const std::size_t plus = word.find('+', start);
    if (!IsModifierName(word.substr(start, plus - start))) return false;
    if (plus == std::string_view::npos) return true;
    start = plus + 1;
  }
}

bool SplitCombo(std::string_view text, std::vector<std::string>& words) {
  if (text.empty()) return true;
  for (std::size_t end = text.size(); end > 0; --end) {
    const bool atEnd = end == text.size();
    if (!atEnd && text.substr(end, kPlus.size()) != kPlus) continue;
    if (!IsComboWord(text.substr(0, end))) continue;
    words.emplace_back(text.substr(0, end));
    if (atEnd || SplitCombo(text.substr(end + kPlus.size()), words)) return true;
    words.pop_back();
  }
  return false;
}

std::string ListOf(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) {
    if (!text.empty()) text += ", ";
    text += item;
  }
  return text;
}

template <std::size_t N>
std::vector<std::string> EnglishList(const std::array<LocalisedText, N>& list) {
  std::vector<std::string> texts;
  for (const LocalisedText& text : list) texts.push_back(English(text));
  return texts;
}

std::vector<std::string> DpiTexts() {
  std::vector<std::string> texts;
  for (std::wstring_view text : kDpiList) texts.push_back(ToUtf8(text));
  return texts;
}

using Parsed = std::variant<ParsedFunction, std::string>;

// A choice from a sub-list, or "unknown (N)" for a byte outside it.
Parsed ListChoice(std::uint8_t category, ButtonField field, std::string_view text,
                  const std::vector<std::string>& texts, auto valueOf) {
  ParsedFunction parsed{category, {}};
  if (const auto at = IndexOf(texts, text)) {
    parsed.fields = {{field, valueOf(*at)}};
    return parsed;
  }
  if (const auto value = UnknownValue(text)) {
    parsed.fields = {{field, *value}};
    return parsed;
  }
  return "\"" + CategoryName(category) + "\" takes one of: " + ListOf(texts);
}

Parsed ParseCombo(std::string_view text) {
  ParsedFunction parsed{CategoryValue(FunctionCategory::ComboKey), {}};
  std::vector<std::string> words;
  if (!SplitCombo(text, words) || words.empty()) {
    return "\"Combo Key\" takes [MODIFIER + ]KEY[ + KEY], with the modifiers Left Ctrl, Left "
           "Shift, Left Alt, Left Win, Right Ctrl, Right Shift, Right Alt, Right Win and key "
           "names as the key lists show them (\"none\" for no key)";
  }
  std::uint8_t modifier = 0;
  std::size_t at = 0;
  if (words[0] == kNoModifier) {
    at = 1;
  } else if (words[0] != kNone && KeyCodeOf(Wide(words[0])) == kNoKey && !HexKey(words[0])) {
    // A modifier token: one name or several joined by "+".
    for (std::size_t start = 0;;) {
      const std::size_t plus = words[0].find('+', start);
      const std::uint8_t bit = ModifierBitOf(Wide(words[0].substr(start, plus - start)));
      modifier = static_cast<std::uint8_t>(modifier | bit);
      if (plus == std::string::npos) break;
      start = plus + 1;
    }
    at = 1;
  } else if (IsModifierName(words[0])) {
    // "Right Ctrl" alone in front is the modifier, as show writes it.
    modifier = ModifierBitOf(Wide(words[0]));
    at = 1;
  }
  if (words.size() - at > 2) return "\"Combo Key\" takes a modifier and at most two keys";
  std::array<KeyCode, 2> keys{};
  for (std::size_t k = 0; at + k < words.size(); ++k) {
    const auto code = KeyOf(words[at + k]);
    if (!code) return "\"" + words[at + k] + "\" is not a key of the combination";
    keys[k] = *code;
  }
  parsed.fields = {{ButtonField::ComboModifier, modifier},
                   {ButtonField::ComboKey1, keys[0]},
                   {ButtonField::ComboKey2, keys[1]}};
  return parsed;
}

Parsed ParseMacro(std::string_view text, const MacroNames& macros) {
  ParsedFunction parsed{CategoryValue(FunctionCategory::MacroKey), {}};
  const std::size_t comma = text.rfind(", ");
  const std::string_view name = comma == std::string_view::npos ? text : text.substr(0, comma);
  const std::string_view modeText =
      comma == std::string_view::npos ? std::string_view() : text.substr(comma + 2);
  std::optional<std::uint8_t> mode;
  if (const auto at = IndexOf(kMacroModeTexts, modeText)) {
    mode = static_cast<std::uint8_t>(*at);
  } else if (!(mode = UnknownValue(modeText))) {
    return "\"Macro Key\" takes MACRO, MODE with the modes \"" + std::string(kMacroModeTexts[0]) +
           "\", \"" + kMacroModeTexts[1] + "\" and \"" + kMacroModeTexts[2] + "\"";
  }
  std::optional<std::uint8_t> number;
  if (const auto at = IndexOf(macros, name); at && *at < kMacroCount) {
    number = static_cast<std::uint8_t>(*at);
  } else if (name.size() > 6 && name.substr(0, 6) == "macro ") {
    const std::string digits(name.substr(6));
    if (digits.size() <= 2 &&
        std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      const int k = std::stoi(digits);
      if (k >= 1 && k <= static_cast<int>(kMacroCount)) number = static_cast<std::uint8_t>(k - 1);
    }
  } else {
    number = UnknownValue(name);
  }
  if (!number) {
    std::string known = macros.empty() ? std::string("no record.ini was given")
                                       : "record.ini has " + ListOf(macros);
    return "no macro \"" + std::string(name) + "\": a macro is named as record.ini lists it (" +
           known + ") or as macro 1 .. macro 19";
  }
  parsed.fields = {{ButtonField::MacroNumber, *number}, {ButtonField::MacroMode, *mode}};
  return parsed;
}

}  // namespace

std::size_t Distance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

std::string UnknownText(unsigned value) {
  return "unknown (" + std::to_string(value) + ")";
}

std::string FunctionText(const SettingsRecord& record, std::size_t b, const MacroNames& macros) {
  const std::uint8_t category = record.button(ButtonField::Category, b);
  if (category >= kCategoryCount) return UnknownText(category);
  std::string text = CategoryName(category);
  const auto field = [&](ButtonField f) { return record.button(f, b); };
  std::string parameter;
  switch (static_cast<FunctionCategory>(category)) {
    case FunctionCategory::CpiCycle: {
      const std::uint8_t action = field(ButtonField::DpiAction);
      parameter = action >= 1 && action <= kDpiListSize ? ToUtf8(kDpiList[action - 1u])
                                                        : UnknownText(action);
      break;
    }
    case FunctionCategory::Multimedia: {
      const std::uint8_t usage = field(ButtonField::MediaUsage);
      const auto* at = std::find(kMediaUsages.begin(), kMediaUsages.end(), usage);
      parameter = at != kMediaUsages.end()
                      ? English(kMediaList[static_cast<std::size_t>(at - kMediaUsages.begin())])
                      : UnknownText(usage);
      break;
    }
    case FunctionCategory::HotKey: {
      const KeyCode letter = field(ButtonField::HotKeyLetter);
      const auto* at = std::find(kHotKeyLetters.begin(), kHotKeyLetters.end(), letter);
      parameter =
          at != kHotKeyLetters.end()
              ? English(kHotKeyList[static_cast<std::size_t>(at - kHotKeyLetters.begin())]) +
                    " (Ctrl + " + KeyText(letter) + ")"
              : UnknownText(letter);
      break;
    }
    case FunctionCategory::Windows: {
      const std::uint8_t action = field(ButtonField::WindowsAction);
      parameter = action < kWindowsListSize ? English(kWindowsList[action]) : UnknownText(action);
      break;
    }
    case FunctionCategory::SingleKey:
      parameter = KeyText(field(ButtonField::SingleKey));
      break;
    case FunctionCategory::ComboKey:
      parameter = ComboText(field(ButtonField::ComboModifier), field(ButtonField::ComboKey1),
                            field(ButtonField::ComboKey2));
      break;
    case FunctionCategory::MacroKey: {
      const std::uint8_t mode = field(ButtonField::MacroMode);
      parameter = MacroText(field(ButtonField::MacroNumber), macros) + ", " +
                  (mode < kMacroModeTexts.size() ? kMacroModeTexts[mode] : UnknownText(mode));
      break;
    }
    default:
      break;
  }
  if (!parameter.empty()) text += ": " + parameter;
  return text;
}

std::variant<ParsedFunction, std::string> ParseFunction(const std::string& text,
                                                        const MacroNames& macros) {
  if (const auto value = UnknownValue(text); value && *value >= kCategoryCount) {
    return ParsedFunction{*value, {}};
  }
  const std::size_t colon = text.find(": ");
  const std::string head = text.substr(0, colon);
  const std::string_view rest =
      colon == std::string::npos ? std::string_view() : std::string_view(text).substr(colon + 2);
  std::optional<std::uint8_t> category;
  for (std::size_t c = 0; c < kCategoryCount; ++c) {
    if (CategoryName(c) == head) category = static_cast<std::uint8_t>(c);
  }
  if (!category) {
    std::string nearest;
    std::size_t best = head.size() / 3 + 1;
    std::vector<std::string> names;
    for (std::size_t c = 0; c < kCategoryCount; ++c) {
      names.push_back(CategoryName(c));
      if (const std::size_t d = Distance(head, names.back()); d < best) {
        best = d;
        nearest = names.back();
      }
    }
    return "no function \"" + text + "\"" +
           (nearest.empty() ? "" : " (did you mean \"" + nearest + "\"?)") +
           "; the functions are " + ListOf(names) + ", the last eight with \": \" and their choice";
  }
  const std::uint8_t c = *category;
  switch (static_cast<FunctionCategory>(c)) {
    case FunctionCategory::CpiCycle:
      return ListChoice(c, ButtonField::DpiAction, rest, DpiTexts(),
                        [](std::size_t at) { return static_cast<std::uint8_t>(at + 1); });
    case FunctionCategory::Multimedia:
      return ListChoice(c, ButtonField::MediaUsage, rest, EnglishList(kMediaList),
                        [](std::size_t at) { return kMediaUsages[at]; });
    case FunctionCategory::HotKey: {
      // "Copy" or "Copy (Ctrl + C)", as show writes it.
      std::vector<std::string> texts = EnglishList(kHotKeyList);
      std::string_view choice = rest;
      for (std::size_t at = 0; at < texts.size(); ++at) {
        if (rest == texts[at] + " (Ctrl + " + KeyText(kHotKeyLetters[at]) + ")") choice = texts[at];
      }
      return ListChoice(c, ButtonField::HotKeyLetter, choice, texts,
                        [](std::size_t at) { return kHotKeyLetters[at]; });
    }
    case FunctionCategory::Windows:
      return ListChoice(c, ButtonField::WindowsAction, rest, EnglishList(kWindowsList),
                        [](std::size_t at) { return static_cast<std::uint8_t>(at); });
    case FunctionCategory::SingleKey: {
      const auto code = KeyOf(rest);
      if (!code) {
        return "\"Single Key\" takes a key name as the key lists show it (\"A\", \"F5\", "
               "\"Space\", \"Num Enter\", \"L-Button\", ...) or \"none\"; \"" +
               std::string(rest) + "\" is none of them";
      }
      return ParsedFunction{c, {{ButtonField::SingleKey, *code}}};
    }
    case FunctionCategory::ComboKey:
      return ParseCombo(rest);
    case FunctionCategory::MacroKey:
      return ParseMacro(rest, macros);
    default:
      if (colon != std::string::npos) return "\"" + head + "\" takes no choice after it";
      return ParsedFunction{c, {}};
  }
}

void WriteFunction(SettingsRecord& record, std::size_t button, const ParsedFunction& function) {
  record.button(ButtonField::Category, button) = function.category;
  for (const auto& [field, value] : function.fields) record.button(field, button) = value;
}

void PickFunction(ButtonAssignment& assignment, std::size_t b, const ParsedFunction& function,
                  const MacroNames& macros) {
  const auto value = [&](ButtonField wanted) -> std::uint8_t {
    for (const auto& [field, v] : function.fields) {
      if (field == wanted) return v;
    }
    return 0;
  };
  const auto name = [](KeyCode code) {
    return code == kNoKey ? std::wstring() : Wide(KeyText(code));
  };
  switch (static_cast<FunctionCategory>(function.category)) {
    case FunctionCategory::CpiCycle:
      assignment.PickDpi(b, value(ButtonField::DpiAction) - 1u);
      break;
    case FunctionCategory::Multimedia:
      assignment.PickMedia(
          b, static_cast<std::size_t>(std::find(kMediaUsages.begin(), kMediaUsages.end(),
                                                value(ButtonField::MediaUsage)) -
                                      kMediaUsages.begin()));
      break;
    case FunctionCategory::HotKey:
      assignment.PickHotKey(
          b, static_cast<std::size_t>(std::find(kHotKeyLetters.begin(), kHotKeyLetters.end(),
                                                value(ButtonField::HotKeyLetter)) -
                                      kHotKeyLetters.begin()));
      break;
    case FunctionCategory::Windows:
      assignment.PickWindows(b, value(ButtonField::WindowsAction));
      break;
    case FunctionCategory::SingleKey:
      assignment.PickSingleKey(b, name(value(ButtonField::SingleKey)));
      break;
    case FunctionCategory::ComboKey:
      assignment.PickCombo(b, Wide(ModifierToken(value(ButtonField::ComboModifier))),
                           name(value(ButtonField::ComboKey1)),
                           name(value(ButtonField::ComboKey2)));
      break;
    case FunctionCategory::MacroKey: {
      const std::uint8_t number = value(ButtonField::MacroNumber);
      assignment.PickMacro(b, number, value(ButtonField::MacroMode),
                           Wide(MacroText(number, macros)));
      break;
    }
    default:
      assignment.PickSimple(b, function.category);
      break;
  }
}

std::vector<std::size_t> FunctionOffsets(const SettingsRecord& record, std::size_t b) {
  const auto at = [b](ButtonField field) { return static_cast<std::size_t>(field) + b; };
  std::vector<std::size_t> offsets = {at(ButtonField::Category)};
  switch (static_cast<FunctionCategory>(record.button(ButtonField::Category, b))) {
    case FunctionCategory::CpiCycle:
      offsets.push_back(at(ButtonField::DpiAction));
      break;
    case FunctionCategory::Multimedia:
      offsets.push_back(at(ButtonField::MediaUsage));
      break;
    case FunctionCategory::HotKey:
      offsets.push_back(at(ButtonField::HotKeyLetter));
      break;
    case FunctionCategory::Windows:
      offsets.push_back(at(ButtonField::WindowsAction));
      break;
    case FunctionCategory::SingleKey:
      offsets.push_back(at(ButtonField::SingleKey));
      break;
    case FunctionCategory::ComboKey:
      offsets.insert(offsets.end(), {at(ButtonField::ComboModifier), at(ButtonField::ComboKey1),
                                     at(ButtonField::ComboKey2)});
      break;
    case FunctionCategory::MacroKey:
      offsets.insert(offsets.end(), {at(ButtonField::MacroNumber), at(ButtonField::MacroMode)});
      break;
    default:
      break;
  }
  return offsets;
}

}  // namespace gm::cli
