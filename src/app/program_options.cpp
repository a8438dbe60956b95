#include "app/program_options.h"

namespace gm {

ProgramOptions ParseProgramOptions(const std::vector<std::wstring>& args) {
  ProgramOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::wstring& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == L"--virtual-mouse") {
      options.virtualMouse = true;
    } else if (arg == L"--trace" && hasValue) {
      options.trace = args[++i];
    } else if (arg == L"--control" && hasValue) {
      options.control = args[++i];
    } else if (arg == L"--ui-log" && hasValue) {
      options.uiLog = args[++i];
    } else {
      options.unknown.push_back(arg);
    }
  }
  return options;
}

}  // namespace gm
