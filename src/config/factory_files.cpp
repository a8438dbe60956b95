#include "config/factory_files.h"

#include <array>
#include <optional>
#include <vector>

#include "config/config_files.h"
#include "config/function_catalogue.h"
#include "platform/file_ops.h"
#include "platform/file_replace.h"

namespace gm {
namespace {

constexpr std::array<std::uint8_t, kDpiStageCount> kStageDpi = {4, 8, 16, 32, 64, 80, 120};
constexpr std::array<Rgb, kDpiStageCount> kStageColours = {{{255, 0, 0},
                                                            {255, 128, 0},
                                                            {255, 255, 0},
                                                            {0, 255, 0},
                                                            {0, 255, 255},
                                                            {0, 0, 255},
                                                            {255, 0, 255}}};

bool WriteCaptionFile(const FilePath& file, IniFile& ini, bool withProfileList) {
  RemoveFile(file);
  bool ok = true;
  if (withProfileList) {
    ok &= ini.WriteString(file, L"Profile", L"ItemCount", std::to_wstring(kMaxProfiles));
    for (std::size_t n = 0; n < kMaxProfiles; ++n) {
      ok &= ini.WriteString(file, L"Profile", L"Item" + std::to_wstring(n),
                            L"Profile_" + std::to_wstring(n + 1));
    }
    ok &= ini.WriteString(file, L"Profile", L"CurProfileName", L"Profile_1");
  }
  ok &= ini.WriteString(file, L"Skins", L"Lan", L"EN");
  const SkinValues skin = FactorySkinValues();
  ok &= ini.WriteString(file, L"Skins", L"Path", skin.path);
  ok &= ini.WriteString(file, L"Skins", L"RColor", skin.red);
  ok &= ini.WriteString(file, L"Skins", L"GColor", skin.green);
  ok &= ini.WriteString(file, L"Skins", L"BColor", skin.blue);
  for (std::size_t index = 0; index < kLanguageCount; ++index) {
    const Language language = static_cast<Language>(index);
    const ButtonLabels captions = FactoryCaptions(language);
    const std::wstring section(CaptionSection(language));
    for (std::size_t button = 0; button < kButtonCount; ++button) {
      ok &= ini.WriteString(file, section, L"Item" + std::to_wstring(button + 1), captions[button]);
    }
  }
  return ok;
}

}  // namespace

SettingsRecord FactoryRecord() {
  SettingsRecord record;
  record.at(rec::kReportRateCode) = 1;  // 1000 Hz
  for (std::size_t k = 0; k < kDpiStageCount; ++k) {
    record.dpiStage(k) = kStageDpi[k];
    record.stageEnabled(k) = 1;
    record.setStageColour(k, kStageColours[k]);
  }
  record.at(rec::kLightingMode) = 1;  // standard
  record.at(rec::kBrightness) = 4;    // 75 %
  record.at(rec::kRespirationPeriod) = 3;
  record.at(rec::kNeonPeriod) = 3;
  record.at(rec::kPointerPrecision) = 1;
  record.at(rec::kScrollOneScreen) = 0;
  record.at(rec::kPointerSpeed) = 6;  // speed 10, the desktop's own default
  record.at(rec::kWheelLines) = 3;
  record.at(rec::kDoubleClickSpeed) = 7;  // 480 ms
  record.at(rec::kAngleSnap) = 0;
  record.at(rec::kGestureCorrection) = 3;  // no correction
  record.at(rec::kXSensitivity) = 5;
  record.at(rec::kYSensitivity) = 5;

  const auto set = [&record](std::size_t button, FunctionCategory category) {
    record.button(ButtonField::Category, button) = CategoryValue(category);
  };
  set(0, FunctionCategory::Click);
  set(1, FunctionCategory::Menu);
  set(2, FunctionCategory::UniversalScroll);
  set(3, FunctionCategory::LeftTitleScroll);
  set(4, FunctionCategory::RightTitleScroll);
  set(5, FunctionCategory::CpiCycle);
  record.button(ButtonField::DpiAction, 5) = 1;  // DPI +
  set(6, FunctionCategory::CpiCycle);
  record.button(ButtonField::DpiAction, 6) = 2;  // DPI -
  for (std::size_t button = 7; button < kButtonCount; ++button) {
    set(button, FunctionCategory::ButtonOff);
  }
  return record;
}

SkinValues FactorySkinValues() {
  return {L"Default", L"255", L"255", L"255"};
}

ButtonLabels FactoryCaptions(Language language) {
  // The text of each button's function: its category, or the DPI action for CPI Cycle.
  const SettingsRecord record = FactoryRecord();
  ButtonLabels labels;
  for (std::size_t button = 0; button < kButtonCount; ++button) {
    const std::uint8_t category = record.button(ButtonField::Category, button);
    const std::uint8_t dpiAction = record.button(ButtonField::DpiAction, button);
    labels[button] = category == CategoryValue(FunctionCategory::CpiCycle)
                         ? std::wstring(kDpiList.at(dpiAction - 1u))
                         : std::wstring(CategoryText(category, language));
  }
  return labels;
}

std::wstring WriteFactoryFiles(const FilePath& folder, IniFile& ini) {
  if (CreateFolders(folder)) return L"cannot create " + folder.Wide();

  std::array<std::uint8_t, kConfigFileSize> content{};  // FirstRunFlag 0, then the record
  FactoryRecord().CopyTo(
      std::span<std::uint8_t, SettingsRecord::kSize>(content.data() + 1, SettingsRecord::kSize));
  std::vector<std::wstring> configNames = {L"config.bin"};
  for (std::size_t n = 0; n < kMaxProfiles; ++n) {
    configNames.push_back(L"config" + std::to_wstring(n) + L".bin");
  }
  for (const std::wstring& name : configNames) {
    if (ReplaceFileContents(folder / name, content)) return L"cannot write " + name;
  }

  if (!WriteCaptionFile(folder / L"str.ini", ini, true)) return L"cannot write str.ini";
  // The six caption files are alike: one is written, the others are copies of it.
  if (!WriteCaptionFile(folder / L"str0.ini", ini, false)) return L"cannot write str0.ini";
  const std::optional<std::vector<std::uint8_t>> captions =
      ReadWholeFile(folder / L"str0.ini", std::size_t{1} << 20);
  for (std::size_t n = 1; n < kMaxProfiles; ++n) {
    const std::wstring name = L"str" + std::to_wstring(n) + L".ini";
    if (!captions || ReplaceFileContents(folder / name, *captions)) return L"cannot write " + name;
  }
  // No macros yet: an empty UTF-16 file, ready for the macro store's sections.
  static constexpr std::array<std::uint8_t, 2> kUtf16Mark = {0xFF, 0xFE};
  if (ReplaceFileContents(folder / L"record.ini", kUtf16Mark)) return L"cannot write record.ini";
  return {};
}

}  // namespace gm
