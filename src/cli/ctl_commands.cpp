#include "cli/ctl_commands.h"
#include "cli/macro_commands.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <string_view>
#include <system_error>
#include <utility>

#include "cli/config_words.h"
#include "cli/ctl_args.h"
#include "config/apply_flows.h"
#include "config/key_table.h"
#include "device/device_operations.h"
#include "device/discovery.h"
#include "device/trace.h"
#include "device/tracing_hid_system.h"
#include "device/tracing_host.h"
#include "device/virtual_mouse.h"
#include "macro/macro_store.h"
#include "platform/file_ops.h"
#include "platform/file_replace.h"
#include "platform/ini_file.h"
#include "platform/text_codec.h"

namespace gm::cli {
namespace {

constexpr std::string_view kApplyUsage =
    "usage: gm900ctl apply [--virtual] [--trace] [--force] CONFIG.bin\n";
constexpr std::string_view kEncodeUsage = "usage: gm900ctl encode [--force] CONFIG.bin\n";
constexpr std::string_view kInfoUsage = "usage: gm900ctl info [--virtual] [--json]\n";

// A file with values outside their ranges is not sent (nor encoded) unless forced: the mouse
// would get bytes the program never makes. Lists what is wrong on err.
bool RefuseOutOfRange(const ConfigurationContent& content, const ParsedArgs& parsed, Streams io) {
  const std::vector<std::string> wrong = OutOfRange(content);
  if (wrong.empty() || parsed.force) return false;
  io.err << "gm900ctl: " << InputName(parsed.operands[0])
         << ": values outside their ranges (--force sends them all the same):\n";
  for (const std::string& line : wrong) io.err << "  " << Printable(line) << '\n';
  return true;
}

std::string Hex2(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02x", value & 0xFFu);
  return text;
}

// What a command keeps while it works on a mouse: the configuration and the device link.
struct MouseState : ConfigState, DeviceSession {};

// Runs body on a connected mouse: the virtual one or the system's, with every report and pause
// on io.out when tracing. Handles are closed afterwards. The body writes its result to out, which
// reaches standard output only when the device reported no failure: a run that failed prints its
// error, never half a result.
using MouseBody = std::function<int(CommandLink&, MouseState&, VirtualMouse*, OutText& out)>;

int WithMouse(const ParsedArgs& parsed, Streams io, const SystemAccess& system,
              const MouseBody& body) {
  std::unique_ptr<VirtualMouse> virtualMouse;
  HidSystem* base = system.hid;
  if (parsed.virtualMouse) {
    virtualMouse = std::make_unique<VirtualMouse>();
    base = virtualMouse.get();
  }
  if (base == nullptr) {
    io.err << "gm900ctl: this build has no access to HID devices on this system; "
              "use --virtual to work with the virtual mouse\n";
    return kExitNoMouse;
  }
  Trace trace(io.out);
  std::unique_ptr<TracingHidSystem> traced;
  if (parsed.trace) traced = std::make_unique<TracingHidSystem>(*base, trace);
  HidSystem& hid = traced ? *traced : *base;
  // The virtual mouse needs no pauses: they are traced but not waited for.
  TracingHost host(parsed.trace ? &trace : nullptr, parsed.virtualMouse ? nullptr : system.host);

  // What went wrong on the system's devices, in words (the core does not check I/O).
  auto failure = [&] {
    return system.failure && !parsed.virtualMouse ? system.failure() : std::string();
  };

  // The virtual mouse lives in this process only: no other program can reach it.
  const MouseLockHold hold(parsed.virtualMouse ? nullptr : system.lock, kMouseLockWaitMs);
  if (!hold.held()) {
    io.err << "gm900ctl: the mouse is busy: another program has held it for "
           << std::to_string(kMouseLockWaitMs / 1000) << " s\n";
    return kExitNoMouse;
  }
  auto state = std::make_unique<MouseState>();
  if (!Discover(hid, *state)) {
    const std::string why = failure();
    io.err << "gm900ctl: "
           << (why.empty() ? "no QL-GM900 mouse found (USB vendor 04d9, product a100)" : why)
           << '\n';
    CloseInterfaces(hid, state->link);
    return kExitNoMouse;
  }
  CommandLink link(hid, host, state->link);
  ConnectToMouse(link, *state);
  OutText result;
  const int status = body(link, *state, virtualMouse.get(), result);
  CloseInterfaces(hid, state->link);
  if (const std::string why = failure(); !why.empty()) {
    io.err << "gm900ctl: " << why << '\n';
    return kExitNoMouse;
  }
  io.out << result.str();
  return status;
}

}  // namespace

std::string InputName(const FilePath& file) {
  return IsWord(file, "-") ? std::string("standard input") : PathText(file);
}

std::optional<std::vector<std::uint8_t>> ReadInput(const FilePath& file, Streams io,
                                                   std::size_t maxBytes) {
  const std::string name = InputName(file);
  if (IsWord(file, "-")) {
    InText standardInput(stdin);
    const auto bytes = (io.in != nullptr ? *io.in : standardInput).Read(maxBytes);
    if (!bytes) {
      io.err << "gm900ctl: " << name << ": cannot be read\n";
      return std::nullopt;
    }
    if (bytes->size() > maxBytes) {
      io.err << "gm900ctl: " << name << ": more than " << maxBytes << " bytes\n";
      return std::nullopt;
    }
    return bytes;
  }
  const std::optional<FileFacts> facts = LookAtFile(file);
  if (!facts) {
    io.err << "gm900ctl: " << name << ": no such file\n";
    return std::nullopt;
  }
  if (!facts->regular) {
    io.err << "gm900ctl: " << name << ": not a regular file\n";
    return std::nullopt;
  }
  if (facts->size > maxBytes) {
    io.err << "gm900ctl: " << name << ": more than " << maxBytes << " bytes\n";
    return std::nullopt;
  }
  auto bytes = ReadWholeFile(file, maxBytes);
  if (!bytes) {
    io.err << "gm900ctl: " << name << ": cannot be read\n";
    return std::nullopt;
  }
  return bytes;
}

std::optional<ConfigurationContent> ReadConfigurationContent(const FilePath& file, Streams io) {
  const std::string name = InputName(file);
  std::optional<std::vector<std::uint8_t>> bytes;
  if (IsWord(file, "-")) {
    // One byte more than a configuration file tells a longer input from a whole one.
    bytes = ReadInput(file, io, kConfigurationFileSize + 1);
    if (!bytes) return std::nullopt;
  } else {
    const std::optional<FileFacts> facts = LookAtFile(file);
    if (!facts) {
      io.err << "gm900ctl: " << name << ": no such file\n";
      return std::nullopt;
    }
    if (!facts->regular) {
      io.err << "gm900ctl: " << name << ": not a configuration file (not a regular file)\n";
      return std::nullopt;
    }
    if (facts->size != kConfigurationFileSize) {
      io.err << "gm900ctl: " << name << ": " << facts->size << " bytes; a configuration file has "
             << kConfigurationFileSize << "\n";
      return std::nullopt;
    }
    bytes = ReadWholeFile(file, kConfigurationFileSize);
    if (!bytes) {
      io.err << "gm900ctl: " << name << ": cannot be read\n";
      return std::nullopt;
    }
  }
  if (bytes->size() != kConfigurationFileSize) {
    io.err << "gm900ctl: " << name << ": "
           << (bytes->size() > kConfigurationFileSize ? "more than " : "")
           << std::min(bytes->size(), kConfigurationFileSize) << " bytes; a configuration file has "
           << kConfigurationFileSize << "\n";
    return std::nullopt;
  }
  ConfigurationContent content;
  content.firstRunFlag = (*bytes)[0];
  content.record.CopyFrom(std::span<const std::uint8_t, SettingsRecord::kSize>(
      bytes->data() + 1, SettingsRecord::kSize));
  return content;
}

std::optional<SettingsRecord> ReadConfigurationFile(const FilePath& file, Streams io) {
  auto content = ReadConfigurationContent(file, io);
  if (!content) return std::nullopt;
  return content->record;
}

std::vector<std::string> BlockLines(const SettingsBlock& settings, const KeyTable& keyTable,
                                    const std::array<MacroBlock, kMacroCount>& macros) {
  std::vector<std::string> lines;
  lines.push_back("settings-block " + HexBytes(settings));
  lines.push_back("key-table " + HexBytes(keyTable));
  for (std::string& line : MacroBlockLines(macros)) lines.push_back(std::move(line));
  return lines;
}

std::vector<std::string> SaveLines(const SettingsRecord& record) {
  return BlockLines(BuildSettingsBlock(record), EncodeKeyTable(record), record.macros);
}

std::vector<std::string> DescribeSettings(std::uint8_t profile, const SettingsBlock& block) {
  std::vector<std::string> lines;
  const Description description = DescribeBlock(profile, block);
  for (const Setting& setting : description.front().settings) {
    lines.push_back(setting.label + ": " + setting.text);
  }
  return lines;
}

int EncodeCommand(Args args, Streams io) {
  const ParsedArgs parsed = Parse(args, {.force = true});
  if (!parsed.unknownOption.empty() || parsed.virtualMouse) {
    return Usage(io, kEncodeUsage,
                 "unknown option " + (parsed.virtualMouse ? "--virtual" : parsed.unknownOption));
  }
  if (parsed.operands.size() != 1) return Usage(io, kEncodeUsage, "one CONFIG.bin is needed");
  const auto content = ReadConfigurationContent(parsed.operands[0], io);
  if (!content || RefuseOutOfRange(*content, parsed, io)) return kExitFailed;
  for (const std::string& line : SaveLines(content->record)) io.out << line << '\n';
  return kExitOk;
}

int ApplyCommand(Args args, Streams io, const SystemAccess& system) {
  const ParsedArgs parsed = Parse(args, {.trace = true, .force = true});
  if (!parsed.unknownOption.empty()) {
    return Usage(io, kApplyUsage, "unknown option " + parsed.unknownOption);
  }
  if (parsed.operands.size() != 1) return Usage(io, kApplyUsage, "one CONFIG.bin is needed");
  // The file first: a bad file never reaches the mouse.
  const auto content = ReadConfigurationContent(parsed.operands[0], io);
  if (!content || RefuseOutOfRange(*content, parsed, io)) return kExitFailed;
  const SettingsRecord* record = &content->record;

  return WithMouse(parsed, io, system,
                   [&](CommandLink& link, MouseState& state, VirtualMouse* mouse, OutText& out) {
                     state.record = *record;
                     SendConfigurationToMouse(link, state);
                     if (mouse == nullptr) {
                       out << "applied " << InputName(parsed.operands[0]) << '\n';
                       return kExitOk;
                     }
                     // The virtual mouse lives only for this run: show what it now holds, in
                     // encode's lines.
                     const VirtualMouseMemory& held = mouse->memory();
                     for (const std::string& line : BlockLines(
                              held.settingsBlocks[held.profile % DeviceConfig::kProfileCount],
                              held.keyTable, held.macros)) {
                       out << line << '\n';
                     }
                     return kExitOk;
                   });
}

int InfoCommand(Args args, Streams io, const SystemAccess& system) {
  const ParsedArgs parsed = Parse(args, {.json = true});
  if (!parsed.unknownOption.empty()) {
    return Usage(io, kInfoUsage, "unknown option " + parsed.unknownOption);
  }
  if (!parsed.operands.empty()) return Usage(io, kInfoUsage, "info takes no file");
  return WithMouse(parsed, io, system,
                   [&](CommandLink& link, MouseState& state, VirtualMouse*, OutText& out) {
                     RunReadBackSequence(link, state.device);
                     if (parsed.json) {
                       out << BlockJson(state.device.profile, state.device.settingsBlocks[0]);
                       return kExitOk;
                     }
                     for (const std::string& line :
                          DescribeSettings(state.device.profile, state.device.settingsBlocks[0])) {
                       out << line << '\n';
                     }
                     out << "settings-block " << HexBytes(state.device.settingsBlocks[0]) << '\n';
                     return kExitOk;
                   });
}

// show, diff and verify: a configuration in words.
namespace {

constexpr std::string_view kShowUsage =
    "usage: gm900ctl show CONFIG.bin [--captions str.ini] [--macros record.ini] [--json]\n";
constexpr std::string_view kDiffUsage = "usage: gm900ctl diff [--json] A.bin B.bin\n";
constexpr std::string_view kVerifyUsage =
    "usage: gm900ctl verify [--virtual] [--json] CONFIG.bin\n";

bool IsFile(const FilePath& file, OutText& err) {
  if (IsWord(file, "-")) {
    err << "gm900ctl: " << kNoStandardInput << '\n';
    return false;
  }
  const std::optional<FileFacts> facts = LookAtFile(file);
  if (facts && facts->regular) return true;
  err << "gm900ctl: " << PathText(file) << (facts ? ": not a regular file\n" : ": no such file\n");
  return false;
}

// The 19 captions of the caption file's own language (its Skins/Lan code).
std::optional<std::array<std::string, kButtonCount>> ReadCaptions(IniFile& ini,
                                                                  const FilePath& given,
                                                                  OutText& err) {
  if (!IsFile(given, err)) return std::nullopt;
  // The Windows profile functions look for a bare file name in the Windows folder.
  const FilePath file = AbsolutePath(given);
  const std::wstring section(
      CaptionSection(LanguageFromCode(ini.ReadString(file, L"Skins", L"Lan"))));
  std::array<std::string, kButtonCount> captions;
  bool any = false;
  for (std::size_t b = 0; b < kButtonCount; ++b) {
    captions[b] = ToUtf8(ini.ReadString(file, section, L"Item" + std::to_wstring(b + 1)));
    any = any || !captions[b].empty();
  }
  if (!any) {
    err << "gm900ctl: " << PathText(given) << ": no button captions in section [" << ToUtf8(section)
        << "]\n";
    return std::nullopt;
  }
  return captions;
}

std::optional<std::vector<Extras::MacroInfo>> ReadMacroNames(IniFile& ini, const FilePath& file,
                                                             OutText& err) {
  if (!UsableRecordIni(file, err)) return std::nullopt;
  WarnAboutRecordIni(ini, file, err);
  MacroStore store(ini, file);
  std::vector<Extras::MacroInfo> macros;
  const std::vector<std::wstring> names = store.Names();
  for (std::size_t i = 0; i < names.size(); ++i) {
    const auto loaded = store.Load(i, names[i]);
    macros.push_back({ToUtf8(names[i]), loaded ? loaded->items.size() : 0});
  }
  return macros;
}

// Offsets where a and b differ, as "7, 12-14" (at most a dozen ranges).
std::string DifferingOffsets(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
  std::string text;
  std::size_t ranges = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] == b[i]) continue;
    std::size_t end = i;
    while (end + 1 < a.size() && a[end + 1] != b[end + 1]) ++end;
    if (++ranges > 12) return text + ", ...";
    if (!text.empty()) text += ", ";
    text += std::to_string(i);
    if (end > i) {
      text += '-';
      text += std::to_string(end);
    }
    i = end;
  }
  return text;
}

}  // namespace

