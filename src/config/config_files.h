// The configuration files beside the program: the binary configurations (config.bin, the
// factory one, and config0.bin..config5.bin), the caption files (str.ini, str0.ini..str5.ini)
// with the ProfileList in str.ini, and the import and export of a configuration as a .bin
// file with a companion .ini.
//
// A binary configuration file is 2855 bytes: the FirstRunFlag (0 in a factory file, 1 in every
// file the program writes) followed by the SettingsRecord. A file of any other size, or one
// holding a value the program never writes (config/setting_ranges; a message names it), is
// ignored and leaves the record as it was. Every write replaces its file only once the new content
// is complete, so a failure part-way leaves the old file whole.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "config/config_state.h"
#include "config/profile_command.h"
#include "platform/file_path.h"
#include "platform/host.h"
#include "platform/ini_file.h"

namespace gm {

inline constexpr std::size_t kConfigFileSize = 1 + SettingsRecord::kSize;
inline constexpr std::size_t kMaxProfiles = 6;
inline constexpr wchar_t kProfileFilter[] = L"Gaming Mouse Profile(*.bin)|*.bin||";

// The path of a file beside the program: its full path with the trailing file name replaced
// (only that, so a folder whose name contains the program's name does not matter).
FilePath ProgramFilePath(const FilePath& program, std::wstring_view fileName);

// The caption file that goes with a configuration file: ".bin" replaced by ".ini" in its name.
FilePath CompanionCaptionFile(const FilePath& configFile);

// The leading decimal number of a text as the C library reads it (blanks, a sign, digits);
// 0 when there is none.
long long LeadingNumber(std::wstring_view text);

// The skin's text colour: RColor, GColor, BColor as numbers, each held to 0-255.
Rgb TextColour(const SkinValues& skin);
// The same, but nothing when a key is missing or empty (a damaged or emptied caption file):
// the window then keeps its default colour instead of drawing black text.
std::optional<Rgb> SkinTextColour(const SkinValues& skin);

class ConfigurationFiles {
 public:
  ConfigurationFiles(ConfigState& state, IniFile& ini, Host& host)
      : state_(state), ini_(ini), host_(host) {}

  // Chooses the configuration in use from the ProfileList (or the factory files while
  // DefaultsMode is 1) and reads its binary file into FirstRunFlag and the record.
  void LoadConfiguration();
  // The 19 captions of the session's language and the skin values from the caption file.
  void LoadCaptions();
  // Writes flag 1 and the record to the configuration file in use; never creates it.
  void SaveConfiguration();
  // Writes the 19 captions into the session's language section of the caption file. A
  // caption file without the skin keys (Path and the text colour; made by a save after it was
  // lost) gets them as str.ini has them, or with the factory values, so that the next start
  // draws the skin and its colour again. A failure is shown as a failed configuration write is.
  void SaveCaptions();
  // A Save's pair: both files written or neither (a missing configuration file, never created,
  // leaves the captions written alone, as the two steps above do).
  void SaveConfigurationAndCaptions();
  // Writes `configuration` (a configuration file's bytes) to `file` and the captions to the
  // caption file in use, both or neither; the failure when neither was written.
  std::error_code WriteConfigurationAndCaptions(const FilePath& file,
                                                std::span<const std::uint8_t> configuration);
  // LOAD: a .bin file chosen by the user becomes the configuration in use. True when the
  // record was read from it.
  bool ImportConfiguration();
  // SAVE: the configuration in use is written to a .bin file chosen by the user and, under
  // the same name, beside the program.
  void ExportConfiguration();
  // The profile manager's request: import, export, or the configuration and captions read
  // again. The reload at the manager's close brings in the profile chosen there or what an
  // import read; when neither the profile in use changed nor anything was imported since the
  // last reload, it keeps the unsaved edits and reads nothing. True when the configuration in
  // use was read again.
  bool RunProfileCommand(unsigned command);

  // The language code: key Lan of section Skins of the caption file in use.
  std::wstring ReadLanguageCode();

 private:
  FilePath Beside(std::wstring_view fileName) const;
  // The position of the configuration the ProfileList names: the last Item%d equal to
  // CurProfileName, else the one in use. Nothing when ItemCount is outside 1-6.
  std::optional<std::uint8_t> ProfileNamedByList() const;
  void CompleteSkinKeys();
  void UseProfileFiles();
  void ShowMissingFile();
  // A configuration file's bytes for the record: flag 1, then the record.
  std::array<std::uint8_t, kConfigFileSize> SavedBytes() const;
  bool WriteConfiguration(const FilePath& file);
  // The configuration and its captions, both or neither; a failure shown.
  void WritePair(const FilePath& file);
  // The captions and any missing skin keys, into the caption file in use.
  void WriteCaptionKeys();
  void ShowWriteError(const std::error_code& error);
  FileDialogRequest ProfileDialog(unsigned flags) const;

  ConfigState& state_;
  IniFile& ini_;
  Host& host_;
  bool importedSinceReload_ = false;
};

}  // namespace gm
