// A helper of the GUI tests, in two roles:
//   gui_tool post CLASS MESSAGE WPARAM [LPARAM]  posts a window message to the first top-level
//       window of that class, as another program would (numbers decimal or 0x hex); exit
//       status 1 when there is no such window;
//   gui_tool (no arguments)  stands in for a program that is started: appends "started" to
//       started.txt beside itself and ends.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L"\\/"));
}

ULONG_PTR Number(const wchar_t* text) {
  return static_cast<ULONG_PTR>(std::wcstoull(text, nullptr, 0));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 1) {
    const std::wstring log = ProgramFolder() + L"\\started.txt";
    if (FILE* out = _wfopen(log.c_str(), L"ab")) {
      std::fputs("started\n", out);
      std::fclose(out);
    }
    return 0;
  }
  if (argc >= 5 && std::wcscmp(argv[1], L"post") == 0) {
    HWND window = FindWindowW(argv[2], nullptr);
    if (window == nullptr) return 1;
    const LPARAM lParam = argc >= 6 ? static_cast<LPARAM>(Number(argv[5])) : 0;
    return PostMessageW(window, static_cast<UINT>(Number(argv[3])),
                        static_cast<WPARAM>(Number(argv[4])), lParam)
               ? 0
               : 1;
  }
  std::fputs("usage: gui_tool post CLASS MESSAGE WPARAM [LPARAM] | gui_tool\n", stderr);
  return 2;
}
