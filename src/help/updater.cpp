#include "help/updater.h"

#include "config/config_files.h"

namespace gm {

std::wstring_view UpdaterRelativePath(std::uint16_t nativeArchitecture) {
  if (nativeArchitecture == kArchitectureAmd64 || nativeArchitecture == kArchitectureIa64) {
    return L"Update/X64/FwUpdate.exe";
  }
  return L"Update/X86/FwUpdate.exe";
}

FilePath UpdaterPath(const FilePath& program, std::uint16_t nativeArchitecture) {
  return ProgramFilePath(program, UpdaterRelativePath(nativeArchitecture)).Preferred();
}

bool OnStartUpdaterMessage(std::uintptr_t wParam, const FilePath& program,
                           std::uint16_t nativeArchitecture, Shell& shell) {
  if (wParam != 0) return false;
  shell.Open(UpdaterPath(program, nativeArchitecture).Wide());
  return true;
}

}  // namespace gm
