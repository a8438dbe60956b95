#include "cli/ctl_commands.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <string_view>
#include <system_error>
#include <utility>

#include "app/app_state.h"
#include "buttons/key_table.h"
#include "config/apply_flows.h"
#include "device/device_operations.h"
#include "device/discovery.h"
#include "device/trace.h"
#include "device/tracing_hid_system.h"
#include "device/virtual_mouse.h"
#include "macro/macro_store.h"
#include "platform/file_replace.h"
#include "platform/tracing_host.h"

namespace gm::cli {
namespace {

constexpr std::string_view kApplyUsage = "usage: gm900ctl apply [--virtual] [--trace] CONFIG.bin\n";
constexpr std::string_view kEncodeUsage = "usage: gm900ctl encode CONFIG.bin\n";
constexpr std::string_view kInfoUsage = "usage: gm900ctl info [--virtual]\n";

std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// The arguments of a subcommand: its options (any order, before or after the file) and the
// remaining operands. "--" ends the options.
struct ParsedArgs {
  bool virtualMouse = false;
  bool trace = false;
  std::vector<std::filesystem::path> operands;
  std::string unknownOption;
};

ParsedArgs Parse(Args args, bool allowTrace) {
  ParsedArgs parsed;
  bool options = true;
  for (const std::filesystem::path& arg : args) {
    const std::string text = PathText(arg);
    if (options && text == "--") {
      options = false;
    } else if (options && text == "--virtual") {
      parsed.virtualMouse = true;
    } else if (options && allowTrace && text == "--trace") {
      parsed.trace = true;
    } else if (options && text.size() > 1 && text[0] == '-') {
      if (parsed.unknownOption.empty()) parsed.unknownOption = text;
    } else {
      parsed.operands.push_back(arg);
    }
  }
  return parsed;
}

int Usage(Streams io, std::string_view usage, const std::string& problem) {
  io.err << "gm900ctl: " << problem << '\n' << usage;
  return kExitUsage;
}

std::string Hex2(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02x", value & 0xFFu);
  return text;
}

// Runs body on a connected mouse: the virtual one or the system's, with every report and pause
// on io.out when tracing. Handles are closed afterwards.
using MouseBody = std::function<void(CommandLink&, AppState&, VirtualMouse*)>;

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

  auto state = std::make_unique<AppState>();
  if (!Discover(hid, *state)) {
    io.err << "gm900ctl: no QL-GM900 mouse found (USB vendor 04d9, product a100)\n";
    if (state->link.eventHandle != kInvalidHidHandle) hid.Close(state->link.eventHandle);
    return kExitNoMouse;
  }
  CommandLink link(hid, host, state->link);
  RunConnectSequence(link, state->device, state->record);
  body(link, *state, virtualMouse.get());
  hid.Close(state->link.commandHandle);
  if (state->link.eventHandle != kInvalidHidHandle) hid.Close(state->link.eventHandle);
  return kExitOk;
}

}  // namespace

