// gm900ctl: the command-line tool on the program's core. One function per subcommand, found
// by name in kCommands; arguments arrive as native paths so that file names pass unchanged.
#include <array>
#include <filesystem>
#include <iostream>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/ctl_commands.h"
#include "cli/macro_commands.h"
#include "device/trace.h"
#include "macro/macro_store.h"
#include "platform/text_codec.h"

#ifdef _WIN32
#include "platform/dll_search_win32.h"
#include "platform/win32_hid_system.h"
#include "platform/win32_host.h"
#include "platform/win32_ini_file.h"
#else
#include "platform/hidapi_hid_system.h"
#include "platform/portable_ini_file.h"
#include "platform/sleeping_host.h"
#include "platform/system_hidapi.h"
#endif

namespace gm::cli {
namespace {

std::string TextUtf8(std::wstring_view text) {
  std::vector<std::uint8_t> bytes;
  AppendUtf8(ToUtf16(text), bytes);
  return std::string(bytes.begin(), bytes.end());
}

std::string PathUtf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// The INI functions the Windows program itself uses; the own engine elsewhere.
#ifdef _WIN32
using SystemIniFile = Win32IniFile;
#else
using SystemIniFile = PortableIniFile;
#endif

int Macros(Args args, Streams io) {
  if (args.size() != 1) {
    io.err << "usage: gm900ctl macros FILE\n";
    return 2;
  }
  const std::filesystem::path& file = args[0];
  if (!UsableRecordIni(file, io.err)) return 1;
  SystemIniFile ini;
  MacroStore store(ini, file);
  WarnAboutRecordIni(ini, file, io.err);
  const MacroEncoding encoding = store.EncodeAll().value_or(MacroEncoding{});
  if (!encoding.ok()) {
    for (const MacroOverflow& overflow : encoding.overflows) {
      io.err << "gm900ctl: " << TextUtf8(DescribeOverflow(overflow)) << '\n';
    }
    return 1;
  }
  for (const std::string& line : MacroBlockLines(encoding.blocks)) io.out << line << '\n';
  return 0;
}

// The system's own way to the mouse: the HID driver on Windows, hidapi's hidraw elsewhere.
SystemAccess TheSystem() {
#ifdef _WIN32
  static Win32HidSystem hid;
  static Win32Host host;
  return {&hid, &host, {}};
#else
  static HidapiHidSystem hid(SystemHidapiFunctions());
  static SleepingHost host;
  return {&hid, &host, [] { return hid.failure(); }};
#endif
}

int Apply(Args args, Streams io) {
  return ApplyCommand(args, io, TheSystem());
}

int Info(Args args, Streams io) {
  return InfoCommand(args, io, TheSystem());
}

int Verify(Args args, Streams io) {
  return VerifyCommand(args, io, TheSystem());
}

int Show(Args args, Streams io) {
  SystemIniFile ini;
  return ShowCommand(args, io, ini);
}

int Macro(Args args, Streams io) {
  SystemIniFile ini;
  return MacroCommand(args, io, ini);
}

int Version(Args, Streams io) {
  io.out << "gm900ctl " << GM_VERSION << '\n';
  return 0;
}

int Help(Args, Streams io);

struct Command {
  std::string_view name;
  std::string_view arguments;
  std::string_view summary;
  int (*run)(Args, Streams);
};

constexpr std::array kCommands = {
    Command{"apply", "[--virtual] [--trace] CONFIG.bin",
            "send a configuration file to the mouse as a Save does", &Apply},
    Command{"encode", "CONFIG.bin", "print the blocks a Save of a configuration file sends",
            &EncodeCommand},
    Command{"info", "[--virtual]",
            "read the current profile and settings block from the mouse and show them", &Info},
    Command{"show", "CONFIG.bin [--captions str.ini] [--macros record.ini] [--json]",
            "every setting of a configuration file in words (or as JSON)", &Show},
    Command{"diff", "A.bin B.bin", "the settings in which two configuration files differ",
            &DiffCommand},
    Command{"verify", "[--virtual] CONFIG.bin",
            "compare what the mouse reports with what a Save of the file sends", &Verify},
    Command{"macros", "FILE", "print the 19 macro blocks that a record.ini gives, one line each",
            &Macros},
    Command{"macro", "list|show|add|rename|delete RECORD.ini ...",
            "list, show, add, rename or delete the macros of a record.ini, as text", &Macro},
    Command{"--version", "", "print the version", &Version},
    Command{"--help", "", "show this text", &Help},
};

int Help(Args, Streams io) {
  io.out << "usage: gm900ctl COMMAND [ARGUMENTS]\n\ncommands:\n";
  for (const Command& command : kCommands) {
    std::string usage(command.name);
    if (!command.arguments.empty()) usage.append(" ").append(command.arguments);
    // A long usage puts its summary on the next line, in the same column.
    const std::string gap =
        usage.size() < 22 ? std::string(22 - usage.size(), ' ') : "\n" + std::string(24, ' ');
    io.out << "  " << usage << gap << command.summary << '\n';
  }
  io.out << "\noptions:\n"
            "  --virtual             use the virtual mouse instead of the system's devices; its\n"
            "                        pauses are not waited for, and apply then prints the blocks\n"
            "                        it holds, in encode's lines\n"
            "  --trace               print every report and pause in the trace format\n";
  io.out << "\nexit status: 0 on success, 1 when a file cannot be used, 2 for wrong arguments\n"
            "or when no mouse is found; diff and verify: 0 equal, 1 different, 2 for wrong\n"
            "arguments, a file that cannot be used or no mouse\n";
  return 0;
}

int Run(Args args, Streams io) {
  if (args.empty()) {
    Help(args, {io.err, io.err});
    return 2;
  }
  const std::string name = PathUtf8(args[0]);
  for (const Command& command : kCommands) {
    if (command.name == name) return command.run(args.subspan(1), io);
  }
  if (name == "-h" || name == "help") return Help(args.subspan(1), io);
  io.err << "gm900ctl: unknown command \"" << name << "\" (see gm900ctl --help)\n";
  return 2;
}

}  // namespace
}  // namespace gm::cli

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  gm::LoadDllsFromSystemFolderOnly();
#else
int main(int argc, char** argv) {
#endif
  const std::vector<std::filesystem::path> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  return gm::cli::Run(args, {std::cout, std::cerr});
}
