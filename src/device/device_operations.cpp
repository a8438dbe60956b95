#include "device/device_operations.h"

namespace gm {

void SendConnectArgument(CommandLink& link, DeviceConfig& config) {
  config.connectArgument = 0xFC;
  DeviceCommand command = DeviceCommand::Make(kCmdConnect, config.connectArgument);
  link.SendCommand(command);
}

void SendBeginApply(CommandLink& link) {
  DeviceCommand command = DeviceCommand::Make(kCmdBeginApply);
  link.SendCommand(command);
}

std::uint8_t ReadCurrentProfile(CommandLink& link, DeviceConfig& config) {
  DeviceCommand command = DeviceCommand::Make(kCmdReadProfile);
  link.SendCommand(command);
  config.profile = command.argument1();
  return config.profile;
}

void SetProfileAndReportRate(CommandLink& link, const DeviceConfig& config) {
  DeviceCommand command =
      DeviceCommand::Make(kCmdSetProfileAndRate, config.profile, config.reportRateCode);
  link.SendCommand(command);
  link.Pause(kPauseAfterSetProfileMs);
}

void WriteSettingsBlock(CommandLink& link, const DeviceConfig& config) {
  DeviceCommand command = DeviceCommand::Make(kCmdWriteSettings, 0, kBlockSize);
  SettingsBlock block = config.settingsBlocks[0];
  link.Transfer(command, block);
  link.Pause(kPauseAfterSettingsMs);
}

void ReadSettingsBlock(CommandLink& link, DeviceConfig& config) {
  DeviceCommand command = DeviceCommand::Make(kCmdReadSettings);
  link.Transfer(command, config.settingsBlocks[0]);
  link.Pause(kPauseAfterSettingsMs);
}

void WriteKeyTable(CommandLink& link, const DeviceConfig& config) {
  DeviceCommand command = DeviceCommand::Make(kCmdWriteKeyTable, config.profile, kBlockSize);
  KeyTable table = config.keyTable;
  link.Transfer(command, table);
  link.Pause(kPauseAfterKeyTableMs);
}

void WriteMacroBlock(CommandLink& link, const DeviceConfig& config, std::uint8_t index) {
  if (index < 1 || index > kMacroCount) return;
  DeviceCommand command = DeviceCommand::Make(kCmdWriteMacro, index, kBlockSize);
  MacroBlock block = config.macros[index - 1u];
  link.Transfer(command, block);
  link.Pause(kPauseAfterMacroMs);
}

void WriteAllMacroBlocks(CommandLink& link, const DeviceConfig& config) {
  for (std::uint8_t index = 1; index <= kMacroCount; ++index) {
    WriteMacroBlock(link, config, index);
  }
}

std::uint8_t RunConnectSequence(CommandLink& link, DeviceConfig& config) {
  config = DeviceConfig{};
  const std::uint8_t profile = ReadCurrentProfile(link, config);
  SendConnectArgument(link, config);
  return profile;
}

void RunApplySequence(CommandLink& link, const DeviceConfig& config) {
  SendBeginApply(link);
  link.Pause(kPauseAfterBeginApplyMs);
  SetProfileAndReportRate(link, config);
  WriteSettingsBlock(link, config);
  WriteKeyTable(link, config);
  WriteAllMacroBlocks(link, config);
}

void RunReadBackSequence(CommandLink& link, DeviceConfig& config) {
  ReadCurrentProfile(link, config);
  ReadSettingsBlock(link, config);
}

}  // namespace gm
