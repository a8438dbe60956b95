#include "config/config_files.h"
#include "platform/file_ops.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>

#include "config/factory_files.h"
#include "config/setting_ranges.h"
#include "platform/file_replace.h"
#include "platform/ini_file.h"

namespace gm {
namespace {

// A message box without a title of its own is titled with the program's name.
constexpr wchar_t kDefaultTitle[] = L"QL-GM900";
constexpr wchar_t kMissingFile[] = L"Config file is not exist.";
constexpr wchar_t kDamagedFile[] =
    L"This configuration file is damaged (it holds values out of range) and was not read:\n";
constexpr wchar_t kOpenFailedTitle[] = L"NULL ==fp ";

constexpr wchar_t kProfileSection[] = L"Profile";
constexpr wchar_t kSkinsSection[] = L"Skins";

using ConfigFileBytes = std::array<std::uint8_t, kConfigFileSize>;

// The content of a configuration file, or nothing when it cannot be read or has another size.
std::optional<ConfigFileBytes> ReadConfigFile(const FilePath& file) {
  const std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(file, kConfigFileSize);
  if (!bytes || bytes->size() != kConfigFileSize) return std::nullopt;
  ConfigFileBytes content;
  std::copy(bytes->begin(), bytes->end(), content.begin());
  return content;
}

struct ConfigFileContent {
  std::uint8_t firstRunFlag = 0;
  SettingsRecord record;
};

// The content of a configuration file, or nothing when it cannot be read, has another size or
// fails the range check: a damaged file, which a message names. Its values, read, would go to
// the mouse, the desktop and the next file saved.
std::optional<ConfigFileContent> ReadCheckedFile(const FilePath& file, Host& host) {
  const std::optional<ConfigFileBytes> bytes = ReadConfigFile(file);
  if (!bytes) return std::nullopt;
  ConfigFileContent content{(*bytes)[0], {}};
  content.record.CopyFrom(std::span<const std::uint8_t, SettingsRecord::kSize>(
      bytes->data() + 1, SettingsRecord::kSize));
  if (!RangeFaults(content.firstRunFlag, content.record).empty()) {
    host.ShowMessage(kDamagedFile + file.Wide(), kDefaultTitle, kMbOk);
    return std::nullopt;
  }
  return content;
}

bool Contains(std::wstring_view text, std::wstring_view part) {
  return text.find(part) != std::wstring_view::npos;
}

std::wstring NumberedName(std::wstring_view stem, std::size_t n, std::wstring_view extension) {
  return std::wstring(stem) + std::to_wstring(n) + std::wstring(extension);
}

std::wstring CaptionKey(std::size_t button) {
  return L"Item" + std::to_wstring(button + 1);
}

}  // namespace

FilePath ProgramFilePath(const FilePath& program, std::wstring_view fileName) {
  return program.WithFileName(fileName);
}

FilePath CompanionCaptionFile(const FilePath& configFile) {
  std::wstring name = configFile.FileName();
  for (std::size_t at = name.find(L".bin"); at != std::wstring::npos;
       at = name.find(L".bin", at + 4)) {
    name.replace(at, 4, L".ini");
  }
  return configFile.WithFileName(name);
}

long long LeadingNumber(std::wstring_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || (text[i] >= L'\t' && text[i] <= L'\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  constexpr long long kLimit = std::numeric_limits<int>::max();
  long long value = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
    value = std::min(value * 10 + (text[i] - L'0'), kLimit);
  }
  return negative ? -value : value;
}

Rgb TextColour(const SkinValues& skin) {
  const auto component = [](const std::wstring& text) {
    return static_cast<std::uint8_t>(std::clamp(LeadingNumber(text), 0LL, 255LL));
  };
  return {component(skin.red), component(skin.green), component(skin.blue)};
}

std::optional<Rgb> SkinTextColour(const SkinValues& skin) {
  if (skin.red.empty() || skin.green.empty() || skin.blue.empty()) return std::nullopt;
  return TextColour(skin);
}

FilePath ConfigurationFiles::Beside(std::wstring_view fileName) const {
  return ProgramFilePath(state_.programPath, fileName);
}

void ConfigurationFiles::UseProfileFiles() {
  const std::size_t n = state_.profileFileIndex;
  state_.files.configFile = Beside(NumberedName(L"config", n, L".bin"));
  state_.files.captionFile = Beside(NumberedName(L"str", n, L".ini"));
}

void ConfigurationFiles::ShowMissingFile() {
  host_.ShowMessage(kMissingFile, kDefaultTitle, kMbOk);
}

ConfigFileBytes ConfigurationFiles::SavedBytes() const {
  ConfigFileBytes content;
  content[0] = 1;
  state_.record.CopyTo(
      std::span<std::uint8_t, SettingsRecord::kSize>(content.data() + 1, SettingsRecord::kSize));
  return content;
}

bool ConfigurationFiles::WriteConfiguration(const FilePath& file) {
  const std::error_code error = ReplaceFileContents(file, SavedBytes());
  if (!error) return true;
  ShowWriteError(error);
  return false;
}

void ConfigurationFiles::WritePair(const FilePath& file) {
  if (const std::error_code error = WriteConfigurationAndCaptions(file, SavedBytes())) {
    ShowWriteError(error);
  }
}

void ConfigurationFiles::ShowWriteError(const std::error_code& error) {
  host_.ShowMessage(L"Error Code is: " + std::to_wstring(error.value()) + L" \n", kOpenFailedTitle,
                    kMbOk);
}

void ConfigurationFiles::WriteCaptionKeys() {
  const std::wstring section(CaptionSection(state_.language));
  for (std::size_t button = 0; button < kButtonCount; ++button) {
    ini_.WriteString(state_.files.captionFile, section, CaptionKey(button), state_.labels[button]);
  }
  CompleteSkinKeys();
}

std::error_code ConfigurationFiles::WriteConfigurationAndCaptions(
    const FilePath& file, std::span<const std::uint8_t> configuration) {
  const FileUpdateLock configurationLock(file);
  if (configurationLock.error()) return configurationLock.error();
  IniFileEdit captions(ini_, state_.files.captionFile);
  if (captions.LockError()) return captions.LockError();
  WriteCaptionKeys();
  FileReplaceGroup group;
  group.Add(file, std::vector<std::uint8_t>(configuration.begin(), configuration.end()));
  if (const std::error_code error = captions.Commit(&group)) return error;
  return group.Commit();
}

void ConfigurationFiles::SaveConfigurationAndCaptions() {
  UseProfileFiles();
  if (!FileExists(state_.files.configFile)) {
    ShowMissingFile();
    SaveCaptions();
    return;
  }
  WritePair(state_.files.configFile);
}

FileDialogRequest ConfigurationFiles::ProfileDialog(unsigned flags) const {
  return {kProfileFilter, state_.files.configFile.Wide(), flags};
}

std::optional<std::uint8_t> ConfigurationFiles::ProfileNamedByList() const {
  const FilePath& list = state_.files.profileList;
  const std::wstring current = ini_.ReadString(list, kProfileSection, L"CurProfileName");
  const long long count = LeadingNumber(ini_.ReadString(list, kProfileSection, L"ItemCount"));
  if (count < 1 || count > static_cast<long long>(kMaxProfiles)) return std::nullopt;
  std::uint8_t named = state_.profileFileIndex;
  for (std::size_t n = 0; n < static_cast<std::size_t>(count); ++n) {
    if (ini_.ReadString(list, kProfileSection, NumberedName(L"Item", n, L"")) == current) {
      named = static_cast<std::uint8_t>(n);  // the last match wins
    }
  }
  return named;
}

void ConfigurationFiles::LoadConfiguration() {
  // Whatever an import read is replaced now (an arrival, a Reset, a reopen from the tray): the
  // close's reload must not throw away the edits made after this read.
  importedSinceReload_ = false;
  ConfigFilePaths& files = state_.files;
  files.macroFile = Beside(L"record.ini");
  files.profileList = Beside(L"str.ini");
  if (state_.defaultsMode == 1) {
    files.configFile = Beside(L"config.bin");
    files.captionFile = files.profileList;
  } else {
    // A count outside 1-6 (missing, damaged) loads nothing.
    const std::optional<std::uint8_t> named = ProfileNamedByList();
    if (!named) return;
    state_.profileFileIndex = *named;
    UseProfileFiles();
  }

  if (!FileExists(files.configFile)) {
    ShowMissingFile();
    return;
  }
  const std::optional<ConfigFileContent> content = ReadCheckedFile(files.configFile, host_);
  if (!content) return;
  state_.firstRunFlag = content->firstRunFlag;
  if (state_.defaultsMode == 1) {
    // The factory settings only; the macros stay as they are.
    state_.record.settings = content->record.settings;
  } else {
    state_.record = content->record;
  }
}

void ConfigurationFiles::LoadCaptions() {
  const FilePath& file = state_.files.captionFile;
  const std::wstring section(CaptionSection(state_.language));
  for (std::size_t button = 0; button < kButtonCount; ++button) {
    state_.labels[button] = ini_.ReadString(file, section, CaptionKey(button));
  }
  state_.skin.red = ini_.ReadString(file, kSkinsSection, L"RColor");
  state_.skin.green = ini_.ReadString(file, kSkinsSection, L"GColor");
  state_.skin.blue = ini_.ReadString(file, kSkinsSection, L"BColor");
  state_.skin.path = ini_.ReadString(file, kSkinsSection, L"Path");
}

void ConfigurationFiles::SaveConfiguration() {
  UseProfileFiles();
  if (!FileExists(state_.files.configFile)) {
    ShowMissingFile();
    return;
  }
  WriteConfiguration(state_.files.configFile);
}

void ConfigurationFiles::SaveCaptions() {
  IniFileEdit captions(ini_, state_.files.captionFile);
  std::error_code error = captions.LockError();
  if (!error) {
    WriteCaptionKeys();
    error = captions.Commit();
  }
  if (error) ShowWriteError(error);
}

void ConfigurationFiles::CompleteSkinKeys() {
  const FilePath& file = state_.files.captionFile;
  const SkinValues factory = FactorySkinValues();
  const std::pair<const wchar_t*, const std::wstring*> keys[] = {{L"Path", &factory.path},
                                                                 {L"RColor", &factory.red},
                                                                 {L"GColor", &factory.green},
                                                                 {L"BColor", &factory.blue}};
  for (const auto& [key, builtIn] : keys) {
    // An empty value counts as missing, as it does when the window reads the colour.
    if (!ini_.ReadString(file, kSkinsSection, key).empty()) continue;
    std::wstring value = file == state_.files.profileList
                             ? std::wstring()
                             : ini_.ReadString(state_.files.profileList, kSkinsSection, key);
    if (value.empty()) value = *builtIn;
    ini_.WriteString(file, kSkinsSection, key, value);
  }
}

bool ConfigurationFiles::RunProfileCommand(unsigned command) {
  switch (command) {
    case kProfileImport:
      if (ImportConfiguration()) importedSinceReload_ = true;
      return false;
    case kProfileExport:
      ExportConfiguration();
      return false;
    case kProfileReload: {
      // Reading the same profile again would only throw away the window's unsaved edits.
      const std::optional<std::uint8_t> named = ProfileNamedByList();
      const bool switched = named && *named != state_.profileFileIndex;
      if (!switched && !importedSinceReload_) return false;
      importedSinceReload_ = false;
      LoadConfiguration();
      LoadCaptions();
      return true;
    }
    default:
      return false;
  }
}

bool ConfigurationFiles::ImportConfiguration() {
  const std::optional<std::wstring> chosen = host_.ChooseOpenFile(
      ProfileDialog(kOfnFileMustExist | kOfnHideReadOnly | kOfnOverwritePrompt));
  if (!chosen) return false;
  const FilePath file(*chosen);
  if (!Contains(file.FileName(), L".bin")) return false;
  if (!FileExists(file)) {
    ShowMissingFile();
    return false;
  }
  const std::optional<ConfigFileContent> content = ReadCheckedFile(file, host_);
  if (!content) return false;
  state_.firstRunFlag = content->firstRunFlag;
  state_.record = content->record;
  state_.record.at(rec::kProfile) = state_.profileFileIndex;

  state_.files.captionFile = CompanionCaptionFile(file);
  LoadCaptions();

  state_.files.macroFile = Beside(L"record.ini");
  state_.files.profileList = Beside(L"str.ini");
  UseProfileFiles();
  WritePair(state_.files.configFile);
  return true;
}

void ConfigurationFiles::ExportConfiguration() {
  // Overwriting is confirmed; the chosen file need not exist yet.
  const std::optional<std::wstring> chosen =
      host_.ChooseSaveFile(ProfileDialog(kOfnHideReadOnly | kOfnOverwritePrompt));
  if (!chosen) return;
  std::wstring path = *chosen;
  std::wstring name = FilePath(path).FileName();
  if (name.empty()) return;
  if (!Contains(name, L".bin")) {
    path += L".bin";
    name += L".bin";
  }

  const FilePath file(path);
  state_.files.captionFile = CompanionCaptionFile(file);
  WritePair(file);
  // The same pair again beside the program.
  const FilePath copy = Beside(name);
  state_.files.captionFile = CompanionCaptionFile(copy);
  WritePair(copy);
  state_.files.captionFile = Beside(NumberedName(L"str", state_.profileFileIndex, L".ini"));
}

std::wstring ConfigurationFiles::ReadLanguageCode() {
  return ini_.ReadString(state_.files.captionFile, kSkinsSection, L"Lan");
}

}  // namespace gm
