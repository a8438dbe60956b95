// What the profile manager asks of the configuration in use: wParam of the main window's
// profile message (0xB03).
#pragma once

namespace gm {

enum ProfileCommand : unsigned { kProfileImport = 0, kProfileExport = 1, kProfileReload = 2 };

}  // namespace gm
