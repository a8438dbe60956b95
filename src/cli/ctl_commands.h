// The device subcommands of gm900ctl: apply, encode and info. Each takes its arguments and
// the two output streams and returns the exit status, so that tests run them as they are.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli/config_document.h"
#include "cli/text_streams.h"
#include "config/records.h"
#include "platform/file_path.h"
#include "platform/hid_system.h"
#include "platform/host.h"
#include "platform/ini_file.h"
#include "platform/mouse_lock.h"

namespace gm::cli {

using Args = std::span<const FilePath>;

// Streams of a run; standard output carries results and traces, errors go to err. in is
// what "-" reads (standard input when null).
struct Streams {
  OutText& out;
  OutText& err;
  InText* in = nullptr;
};

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;   // a file that cannot be used; diff, verify: different
inline constexpr int kExitNoMouse = 2;  // no mouse found, or no HID access at all
inline constexpr int kExitUsage = 2;    // wrong arguments

inline constexpr std::size_t kConfigurationFileSize = 1 + SettingsRecord::kSize;

// How this system reaches a real mouse: its HID driver and a Host that really waits. hid is
// null where the tool has no HID access. failure, when given, tells in one sentence what went
// wrong on the devices (an open refused, an I/O error, a short answer), or nothing.
struct SystemAccess {
  HidSystem* hid = nullptr;
  Host* host = nullptr;
  std::function<std::string()> failure;
  // The system's lock of the mouse, held from discovery to the last report (none: no lock).
  MouseLock* lock = nullptr;
};

// show CONFIG.bin [--captions str.ini] [--macros record.ini] [--json]: every setting in words.
int ShowCommand(Args args, Streams io, IniFile& ini);
// diff A.bin B.bin: the settings that differ; 0 equal, 1 different, 2 a bad file or argument.
int DiffCommand(Args args, Streams io);
// verify [--virtual] CONFIG.bin: the mouse's profile and settings block against what a Save of
// the file sends; 0 equal, 1 different, 2 no mouse or a bad file or argument.
int VerifyCommand(Args args, Streams io, const SystemAccess& system);

// apply [--virtual] [--trace] CONFIG.bin: connects and sends the device part of a Save.
int ApplyCommand(Args args, Streams io, const SystemAccess& system);
// encode [--force] CONFIG.bin: the blocks a Save of that file would send, without a device.
int EncodeCommand(Args args, Streams io);

// get CONFIG.bin NAME: one setting as show prints it.
int GetCommand(Args args, Streams io, IniFile& ini);
// set CONFIG.bin NAME=VALUE...: settings changed in the file, all or nothing.
int SetCommand(Args args, Streams io, IniFile& ini);
// import SETTINGS.json OUT.bin [--base CONFIG.bin]: a configuration file built from JSON.
int ImportCommand(Args args, Streams io);
// info [--virtual]: the mouse's current profile and settings block, decoded and as hex.
int InfoCommand(Args args, Streams io, const SystemAccess& system);

// The whole of a file, or of io's input for "-", at most maxBytes; a message on io.err naming
// the file and nothing when it is missing, not a regular file, unreadable or too long.
std::optional<std::vector<std::uint8_t>> ReadInput(const FilePath& file, Streams io,
                                                   std::size_t maxBytes);

// A configuration file (FirstRunFlag, then the record), "-" for io's input; a clear message on
// io.err naming the file and nothing when it is missing, unreadable or not 2855 bytes long.
std::optional<ConfigurationContent> ReadConfigurationContent(const FilePath& file, Streams io);
// The record alone.
std::optional<SettingsRecord> ReadConfigurationFile(const FilePath& file, Streams io);

// The name of a file in messages: its path, or "standard input" for "-".
std::string InputName(const FilePath& file);

// "settings-block HEX", "key-table HEX", then "macro-block K HEX" for K = 0..18.
std::vector<std::string> BlockLines(const SettingsBlock& settings, const KeyTable& keyTable,
                                    const std::array<MacroBlock, kMacroCount>& macros);
// The blocks a Save sends for this record.
std::vector<std::string> SaveLines(const SettingsRecord& record);

// A person's reading of a settings block read back from the mouse.
std::vector<std::string> DescribeSettings(std::uint8_t profile, const SettingsBlock& block);

}  // namespace gm::cli
