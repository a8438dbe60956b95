#include "cli/config_words.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "buttons/key_names.h"
#include "config/function_catalogue.h"
#include "config/language_table.h"
#include "config/pointer_settings.h"
#include "macro/macro_encoder.h"
#include "platform/text_codec.h"

namespace gm::cli {
namespace {

std::string Hex2(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02x", value & 0xFFu);
  return text;
}

std::string Number(long long value) {
  return std::to_string(value);
}

std::string Bool(bool value) {
  return value ? "true" : "false";
}

std::string Colour(Rgb colour) {
  return "#" + Hex2(colour.red) + Hex2(colour.green) + Hex2(colour.blue);
}

std::string Unknown(unsigned value) {
  return "unknown (" + Number(value) + ")";
}

// A JSON object of already rendered members.
std::string JsonObject(const std::vector<std::pair<std::string, std::string>>& members) {
  std::string json = "{";
  for (std::size_t i = 0; i < members.size(); ++i) {
    if (i > 0) json += ", ";
    json += JsonString(members[i].first) + ": " + members[i].second;
  }
  return json + "}";
}

// A position 1..count as one of the texts; anything else as "position N".
std::string PositionText(std::uint8_t position, const std::vector<std::string>& texts) {
  if (position >= 1 && position <= texts.size()) return texts[position - 1u];
  return "position " + Number(position);
}

std::string KeyText(KeyCode code) {
  if (code == kNoKey) return "none";
  for (const KeyName& key : KeyNameTable) {
    if (key.code == code) return ToUtf8(key.name);
  }
  return "key 0x" + Hex2(code);
}

std::string ModifierText(std::uint8_t bits) {
  std::string text;
  for (const ModifierName& modifier : ModifierNameTable) {
    if ((bits & modifier.bit) == 0) continue;
    if (!text.empty()) text += " + ";
    text += ToUtf8(modifier.name);
  }
  return text;
}

std::string English(const LocalisedText& text) {
  return ToUtf8(InLanguage(text, Language::English));
}

constexpr const char* kMacroModes[] = {"repeat the set number of times or until a key is pressed",
                                       "repeat until a key is pressed", "repeat while held"};

std::string MacroName(std::size_t number, const Extras& extras) {
  if (extras.macros && number < extras.macros->size()) return (*extras.macros)[number].name;
  return "macro " + Number(static_cast<long long>(number + 1));
}

// The part of a function after its category: the parameter in words, or empty.
std::string ParameterText(const SettingsRecord& record, std::size_t b, const Extras& extras) {
  switch (static_cast<FunctionCategory>(record.button(ButtonField::Category, b))) {
    case FunctionCategory::CpiCycle: {
      const std::uint8_t action = record.button(ButtonField::DpiAction, b);
      if (action >= 1 && action <= kDpiListSize) return ToUtf8(kDpiList[action - 1u]);
      return "DPI action " + Unknown(action);
    }
    case FunctionCategory::Multimedia: {
      const std::uint8_t usage = record.button(ButtonField::MediaUsage, b);
      const auto* at = std::find(kMediaUsages.begin(), kMediaUsages.end(), usage);
      if (at != kMediaUsages.end()) {
        return English(kMediaList[static_cast<std::size_t>(at - kMediaUsages.begin())]);
      }
      return "consumer usage 0x00" + Hex2(usage);
    }
    case FunctionCategory::HotKey: {
      const KeyCode letter = record.button(ButtonField::HotKeyLetter, b);
      const auto* at = std::find(kHotKeyLetters.begin(), kHotKeyLetters.end(), letter);
      const std::string keys = "Ctrl + " + KeyText(letter);
      if (at == kHotKeyLetters.end()) return keys;
      return English(kHotKeyList[static_cast<std::size_t>(at - kHotKeyLetters.begin())]) + " (" +
             keys + ")";
    }
    case FunctionCategory::Windows: {
      const std::uint8_t action = record.button(ButtonField::WindowsAction, b);
      if (action < kWindowsListSize) return English(kWindowsList[action]);
      return Unknown(action) + ", sends nothing";
    }
    case FunctionCategory::SingleKey:
      return KeyText(record.button(ButtonField::SingleKey, b));
    case FunctionCategory::ComboKey: {
      std::string text = ModifierText(record.button(ButtonField::ComboModifier, b));
      for (ButtonField field : {ButtonField::ComboKey1, ButtonField::ComboKey2}) {
        const KeyCode key = record.button(field, b);
        if (key == kNoKey) continue;
        if (!text.empty()) text += " + ";
        text += KeyText(key);
      }
      return text.empty() ? "none" : text;
    }
    case FunctionCategory::MacroKey: {
      const std::uint8_t mode = record.button(ButtonField::MacroMode, b);
      return MacroName(record.button(ButtonField::MacroNumber, b), extras) + ", " +
             (mode < 3 ? kMacroModes[mode] : "mode " + Unknown(mode));
    }
    default:
      return "";
  }
}

// The bytes a macro's events take in its block: up to the last byte that is not zero.
std::size_t UsedPairBytes(const MacroBlock& block) {
  std::size_t used = kPairAreaSize;
  while (used > 0 && block[kPairAreaOffset + used - 1] == 0) --used;
  return used + used % 2;  // pairs are whole
}

SettingGroup GeneralGroup(const SettingsRecord& record, std::uint8_t firstRunFlag) {
  SettingGroup group{"general", "General", {}};
  const std::uint8_t code = record.at(rec::kReportRateCode);
  const bool knownRate = code == 1 || code == 2 || code == 4 || code == 8;
  group.settings.push_back({"reportRate", "Report rate",
                            knownRate ? Number(1000 / code) + " Hz" : "code " + Unknown(code),
                            knownRate ? Number(1000 / code) : JsonString(Unknown(code))});
  group.settings.push_back(
      {"profile", "Profile", Number(record.at(rec::kProfile)), Number(record.at(rec::kProfile))});
  group.settings.push_back(
      {"saved", "Saved by the program",
       firstRunFlag == 0 ? "no (factory file: buttons get their default captions)" : "yes",
       Bool(firstRunFlag != 0)});
  return group;
}

SettingGroup DpiGroup(const SettingsRecord& record) {
  SettingGroup group{"dpi", "DPI stages", {}};
  for (std::size_t k = 0; k < kDpiStageCount; ++k) {
    const unsigned dpi = record.dpiStage(k) * 100u;
    const bool enabled = record.stageEnabled(k) == 1;
    const std::string colour = Colour(record.stageColour(k));
    std::string text = Number(dpi) + " DPI";
    if (dpi < 100 || dpi > 12000) text += " (outside 100-12000)";
    text += enabled ? ", enabled" : ", disabled";
    if (record.stageEnabled(k) > 1) text += " " + Unknown(record.stageEnabled(k));
    group.settings.push_back(
        {"stage" + Number(static_cast<long long>(k + 1)),
         "Stage " + Number(static_cast<long long>(k + 1)), text + ", colour " + colour,
         JsonObject(
             {{"dpi", Number(dpi)}, {"enabled", Bool(enabled)}, {"colour", JsonString(colour)}})});
  }
  return group;
}

SettingGroup LightingGroup(const SettingsRecord& record) {
  SettingGroup group{"lighting", "Lighting", {}};
  const std::uint8_t mode = record.at(rec::kLightingMode);
  const std::string modeText = PositionText(mode, {"standard", "respiration", "neon"});
  group.settings.push_back({"mode", "Mode", mode >= 1 && mode <= 3 ? modeText : Unknown(mode),
                            JsonString(mode >= 1 && mode <= 3 ? modeText : Unknown(mode))});
  const std::string brightness =
      record.at(rec::kBrightness) == 1
          ? "0 % (lighting off)"
          : PositionText(record.at(rec::kBrightness), {"0 %", "25 %", "50 %", "75 %", "100 %"});
  const std::string respiration =
      PositionText(record.at(rec::kRespirationPeriod), {"4 s", "5 s", "6 s", "7 s", "8 s"});
  const std::string neon =
      PositionText(record.at(rec::kNeonPeriod), {"3 s", "6 s", "9 s", "12 s", "15 s"});
  group.settings.push_back(
      {"brightness", "Standard brightness", brightness, JsonString(brightness)});
  group.settings.push_back(
      {"respirationPeriod", "Respiration period", respiration, JsonString(respiration)});
  group.settings.push_back({"neonPeriod", "Neon period", neon, JsonString(neon)});
  return group;
}

SettingGroup SensorGroup(const SettingsRecord& record) {
  SettingGroup group{"sensor", "Sensor", {}};
  for (auto [key, label, offset] :
       {std::tuple{"xSensitivity", "X sensitivity", rec::kXSensitivity},
        std::tuple{"ySensitivity", "Y sensitivity", rec::kYSensitivity}}) {
    const std::uint8_t position = record.at(offset);
    group.settings.push_back(
        {key, label, Number(position) + (position > 10 ? " (beyond the scale of 10)" : " of 10"),
         Number(position)});
  }
  const std::uint8_t snap = record.at(rec::kAngleSnap);
  group.settings.push_back({"angleSnap", "Angle snap", snap == 1 ? "on" : "off", Bool(snap == 1)});
  const std::uint8_t correction = record.at(rec::kGestureCorrection);
  const bool inRange = correction >= 1 && correction <= 5;
  const std::string text =
      inRange ? Number(correction - 3) : "0 (position " + Number(correction) + ")";
  group.settings.push_back(
      {"gestureCorrection", "Gesture correction", text, inRange ? Number(correction - 3) : "0"});
  return group;
}

SettingGroup DesktopGroup(const SettingsRecord& record) {
  SettingGroup group{"desktop", "Desktop pointer settings", {}};
  const PointerSettings pointer = PointerSettingsOf(record);
  group.settings.push_back({"pointerSpeed", "Pointer speed",
                            Number(pointer.speed) + " of 20 (dial position " +
                                Number(record.at(rec::kPointerSpeed)) + ")",
                            Number(pointer.speed)});
  const bool precision = record.at(rec::kPointerPrecision) == 1;
  group.settings.push_back(
      {"enhancePrecision", "Enhance pointer precision", precision ? "on" : "off", Bool(precision)});
  const bool oneScreen = pointer.wheelLines == kScrollOneScreen;
  group.settings.push_back(
      {"wheel", "Wheel",
       oneScreen ? "one screen at a time" : Number(pointer.wheelLines) + " lines at a time",
       oneScreen ? JsonString("screen") : Number(pointer.wheelLines)});
  group.settings.push_back({"doubleClickTime", "Double-click time",
                            Number(pointer.doubleClickMs) + " ms (dial position " +
                                Number(record.at(rec::kDoubleClickSpeed)) + ")",
                            Number(pointer.doubleClickMs)});
  return group;
}

SettingGroup ButtonGroup(const SettingsRecord& record, const Extras& extras) {
  SettingGroup group{"buttons", "Buttons", {}};
  LanguageTable english;
  for (std::size_t b = 0; b < kButtonCount; ++b) {
    const std::string name = ToUtf8(english[slot::kFirstButtonName + b]);
    const std::string function = ButtonFunctionText(record, b, extras);
    std::string text = function;
    std::vector<std::pair<std::string, std::string>> json = {
        {"name", JsonString(name)},
        {"category", Number(record.button(ButtonField::Category, b))},
        {"function", JsonString(function)}};
    if (extras.captions) {
      const std::string& caption = (*extras.captions)[b];
      text += " (caption \"" + caption + "\")";
      json.push_back({"caption", JsonString(caption)});
    }
    std::string key = name;
    key.erase(std::remove(key.begin(), key.end(), ' '), key.end());
    key[0] = 'b';  // "button1" .. "buttonS12"
    group.settings.push_back({key, name, text, JsonObject(json)});
  }
  return group;
}

SettingGroup MacroGroup(const SettingsRecord& record, const Extras& extras) {
  SettingGroup group{"macros", "Macros", {}};
  for (std::size_t k = 0; k < kMacroCount; ++k) {
    const MacroBlock& block = record.macros[k];
    const bool named = extras.macros && k < extras.macros->size();
    const bool empty =
        std::all_of(block.begin(), block.end(), [](std::uint8_t v) { return v == 0; });
    if (empty && !named) continue;
    const unsigned repeat = block[0] * 256u + block[1];
    const std::size_t used = UsedPairBytes(block);
    std::string text;
    std::vector<std::pair<std::string, std::string>> json = {
        {"block", Number(static_cast<long long>(k))}};
    if (named) {
      const Extras::MacroInfo& info = (*extras.macros)[k];
      text = info.name + ", " + Number(static_cast<long long>(info.items)) + " items, ";
      json.push_back({"name", JsonString(info.name)});
      json.push_back({"items", Number(static_cast<long long>(info.items))});
    }
    text += empty ? "empty block"
                  : "repeat " + Number(repeat) + ", " + Number(static_cast<long long>(used)) +
                        " of " + Number(kPairAreaSize) + " bytes";
    json.push_back({"repeat", Number(repeat)});
    json.push_back({"bytes", Number(static_cast<long long>(used))});
    const std::string number = Number(static_cast<long long>(k + 1));
    group.settings.push_back({"macro" + number, "Macro " + number, text, JsonObject(json)});
  }
  return group;
}

}  // namespace

std::string JsonString(const std::string& text) {
  std::string json = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (byte < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      json += escape;
    } else {
      json += c;
    }
  }
  return json + "\"";
}

