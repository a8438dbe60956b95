// Which program owns a window, and the programs now running with a visible window: what the
// automatic profiles watch and what the rules window offers to add.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace gm {

// The full image path of the process that owns `window`; empty when it cannot be asked.
std::wstring ProgramPathOfWindow(HWND window);

struct RunningProgram {
  std::wstring path;   // full image path
  std::wstring title;  // the text of one of its visible top-level windows
};

// Programs other than this one with a visible, titled top-level window, one entry per image
// path, sorted by file name without case.
std::vector<RunningProgram> ProgramsWithWindows();

}  // namespace gm
