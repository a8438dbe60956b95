#include "cli/ctl_args.h"

#include <algorithm>

namespace gm::cli {

std::string ArgUtf8(const FilePath& arg) {
  return arg.Utf8();
}

bool IsWord(const FilePath& arg, std::string_view word) {
  return arg.Wide().size() == word.size() &&
         std::equal(word.begin(), word.end(), arg.Wide().begin(),
                    [](char c, wchar_t w) { return w == static_cast<unsigned char>(c); });
}

std::string PathText(const FilePath& path) {
  return Printable(ArgUtf8(path));
}

ParsedArgs Parse(Args args, Allowed allowed) {
  ParsedArgs parsed;
  bool options = true;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const FilePath& arg = args[i];
    const std::string text = ArgUtf8(arg);
    if (options && IsWord(text, "--")) {
      options = false;
    } else if (options && IsWord(text, "--virtual")) {
      parsed.virtualMouse = true;
    } else if (options && allowed.trace && IsWord(text, "--trace")) {
      parsed.trace = true;
    } else if (options && allowed.json && IsWord(text, "--json")) {
      parsed.json = true;
    } else if (options && allowed.force && IsWord(text, "--force")) {
      parsed.force = true;
    } else if (options &&
               ((allowed.files && (IsWord(text, "--captions") || IsWord(text, "--macros"))) ||
                (allowed.base && IsWord(text, "--base")))) {
      if (i + 1 == args.size()) {
        if (parsed.missingValue.empty()) parsed.missingValue = Printable(text);
        continue;
      }
      (IsWord(text, "--captions") ? parsed.captions
       : IsWord(text, "--macros") ? parsed.macros
                                  : parsed.base) = args[++i];
    } else if (options && text.size() > 1 && text[0] == '-') {
      if (parsed.unknownOption.empty()) parsed.unknownOption = Printable(text);
    } else {
      parsed.operands.push_back(arg);
    }
  }
  return parsed;
}

int Usage(Streams io, std::string_view usage, const std::string& problem) {
  // "usage: gm900ctl NAME ...": one line, and where the whole usage is.
  std::string_view name =
      usage.substr(std::min(usage.size(), std::string_view("usage: gm900ctl ").size()));
  name = name.substr(0, name.find_first_of(" \n"));
  io.err << "gm900ctl: " << problem << " (see gm900ctl help " << name << ")\n";
  return kExitUsage;
}

std::string ArgumentProblem(const ParsedArgs& parsed, bool takesVirtual) {
  if (!parsed.unknownOption.empty()) return "unknown option " + parsed.unknownOption;
  if (parsed.virtualMouse && !takesVirtual) return "unknown option --virtual";
  if (!parsed.missingValue.empty()) return parsed.missingValue + " needs a FILE";
  return "";
}

}  // namespace gm::cli
