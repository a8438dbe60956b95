// get, set and import: a configuration file read and changed by the names of show --json.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/config_document.h"
#include "cli/ctl_args.h"
#include "cli/ctl_commands.h"
#include "config/config_files.h"
#include "config/factory_files.h"
#include "platform/file_ops.h"
#include "platform/file_replace.h"
#include "platform/sleeping_host.h"

namespace gm::cli {
namespace {

constexpr std::string_view kGetUsage =
    "usage: gm900ctl get CONFIG.bin NAME [--captions str.ini] [--macros record.ini]\n";
constexpr std::string_view kSetUsage =
    "usage: gm900ctl set CONFIG.bin NAME=VALUE... [--captions str.ini] [--macros record.ini]\n";
constexpr std::string_view kImportUsage =
    "usage: gm900ctl import SETTINGS.json OUT.bin [--base CONFIG.bin] [--force]\n";

// Longest JSON document import reads: a full document is about 7 KiB.
constexpr std::size_t kMaxDocumentBytes = 1 << 20;

std::vector<std::uint8_t> FileBytes(const ConfigurationContent& content) {
  std::vector<std::uint8_t> bytes(kConfigurationFileSize);
  bytes[0] = content.firstRunFlag;
  content.record.CopyTo(
      std::span<std::uint8_t, SettingsRecord::kSize>(bytes.data() + 1, SettingsRecord::kSize));
  return bytes;
}

// Replaces the file as the program saves: the new content is complete before the old goes.
bool WriteConfiguration(const FilePath& file, const ConfigurationContent& content, Streams io) {
  const std::error_code error = ReplaceFileContents(file, FileBytes(content));
  if (!error) return true;
  io.err << "gm900ctl: " << PathText(file) << ": cannot be written (" << error.message() << ")\n";
  return false;
}

bool ReadExtras(IniFile& ini, const ParsedArgs& parsed, Extras& extras, Streams io, bool captions) {
  if (captions && parsed.captions) {
    extras.captions = ReadCaptionFile(ini, *parsed.captions, io.err);
    if (!extras.captions) return false;
  }
  if (parsed.macros) {
    extras.macros = ReadMacroNameFile(ini, *parsed.macros, io.err);
    if (!extras.macros) return false;
  }
  return true;
}

}  // namespace

int GetCommand(Args args, Streams io, IniFile& ini) {
  const ParsedArgs parsed = Parse(args, {.files = true});
  if (const std::string problem = ArgumentProblem(parsed, false); !problem.empty()) {
    return Usage(io, kGetUsage, problem);
  }
  if (parsed.operands.size() != 2)
    return Usage(io, kGetUsage, "CONFIG.bin and one NAME are needed");
  const auto content = ReadConfigurationContent(parsed.operands[0], io);
  if (!content) return kExitFailed;
  Extras extras;
  if (!ReadExtras(ini, parsed, extras, io, true)) return kExitFailed;
  std::string message;
  const auto value = GetSetting(*content, extras, ArgUtf8(parsed.operands[1]), message);
  if (!value) {
    io.err << "gm900ctl: " << Printable(message) << '\n';
    return kExitFailed;
  }
  io.out << (value->json ? value->text : Printable(value->text)) << '\n';
  return kExitOk;
}

int SetCommand(Args args, Streams io, IniFile& ini) {
  const ParsedArgs parsed = Parse(args, {.files = true});
  if (const std::string problem = ArgumentProblem(parsed, false); !problem.empty()) {
    return Usage(io, kSetUsage, problem);
  }
  if (parsed.operands.size() < 2) {
    return Usage(io, kSetUsage, "CONFIG.bin and at least one NAME=VALUE are needed");
  }
  const FilePath& file = parsed.operands[0];
  if (IsWord(file, "-")) {
    return Usage(io, kSetUsage, "set changes a file in place: give its path, not -");
  }
  // Held from the first read to the rename, so that a writer at the same time waits.
  const FileUpdateLock lock(file);
  std::optional<const FileUpdateLock> captionLock;
  if (parsed.captions && !IsWord(*parsed.captions, "-")) captionLock.emplace(*parsed.captions);
  const FileUpdateLock* const locks[] = {&lock, captionLock ? &*captionLock : nullptr};
  for (const FileUpdateLock* held : locks) {
    if (held != nullptr && held->error()) {
      const FilePath& which = held == &lock ? file : *parsed.captions;
      io.err << "gm900ctl: " << PathText(which) << ": cannot be written ("
             << held->error().message() << ")\n";
      return kExitFailed;
    }
  }
  auto content = ReadConfigurationContent(file, io);
  if (!content) return kExitFailed;
  Extras extras;
  if (!ReadExtras(ini, parsed, extras, io, false)) return kExitFailed;

  // The captions as the window holds them at a Save: read from the caption file in its own
  // language, or the default captions of a factory file (first-run flag 0).
  ConfigState state;
  SleepingHost host;
  ConfigurationFiles captionFiles(state, ini, host);
  CaptionEdit captions;
  if (parsed.captions) {
    if (IsWord(*parsed.captions, "-")) {
      io.err << "gm900ctl: " << kNoStandardInput << '\n';
      return kExitFailed;
    }
    const std::optional<FileFacts> facts = LookAtFile(*parsed.captions);
    if (!facts || !facts->regular) {
      io.err << "gm900ctl: " << PathText(*parsed.captions)
             << (facts ? ": not a regular file\n" : ": no such file\n");
      return kExitFailed;
    }
    state.files.captionFile = AbsolutePath(*parsed.captions);
    state.language = LanguageFromCode(captionFiles.ReadLanguageCode());
    if (content->firstRunFlag == 0) {
      ButtonAssignment(state.record, state.labels, state.language).DefaultLabels();
    } else {
      captionFiles.LoadCaptions();
    }
    captions.labels = &state.labels;
    captions.language = state.language;
  }

  std::vector<std::string> pairs;
  for (std::size_t i = 1; i < parsed.operands.size(); ++i) {
    pairs.push_back(ArgUtf8(parsed.operands[i]));
  }
  if (const auto message = SetSettings(*content, pairs, MacroNamesOf(extras), captions)) {
    io.err << "gm900ctl: " << Printable(*message) << '\n';
    return kExitFailed;
  }
  // With the caption file the pair is written as a Save writes it: flag 1 and every caption;
  // without it the file keeps its flag, and a factory file its first-run captions.
  const bool writeCaptions =
      parsed.captions && (!captions.changed.empty() || content->firstRunFlag == 0);
  if (!writeCaptions) return WriteConfiguration(file, *content, io) ? kExitOk : kExitFailed;
  // Both files are written or neither.
  content->firstRunFlag = 1;
  if (const std::error_code error =
          captionFiles.WriteConfigurationAndCaptions(file, FileBytes(*content))) {
    io.err << "gm900ctl: " << PathText(file) << " and " << PathText(*parsed.captions)
           << ": cannot be written (" << error.message() << "); neither was changed\n";
    return kExitFailed;
  }
  return kExitOk;
}

int ImportCommand(Args args, Streams io) {
  const ParsedArgs parsed = Parse(args, {.force = true, .base = true});
  if (const std::string problem = ArgumentProblem(parsed, false); !problem.empty()) {
    return Usage(io, kImportUsage, problem);
  }
  if (parsed.operands.size() != 2) {
    return Usage(io, kImportUsage, "SETTINGS.json and OUT.bin are needed");
  }
  const FilePath& json = parsed.operands[0];
  const FilePath& out = parsed.operands[1];
  if (IsWord(out, "-"))
    return Usage(io, kImportUsage, "import writes a file: give its path, not -");
  if (IsWord(json, "-") && parsed.base && IsWord(*parsed.base, "-")) {
    return Usage(io, kImportUsage, "only one of SETTINGS.json and --base can be -");
  }
  const FileUpdateLock lock(out);  // --base may be the same file
  if (lock.error()) {
    io.err << "gm900ctl: " << PathText(out) << ": cannot be written (" << lock.error().message()
           << ")\n";
    return kExitFailed;
  }
  // The factory configuration is the base unless another is given.
  ConfigurationContent content{0, FactoryRecord()};
  if (parsed.base) {
    const auto base = ReadConfigurationContent(*parsed.base, io);
    if (!base) return kExitFailed;
    content = *base;
  }
  const auto text = ReadInput(json, io, kMaxDocumentBytes);
  if (!text) return kExitFailed;
  const std::string document(text->begin(), text->end());
  if (const auto message = ImportDocument(document, content, parsed.force)) {
    io.err << "gm900ctl: " << InputName(json) << ": " << Printable(*message) << '\n';
    return kExitFailed;
  }
  return WriteConfiguration(out, content, io) ? kExitOk : kExitFailed;
}

}  // namespace gm::cli
