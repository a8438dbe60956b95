// Which program owns a window, and the programs now running with a visible window: what the
// automatic profiles watch and what the rules window offers to add.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace gm {

// The full image path of the process that owns `window`; empty when it cannot be asked.
std::wstring ProgramPathOfWindow(HWND window);

// The image path of the program that owns the foreground window, or nothing when that window
// does not count as a program coming to the front: none, this program's own windows, the
// desktop and the taskbar.
std::optional<std::wstring> ForegroundProgram();

struct RunningProgram {
  std::wstring path;   // full image path
  std::wstring title;  // the text of one of its visible top-level windows
};

// Programs other than this one with a visible, titled top-level window, one entry per image
// path, sorted by file name without case.
std::vector<RunningProgram> ProgramsWithWindows();

}  // namespace gm
