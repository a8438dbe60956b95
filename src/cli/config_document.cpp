#include "cli/config_document.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <utility>

#include "config/function_catalogue.h"
#include "config/language_table.h"
#include "config/setting_ranges.h"
#include "platform/text_codec.h"

namespace gm::cli {
namespace {

using Json = nlohmann::ordered_json;

// A setting held in one byte: the values it may take, each with its JSON form. Any other byte
// is {"unknown": N}.
struct Leaf {
  std::string path;
  int offset = 0;  // record offset, or kFirstRunFlagOffset
  std::vector<std::pair<std::uint8_t, Json>> choices;
  std::string allowed;   // the values in words, for messages
  bool settable = true;  // set may change it (the program's own bytes are left to it)
  bool colour = false;   // three bytes #rrggbb from offset on; choices unused
};

// The JSON values of a setting: those of the bytes its range holds (config/setting_ranges).
std::vector<std::pair<std::uint8_t, Json>> Choices(int offset, auto value) {
  std::vector<std::pair<std::uint8_t, Json>> choices;
  for (int v = 0; v <= 255; ++v) {
    const auto byte = static_cast<std::uint8_t>(v);
    if (SettingInRange(offset, byte)) choices.emplace_back(byte, value(v));
  }
  return choices;
}

Json Same(int v) {
  return v;
}

Json Truth(int v) {
  return v != 0;
}

std::string StageName(std::size_t k) {
  return "stage" + std::to_string(k + 1);
}

// The slider's right end: a position past the last mark that the window stores as it is.
constexpr const char* kSliderEnd = "slider end";

const std::vector<Leaf>& Leaves() {
  static const std::vector<Leaf> leaves = [] {
    std::vector<Leaf> all;
    const auto leaf = [&all](std::string path, std::size_t offset, auto value, std::string allowed,
                             bool settable = true) {
      const int at = static_cast<int>(offset);
      all.push_back({std::move(path), at, Choices(at, value), std::move(allowed), settable});
    };
    leaf(
        "general.reportRate", rec::kReportRateCode, [](int v) { return 1000 / v; },
        "125, 250, 500 or 1000 (Hz)");
    leaf("general.profile", rec::kProfile, Same, "0 to 255", false);
    all.push_back({"general.saved", kFirstRunFlagOffset, Choices(kFirstRunFlagOffset, Truth),
                   "true or false", false});
    for (std::size_t k = 0; k < kDpiStageCount; ++k) {
      const std::string stage = "dpi." + StageName(k) + ".";
      leaf(
          stage + "dpi", rec::kDpiStages + k, [](int v) { return v * 100; },
          "100 to 12000 in steps of 100");
      leaf(stage + "enabled", rec::kStageEnabled + k, Truth, "true or false");
      all.push_back({stage + "colour",
                     static_cast<int>(rec::kStageColours + 3 * k),
                     {},
                     "#rrggbb",
                     true,
                     true});
    }
    // Positions 1-5 of a slider are its marks; 6 is its right end.
    const auto positions = [](std::array<int, 5> marks) {
      return [marks](int p) {
        return p <= 5 ? Json(marks[static_cast<std::size_t>(p - 1)]) : Json(kSliderEnd);
      };
    };
    leaf(
        "lighting.mode", rec::kLightingMode,
        [](int v) {
          return std::array<const char*, 4>{"", "standard", "respiration",
                                            "neon"}[static_cast<std::size_t>(v)];
        },
        "standard, respiration or neon");
    leaf("lighting.brightness", rec::kBrightness, positions({0, 25, 50, 75, 100}),
         "0, 25, 50, 75 or 100 (%; 0 turns the standard light off), or \"slider end\" (the "
         "slider's right end: the mouse gets brightness 12, 100 % is 10)");
    leaf("lighting.respirationPeriod", rec::kRespirationPeriod, positions({4, 5, 6, 7, 8}),
         "4, 5, 6, 7 or 8 (s), or \"slider end\" (the slider's right end: the mouse gets period "
         "6, 8 s is 5)");
    leaf("lighting.neonPeriod", rec::kNeonPeriod, positions({3, 6, 9, 12, 15}),
         "3, 6, 9, 12 or 15 (s), or \"slider end\" (the slider's right end: the mouse gets "
         "period 18, 15 s is 15)");
    leaf("sensor.xSensitivity", rec::kXSensitivity, Same, "1 to 10 (11: the slider's right end)");
    leaf("sensor.ySensitivity", rec::kYSensitivity, Same, "1 to 10 (11: the slider's right end)");
    leaf("sensor.angleSnap", rec::kAngleSnap, Truth, "true or false");
    leaf("sensor.gestureCorrection", rec::kGestureCorrection, positions({-2, -1, 0, 1, 2}),
         "-2, -1, 0, 1 or 2, or \"slider end\" (the slider's right end: the mouse gets 0)");
    leaf(
        "desktop.pointerSpeed", rec::kPointerSpeed, [](int p) { return p == 1 ? 1 : 2 * p - 2; },
        "1, 2, 4, 6, ... 22 (the dial's steps; Windows takes 1 to 20)");
    leaf("desktop.enhancePrecision", rec::kPointerPrecision, Truth, "true or false");
    leaf("desktop.scrollOneScreen", rec::kScrollOneScreen, Truth, "true or false");
    leaf("desktop.wheelLines", rec::kWheelLines, Same, "1 to 100");
    leaf(
        "desktop.doubleClickTime", rec::kDoubleClickSpeed, [](int d) { return 900 - (d - 1) * 70; },
        "900 to 130 (ms) in steps of 70");
    return all;
  }();
  return leaves;
}

std::uint8_t& ByteOf(ConfigurationContent& content, int offset) {
  return offset == kFirstRunFlagOffset ? content.firstRunFlag
                                       : content.record.at(static_cast<std::size_t>(offset));
}
std::uint8_t ByteOf(const ConfigurationContent& content, int offset) {
  return offset == kFirstRunFlagOffset ? content.firstRunFlag
                                       : content.record.at(static_cast<std::size_t>(offset));
}

Json Unknown(unsigned value) {
  return Json{{"unknown", value}};
}

bool IsUnknown(const Json& value) {
  return value.is_object() && value.size() == 1 && value.contains("unknown");
}

std::string Hex2(unsigned value) {
  char text[4];
  std::snprintf(text, sizeof text, "%02x", value & 0xFFu);
  return text;
}

std::string ColourText(Rgb colour) {
  return "#" + Hex2(colour.red) + Hex2(colour.green) + Hex2(colour.blue);
}

std::optional<Rgb> ParseColour(const std::string& text) {
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  std::array<std::uint8_t, 3> bytes{};
  for (std::size_t i = 0; i < 6; ++i) {
    const char c = static_cast<char>(text[i + 1] | 0x20);
    const auto digit = std::string_view("0123456789abcdef").find(c);
    if (digit == std::string_view::npos) return std::nullopt;
    bytes[i / 2] = static_cast<std::uint8_t>(bytes[i / 2] * 16 + digit);
  }
  return Rgb{bytes[0], bytes[1], bytes[2]};
}

Json LeafValue(const ConfigurationContent& content, const Leaf& leaf) {
  if (leaf.colour) {
    const std::size_t at = static_cast<std::size_t>(leaf.offset);
    return ColourText(
        {content.record.at(at), content.record.at(at + 1), content.record.at(at + 2)});
  }
  const std::uint8_t byte = ByteOf(content, leaf.offset);
  for (const auto& [value, json] : leaf.choices) {
    if (value == byte) return json;
  }
  return Unknown(byte);
}

// Words match without regard to case, as in "NEON" or "True".
bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

// The byte a JSON value stands for, or nothing when the leaf does not take it.
std::optional<std::uint8_t> LeafByte(const Leaf& leaf, const Json& value) {
  if (IsUnknown(value)) {
    const Json& n = value["unknown"];
    if (n.is_number_integer() && n.get<long long>() >= 0 && n.get<long long>() <= 255) {
      return static_cast<std::uint8_t>(n.get<long long>());
    }
    return std::nullopt;
  }
  if (value.is_number_float()) return std::nullopt;  // 1000.0 or 1e3: numbers are integers
  for (const auto& [byte, json] : leaf.choices) {
    const bool words = json.is_string() && value.is_string();
    if (words ? SameText(json.get<std::string>(), value.get<std::string>()) : json == value) {
      return byte;
    }
  }
  return std::nullopt;
}

std::string ButtonKey(std::size_t b) {
  return b < 7 ? "button" + std::to_string(b + 1) : "buttonS" + std::to_string(b - 6);
}

std::string MacroKey(std::size_t k) {
  return "macro" + std::to_string(k + 1);
}

// The bytes of a macro block's events, the zeros at the end left out (pairs stay whole).
std::string EventsHex(const MacroBlock& block) {
  std::size_t used = kBlockSize;
  while (used > 2 && block[used - 1] == 0) --used;
  if ((used - 2) % 2 != 0) ++used;
  std::string hex;
  for (std::size_t i = 2; i < used; ++i) hex += Hex2(block[i]);
  return hex;
}

// The offsets of the settings part that a setting or a button's function reads.
std::vector<bool> UsedOffsets(const SettingsRecord& record) {
  std::vector<bool> used(SettingsRecord::kSettingsSize, false);
  for (const Leaf& leaf : Leaves()) {
    if (leaf.offset == kFirstRunFlagOffset) continue;
    const std::size_t at = static_cast<std::size_t>(leaf.offset);
    used[at] = true;
    if (leaf.colour) used[at + 1] = used[at + 2] = true;
  }
  for (std::size_t b = 0; b < kButtonCount; ++b) {
    for (std::size_t at : FunctionOffsets(record, b)) used[at] = true;
  }
  return used;
}

void Put(Json& document, const std::string& path, Json value) {
  Json* node = &document;
  std::size_t start = 0;
  for (std::size_t dot = path.find('.'); dot != std::string::npos; dot = path.find('.', start)) {
    node = &(*node)[path.substr(start, dot - start)];
    start = dot + 1;
  }
  (*node)[path.substr(start)] = std::move(value);
}

Json Document(const ConfigurationContent& content, const Extras& extras) {
  Json document = Json::object();
  for (const Leaf& leaf : Leaves()) Put(document, leaf.path, LeafValue(content, leaf));
  const MacroNames names = MacroNamesOf(extras);
  Json& buttons = document["buttons"] = Json::object();
  for (std::size_t b = 0; b < kButtonCount; ++b) {
    Json button = {{"function", FunctionText(content.record, b, names)}};
    if (extras.captions) button["caption"] = (*extras.captions)[b];
    buttons[ButtonKey(b)] = std::move(button);
  }
  Json& macros = document["macros"] = Json::object();
  for (std::size_t k = 0; k < kMacroCount; ++k) {
    const MacroBlock& block = content.record.macros[k];
    Json macro = Json::object();
    if (extras.macros && k < extras.macros->size()) {
      macro["name"] = (*extras.macros)[k].name;
      macro["items"] = (*extras.macros)[k].items;
    }
    macro["repeat"] = block[0] * 256u + block[1];
    macro["events"] = EventsHex(block);
    macros[MacroKey(k)] = std::move(macro);
  }
  Json& unused = document["unused"] = Json::object();
  const std::vector<bool> used = UsedOffsets(content.record);
  for (std::size_t at = 0; at < used.size(); ++at) {
    if (!used[at] && content.record.at(at) != 0) unused[std::to_string(at)] = content.record.at(at);
  }
  return document;
}

// A JSON value as show prints it in text: strings without quotes, {"unknown": N} in words.
std::string Plain(const Json& value) {
  if (value.is_string()) return value.get<std::string>();
  if (IsUnknown(value)) return UnknownText(value["unknown"].get<unsigned>());
  return value.dump();
}

// Every leaf of a document by its dotted path, in document order.
void Flatten(const Json& node, const std::string& path,
             std::vector<std::pair<std::string, Json>>& leaves) {
  if (node.is_object() && !IsUnknown(node)) {
    for (const auto& [key, value] : node.items()) {
      Flatten(value, path.empty() ? key : path + "." + key, leaves);
    }
    return;
  }
  leaves.emplace_back(path, node);
}

std::string Nearest(const std::string& name, const std::vector<std::string>& names) {
  std::string nearest;
  std::size_t best = name.size() / 3 + 2;
  for (const std::string& candidate : names) {
    if (const std::size_t d = Distance(name, candidate); d < best) {
      best = d;
      nearest = candidate;
    }
  }
  return nearest;
}

std::string DidYouMean(const std::string& name, const std::vector<std::string>& names) {
  const std::string nearest = Nearest(name, names);
  return nearest.empty() ? std::string() : " (did you mean " + nearest + "?)";
}

const Leaf* FindLeaf(const std::string& path) {
  for (const Leaf& leaf : Leaves()) {
    if (leaf.path == path) return &leaf;
  }
  return nullptr;
}

std::optional<std::size_t> ButtonOf(const std::string& key) {
  for (std::size_t b = 0; b < kButtonCount; ++b) {
    if (ButtonKey(b) == key) return b;
  }
  return std::nullopt;
}

std::string EnglishLeftKeyMessage() {
  return ToUtf8(InLanguage(kLeftKeyMustBeSelected, Language::English));
}

std::string NoClickLeft() {
  return "no button has \"Click\" (" + EnglishLeftKeyMessage() + ")";
}

// A value for a message, cut after 40 characters: a container of scalars as JSON, a deeper one
// by its kind only, as a document may nest thousands of levels.
std::string JsonName(const Json& value) {
  const bool flat = std::none_of(value.begin(), value.end(),
                                 [](const Json& inner) { return inner.is_structured(); });
  if (value.is_structured() && !flat) return value.is_object() ? "an object" : "an array";
  std::string text = value.dump(-1, ' ', false, Json::error_handler_t::replace);
  if (text.size() > 40) text = text.substr(0, 37) + "...";
  return text;
}

// The values out of their ranges, "path: value" each; sentOnly: only those a Save sends.
std::vector<std::string> FaultLines(const ConfigurationContent& content, bool sentOnly);

// Import: one wrong path ends it with a message.
struct ImportError {
  std::string message;
};

[[noreturn]] void Fail(const std::string& path, const std::string& message) {
  throw ImportError{path + ": " + message};
}

void NeedObject(const Json& node, const std::string& path) {
  if (!node.is_object()) Fail(path, "an object is needed, not " + JsonName(node));
}

// How deep a document may nest: a configuration document needs 5 levels; thousands would
// exhaust the stack of whatever walks them.
constexpr std::size_t kMaxDepth = 64;

// Parses a document, refusing a key given twice in one object (the parser would keep the
// last and never check the first) and nesting deeper than kMaxDepth, each naming its path.
Json ParseDocument(std::string_view text) {
  struct Level {
    bool object = false;
    std::string key;        // the key read last (objects)
    std::size_t index = 0;  // the element being read (arrays)
    std::set<std::string> keys;
  };
  std::vector<Level> levels;
  const auto path = [&levels] {
    std::string named;
    for (const Level& level : levels) {
      if (!level.object) {
        named += "[" + std::to_string(level.index) + "]";
      } else if (!level.key.empty()) {
        named += (named.empty() ? "" : ".") + level.key;
      }
    }
    return named.empty() ? std::string("(document)") : named;
  };
  const auto element = [&levels] {
    if (!levels.empty() && !levels.back().object) ++levels.back().index;
  };
  using Event = nlohmann::detail::parse_event_t;
  return Json::parse(text, [&](int, Event event, Json& parsed) {
    switch (event) {
      case Event::object_start:
      case Event::array_start:
        if (levels.size() >= kMaxDepth) {
          Fail(path(), "nested deeper than " + std::to_string(kMaxDepth) +
                           " levels (a configuration document has 5)");
        }
        levels.push_back({event == Event::object_start, {}, 0, {}});
        break;
      case Event::key:
        levels.back().key = parsed.get<std::string>();
        if (!levels.back().keys.insert(levels.back().key).second) {
          Fail(path(), "given twice in one object");
        }
        break;
      case Event::object_end:
      case Event::array_end:
        levels.pop_back();
        element();
        break;
      case Event::value:
        element();
        break;
    }
    return true;
  });
}

void ImportLeaf(ConfigurationContent& content, const Leaf& leaf, const Json& value) {
  if (leaf.colour) {
    const auto colour = value.is_string() ? ParseColour(value.get<std::string>()) : std::nullopt;
    if (!colour) Fail(leaf.path, JsonName(value) + " is not a colour; allowed: \"#rrggbb\"");
    content.record.setStageColour(
        static_cast<std::size_t>(leaf.offset - static_cast<int>(rec::kStageColours)) / 3, *colour);
    return;
  }
  const auto byte = LeafByte(leaf, value);
  if (!byte) {
    Fail(leaf.path,
         JsonName(value) + " is not allowed; allowed: " + leaf.allowed + ", or {\"unknown\": N}");
  }
  ByteOf(content, leaf.offset) = *byte;
}

std::vector<std::string> KeysOf(const Json& node) {
  std::vector<std::string> keys;
  for (const auto& [key, value] : node.items()) keys.push_back(key);
  return keys;
}

void ImportDocumentOrThrow(const Json& document, ConfigurationContent& content) {
  NeedObject(document, "(document)");
  const std::vector<std::string> groups = {"general", "dpi",     "lighting", "sensor",
                                           "desktop", "buttons", "macros",   "unused"};
  const Json model = Document(ConfigurationContent{}, Extras{});
  for (const auto& [group, node] : document.items()) {
    if (std::find(groups.begin(), groups.end(), group) == groups.end()) {
      Fail(group, "unknown key" + DidYouMean(group, groups) +
                      "; the keys are general, dpi, lighting, sensor, desktop, buttons, macros "
                      "and unused");
    }
    NeedObject(node, group);
  }
  // Scalar settings: every key must be one of the model's.
  for (const std::string group : {"general", "dpi", "lighting", "sensor", "desktop"}) {
    if (!document.contains(group)) continue;
    for (const auto& [key, value] : document[group].items()) {
      const std::string path = group + "." + key;
      if (!model[group].contains(key)) {
        Fail(path, "unknown key" + DidYouMean(key, KeysOf(model[group])));
      }
      if (model[group][key].is_object() && !IsUnknown(model[group][key])) {
        NeedObject(value, path);  // a DPI stage
        for (const auto& [inner, innerValue] : value.items()) {
          if (!model[group][key].contains(inner)) {
            Fail(path + "." + inner, "unknown key" + DidYouMean(inner, KeysOf(model[group][key])));
          }
          ImportLeaf(content, *FindLeaf(path + "." + inner), innerValue);
        }
      } else {
        ImportLeaf(content, *FindLeaf(path), value);
      }
    }
  }
  // Macros first: their names are how the buttons' functions name them.
  MacroNames names;
  if (document.contains("macros")) {
    for (const auto& [key, value] : document["macros"].items()) {
      const std::string path = "macros." + key;
      std::optional<std::size_t> k;
      for (std::size_t i = 0; i < kMacroCount; ++i) {
        if (MacroKey(i) == key) k = i;
      }
      if (!k) Fail(path, "unknown key; the macros are macro1 .. macro19");
      NeedObject(value, path);
      MacroBlock& block = content.record.macros[*k];
      for (const auto& [inner, innerValue] : value.items()) {
        const std::string at = path + "." + inner;
        if (inner == "name") {
          if (!innerValue.is_string()) Fail(at, "a string is needed");
          if (names.size() <= *k) names.resize(*k + 1);
          names[*k] = innerValue.get<std::string>();
        } else if (inner == "items") {
          if (!innerValue.is_number_integer()) Fail(at, "a number is needed");
        } else if (inner == "repeat") {
          if (!innerValue.is_number_integer() || innerValue.get<long long>() < 0 ||
              innerValue.get<long long>() > 65535) {
            Fail(at, JsonName(innerValue) + " is not allowed; allowed: 0 to 65535");
          }
          const auto repeat = innerValue.get<unsigned>();
          block[0] = static_cast<std::uint8_t>(repeat >> 8);
          block[1] = static_cast<std::uint8_t>(repeat & 0xFF);
        } else if (inner == "events") {
          const std::string hex = innerValue.is_string() ? innerValue.get<std::string>() : "";
          const bool hexDigits = std::all_of(hex.begin(), hex.end(), [](char c) {
            return std::string_view("0123456789abcdefABCDEF").find(c) != std::string_view::npos;
          });
          if (!innerValue.is_string() || !hexDigits || hex.size() % 2 != 0 ||
              hex.size() > 2 * (kBlockSize - 2)) {
            Fail(at, "the event bytes of the block are needed, in hex (at most 126 bytes)");
          }
          std::fill(block.begin() + 2, block.end(), std::uint8_t{0});
          for (std::size_t i = 0; i < hex.size() / 2; ++i) {
            block[2 + i] = static_cast<std::uint8_t>(std::stoi(hex.substr(2 * i, 2), nullptr, 16));
          }
        } else {
          Fail(at, "unknown key" + DidYouMean(inner, {"name", "items", "repeat", "events"}));
        }
      }
    }
  }
  if (document.contains("buttons")) {
    for (const auto& [key, value] : document["buttons"].items()) {
      const std::string path = "buttons." + key;
      const auto b = ButtonOf(key);
      if (!b) Fail(path, "unknown key; the buttons are button1 .. button7, buttonS1 .. buttonS12");
      NeedObject(value, path);
      for (const auto& [inner, innerValue] : value.items()) {
        const std::string at = path + "." + inner;
        if (inner != "function" && inner != "caption") {
          Fail(at, "unknown key" + DidYouMean(inner, {"function", "caption"}));
        }
        if (!innerValue.is_string()) Fail(at, "a string is needed");
        if (inner == "caption") continue;  // captions live in the caption file
        const auto parsed = ParseFunction(innerValue.get<std::string>(), names);
        if (const auto* message = std::get_if<std::string>(&parsed)) Fail(at, *message);
        WriteFunction(content.record, *b, std::get<ParsedFunction>(parsed));
      }
    }
  }
  if (document.contains("unused")) {
    // The whole set of bytes no setting uses: those it does not list are 0.
    const std::vector<bool> used = UsedOffsets(content.record);
    for (std::size_t at = 0; at < used.size(); ++at) {
      if (!used[at]) content.record.at(at) = 0;
    }
    for (const auto& [key, value] : document["unused"].items()) {
      const std::string at = "unused." + key;
      const bool digits =
          !key.empty() && key.size() <= 3 &&
          std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; });
      const std::size_t offset = digits ? std::stoul(key) : used.size();
      if (offset >= used.size()) Fail(at, "not a record offset (0 to 421)");
      if (used[offset]) Fail(at, "record byte " + key + " belongs to a setting");
      if (!value.is_number_integer() || value.get<long long>() < 0 ||
          value.get<long long>() > 255) {
        Fail(at, JsonName(value) + " is not a byte (0 to 255)");
      }
      content.record.at(offset) = value.get<std::uint8_t>();
    }
  }
}

