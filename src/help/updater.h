// The launch of the maker's firmware updater, a program of its own in the folder "Update"
// beside this one, in the build that fits the machine's processor.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/file_path.h"
#include "platform/shell.h"

namespace gm {

// Values of wProcessorArchitecture.
inline constexpr std::uint16_t kArchitectureIa64 = 6;
inline constexpr std::uint16_t kArchitectureAmd64 = 9;

// "Update/X64/FwUpdate.exe" on a 64-bit machine (AMD64 or IA64), else "Update/X86/FwUpdate.exe".
std::wstring_view UpdaterRelativePath(std::uint16_t nativeArchitecture);
// The updater's full path: the program's path with its file name replaced by the relative path.
FilePath UpdaterPath(const FilePath& program, std::uint16_t nativeArchitecture);

// The main window's 0xB13: wParam 0 starts the updater; any other value does nothing. True when
// the updater was asked for.
bool OnStartUpdaterMessage(std::uintptr_t wParam, const FilePath& program,
                           std::uint16_t nativeArchitecture, Shell& shell);

}  // namespace gm