std::string ButtonFunctionText(const SettingsRecord& record, std::size_t button,
                               const Extras& extras) {
  const std::uint8_t category = record.button(ButtonField::Category, button);
  if (category >= kCategoryCount) return "category " + Unknown(category) + ", sends nothing";
  std::string text = ToUtf8(CategoryText(category, Language::English));
  const std::string parameter = ParameterText(record, button, extras);
  if (!parameter.empty()) text += ": " + parameter;
  return text;
}

Description DescribeRecord(const SettingsRecord& record, std::uint8_t firstRunFlag,
                           const Extras& extras) {
  return {GeneralGroup(record, firstRunFlag),
          DpiGroup(record),
          LightingGroup(record),
          SensorGroup(record),
          DesktopGroup(record),
          ButtonGroup(record, extras),
          MacroGroup(record, extras)};
}

Description DescribeBlock(std::uint8_t profile, const SettingsBlock& block) {
  SettingGroup mouse{"mouse", "Mouse", {}};
  auto add = [&](std::string key, std::string label, std::string text) {
    mouse.settings.push_back({std::move(key), std::move(label), text, JsonString(text)});
  };
  add("profile", "profile", Number(profile));
  const std::uint8_t mask = block[0x64];
  for (std::size_t k = 0; k < kDpiStageCount; ++k) {
    const std::size_t colour = 0x68 + 3 * k;
    const std::string stage = "stage " + Number(static_cast<long long>(k + 1));
    add(stage, stage,
        Number((block[0x54 + k] + 1u) * 100u) + " DPI, " +
            ((mask >> k) & 1u ? "enabled" : "disabled") + ", colour " +
            Colour({block[colour], block[colour + 1], block[colour + 2]}));
  }
  std::string lighting;
  switch (block[0x47]) {
    case 0:
      lighting = "off";
      break;
    case 1:
      lighting = "standard, brightness position " + Number(block[0x48] / 2);
      break;
    case 2:
      lighting = "respiration, period position " + Number(block[0x48]);
      break;
    case 3:
      lighting = "neon, period position " + Number(block[0x48] / 3);
      break;
    default:
      lighting = "unknown mode";
      break;
  }
  add("lighting", "lighting",
      lighting + " (0x47-0x49: " + Hex2(block[0x47]) + " " + Hex2(block[0x48]) + " " +
          Hex2(block[0x49]) + ")");
  add("sensitivity", "sensitivity",
      "X " + Number(block[0x4A]) + " (position " + Number(block[0x4A] / 20) + "), Y " +
          Number(block[0x4B]) + " (position " + Number(block[0x4B] / 20) + ")");
  add("angleSnap", "angle snap",
      std::string(block[0x33] == 1 ? "on" : "off") + " (0x33: " + Hex2(block[0x33]) + ")");
  add("gestureCorrection", "gesture correction",
      Number(static_cast<std::int8_t>(block[0x31])) + " (0x30: " + Hex2(block[0x30]) +
          ", 0x31: " + Hex2(block[0x31]) + ")");
  return {mouse};
}

