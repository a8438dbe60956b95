// The 8-byte command of the mouse's command interface and its 9-byte feature report.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace gm {

// Command codes; bit 7 set marks a read command whose reply is fetched.
enum CommandCode : std::uint8_t {
  kCmdConnect = 0x01,
  kCmdBeginApply = 0x02,
  kCmdSetProfileAndRate = 0x03,
  kCmdWriteSettings = 0x0C,
  kCmdWriteKeyTable = 0x0D,
  kCmdWriteMacro = 0x0F,
  kCmdReadProfile = 0x82,
  kCmdReadSettings = 0x8C,
};

inline constexpr std::uint8_t kReadBit = 0x80;
inline constexpr std::size_t kFeatureReportLength = 9;
inline constexpr std::size_t kDataReportLength = 65;  // report id + 64 data bytes
inline constexpr std::size_t kChunkSize = 64;

struct DeviceCommand {
  std::array<std::uint8_t, 8> bytes{};

  static DeviceCommand Make(std::uint8_t code, std::uint8_t argument1 = 0,
                            std::uint8_t argument2 = 0) {
    DeviceCommand command;
    command.bytes[0] = code;
    command.bytes[1] = argument1;
    command.bytes[2] = argument2;
    return command;
  }

  std::uint8_t code() const { return bytes[0]; }
  std::uint8_t argument1() const { return bytes[1]; }
  std::uint8_t argument2() const { return bytes[2]; }
  bool isRead() const { return (bytes[0] & kReadBit) != 0; }
};

// 0xFF minus the sum of bytes 0-6, modulo 256; byte 7 as sent is ignored.
std::uint8_t CommandChecksum(const DeviceCommand& command);

// True when bytes 0-7 sum to 0xFF modulo 256.
bool HasValidChecksum(const DeviceCommand& command);

// The feature report: report id 0, bytes 0-6 of the command, the checksum.
std::array<std::uint8_t, kFeatureReportLength> FeatureReport(const DeviceCommand& command);

// Number of 64-byte chunks for a block of the given length.
constexpr std::size_t ChunkCount(std::size_t length) {
  return (length + kChunkSize - 1) / kChunkSize;
}

}  // namespace gm
