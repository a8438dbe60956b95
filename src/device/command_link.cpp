#include "device/command_link.h"

#include <algorithm>
#include <array>

namespace gm {
namespace {

constexpr std::uint32_t kChunkPauseMs = 100;
constexpr std::size_t kTransferBufferSize = 80;

}  // namespace

bool CommandLink::Proceed() {
  if (!ended_ && beforeReport_ && !beforeReport_()) ended_ = true;
  return !ended_;
}

void CommandLink::SendCommand(DeviceCommand& command) {
  const auto report = FeatureReport(command);
  if (Proceed()) hid_.SetFeature(state_.commandHandle, report);
  if (!command.isRead()) return;
  std::array<std::uint8_t, kFeatureReportLength> reply{};
  if (Proceed()) hid_.GetFeature(state_.commandHandle, reply);
  std::copy(reply.begin() + 1, reply.end(), command.bytes.begin());
}

void CommandLink::Transfer(DeviceCommand& command, std::span<std::uint8_t> data) {
  SendCommand(command);
  std::array<std::uint8_t, kTransferBufferSize> buffer{};
  const std::size_t length = command.argument2();
  const std::size_t chunks = ChunkCount(length);

  if (!command.isRead()) {
    for (std::size_t k = 0; k < chunks; ++k) {
      buffer.fill(0);
      const std::size_t from = std::min(k * kChunkSize, data.size());
      const std::size_t count = std::min(kChunkSize, data.size() - from);
      std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(from), count, buffer.begin() + 1);
      if (Proceed()) {
        hid_.WriteReport(state_.commandHandle,
                         std::span<const std::uint8_t>(buffer.data(), kDataReportLength));
      }
      Pause(kChunkPauseMs);
    }
    return;
  }

  // Read: the mouse announces the block length in reply byte 2. Every announced report is
  // read so that none is left queued, but only what fits in the caller's block is kept.
  const std::size_t readSize =
      std::clamp<std::size_t>(state_.inputReportLength, 1, kTransferBufferSize);
  for (std::size_t k = 0; k < chunks; ++k) {
    buffer.fill(0);
    if (Proceed()) {
      hid_.ReadReport(state_.commandHandle, std::span<std::uint8_t>(buffer.data(), readSize));
    }
    const std::size_t to = k * kChunkSize;
    if (to >= data.size()) continue;
    const std::size_t count = std::min(kChunkSize, data.size() - to);
    std::copy_n(buffer.begin() + 1, count, data.begin() + static_cast<std::ptrdiff_t>(to));
  }
}

}  // namespace gm