std::optional<std::array<std::string, kButtonCount>> ReadCaptionFile(IniFile& ini,
                                                                     const FilePath& file,
                                                                     OutText& err) {
  return ReadCaptions(ini, file, err);
}

std::optional<std::vector<Extras::MacroInfo>> ReadMacroNameFile(IniFile& ini, const FilePath& file,
                                                                OutText& err) {
  return ReadMacroNames(ini, file, err);
}

int ShowCommand(Args args, Streams io, IniFile& ini) {
  const ParsedArgs parsed = Parse(args, {.json = true, .files = true});
  if (!parsed.unknownOption.empty() || parsed.virtualMouse) {
    return Usage(io, kShowUsage,
                 "unknown option " + (parsed.virtualMouse ? "--virtual" : parsed.unknownOption));
  }
  if (!parsed.missingValue.empty())
    return Usage(io, kShowUsage, parsed.missingValue + " needs a FILE");
  if (parsed.operands.size() != 1) return Usage(io, kShowUsage, "one CONFIG.bin is needed");
  const auto content = ReadConfigurationContent(parsed.operands[0], io);
  if (!content) return kExitFailed;
  Extras extras;
  if (parsed.captions) {
    extras.captions = ReadCaptions(ini, *parsed.captions, io.err);
    if (!extras.captions) return kExitFailed;
  }
  if (parsed.macros) {
    extras.macros = ReadMacroNames(ini, *parsed.macros, io.err);
    if (!extras.macros) return kExitFailed;
  }
  // The whole document is made before anything is printed.
  const Description description = DescribeRecord(content->record, content->firstRunFlag, extras);
  io.out << (parsed.json ? DocumentJson(*content, extras) : DescriptionText(description));
  return kExitOk;
}

