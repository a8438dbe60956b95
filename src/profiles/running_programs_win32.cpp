#include "profiles/running_programs_win32.h"

#include <algorithm>
#include <cwchar>

#include "profiles/auto_profiles.h"
#include "ui/wnd_win32.h"

namespace gm {
namespace {

bool LessWithoutCase(std::wstring_view a, std::wstring_view b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                              static_cast<int>(b.size()), TRUE) == CSTR_LESS_THAN;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
  auto& programs = *reinterpret_cast<std::vector<RunningProgram>*>(context);
  if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER) != nullptr) return TRUE;
  if ((GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0) return TRUE;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId()) return TRUE;
  std::wstring title = WindowText(window);
  if (title.empty()) return TRUE;
  std::wstring path = ProgramPathOfWindow(window);
  if (path.empty()) return TRUE;
  const bool known = std::any_of(programs.begin(), programs.end(), [&](const RunningProgram& p) {
    return CompareStringOrdinal(p.path.c_str(), -1, path.c_str(), -1, TRUE) == CSTR_EQUAL;
  });
  if (!known) programs.push_back({std::move(path), std::move(title)});
  return TRUE;
}

}  // namespace

std::wstring ProgramPathOfWindow(HWND window) {
  DWORD processId = 0;
  if (window == nullptr || GetWindowThreadProcessId(window, &processId) == 0) return {};
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) return {};
  std::wstring path(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD size = static_cast<DWORD>(path.size());
    if (QueryFullProcessImageNameW(process, 0, path.data(), &size)) {
      path.resize(size);
      CloseHandle(process);
      return path;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    path.resize(path.size() * 4);
  }
  CloseHandle(process);
  return {};
}

std::optional<std::wstring> ForegroundProgram() {
  HWND window = GetForegroundWindow();
  if (window == nullptr || window == GetDesktopWindow() || window == GetShellWindow()) {
    return std::nullopt;
  }
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId()) return std::nullopt;
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  for (const wchar_t* shell :
       {L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd", L"Progman", L"WorkerW"}) {
    if (std::wcscmp(className, shell) == 0) return std::nullopt;
  }
  std::wstring path = ProgramPathOfWindow(window);
  if (path.empty()) return std::nullopt;
  return path;
}

std::vector<RunningProgram> ProgramsWithWindows() {
  std::vector<RunningProgram> programs;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&programs));
  std::sort(programs.begin(), programs.end(), [](const RunningProgram& a, const RunningProgram& b) {
    return LessWithoutCase(std::wstring(ProgramFileName(a.path)),
                           std::wstring(ProgramFileName(b.path)));
  });
  return programs;
}

}  // namespace gm
