// The real SystemParametersInfoW calls (run under Wine): values that Wine reads back
// correctly are read back; the speed is not, because Wine reads it from the wrong parameter.
#include <windows.h>

#include <gtest/gtest.h>

#include "config/pointer_settings.h"
#include "fake_host.h"
#include "platform/win32_desktop_settings.h"

namespace gm {
namespace {

TEST(Win32DesktopSettings, SaveAppliesAndReadsBack) {
  SettingsRecord record;
  record.at(rec::kPointerPrecision) = 1;
  record.at(rec::kPointerSpeed) = 4;
  record.at(rec::kWheelLines) = 7;
  record.at(rec::kDoubleClickSpeed) = 8;
  Win32DesktopSettings desktop;
  test::FakeHost host;
  ApplyPointerSettings(record, desktop, host);
  EXPECT_TRUE(host.messages.empty());

  int mouse[3] = {};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETMOUSE, 0, mouse, 0));
  EXPECT_EQ(mouse[0], 6);
  EXPECT_EQ(mouse[1], 10);
  EXPECT_EQ(mouse[2], 1);
  UINT lines = 0;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
  EXPECT_EQ(lines, 7u);
  EXPECT_EQ(GetDoubleClickTime(), 410u);

  record.at(rec::kScrollOneScreen) = 1;
  record.at(rec::kPointerSpeed) = 12;  // speed 22: out of range everywhere
  ApplyPointerSettings(record, desktop, host);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, L"SETMOUSESPEED failed.");
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
  EXPECT_EQ(lines, 0xFFFFFFFFu);
}

}  // namespace
}  // namespace gm
