// The shell seam: opening a web address or starting a program by its path, as the desktop's
// shell does. The Windows program uses ShellExecuteW; tests record what would be opened.
#pragma once

#include <string>

namespace gm {

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens the target with the verb "open", no parameters, no working directory, shown
  // normally. Whether that worked is not reported: a missing program or browser fails quietly.
  virtual void Open(const std::wstring& target) = 0;
};

}  // namespace gm