std::string DescriptionText(const Description& description) {
  std::string text;
  for (const SettingGroup& group : description) {
    if (group.settings.empty()) continue;
    text += group.title + "\n";
    for (const Setting& setting : group.settings) {
      text += "  " + setting.label + ": " + setting.text + "\n";
    }
  }
  return text;
}

std::string DescriptionJson(const Description& description) {
  std::string json = "{\n";
  for (std::size_t g = 0; g < description.size(); ++g) {
    const SettingGroup& group = description[g];
    json += "  " + JsonString(group.key) + ": {";
    for (std::size_t s = 0; s < group.settings.size(); ++s) {
      json += s == 0 ? "\n" : ",\n";
      json += "    " + JsonString(group.settings[s].key) + ": " + group.settings[s].json;
    }
    json += group.settings.empty() ? "}" : "\n  }";
    json += g + 1 < description.size() ? ",\n" : "\n";
  }
  return json + "}\n";
}

std::vector<std::string> DifferingLines(const Description& a, const Description& b) {
  // Settings by group and key, in the order of a, then those only in b.
  std::vector<std::pair<std::string, const Setting*>> order;
  std::map<std::string, std::pair<const Setting*, const Setting*>> both;
  for (int side = 0; side < 2; ++side) {
    for (const SettingGroup& group : side == 0 ? a : b) {
      for (const Setting& setting : group.settings) {
        const std::string id = group.key + "." + setting.key;
        auto [at, added] = both.try_emplace(id, nullptr, nullptr);
        (side == 0 ? at->second.first : at->second.second) = &setting;
        if (added) order.emplace_back(id, &setting);
      }
    }
  }
  std::vector<std::string> lines;
  for (const auto& [id, first] : order) {
    const auto [left, right] = both[id];
    const std::string from = left ? left->text : "(none)";
    const std::string to = right ? right->text : "(none)";
    if (from != to) lines.push_back(first->label + ": " + from + " -> " + to);
  }
  return lines;
}

}  // namespace gm::cli
