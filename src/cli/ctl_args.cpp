#include "cli/ctl_args.h"

#include <ostream>

namespace gm::cli {

std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

ParsedArgs Parse(Args args, Allowed allowed) {
  ParsedArgs parsed;
  bool options = true;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::filesystem::path& arg = args[i];
    const std::string text = PathText(arg);
    if (options && text == "--") {
      options = false;
    } else if (options && text == "--virtual") {
      parsed.virtualMouse = true;
    } else if (options && allowed.trace && text == "--trace") {
      parsed.trace = true;
    } else if (options && allowed.json && text == "--json") {
      parsed.json = true;
    } else if (options && allowed.force && text == "--force") {
      parsed.force = true;
    } else if (options && ((allowed.files && (text == "--captions" || text == "--macros")) ||
                           (allowed.base && text == "--base"))) {
      if (i + 1 == args.size()) {
        if (parsed.missingValue.empty()) parsed.missingValue = text;
        continue;
      }
      (text == "--captions" ? parsed.captions
       : text == "--macros" ? parsed.macros
                            : parsed.base) = args[++i];
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

std::string ArgumentProblem(const ParsedArgs& parsed, bool takesVirtual) {
  if (!parsed.unknownOption.empty()) return "unknown option " + parsed.unknownOption;
  if (parsed.virtualMouse && !takesVirtual) return "unknown option --virtual";
  if (!parsed.missingValue.empty()) return parsed.missingValue + " needs a FILE";
  return "";
}

}  // namespace gm::cli
