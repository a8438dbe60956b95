// The desktop pointer settings: value mapping, call order and the failure messages.
#include <gtest/gtest.h>

#include "config/pointer_settings.h"
#include "fake_host.h"

namespace gm {
namespace {

SettingsRecord Pointer(std::uint8_t precision, std::uint8_t oneScreen, std::uint8_t speed,
                       std::uint8_t lines, std::uint8_t doubleClick) {
  SettingsRecord record;
  record.at(rec::kPointerPrecision) = precision;
  record.at(rec::kScrollOneScreen) = oneScreen;
  record.at(rec::kPointerSpeed) = speed;
  record.at(rec::kWheelLines) = lines;
  record.at(rec::kDoubleClickSpeed) = doubleClick;
  return record;
}

TEST(PointerSettings, CallsInOrderWithMappedValues) {
  RecordingDesktopSettings desktop;
  test::FakeHost host;
  ApplyPointerSettings(Pointer(1, 0, 2, 3, 1), desktop, host);
  EXPECT_EQ(desktop.calls,
            (std::vector<std::string>{"SETMOUSE 6 10 1 /2", "SETMOUSESPEED 2 /2",
                                      "SETWHEELSCROLLLINES 3 /2", "SETDOUBLECLICKTIME 900 /3"}));
  EXPECT_TRUE(host.messages.empty());
}

TEST(PointerSettings, ValueMapping) {
  EXPECT_EQ(PointerSettingsOf(Pointer(2, 0, 1, 3, 8)).mouse, (std::array<int, 3>{0, 0, 0}));
  EXPECT_EQ(PointerSettingsOf(Pointer(2, 0, 1, 3, 8)).speed, 1u);
  EXPECT_EQ(PointerSettingsOf(Pointer(2, 0, 10, 3, 8)).speed, 18u);
  EXPECT_EQ(PointerSettingsOf(Pointer(2, 0, 1, 3, 8)).doubleClickMs, 410u);
  EXPECT_EQ(PointerSettingsOf(Pointer(2, 0, 1, 3, 12)).doubleClickMs, 130u);
  EXPECT_EQ(PointerSettingsOf(Pointer(2, 1, 1, 7, 1)).wheelLines, 0xFFFFFFFFu);
  EXPECT_EQ(PointerSettingsOf(Pointer(2, 5, 1, 7, 1)).wheelLines, 0xFFFFFFFFu);
  // Damaged positions stay inside what the platform can take.
  EXPECT_EQ(PointerSettingsOf(Pointer(0, 0, 0, 0, 0)).speed, 1u);
  EXPECT_EQ(PointerSettingsOf(Pointer(0, 0, 0, 0, 255)).doubleClickMs, 0u);
}

TEST(PointerSettings, SpeedOutOfRangeFailsAloneAndTheRestStillApply) {
  RecordingDesktopSettings desktop;
  test::FakeHost host;
  ApplyPointerSettings(Pointer(1, 0, 12, 3, 12), desktop, host);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, L"SETMOUSESPEED failed.");
  EXPECT_EQ(host.messages[0].title, L"Warning");
  EXPECT_EQ(host.messages[0].flags, kMbOk);
  EXPECT_EQ(desktop.calls,
            (std::vector<std::string>{"SETMOUSE 6 10 1 /2", "SETWHEELSCROLLLINES 3 /2",
                                      "SETDOUBLECLICKTIME 130 /3"}));
}

TEST(PointerSettings, EachFailureHasItsOwnMessage) {
  const std::pair<const char*, const wchar_t*> cases[] = {
      {"SETMOUSE", L"SETMOUSE failed."},
      {"SETWHEELSCROLLLINES", L"SETWHEELSCROLLLINES failed."},
      {"SETDOUBLECLICKTIME", L"SPI_SETDOUBLECLICKTIME failed."}};
  for (const auto& [call, message] : cases) {
    RecordingDesktopSettings desktop;
    desktop.failing = call;
    test::FakeHost host;
    ApplyPointerSettings(Pointer(1, 0, 2, 3, 1), desktop, host);
    ASSERT_EQ(host.messages.size(), 1u) << call;
    EXPECT_EQ(host.messages[0].text, message);
    EXPECT_EQ(desktop.calls.size(), 4u);
  }
}

}  // namespace
}  // namespace gm