int DiffCommand(Args args, Streams io) {
  const ParsedArgs parsed = Parse(args, {.json = true});
  if (!parsed.unknownOption.empty() || parsed.virtualMouse) {
    return Usage(io, kDiffUsage,
                 "unknown option " + (parsed.virtualMouse ? "--virtual" : parsed.unknownOption));
  }
  if (parsed.operands.size() != 2)
    return Usage(io, kDiffUsage, "two configuration files are needed");
  if (IsWord(parsed.operands[0], "-") && IsWord(parsed.operands[1], "-")) {
    return Usage(io, kDiffUsage, "only one of A.bin and B.bin can be - (standard input)");
  }
  const auto a = ReadConfigurationContent(parsed.operands[0], io);
  const auto b = a ? ReadConfigurationContent(parsed.operands[1], io) : std::nullopt;
  if (!a || !b) return kExitUsage;
  if (parsed.json) {
    io.out << DiffJson(*a, *b);
    return *a == *b ? kExitOk : kExitFailed;
  }
  std::vector<std::string> lines = DifferingLines(DescribeRecord(a->record, a->firstRunFlag, {}),
                                                  DescribeRecord(b->record, b->firstRunFlag, {}));
  // Bytes that no setting shows (reserved bytes, the parameters of functions a button no
  // longer has) still make the files different.
  if (lines.empty() && a->record != b->record) {
    std::array<std::uint8_t, SettingsRecord::kSize> left{}, right{};
    a->record.CopyTo(left);
    b->record.CopyTo(right);
    lines.push_back("Bytes no setting uses: record offsets " + DifferingOffsets(left, right));
  }
  for (const std::string& line : lines) io.out << Printable(line) << '\n';
  return lines.empty() ? kExitOk : kExitFailed;
}

