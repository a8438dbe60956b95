// CHidMouseApp: the application object. Starts the common controls, registers the main
// window's class, starts GDI+, makes the services the windows share and runs the main window
// until the process ends.
#pragma once

#include <string>
#include <vector>

namespace gm {

class CHidMouseApp {
 public:
  // args: the command line without the program name. Returns the exit code.
  int Run(const std::vector<std::wstring>& args);
};

}  // namespace gm
