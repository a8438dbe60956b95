#include "platform/dll_search_win32.h"

#include <windows.h>

namespace gm {

bool LoadDllsFromSystemFolderOnly() {
  // Looked up rather than imported: without the update that brings it, Windows 7 would refuse
  // to start a program that imports it. kernel32 is always loaded, so nothing is searched.
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  const auto setDefault =
      kernel == nullptr
          ? nullptr
          : reinterpret_cast<SetDefaultDllDirectoriesFunction>(
                reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  SetDllDirectoryW(L"");  // the current folder out of the search in any case
  return setDefault != nullptr && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
}

}  // namespace gm
