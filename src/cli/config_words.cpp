#include "cli/config_words.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "buttons/key_names.h"
#include "cli/config_document.h"
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

std::string Colour(Rgb colour) {
  return "#" + Hex2(colour.red) + Hex2(colour.green) + Hex2(colour.blue);
}

std::string Unknown(unsigned value) {
  return "unknown (" + Number(value) + ")";
}

// A position 1..count as one of the texts, the slider's right end (the position after them)
// with what the mouse gets then; anything else as "position N".
std::string PositionText(std::uint8_t position, const std::vector<std::string>& texts,
                         const std::string& end = {}) {
  if (position >= 1 && position <= texts.size()) return texts[position - 1u];
  if (position == texts.size() + 1 && !end.empty()) return "slider end (" + end + ")";
  return "position " + Number(position);
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
                            knownRate ? Number(1000 / code) + " Hz" : "code " + Unknown(code)});
  group.settings.push_back({"profile", "Profile", Number(record.at(rec::kProfile))});
  group.settings.push_back(
      {"saved", "Saved by the program",
       firstRunFlag == 0 ? "no (factory file: buttons get their default captions)" : "yes"});
  return group;
}

SettingGroup DpiGroup(const SettingsRecord& record) {
  SettingGroup group{"dpi", "DPI stages", {}};
  for (std::size_t k = 0; k < kDpiStageCount; ++k) {
    const unsigned dpi = record.dpiStage(k) * 100u;
    const bool enabled = record.stageEnabled(k) == 1;
    std::string text = Number(dpi) + " DPI";
    if (dpi < 100 || dpi > 12000) text += " (outside 100-12000)";
    text += enabled ? ", enabled" : ", disabled";
    if (record.stageEnabled(k) > 1) text += " " + Unknown(record.stageEnabled(k));
    group.settings.push_back({"stage" + Number(static_cast<long long>(k + 1)),
                              "Stage " + Number(static_cast<long long>(k + 1)),
                              text + ", colour " + Colour(record.stageColour(k))});
  }
  return group;
}

SettingGroup LightingGroup(const SettingsRecord& record) {
  SettingGroup group{"lighting", "Lighting", {}};
  const std::uint8_t mode = record.at(rec::kLightingMode);
  const std::string modeText = PositionText(mode, {"standard", "respiration", "neon"});
  group.settings.push_back({"mode", "Mode", mode >= 1 && mode <= 3 ? modeText : Unknown(mode)});
  const std::string brightness =
      record.at(rec::kBrightness) == 1
          ? "0 % (lighting off)"
          : PositionText(record.at(rec::kBrightness), {"0 %", "25 %", "50 %", "75 %", "100 %"},
                         "the mouse gets brightness 12; 100 % is 10");
  group.settings.push_back({"brightness", "Standard brightness", brightness});
  group.settings.push_back(
      {"respirationPeriod", "Respiration period",
       PositionText(record.at(rec::kRespirationPeriod), {"4 s", "5 s", "6 s", "7 s", "8 s"},
                    "the mouse gets period 6; 8 s is 5")});
  group.settings.push_back(
      {"neonPeriod", "Neon period",
       PositionText(record.at(rec::kNeonPeriod), {"3 s", "6 s", "9 s", "12 s", "15 s"},
                    "the mouse gets period 18; 15 s is 15")});
  return group;
}

SettingGroup SensorGroup(const SettingsRecord& record) {
  SettingGroup group{"sensor", "Sensor", {}};
  for (auto [key, label, offset] :
       {std::tuple{"xSensitivity", "X sensitivity", rec::kXSensitivity},
        std::tuple{"ySensitivity", "Y sensitivity", rec::kYSensitivity}}) {
    const std::uint8_t position = record.at(offset);
    group.settings.push_back(
        {key, label, Number(position) + (position > 10 ? " (beyond the scale of 10)" : " of 10")});
  }
  group.settings.push_back(
      {"angleSnap", "Angle snap", record.at(rec::kAngleSnap) == 1 ? "on" : "off"});
  const std::uint8_t correction = record.at(rec::kGestureCorrection);
  group.settings.push_back({"gestureCorrection", "Gesture correction",
                            correction >= 1 && correction <= 5 ? Number(correction - 3)
                            : correction == 6                  ? "0 (slider end: no correction)"
                                              : "0 (position " + Number(correction) + ")"});
  return group;
}

SettingGroup DesktopGroup(const SettingsRecord& record) {
  SettingGroup group{"desktop", "Desktop pointer settings", {}};
  const PointerSettings pointer = PointerSettingsOf(record);
  group.settings.push_back({"pointerSpeed", "Pointer speed",
                            Number(pointer.speed) + " of 20 (dial position " +
                                Number(record.at(rec::kPointerSpeed)) + ")"});
  group.settings.push_back({"enhancePrecision", "Enhance pointer precision",
                            record.at(rec::kPointerPrecision) == 1 ? "on" : "off"});
  group.settings.push_back(
      {"wheel", "Wheel",
       pointer.wheelLines == kScrollOneScreen
           ? "one screen at a time (" + Number(record.at(rec::kWheelLines)) + " lines otherwise)"
           : Number(pointer.wheelLines) + " lines at a time"});
  group.settings.push_back({"doubleClickTime", "Double-click time",
                            Number(pointer.doubleClickMs) + " ms (dial position " +
                                Number(record.at(rec::kDoubleClickSpeed)) + ")"});
  return group;
}

SettingGroup ButtonGroup(const SettingsRecord& record, const Extras& extras) {
  SettingGroup group{"buttons", "Buttons", {}};
  LanguageTable english;
  for (std::size_t b = 0; b < kButtonCount; ++b) {
    const std::string name = ToUtf8(english[slot::kFirstButtonName + b]);
    std::string text = ButtonFunctionText(record, b, extras);
    if (extras.captions) text += " (caption \"" + (*extras.captions)[b] + "\")";
    std::string key = name;
    key.erase(std::remove(key.begin(), key.end(), ' '), key.end());
    key[0] = 'b';  // "button1" .. "buttonS12"
    group.settings.push_back({key, name, text});
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
    std::string text;
    if (named) {
      const Extras::MacroInfo& info = (*extras.macros)[k];
      text = info.name + ", " + Number(static_cast<long long>(info.items)) + " items, ";
    }
    text += empty ? "empty block"
                  : "repeat " + Number(block[0] * 256u + block[1]) + ", " +
                        Number(static_cast<long long>(UsedPairBytes(block))) + " of " +
                        Number(kPairAreaSize) + " bytes";
    const std::string number = Number(static_cast<long long>(k + 1));
    group.settings.push_back({"macro" + number, "Macro " + number, text});
  }
  return group;
}

}  // namespace

std::string ButtonFunctionText(const SettingsRecord& record, std::size_t button,
                               const Extras& extras) {
  return FunctionText(record, button, MacroNamesOf(extras));
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
    mouse.settings.push_back({std::move(key), std::move(label), std::move(text)});
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
      text += "  " + setting.label + ": " + Printable(setting.text) + "\n";
    }
  }
  return text;
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
