// Byte layout of the records and the settings block a Save builds from the record.
#include <gtest/gtest.h>

#include <numeric>

#include "config/records.h"

namespace gm {
namespace {

SettingsRecord StagesRecord() {
  SettingsRecord record;
  const std::uint8_t stages[] = {5, 10, 15, 20, 40, 80, 120};
  for (std::size_t k = 0; k < kDpiStageCount; ++k) record.dpiStage(k) = stages[k];
  return record;
}

TEST(SettingsRecord, FieldOffsetsMatchTheFileLayout) {
  SettingsRecord record;
  record.button(ButtonField::Category, 0) = 1;
  record.button(ButtonField::MacroMode, 18) = 2;
  record.dpiStage(6) = 120;
  record.setStageColour(6, {1, 2, 3});
  record.macros[0][0] = 0xAB;
  record.macros[18][127] = 0xCD;
  std::array<std::uint8_t, SettingsRecord::kSize> bytes{};
  record.CopyTo(bytes);
  EXPECT_EQ(bytes[61], 1);
  EXPECT_EQ(bytes[421], 2);
  EXPECT_EQ(bytes[13], 120);
  EXPECT_EQ(bytes[41], 1);
  EXPECT_EQ(bytes[43], 3);
  EXPECT_EQ(bytes[422], 0xAB);
  EXPECT_EQ(bytes[2853], 0xCD);

  SettingsRecord back;
  back.CopyFrom(bytes);
  EXPECT_EQ(back, record);
}

TEST(SettingsRecord, OutOfRangeButtonOrStageThrowsInsteadOfReachingAnotherField) {
  SettingsRecord record;
  EXPECT_THROW(record.button(ButtonField::Category, 19), std::out_of_range);
  EXPECT_THROW(record.dpiStage(7), std::out_of_range);
  EXPECT_THROW(record.at(422), std::out_of_range);
}

TEST(SettingsBlock, DpiStagesAreWrittenTwiceMinusOne) {
  const SettingsBlock block = BuildSettingsBlock(StagesRecord());
  const std::uint8_t expected[] = {0x04, 0x09, 0x0E, 0x13, 0x27, 0x4F, 0x77};
  for (std::size_t k = 0; k < 7; ++k) {
    EXPECT_EQ(block[0x54 + k], expected[k]);
    EXPECT_EQ(block[0x5C + k], expected[k]);
  }
  EXPECT_EQ(block[0x5B], 0x77);
  EXPECT_EQ(block[0x63], 0x77);
}

TEST(SettingsBlock, EnableMaskAndFixedBytes) {
  SettingsRecord record = StagesRecord();
  record.stageEnabled(0) = 1;
  record.stageEnabled(1) = 1;
  record.stageEnabled(3) = 1;
  record.stageEnabled(6) = 2;  // a damaged flag: enables its own stage, never bit 7
  const SettingsBlock block = BuildSettingsBlock(record);
  EXPECT_EQ(block[0x64], 0x4B);
  EXPECT_EQ(block[0x02], 1);
  EXPECT_EQ(block[0x30], 0x11);
  EXPECT_EQ(block[0x32], 0x42);
  EXPECT_EQ(block[0x40], 0x0F);
  EXPECT_EQ(block[0x46], 7);
  // Bytes nobody sets keep the template.
  EXPECT_EQ(block[0x00], 0x8E);
  EXPECT_EQ(block[0x2A], 0xA0);
  EXPECT_EQ(block[0x4F], 0x03);

  record.stageEnabled(6) = 0;
  EXPECT_EQ(BuildSettingsBlock(record)[0x64], 0x0B);
}

TEST(SettingsBlock, SensitivityAngleSnapAndCorrection) {
  SettingsRecord record = StagesRecord();
  record.at(rec::kXSensitivity) = 5;
  record.at(rec::kYSensitivity) = 10;
  record.at(rec::kAngleSnap) = 1;
  record.at(rec::kGestureCorrection) = 1;
  SettingsBlock block = BuildSettingsBlock(record);
  EXPECT_EQ(block[0x4A], 100);
  EXPECT_EQ(block[0x4B], 200);
  EXPECT_EQ(block[0x33], 1);
  EXPECT_EQ(block[0x31], 0xE2);

  record.at(rec::kXSensitivity) = 13;  // 260 wraps to 8 bits
  record.at(rec::kGestureCorrection) = 200;
  block = BuildSettingsBlock(record);
  EXPECT_EQ(block[0x4A], 4);
  EXPECT_EQ(block[0x31], 0);

  const std::uint8_t table[] = {0x00, 0xE2, 0xF6, 0x00, 0x0F, 0x1E, 0x00};
  for (std::uint8_t p = 0; p < 7; ++p) EXPECT_EQ(GestureCorrectionByte(p), table[p]);
}

TEST(SettingsBlock, LightingRule) {
  SettingsRecord record = StagesRecord();
  record.at(rec::kLightingMode) = 1;
  record.at(rec::kBrightness) = 1;
  SettingsBlock block = BuildSettingsBlock(record);
  EXPECT_EQ(block[0x47], 0);
  EXPECT_EQ(block[0x48], 0x18);
  EXPECT_EQ(block[0x49], 0x04);

  record.at(rec::kBrightness) = 4;
  block = BuildSettingsBlock(record);
  EXPECT_EQ(block[0x47], 1);
  EXPECT_EQ(block[0x48], 8);
  EXPECT_EQ(block[0x49], 3);

  record.at(rec::kLightingMode) = 2;
  record.at(rec::kRespirationPeriod) = 5;
  block = BuildSettingsBlock(record);
  EXPECT_EQ(block[0x47], 2);
  EXPECT_EQ(block[0x48], 5);
  EXPECT_EQ(block[0x49], 3);

  record.at(rec::kLightingMode) = 3;
  record.at(rec::kNeonPeriod) = 5;
  block = BuildSettingsBlock(record);
  EXPECT_EQ(block[0x47], 3);
  EXPECT_EQ(block[0x48], 15);
  EXPECT_EQ(block[0x49], 0x04);

  record.at(rec::kLightingMode) = 9;
  block = BuildSettingsBlock(record);
  EXPECT_EQ(block[0x47], 9);
  EXPECT_EQ(block[0x48], 0x18);
}

TEST(SettingsBlock, ColoursCopiedAndTailCleared) {
  SettingsRecord record = StagesRecord();
  for (std::size_t i = 0; i < 21; ++i) record.at(23 + i) = static_cast<std::uint8_t>(0xC0 + i);
  const SettingsBlock block = BuildSettingsBlock(record);
  for (std::size_t i = 0; i < 21; ++i) EXPECT_EQ(block[0x68 + i], 0xC0 + i);
  EXPECT_EQ(block[0x7D], 0);
  EXPECT_EQ(block[0x7E], 0);
  EXPECT_EQ(block[0x7F], 0);
}

TEST(KeyTableSlots, ButtonsMapToTheirSlots) {
  EXPECT_EQ(kKeyTableSlot[3], 5);  // bytes 20-23
  EXPECT_EQ(kKeyTableSlot[5], 3);  // bytes 12-15
  // No button lands on the fixed or unused slots.
  for (std::uint8_t slot : kKeyTableSlot) {
    EXPECT_NE(slot, 7);
    EXPECT_NE(slot, 12);
    EXPECT_NE(slot, 13);
    EXPECT_NE(slot, 14);
    EXPECT_NE(slot, 15);
    EXPECT_LT(slot, 24);
  }
}

}  // namespace
}  // namespace gm