std::optional<SettingsRecord> ReadConfigurationFile(const std::filesystem::path& file,
                                                    std::ostream& err) {
  const std::string name = PathText(file);
  std::error_code error;
  const auto status = std::filesystem::status(file, error);
  if (!std::filesystem::exists(status)) {
    err << "gm900ctl: " << name << ": no such file\n";
    return std::nullopt;
  }
  if (!std::filesystem::is_regular_file(status)) {
    err << "gm900ctl: " << name << ": not a configuration file (not a regular file)\n";
    return std::nullopt;
  }
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (!error && size != kConfigurationFileSize) {
    err << "gm900ctl: " << name << ": " << size << " bytes; a configuration file has "
        << kConfigurationFileSize << "\n";
    return std::nullopt;
  }
  const auto bytes = ReadWholeFile(file, kConfigurationFileSize);
  if (error || !bytes || bytes->size() != kConfigurationFileSize) {
    err << "gm900ctl: " << name << ": cannot be read\n";
    return std::nullopt;
  }
  SettingsRecord record;
  record.CopyFrom(std::span<const std::uint8_t, SettingsRecord::kSize>(bytes->data() + 1,
                                                                       SettingsRecord::kSize));
  return record;
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
  lines.push_back("profile: " + std::to_string(profile));
  const std::uint8_t mask = block[0x64];
  for (std::size_t k = 0; k < kDpiStageCount; ++k) {
    const std::size_t colour = 0x68 + 3 * k;
    lines.push_back("stage " + std::to_string(k + 1) + ": " +
                    std::to_string((block[0x54 + k] + 1u) * 100u) + " DPI, " +
                    ((mask >> k) & 1u ? "enabled" : "disabled") + ", colour #" +
                    Hex2(block[colour]) + Hex2(block[colour + 1]) + Hex2(block[colour + 2]));
  }

  const std::string lightingBytes =
      " (0x47-0x49: " + Hex2(block[0x47]) + " " + Hex2(block[0x48]) + " " + Hex2(block[0x49]) + ")";
  std::string lighting;
  switch (block[0x47]) {
    case 0:
      lighting = "off";
      break;
    case 1:
      lighting = "standard, brightness position " + std::to_string(block[0x48] / 2);
      break;
    case 2:
      lighting = "respiration, period position " + std::to_string(block[0x48]);
      break;
    case 3:
      lighting = "neon, period position " + std::to_string(block[0x48] / 3);
      break;
    default:
      lighting = "unknown mode";
      break;
  }
  lines.push_back("lighting: " + lighting + lightingBytes);

  lines.push_back("sensitivity: X " + std::to_string(block[0x4A]) + " (position " +
                  std::to_string(block[0x4A] / 20) + "), Y " + std::to_string(block[0x4B]) +
                  " (position " + std::to_string(block[0x4B] / 20) + ")");
  lines.push_back(std::string("angle snap: ") + (block[0x33] == 1 ? "on" : "off") +
                  " (0x33: " + Hex2(block[0x33]) + ")");
  const int correction = static_cast<std::int8_t>(block[0x31]);
  lines.push_back("gesture correction: " + std::to_string(correction) +
                  " (0x30: " + Hex2(block[0x30]) + ", 0x31: " + Hex2(block[0x31]) + ")");
  return lines;
}

int EncodeCommand(Args args, Streams io) {
  const ParsedArgs parsed = Parse(args, false);
  if (!parsed.unknownOption.empty() || parsed.virtualMouse) {
    return Usage(io, kEncodeUsage,
                 "unknown option " + (parsed.virtualMouse ? "--virtual" : parsed.unknownOption));
  }
  if (parsed.operands.size() != 1) return Usage(io, kEncodeUsage, "one CONFIG.bin is needed");
  const auto record = ReadConfigurationFile(parsed.operands[0], io.err);
  if (!record) return kExitFailed;
  for (const std::string& line : SaveLines(*record)) io.out << line << '\n';
  return kExitOk;
}

int ApplyCommand(Args args, Streams io, const SystemAccess& system) {
  const ParsedArgs parsed = Parse(args, true);
  if (!parsed.unknownOption.empty()) {
    return Usage(io, kApplyUsage, "unknown option " + parsed.unknownOption);
  }
  if (parsed.operands.size() != 1) return Usage(io, kApplyUsage, "one CONFIG.bin is needed");
  // The file first: a bad file never reaches the mouse.
  const auto record = ReadConfigurationFile(parsed.operands[0], io.err);
  if (!record) return kExitFailed;

  return WithMouse(
      parsed, io, system, [&](CommandLink& link, AppState& state, VirtualMouse* mouse) {
        state.record = *record;
        SendConfigurationToMouse(link, state);
        if (mouse == nullptr) {
          io.out << "applied " << PathText(parsed.operands[0]) << '\n';
          return;
        }
        // The virtual mouse lives only for this run: show what it now holds, in encode's lines.
        const VirtualMouseMemory& held = mouse->memory();
        for (const std::string& line :
             BlockLines(held.settingsBlocks[held.profile % DeviceConfig::kProfileCount],
                        held.keyTable, held.macros)) {
          io.out << line << '\n';
        }
      });
}

int InfoCommand(Args args, Streams io, const SystemAccess& system) {
  const ParsedArgs parsed = Parse(args, false);
  if (!parsed.unknownOption.empty()) {
    return Usage(io, kInfoUsage, "unknown option " + parsed.unknownOption);
  }
  if (!parsed.operands.empty()) return Usage(io, kInfoUsage, "info takes no file");
  return WithMouse(parsed, io, system, [&](CommandLink& link, AppState& state, VirtualMouse*) {
    RunReadBackSequence(link, state.device);
    for (const std::string& line :
         DescribeSettings(state.device.profile, state.device.settingsBlocks[0])) {
      io.out << line << '\n';
    }
    io.out << "settings-block " << HexBytes(state.device.settingsBlocks[0]) << '\n';
  });
}

}  // namespace gm::cli
