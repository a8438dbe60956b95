// The table of the system's hidapi (hidraw backend); defined only in the Linux build of
// gm900ctl.
#pragma once

#include "platform/hidapi_functions.h"

namespace gm {

HidapiFunctions SystemHidapiFunctions();

}  // namespace gm
