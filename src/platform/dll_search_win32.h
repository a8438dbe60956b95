// Where the program's DLLs come from: only the system folder. Called first thing in each
// program's entry point, before any DLL that is not already loaded is needed: a DLL planted
// beside the program (in a Downloads folder, say) or in the current folder is then never
// loaded in place of a system one. The system DLLs the programs import that the system does
// not protect itself (its KnownDLLs) are delay-loaded for this (cmake/delay_load.cmake), and
// nothing loads a DLL by a bare name before this call.
#pragma once

namespace gm {

// True when the search is limited to the system folder; false on a system without
// SetDefaultDllDirectories (Windows 7 without its update), where at least the current
// folder is taken out of the search.
bool LoadDllsFromSystemFolderOnly();

}  // namespace gm
