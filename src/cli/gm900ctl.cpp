// gm900ctl: the command-line tool on the program's core. One function per subcommand, found
// by name in kCommands; arguments arrive as native paths so that file names pass unchanged.
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/ctl_args.h"
#include "cli/ctl_commands.h"
#include "cli/macro_commands.h"
#include "device/trace.h"
#include "macro/macro_store.h"
#include "platform/text_codec.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

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

std::string PathUtf8(const FilePath& path) {
  return path.Utf8();
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
  const FilePath& file = args[0];
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
  static const std::unique_ptr<MouseLock> lock = OpenSystemMouseLock();
  return {&hid, &host, {}, lock.get()};
#else
  static HidapiHidSystem hid(SystemHidapiFunctions());
  static SleepingHost host;
  static const std::unique_ptr<MouseLock> lock = OpenSystemMouseLock();
  return {&hid, &host, [] { return hid.failure(); }, lock.get()};
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

int Get(Args args, Streams io) {
  SystemIniFile ini;
  return GetCommand(args, io, ini);
}

int Set(Args args, Streams io) {
  SystemIniFile ini;
  return SetCommand(args, io, ini);
}

int Version(Args, Streams io) {
  io.out << "gm900ctl " << GM_VERSION << '\n';
  return 0;
}

int Help(Args, Streams io);

// A subcommand: its name, its arguments and a one-line summary for the list of commands, and
// the text `gm900ctl help COMMAND` and `COMMAND --help` print under its usage line. Every
// command's help lives here, in one place.
struct Command {
  std::string_view name;
  std::string_view arguments;
  std::string_view summary;
  int (*run)(Args, Streams);
  std::string_view help = {};
};

constexpr std::array kCommands = {
    Command{"apply", "[--virtual] [--trace] [--force] CONFIG.bin",
            "send a configuration file to the mouse as a Save does", &Apply,
            "Connects to the mouse and sends the configuration file as the Save button does:\n"
            "the report rate, the settings block, the key table and the 19 macro blocks, with\n"
            "the protocol's pauses (about 4.6 s). A file holding values outside their ranges\n"
            "(a damaged file) is refused with the list of them, unless --force is given.\n"
            "  --virtual  use the virtual mouse; nothing is waited for, and the blocks it then\n"
            "             holds are printed last, in encode's lines\n"
            "  --trace    print every report and pause in the trace format\n"
            "  --force    send values outside their ranges all the same\n"
            "CONFIG.bin may be - for standard input.\n"
            "Example: gm900ctl apply --virtual --trace config.bin\n"},
    Command{"encode", "[--force] CONFIG.bin",
            "print the blocks a Save of a configuration file sends", &EncodeCommand,
            "Prints what a Save of the file sends, without a mouse: settings-block, key-table\n"
            "and macro-block 0 .. macro-block 18, each with its 128 bytes in hex. Values\n"
            "outside their ranges are refused as by apply, unless --force is given.\n"
            "Example: gm900ctl encode config.bin\n"},
    Command{"info", "[--virtual] [--json]",
            "read the current profile and settings block from the mouse and show them", &Info,
            "Reads the current profile and its settings block back from the mouse and shows\n"
            "the stages, lighting, sensitivity, angle snap and correction, then the block in\n"
            "hex. --json prints the same as one JSON document.\n"
            "Example: gm900ctl info --virtual --json\n"},
    Command{"show", "CONFIG.bin [--captions str.ini] [--macros record.ini] [--json]",
            "every setting of a configuration file in words (or as JSON)", &Show,
            "Prints every setting of a configuration file in words, grouped. With --captions\n"
            "the buttons' captions (in the caption file's own language), with --macros the\n"
            "macros' names. --json prints the whole file as one JSON document that import\n"
            "takes back; its paths are the names get and set use\n"
            "(docs/gm900-config.schema.json describes it). Control characters in captions and\n"
            "names are printed as \\xNN. CONFIG.bin may be - for standard input.\n"
            "Example: gm900ctl show config0.bin --captions str0.ini --macros record.ini\n"},
    Command{"get", "CONFIG.bin NAME [--captions str.ini] [--macros record.ini]",
            "print one setting of a configuration file", &Get,
            "Prints one setting as show --json holds it: NAME is its dotted path there, for\n"
            "example dpi.stage3.dpi, general.reportRate, lighting.mode,\n"
            "buttons.button2.function. A value prints as plain text (1600, true, neon,\n"
            "Multimedia: Volume Up, unknown (254)), a group of settings as JSON.\n"
            "Example: gm900ctl get config0.bin buttons.button6.function\n"},
    Command{"set", "CONFIG.bin NAME=VALUE... [--captions str.ini] [--macros record.ini]",
            "change settings of a configuration file", &Set,
            "Changes settings in the file, all or nothing: every NAME=VALUE is checked first,\n"
            "and a wrong one is named in one line with what is allowed, the file untouched\n"
            "(exit status 1). NAME is a path of show --json; VALUE is written as show prints\n"
            "it: 1600, true, #ff8000, neon, 250 (Hz), Multimedia: Volume Up,\n"
            "Combo Key: Left Ctrl + Shift + A, Macro Key: macro 2, repeat while held. Words\n"
            "(choices, true, false) match without regard to case (NEON, True); numbers only\n"
            "as integers, as show prints them (1000, not 1000.0 or 1e3). A NAME given twice\n"
            "is refused.\n"
            "The window's rules hold: DPI values are steps of 100 (1650 is refused, not\n"
            "rounded), the last button with Click keeps it, a function change touches only\n"
            "that button's bytes. The file is replaced whole, as the program saves.\n"
            "  --captions str.ini  write the changed buttons' captions into the caption file\n"
            "                      as the window does at a Save (the file then counts as\n"
            "                      saved by the program)\n"
            "  --macros record.ini name macros by their names in record.ini\n"
            "Example: gm900ctl set config0.bin dpi.stage3.dpi=1600 lighting.mode=neon\n"},
    Command{"import", "SETTINGS.json OUT.bin [--base CONFIG.bin] [--force]",
            "build a configuration file from a JSON document", &ImportCommand,
            "Builds a configuration file from a JSON document as show --json writes it: every\n"
            "setting the document holds, the rest from the base (the factory configuration\n"
            "unless --base names a file). A document that is not JSON, or has a wrong type, an\n"
            "unknown key, a key twice or a value out of range, is refused in one line naming\n"
            "its path. What set refuses is refused too (a value written as {\"unknown\": N}, no\n"
            "button with Click), unless --force is given: then {\"unknown\": N} is the byte N,\n"
            "so that a damaged file round-trips. Values match as in set: words without regard\n"
            "to case, numbers as integers only (1000, not 1000.0 or 1e3).\n"
            "SETTINGS.json or the base may be - for standard input.\n"
            "Example: gm900ctl import profile.json my.bin --base config0.bin\n"},
    Command{"diff", "[--json] A.bin B.bin", "the settings in which two configuration files differ",
            &DiffCommand,
            "Prints the settings in which two files differ, one line each, label: A -> B;\n"
            "bytes no setting shows are named by their record offsets. Exit status 0 equal,\n"
            "1 different, 2 for a file that cannot be used. --json lists the differences by\n"
            "the paths of show --json.\n"
            "Example: gm900ctl diff config.bin config0.bin\n"},
    Command{"verify", "[--virtual] [--json] CONFIG.bin",
            "compare what the mouse reports with what a Save of the file sends", &Verify,
            "Reads the current profile and settings block back from the mouse and compares\n"
            "them with what a Save of the file sends (profile 0 and its settings block); the\n"
            "key table and the macros cannot be read back. Exit status 0 equal, 1 different,\n"
            "2 no mouse or a bad file.\n"
            "Example: gm900ctl verify --virtual config.bin\n"},
    Command{"macros", "FILE", "print the 19 macro blocks that a record.ini gives, one line each",
            &Macros},
    Command{"macro", "list|show|add|rename|delete RECORD.ini ...",
            "list, show, add, rename or delete the macros of a record.ini, as text", &Macro,
            "  macro list RECORD.ini                the macros, one line each: number and name\n"
            "  macro show RECORD.ini NAME           one macro as text, one event a line\n"
            "  macro add RECORD.ini NAME [FILE|-] [--loop N|off] [--delays on|off]\n"
            "                                       a new macro from a text (- standard input;\n"
            "                                       without one an empty macro, as New makes)\n"
            "  macro rename RECORD.ini OLD NEW      rename as the macro manager does\n"
            "  macro delete RECORD.ini NAME         delete as the macro manager does\n"
            "The text has one event a line: KEY down, KEY up (the key names of the program's\n"
            "lists), N ms (the delay before the next event), item TEXT (an event the program\n"
            "does not write itself); then loop N times | loop off [, count N] and\n"
            "delays on|off. Empty lines and lines beginning with # are skipped. The manager's\n"
            "rules hold: names are cut to 31 characters, a name differing only in case is\n"
            "taken, 19 macros at most, events that do not fit into a macro block are refused.\n"
            "Example: gm900ctl macro show record.ini Macro_1\n"},
    Command{"help", "[COMMAND]", "this text, or the help of one command", &Help},
    Command{"--version", "", "print the version", &Version},
    Command{"--help", "", "show this text", &Help},
};

const Command* FindCommand(std::string_view name) {
  for (const Command& command : kCommands) {
    if (command.name == name) return &command;
  }
  return nullptr;
}

void CommandHelp(const Command& command, OutText& out) {
  out << "usage: gm900ctl " << command.name;
  if (!command.arguments.empty()) out << ' ' << command.arguments;
  out << "\n\n" << command.summary << '\n';
  if (!command.help.empty()) out << '\n' << command.help;
}

int Help(Args args, Streams io) {
  if (!args.empty()) {
    const Command* command = FindCommand(PathUtf8(args[0]));
    if (command == nullptr) {
      io.err << "gm900ctl: no command \"" << Printable(PathUtf8(args[0]))
             << "\" (see gm900ctl --help)\n";
      return 2;
    }
    CommandHelp(*command, io.out);
    return 0;
  }
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
            "  --trace               print every report and pause in the trace format\n"
            "  -                     standard input, where a file is read\n"
            "  COMMAND --help        the help of one command\n";
  io.out << "\nexit status: 0 on success, 1 when a file cannot be used or written, 2 for wrong\n"
            "arguments or when no mouse is found; diff and verify: 0 equal, 1 different, 2 for\n"
            "wrong arguments, a file that cannot be used or no mouse\n";
  return 0;
}

int Run(Args args, Streams io) {
  if (args.empty()) {
    Help(args, {io.err, io.err});
    return 2;
  }
  const std::string name = PathUtf8(args[0]);
  const Command* command = FindCommand(IsWord(name, "-h") ? "--help" : name);
  if (command == nullptr) {
    io.err << "gm900ctl: unknown command \"" << Printable(name) << "\" (see gm900ctl --help)\n";
    return 2;
  }
  // COMMAND --help (an option before "--").
  for (const FilePath& arg : args.subspan(1)) {
    if (IsWord(arg, "--")) break;
    if (command->run != &Help && (IsWord(arg, "--help") || IsWord(arg, "-h"))) {
      CommandHelp(*command, io.out);
      return 0;
    }
  }
  return command->run(args.subspan(1), io);
}

// Standard output through C's stdout, keeping the error of the first write that failed: by
// the end of the run errno no longer tells why.
class StandardOutput : public OutText {
 public:
  int error() const { return error_; }
  bool failed() const { return failed_; }
  // The reader went away ("| head" has what it wanted).
  bool brokenPipe() const { return brokenPipe_; }

 protected:
  void Write(std::string_view text) override {
    ClearErrors();
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) Fail();
  }
  void Flush() override {
    ClearErrors();
    if (std::fflush(stdout) != 0) Fail();
  }

 private:
  // Only this write's error counts: a failure the C runtime finds by itself (a closed standard
  // output) leaves the last error an earlier call set, which must not pass for a broken pipe
  // and so end the run with status 1 and no message.
  static void ClearErrors() {
    errno = 0;
#ifdef _WIN32
    SetLastError(ERROR_SUCCESS);
#endif
  }
  void Fail() {
    if (!failed_) {
      error_ = errno;
      brokenPipe_ = error_ == EPIPE;
#ifdef _WIN32
      // The C runtime says EINVAL for a pipe whose reader has closed it (Windows gives
      // ERROR_NO_DATA, Wine ERROR_PIPE_NOT_CONNECTED).
      const DWORD last = GetLastError();
      brokenPipe_ = brokenPipe_ || last == ERROR_BROKEN_PIPE || last == ERROR_NO_DATA ||
                    last == ERROR_PIPE_NOT_CONNECTED;
#endif
    }
    failed_ = true;
  }
  bool failed_ = false;
  bool brokenPipe_ = false;
  int error_ = 0;
};

