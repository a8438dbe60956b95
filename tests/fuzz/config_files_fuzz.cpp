// Loading a configuration: random str.ini (the ProfileList), configuration files and caption
// files beside the program, read as at start-up and by Reset, then everything that works on
// what was loaded: the captions and the language, the text colour, a Save to the virtual mouse
// and to the file, and the desktop pointer settings. A file of the wrong size changes nothing,
// Reset's load keeps the macros, and the mouse holds exactly what the record gave.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "app/app_state.h"
#include "cli/ctl_commands.h"
#include "config/apply_flows.h"
#include "config/config_files.h"
#include "config/key_table.h"
#include "config/pointer_settings.h"
#include "config/setting_ranges.h"
#include "device/command_link.h"
#include "device/discovery.h"
#include "device/virtual_mouse.h"
#include "fake_host.h"
#include "fuzz_support.h"
#include "platform/portable_ini_file.h"

namespace {

using gm::fuzz::Input;

class NoDesktop : public gm::DesktopSettings {
 public:
  explicit NoDesktop(bool fail) : fail_(fail) {}
  bool SetMouse(const std::array<int, 3>&, unsigned) override { return !fail_; }
  bool SetMouseSpeed(std::uint32_t speed, unsigned) override {
    GM_FUZZ_CHECK(speed >= gm::kMinMouseSpeed && speed <= gm::kMaxMouseSpeed);
    return !fail_;
  }
  bool SetWheelScrollLines(std::uint32_t, unsigned) override { return !fail_; }
  bool SetDoubleClickTime(std::uint32_t, unsigned) override { return !fail_; }

 private:
  bool fail_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const gm::fuzz::ScratchFolder scratch;
  scratch.Clear();
  Input in(data, size);

  const std::uint8_t flags = in.Byte();
  const bool defaultsMode = (flags & 1) != 0;
  const bool exactSize = (flags & 2) != 0;
  const auto profileList = in.LongBytes();
  const auto configBytes = in.LongBytes();
  const auto captions = in.LongBytes();
  // Most damaged files have the right size: the fuzzer need not find 2855 by itself.
  std::vector<std::uint8_t> config(configBytes.begin(), configBytes.end());
  if (exactSize) config.resize(gm::kConfigFileSize, in.Byte());

  const std::filesystem::path folder = scratch.path();
  gm::fuzz::WriteFile(folder / "str.ini", profileList);
  if ((flags & 4) == 0) gm::fuzz::WriteFile(folder / "config.bin", config);
  for (int n = 0; n < 6; ++n) {
    const std::wstring number = std::to_wstring(n);
    if ((flags & 8) == 0) gm::fuzz::WriteFile(folder / (L"config" + number + L".bin"), config);
    gm::fuzz::WriteFile(folder / (L"str" + number + L".ini"), captions);
  }

  gm::AppState state;
  state.programPath = folder / "QL-GM900.exe";
  state.defaultsMode = defaultsMode ? 1 : 0;
  state.profileFileIndex = static_cast<std::uint8_t>(in.Byte() % 6);
  state.record.settings.fill(0xA5);
  for (gm::MacroBlock& block : state.record.macros) block.fill(0x5A);
  const gm::SettingsRecord before = state.record;

  gm::test::FakeHost host;
  gm::PortableIniFile ini(gm::PortableIniFile::RecentFiles::kTrustFacts);
  gm::ConfigurationFiles files(state, ini, host);
  state.UseLanguage(files.ReadLanguageCode());
  files.LoadConfiguration();
  files.LoadCaptions();
  GM_FUZZ_CHECK(state.profileFileIndex < gm::kMaxProfiles);

  // Only a file of exactly 2855 bytes is taken, and Reset's load takes its settings only.
  if (config.size() != gm::kConfigFileSize) GM_FUZZ_CHECK(state.record == before);
  if (defaultsMode) GM_FUZZ_CHECK(state.record.macros == before.macros);
  if (state.record != before) {
    gm::SettingsRecord expected = before;
    const std::span<const std::uint8_t> stored(config.data() + 1, gm::SettingsRecord::kSize);
    if (defaultsMode) {
      std::copy_n(stored.begin(), gm::SettingsRecord::kSettingsSize, expected.settings.begin());
    } else {
      expected.CopyFrom(stored.first<gm::SettingsRecord::kSize>());
    }
    GM_FUZZ_CHECK(state.record == expected);
    GM_FUZZ_CHECK(state.firstRunFlag == config[0]);
    // Only a file within the program's ranges is read: nothing else reaches the mouse from it.
    GM_FUZZ_CHECK(gm::RangeFaults(config[0], expected).empty());
  }
  for (const std::wstring& label : state.labels) GM_FUZZ_CHECK(label.size() < 1024);
  state.textColour = gm::TextColour(state.skin);

  // A Save of whatever was loaded: the mouse holds what the record gives.
  gm::VirtualMouse mouse;
  GM_FUZZ_CHECK(gm::Discover(mouse, state));
  gm::CommandLink link(mouse, host, state.link);
  gm::SendConfigurationToMouse(link, state);
  GM_FUZZ_CHECK(mouse.memory().settingsBlocks[0] == gm::BuildSettingsBlock(state.record));
  GM_FUZZ_CHECK(mouse.memory().keyTable == gm::EncodeKeyTable(state.record));
  GM_FUZZ_CHECK(mouse.memory().macros == state.record.macros);
  GM_FUZZ_CHECK(mouse.memory().rejectedCommands == 0);
  files.SaveConfiguration();
  if (std::filesystem::exists(state.files.configFile.Native())) {
    const std::vector<std::uint8_t> saved = gm::fuzz::ReadFile(state.files.configFile.Native());
    GM_FUZZ_CHECK(saved.size() == gm::kConfigFileSize && saved[0] == 1);
    std::array<std::uint8_t, gm::SettingsRecord::kSize> bytes{};
    state.record.CopyTo(bytes);
    GM_FUZZ_CHECK(std::equal(bytes.begin(), bytes.end(), saved.begin() + 1));
  }
  NoDesktop desktop((flags & 16) != 0);
  gm::ApplyPointerSettings(state.record, desktop, host);
  (void)gm::cli::SaveLines(state.record);
  return 0;
}
