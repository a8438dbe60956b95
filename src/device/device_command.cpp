#include "device/device_command.h"

namespace gm {

std::uint8_t CommandChecksum(const DeviceCommand& command) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < 7; ++i) sum += command.bytes[i];
  return static_cast<std::uint8_t>((0xFFu - sum) & 0xFFu);
}

bool HasValidChecksum(const DeviceCommand& command) {
  return CommandChecksum(command) == command.bytes[7];
}

std::array<std::uint8_t, kFeatureReportLength> FeatureReport(const DeviceCommand& command) {
  std::array<std::uint8_t, kFeatureReportLength> report{};
  for (std::size_t i = 0; i < 7; ++i) report[1 + i] = command.bytes[i];
  report[8] = CommandChecksum(command);
  return report;
}

}  // namespace gm