class StandardError : public OutText {
 protected:
  void Write(std::string_view text) override { std::fwrite(text.data(), 1, text.size(), stderr); }
  void Flush() override { std::fflush(stderr); }
};

// Output that could not be written (a full disk, a closed standard output) is a failure. A
// reader that stopped early (a broken pipe, "| head") is not worth a message: on Linux the
// signal ends the tool silently, and so it does here on Windows.
int FinishOutput(int status, StandardOutput& out, OutText& err) {
  out.flush();
  if (!out.failed() && std::ferror(stdout) == 0) return status;
  if (!out.brokenPipe()) {
    err << "gm900ctl: cannot write standard output"
        << (out.error() != 0 ? std::string(": ") + std::strerror(out.error()) : std::string())
        << '\n';
  }
  return status == 0 ? 1 : status;
}

}  // namespace
}  // namespace gm::cli

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  gm::LoadDllsFromSystemFolderOnly();
#else
int main(int argc, char** argv) {
#endif
#ifdef _WIN32
  // Configuration files arrive on standard input as bytes.
  _setmode(_fileno(stdin), _O_BINARY);
#endif
  std::vector<gm::FilePath> args;
  for (int i = 1; i < argc; ++i) args.push_back(gm::FilePath::FromNative(argv[i]));
  gm::cli::StandardOutput out;
  gm::cli::StandardError err;
  return gm::cli::FinishOutput(gm::cli::Run(args, {out, err}), out, err);
}
