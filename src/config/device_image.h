// The DeviceConfig a Save sends, built whole from the record before anything is sent.
#pragma once

#include "config/records.h"

namespace gm {

// Header byte 0 becomes 0 (a Save always writes profile 0) and header byte 2 the record's
// report-rate code; settings block 0 is built from the template and the record, the key table
// encoded from the button fields, and the macro area holds the record's 19 blocks. The other
// header bytes and settings blocks keep what they hold.
void BuildDeviceConfig(const SettingsRecord& record, DeviceConfig& config);

}  // namespace gm
