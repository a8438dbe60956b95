// The fixed operations of the command set and the command sequences built from them. They
// send the device image as they find it; what goes into it is decided by the configuration side.
#pragma once

#include <cstdint>

#include "device/command_link.h"
#include "device/device_config.h"

namespace gm {

// Pauses the protocol asks for after a command (on top of 100 ms after each data chunk).
inline constexpr std::uint32_t kPauseAfterBeginApplyMs = 10;
inline constexpr std::uint32_t kPauseAfterSetProfileMs = 10;
inline constexpr std::uint32_t kPauseAfterSettingsMs = 10;
inline constexpr std::uint32_t kPauseAfterKeyTableMs = 2;
inline constexpr std::uint32_t kPauseAfterMacroMs = 20;

// 0x01 with header byte 1, which is set to 0xFC first.
void SendConnectArgument(CommandLink& link, DeviceConfig& config);
// 0x02 with argument 0: the first command of a Save. The caller pauses.
void SendBeginApply(CommandLink& link);
// 0x82: the reply's profile goes into header byte 0, which is also returned.
std::uint8_t ReadCurrentProfile(CommandLink& link, DeviceConfig& config);
// 0x03 with header byte 0 (profile) and header byte 2 (report-rate code); 10 ms.
void SetProfileAndReportRate(CommandLink& link, const DeviceConfig& config);
// 0x0C writes settings block 0; 10 ms.
void WriteSettingsBlock(CommandLink& link, const DeviceConfig& config);
// 0x8C reads the current profile's settings back over settings block 0; 10 ms.
void ReadSettingsBlock(CommandLink& link, DeviceConfig& config);
// 0x0D with header byte 0 and the key table; 2 ms.
void WriteKeyTable(CommandLink& link, const DeviceConfig& config);
// 0x0F with index 1-19 and macro block index-1; 20 ms.
void WriteMacroBlock(CommandLink& link, const DeviceConfig& config, std::uint8_t index);
// All 19 macro blocks, index 1 to 19.
void WriteAllMacroBlocks(CommandLink& link, const DeviceConfig& config);

// Connect: zero the device image, read the profile into header byte 0, then 0x01 with 0xFC.
// Returns the profile read.
std::uint8_t RunConnectSequence(CommandLink& link, DeviceConfig& config);

// Reports of RunApplySequence: 0x02, 0x03, then the settings block, the key table and each
// macro block as a command and its data chunks.
inline constexpr std::size_t kApplyReportCount =
    2 + (2 + kMacroCount) * (1 + ChunkCount(kBlockSize));

// The device part of a Save, from a finished image: 0x02, profile and report rate, settings
// block 0, the key table, the 19 macro blocks; with the protocol's pauses.
void RunApplySequence(CommandLink& link, const DeviceConfig& config);

// After a DPI event: current profile, then settings block 0 read back.
void RunReadBackSequence(CommandLink& link, DeviceConfig& config);

}  // namespace gm
