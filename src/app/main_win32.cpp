// QL-GM900.exe: the application object runs the program.
#include <windows.h>
// After windows.h.
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/hid_mouse_app_win32.h"
#include "platform/dll_search_win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  gm::LoadDllsFromSystemFolderOnly();
  std::vector<std::wstring> args;
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 1; argv != nullptr && i < count; ++i) args.emplace_back(argv[i]);
  if (argv != nullptr) LocalFree(argv);
  gm::CHidMouseApp app;
  return app.Run(args);
}