std::vector<std::string> SettablePaths() {
  std::vector<std::string> paths;
  for (const Leaf& leaf : Leaves()) paths.push_back(leaf.path);
  for (std::size_t b = 0; b < kButtonCount; ++b) {
    paths.push_back("buttons." + ButtonKey(b) + ".function");
  }
  return paths;
}

}  // namespace

MacroNames MacroNamesOf(const Extras& extras) {
  MacroNames names;
  if (extras.macros) {
    for (const Extras::MacroInfo& macro : *extras.macros) names.push_back(macro.name);
  }
  return names;
}

std::string DocumentJson(const ConfigurationContent& content, const Extras& extras) {
  return Document(content, extras).dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::optional<std::string> ImportDocument(std::string_view text, ConfigurationContent& content,
                                          bool force) {
  // The parser stops at a NUL as at the end of the text: what follows would go unread.
  if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
    return "not JSON: a NUL byte at byte " + std::to_string(nul + 1);
  }
  Json document;
  try {
    document = ParseDocument(text);
  } catch (const ImportError& error) {
    return error.message;
  } catch (const Json::exception& error) {
    // A syntax error, or a number too large for a double: one line without the library's tag.
    std::string what = error.what();
    if (const std::size_t tag = what.find("] "); tag != std::string::npos) {
      what = what.substr(tag + 2);
    }
    return "not JSON: " + what;
  }
  ConfigurationContent result = content;
  try {
    ImportDocumentOrThrow(document, result);
  } catch (const ImportError& error) {
    return error.message;
  } catch (const Json::exception& error) {
    return std::string("not a configuration document: ") + error.what();
  }
  // What set refuses, import refuses too, unless forced (a damaged file's document).
  if (const std::vector<std::string> wrong = FaultLines(result, false); !force && !wrong.empty()) {
    return wrong.front() + " is outside its range (--force takes it)";
  }
  content = result;
  return std::nullopt;
}

