// A helper of the GUI tests, in two roles:
//   gui_tool post CLASS MESSAGE WPARAM [LPARAM]  posts a window message to the first top-level
//       window of that class, as another program would (numbers decimal or 0x hex); exit
//       status 1 when there is no such window;
//   gui_tool resources FILE  prints what Windows reads from a program's resources: its
//       version strings ("ProductVersion 1.0.0", ...) and its manifest's text;
//   gui_tool front CLASS  brings the first top-level window of that class to the front;
//   gui_tool hold  shows a window of its own in front and runs until it is closed (as a
//       program the user switched to);
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

// The version strings and the manifest of a program, as Explorer and the loader read them.
int PrintResources(const wchar_t* file) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(file, &ignored);
  std::string data(size, '\0');
  if (size == 0 || !GetFileVersionInfoW(file, 0, size, data.data())) return 1;
  for (const wchar_t* name : {L"ProductName", L"ProductVersion", L"FileVersion", L"FileDescription",
                              L"OriginalFilename"}) {
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)) {
      std::wprintf(L"%ls %ls\n", name, value);
    }
  }
  HMODULE module = LoadLibraryExW(file, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return 1;
  if (HRSRC manifest = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) {
    const char* text = static_cast<const char*>(LockResource(LoadResource(module, manifest)));
    std::fwrite(text, 1, SizeofResource(module, manifest), stdout);
  }
  const bool icon = FindResourceW(module, MAKEINTRESOURCEW(720), MAKEINTRESOURCEW(14)) != nullptr;
  std::printf("\nicon-720 %s\n", icon ? "yes" : "no");
  FreeLibrary(module);
  return 0;
}

// A window of this program, in front, until it is closed.
int HoldFront() {
  WNDCLASSW type{};
  type.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
  };
  type.hInstance = GetModuleHandleW(nullptr);
  type.lpszClassName = L"GuiToolFront";
  if (RegisterClassW(&type) == 0) return 1;
  HWND window = CreateWindowW(L"GuiToolFront", L"gui_tool", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300,
                              300, 200, 100, nullptr, nullptr, type.hInstance, nullptr);
  if (window == nullptr) return 1;
  SetForegroundWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
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
  if (argc == 3 && std::wcscmp(argv[1], L"resources") == 0) return PrintResources(argv[2]);
  if (argc == 3 && std::wcscmp(argv[1], L"front") == 0) {
    HWND window = FindWindowW(argv[2], nullptr);
    return window != nullptr && SetForegroundWindow(window) ? 0 : 1;
  }
  if (argc == 2 && std::wcscmp(argv[1], L"hold") == 0) return HoldFront();
  std::fputs(
      "usage: gui_tool post CLASS MESSAGE WPARAM [LPARAM] | gui_tool resources FILE |\n"
      "       gui_tool front CLASS | gui_tool hold | gui_tool\n",
      stderr);
  return 2;
}
