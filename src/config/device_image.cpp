#include "config/device_image.h"

#include "config/key_table.h"

namespace gm {

void BuildDeviceConfig(const SettingsRecord& record, DeviceConfig& config) {
  config.profile = 0;
  config.reportRateCode = record.at(rec::kReportRateCode);
  config.settingsBlocks[0] = BuildSettingsBlock(record);
  config.keyTable = EncodeKeyTable(record);
  config.macros = record.macros;
}

}  // namespace gm
