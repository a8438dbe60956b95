#include "config/records.h"

#include <algorithm>
#include <stdexcept>

namespace gm {

std::size_t SettingsRecord::Checked(std::size_t button) {
  if (button >= kButtonCount) throw std::out_of_range("button number");
  return button;
}

std::size_t SettingsRecord::CheckedStage(std::size_t stage) {
  if (stage >= kDpiStageCount) throw std::out_of_range("DPI stage");
  return stage;
}

Rgb SettingsRecord::stageColour(std::size_t k) const {
  const std::size_t at = rec::kStageColours + 3 * CheckedStage(k);
  return {settings[at], settings[at + 1], settings[at + 2]};
}

void SettingsRecord::setStageColour(std::size_t k, Rgb colour) {
  const std::size_t at = rec::kStageColours + 3 * CheckedStage(k);
  settings[at] = colour.red;
  settings[at + 1] = colour.green;
  settings[at + 2] = colour.blue;
}

void SettingsRecord::CopyTo(std::span<std::uint8_t, kSize> out) const {
  auto it = std::copy(settings.begin(), settings.end(), out.begin());
  for (const MacroBlock& block : macros) it = std::copy(block.begin(), block.end(), it);
}

void SettingsRecord::CopyFrom(std::span<const std::uint8_t, kSize> in) {
  auto it = in.begin();
  std::copy_n(it, kSettingsSize, settings.begin());
  it += kSettingsSize;
  for (MacroBlock& block : macros) {
    std::copy_n(it, kBlockSize, block.begin());
    it += kBlockSize;
  }
}

std::uint8_t GestureCorrectionByte(std::uint8_t position) {
  // Signed corrections -30, -10, 0, 15, 30 for positions 1-5; the slider's extra position 6 is 0.
  static constexpr std::array<std::uint8_t, 7> kTable = {0x00, 0xE2, 0xF6, 0x00, 0x0F, 0x1E, 0x00};
  return position < kTable.size() ? kTable[position] : 0;
}

namespace {

std::uint8_t Low8(unsigned value) {
  return static_cast<std::uint8_t>(value & 0xFFu);
}

void ApplyLighting(const SettingsRecord& record, SettingsBlock& block) {
  const std::uint8_t mode = record.at(rec::kLightingMode);
  block[0x47] = mode;
  switch (mode) {
    case 1:
      if (record.at(rec::kBrightness) == 1) {
        block[0x47] = 0;  // brightness 0 %: lighting off, period bytes keep the template
      } else {
        block[0x48] = Low8(record.at(rec::kBrightness) * 2u);
        block[0x49] = 3;
      }
      break;
    case 2:
      block[0x48] = record.at(rec::kRespirationPeriod);
      block[0x49] = 3;
      break;
    case 3:
      block[0x48] = Low8(record.at(rec::kNeonPeriod) * 3u);
      break;
    default:
      break;
  }
}

}  // namespace

SettingsBlock BuildSettingsBlock(const SettingsRecord& record) {
  SettingsBlock block = kSettingsTemplate;
  block[0x02] = 1;
  block[0x32] = 0x42;
  block[0x33] = record.at(rec::kAngleSnap);
  block[0x30] = 0x11;
  block[0x31] = GestureCorrectionByte(record.at(rec::kGestureCorrection));
  block[0x40] = 0x0F;
  block[0x4A] = Low8(record.at(rec::kXSensitivity) * 20u);
  block[0x4B] = Low8(record.at(rec::kYSensitivity) * 20u);
  ApplyLighting(record, block);

  std::uint8_t mask = 0;
  for (std::size_t k = 0; k < kDpiStageCount; ++k) {
    // A damaged flag above 1 counts as enabled; it must not spill into the next stage's bit.
    if (record.stageEnabled(k) != 0) mask = static_cast<std::uint8_t>(mask | (1u << k));
    const std::uint8_t dpi = Low8(record.dpiStage(k) - 1u);
    block[0x54 + k] = dpi;
    block[0x5C + k] = dpi;
  }
  block[0x64] = mask;

  std::fill(block.begin() + 0x68, block.end(), std::uint8_t{0});
  for (std::size_t i = 0; i < 3 * kDpiStageCount; ++i) {
    block[0x68 + i] = record.at(rec::kStageColours + i);
  }
  block[0x46] = 7;
  return block;
}

}  // namespace gm