std::optional<GotSetting> GetSetting(const ConfigurationContent& content, const Extras& extras,
                                     const std::string& path, std::string& message) {
  const Json document = Document(content, extras);
  const Json* node = &document;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t dot = path.find('.', start);
    const std::string key = path.substr(start, dot - start);
    if (!node->is_object() || IsUnknown(*node) || !node->contains(key)) {
      std::vector<std::pair<std::string, Json>> leaves;
      Flatten(document, "", leaves);
      std::vector<std::string> names;
      for (const auto& [name, value] : leaves) names.push_back(name);
      message = "no setting \"" + path + "\"" + DidYouMean(path, names) +
                "; the names are the paths of show --json";
      return std::nullopt;
    }
    node = &(*node)[key];
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
  if (node->is_object() && !IsUnknown(*node)) {
    return GotSetting{node->dump(2, ' ', false, Json::error_handler_t::replace), true};
  }
  return GotSetting{Plain(*node), false};
}

std::optional<std::string> SetSettings(ConfigurationContent& content,
                                       const std::vector<std::string>& pairs,
                                       const MacroNames& macros, CaptionEdit& captions) {
  ConfigurationContent result = content;
  ButtonLabels scratch;
  ButtonLabels& labels = captions.labels ? *captions.labels : scratch;
  const ButtonLabels labelsBefore = labels;
  ButtonAssignment assignment(result.record, labels, captions.language);
  std::vector<std::size_t> changed;
  std::set<std::string> names;
  for (const std::string& pair : pairs) {
    const std::size_t equals = pair.find('=');
    if (equals == std::string::npos || equals == 0) {
      return "\"" + pair + "\": NAME=VALUE is needed (for example dpi.stage3.dpi=1600)";
    }
    const std::string name = pair.substr(0, equals);
    const std::string value = pair.substr(equals + 1);
    const std::string given = name + "=" + value;
    // Twice, the last would win unseen (or a first error hide behind it).
    if (!names.insert(name).second) return given + ": " + name + " is given twice";
    if (const Leaf* leaf = FindLeaf(name)) {
      if (!leaf->settable) {
        return given + ": " + name + " is kept by the program itself (a Save writes it)";
      }
      if (leaf->colour) {
        const auto colour = ParseColour(value);
        if (!colour) return given + ": not a colour; allowed: #rrggbb";
        result.record.setStageColour(
            static_cast<std::size_t>(leaf->offset - static_cast<int>(rec::kStageColours)) / 3,
            *colour);
        continue;
      }
      std::optional<std::uint8_t> byte;
      for (const auto& [choice, json] : leaf->choices) {
        // Words (choices, true and false) match without regard to case; numbers only as
        // show prints them (1000, not 1000.0 or 1e3).
        const std::string text = json.is_string() ? json.get<std::string>() : json.dump();
        if (json.is_number() ? text == value : SameText(text, value)) {
          byte = choice;
        }
      }
      if (!byte) {
        std::string hint;
        if (name.find(".dpi") != std::string::npos && !value.empty() &&
            std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
            value.size() <= 5) {
          // The mouse has steps of 100 DPI: a value between two steps is refused, not rounded.
          const int dpi = std::stoi(value);
          if (dpi > 100 && dpi < 12000) {
            hint = " (the mouse has steps of 100 DPI: " + std::to_string(dpi / 100 * 100) + " or " +
                   std::to_string(dpi / 100 * 100 + 100) + ")";
          }
        }
        return given + ": not allowed" + hint + "; allowed: " + leaf->allowed;
      }
      ByteOf(result, leaf->offset) = *byte;
      continue;
    }
    const std::string buttonsHead = "buttons.";
    const std::string functionTail = ".function";
    if (name.size() > buttonsHead.size() + functionTail.size() &&
        name.compare(0, buttonsHead.size(), buttonsHead) == 0 &&
        name.compare(name.size() - functionTail.size(), functionTail.size(), functionTail) == 0) {
      const auto b = ButtonOf(
          name.substr(buttonsHead.size(), name.size() - buttonsHead.size() - functionTail.size()));
      if (b) {
        const auto parsed = ParseFunction(value, macros);
        if (const auto* message = std::get_if<std::string>(&parsed)) return given + ": " + *message;
        const ParsedFunction& function = std::get<ParsedFunction>(parsed);
        SettingsRecord probe = result.record;
        WriteFunction(probe, *b, function);
        if (!FunctionInRange(probe, *b)) {
          return given +
                 ": not a function the program gives a button (a value outside its list, "
                 "more than one modifier or a key without a name)";
        }
        PickFunction(assignment, *b, function, macros);
        changed.push_back(*b);
        continue;
      }
    }
    if (name.rfind("macros.", 0) == 0 || name.rfind("unused.", 0) == 0 ||
        (name.rfind("buttons.", 0) == 0 && name.size() > 8 &&
         name.substr(name.size() - 8) == ".caption")) {
      return given + ": " + name +
             " cannot be set: captions follow the functions (--captions), macros come from "
             "record.ini";
    }
    return given + ": no setting \"" + name + "\"" + DidYouMean(name, SettablePaths()) +
           "; the names are the paths of show --json";
  }
  // The window keeps one button with "Click": its list does not open for the last one.
  const auto clicks = [](const SettingsRecord& record) {
    std::size_t count = 0;
    for (std::size_t b = 0; b < kButtonCount; ++b) {
      count += record.button(ButtonField::Category, b) == CategoryValue(FunctionCategory::Click);
    }
    return count;
  };
  if (clicks(content.record) > 0 && clicks(result.record) == 0) {
    labels = labelsBefore;
    return "no button would have \"Click\" left: the last button with \"Click\" keeps it (" +
           EnglishLeftKeyMessage() + ")";
  }
  content = result;
  std::sort(changed.begin(), changed.end());
  changed.erase(std::unique(changed.begin(), changed.end()), changed.end());
  captions.changed = changed;
  return std::nullopt;
}

