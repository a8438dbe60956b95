// Command-line options of QL-GM900.exe. The program itself needs none; these attach the
// virtual mouse and its test channels.
//   --virtual-mouse      use the virtual mouse instead of the system's HID devices
//   --trace FILE         the virtual mouse writes every report and pause to FILE
//   --control FILE       the virtual mouse takes injected events from lines appended to FILE
//   --ui-log FILE        log what the program hands to the shell (icon, balloons, window)
#pragma once

#include <string>
#include <vector>

#include "platform/file_path.h"

namespace gm {

struct ProgramOptions {
  bool virtualMouse = false;
  FilePath trace;
  FilePath control;
  FilePath uiLog;
  std::vector<std::wstring> unknown;  // ignored, as Windows programs ignore stray arguments
};

// args without the program name.
ProgramOptions ParseProgramOptions(const std::vector<std::wstring>& args);

}  // namespace gm