int VerifyCommand(Args args, Streams io, const SystemAccess& system) {
  const ParsedArgs parsed = Parse(args, {.json = true});
  if (!parsed.unknownOption.empty()) {
    return Usage(io, kVerifyUsage, "unknown option " + parsed.unknownOption);
  }
  if (parsed.operands.size() != 1) return Usage(io, kVerifyUsage, "one CONFIG.bin is needed");
  const auto record = ReadConfigurationFile(parsed.operands[0], io);
  if (!record) return kExitUsage;
  const std::string name = PathText(parsed.operands[0]);
  return WithMouse(
      parsed, io, system, [&](CommandLink& link, MouseState& state, VirtualMouse*, OutText& out) {
        RunReadBackSequence(link, state.device);
        // A Save always writes profile 0 and the settings block built from the record.
        const SettingsBlock expected = BuildSettingsBlock(*record);
        const SettingsBlock& held = state.device.settingsBlocks[0];
        if (parsed.json) {
          out << VerifyJson(expected, state.device.profile, held);
          return state.device.profile == 0 && held == expected ? kExitOk : kExitFailed;
        }
        if (state.device.profile == 0 && held == expected) {
          out << "the mouse holds what a Save of " << name
              << " sends: profile 0 and the settings block (the key table and the macros cannot "
                 "be read back)\n";
          return kExitOk;
        }
        out << "the mouse differs from a Save of " << name << " (file -> mouse):\n";
        const std::vector<std::string> lines =
            DifferingLines(DescribeBlock(0, expected), DescribeBlock(state.device.profile, held));
        for (const std::string& line : lines) out << line << '\n';
        // Bytes the lines above do not show.
        SettingsBlock shownA = expected, shownB = held;
        for (std::size_t at : {0x30u, 0x31u, 0x33u, 0x47u, 0x48u, 0x49u, 0x4Au, 0x4Bu, 0x64u}) {
          shownA[at] = shownB[at] = 0;
        }
        for (std::size_t at = 0; at < kDpiStageCount; ++at)
          shownA[0x54 + at] = shownB[0x54 + at] = 0;
        for (std::size_t at = 0x68; at <= 0x7C; ++at) shownA[at] = shownB[at] = 0;
        for (std::size_t at = 0; at < kBlockSize; ++at) {
          if (shownA[at] != shownB[at]) {
            out << "settings byte 0x" << Hex2(static_cast<unsigned>(at)) << ": "
                << Hex2(expected[at]) << " -> " << Hex2(held[at]) << '\n';
          }
        }
        return kExitFailed;
      });
}

}  // namespace gm::cli