std::vector<std::string> OutOfRange(const ConfigurationContent& content) {
  return FaultLines(content, true);
}

namespace {

std::vector<std::string> FaultLines(const ConfigurationContent& content, bool sentOnly) {
  std::vector<std::string> lines;
  for (const RangeFault& fault : RangeFaults(content.firstRunFlag, content.record)) {
    if (sentOnly && !fault.sent) continue;
    if (fault.noClick) {
      lines.push_back("buttons: " + NoClickLeft());
    } else if (fault.button < kButtonCount) {
      lines.push_back("buttons." + ButtonKey(fault.button) +
                      ".function: " + FunctionText(content.record, fault.button, {}));
    } else {
      const auto leaf = std::find_if(Leaves().begin(), Leaves().end(), [&](const Leaf& l) {
        return !l.colour && l.offset == fault.offset;
      });
      if (leaf != Leaves().end()) {
        lines.push_back(leaf->path + ": " + Plain(LeafValue(content, *leaf)));
      }
    }
  }
  return lines;
}

}  // namespace

std::string DiffJson(const ConfigurationContent& a, const ConfigurationContent& b) {
  std::vector<std::pair<std::string, Json>> left, right;
  Flatten(Document(a, {}), "", left);
  Flatten(Document(b, {}), "", right);
  std::map<std::string, std::pair<Json, Json>> both;
  std::vector<std::string> order;
  for (const auto& [path, value] : left) {
    both[path].first = value;
    order.push_back(path);
  }
  for (const auto& [path, value] : right) {
    if (!both.contains(path)) order.push_back(path);
    both[path].second = value;
  }
  Json differences = Json::array();
  for (const std::string& path : order) {
    const auto& [x, y] = both[path];
    if (x != y) differences.push_back({{"setting", path}, {"a", x}, {"b", y}});
  }
  const Json result = {{"equal", differences.empty()}, {"differences", differences}};
  return result.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::string BlockJson(std::uint8_t profile, const SettingsBlock& block) {
  Json stages = Json::object();
  for (std::size_t k = 0; k < kDpiStageCount; ++k) {
    const std::size_t colour = 0x68 + 3 * k;
    stages[StageName(k)] = {
        {"dpi", (block[0x54 + k] + 1u) * 100u},
        {"enabled", ((static_cast<unsigned>(block[0x64]) >> k) & 1u) != 0},
        {"colour", ColourText({block[colour], block[colour + 1], block[colour + 2]})}};
  }
  static const std::array<const char*, 4> kModes = {"off", "standard", "respiration", "neon"};
  std::string hex;
  for (const std::uint8_t byte : block) hex += Hex2(byte);
  const Json result = {
      {"profile", profile},
      {"dpi", stages},
      {"lighting",
       {{"mode", block[0x47] < kModes.size() ? Json(kModes[block[0x47]]) : Unknown(block[0x47])},
        {"bytes", Hex2(block[0x47]) + " " + Hex2(block[0x48]) + " " + Hex2(block[0x49])}}},
      {"sensor",
       {{"x", block[0x4A]},
        {"y", block[0x4B]},
        {"angleSnap", block[0x33] == 1},
        {"gestureCorrection", static_cast<std::int8_t>(block[0x31])}}},
      {"settingsBlock", hex}};
  return result.dump(2) + "\n";
}

std::string VerifyJson(const SettingsBlock& expected, std::uint8_t profile,
                       const SettingsBlock& held) {
  Json differences = Json::array();
  for (std::size_t at = 0; at < kBlockSize; ++at) {
    if (expected[at] != held[at]) {
      differences.push_back({{"offset", at}, {"file", expected[at]}, {"mouse", held[at]}});
    }
  }
  const Json result = {{"equal", profile == 0 && differences.empty()},
                       {"profile", {{"file", 0}, {"mouse", profile}}},
                       {"settingsBlock", differences}};
  return result.dump(2) + "\n";
}

std::string Printable(std::string_view text) {
  std::string printable;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    // C1 controls are U+0080-U+009F: C2 80 .. C2 9F in UTF-8.
    const bool c1 = byte == 0xC2 && i + 1 < text.size() &&
                    static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                    static_cast<unsigned char>(text[i + 1]) <= 0x9F;
    if (byte < 0x20 || byte == 0x7F) {
      printable += "\\x" + Hex2(byte);
    } else if (c1) {
      printable += "\\u00" + Hex2(static_cast<unsigned char>(text[++i]));
    } else {
      printable += text[i];
    }
  }
  return printable;
}

}  // namespace gm::cli
