// The shell-facing control channel of the virtual mouse.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "device/virtual_mouse_control.h"

namespace gm {
namespace {

TEST(VirtualMouseControl, ParsesEveryCommandForm) {
  auto dpi = ParseVirtualMouseCommand("dpi 3");
  ASSERT_TRUE(dpi);
  EXPECT_EQ(dpi->report, (std::vector<std::uint8_t>{6, 7, 1, 3}));
  EXPECT_EQ(ParseVirtualMouseCommand("macro 2")->report, (std::vector<std::uint8_t>{6, 7, 9, 2}));
  EXPECT_EQ(ParseVirtualMouseCommand("  event 0x0e 0 ")->report,
            (std::vector<std::uint8_t>{6, 7, 14, 0}));
  EXPECT_EQ(ParseVirtualMouseCommand("report 5 7 1 3")->report,
            (std::vector<std::uint8_t>{5, 7, 1, 3}));
  EXPECT_EQ(ParseVirtualMouseCommand("unplug")->kind, VirtualMouseCommand::Kind::Unplug);
  EXPECT_EQ(ParseVirtualMouseCommand("plug")->kind, VirtualMouseCommand::Kind::Plug);
}

TEST(VirtualMouseControl, RejectsMalformedLines) {
  for (const char* line : {"", "   ", "dpi", "dpi 256", "dpi x", "dpi 1 2", "unplug 1", "jump 3",
                           "report", "event 1", "dpi -1", "dpi 0x"}) {
    EXPECT_FALSE(ParseVirtualMouseCommand(line)) << line;
  }
}

TEST(VirtualMouseControl, ReaderTakesOnlyCompleteNewLines) {
  const auto file = std::filesystem::temp_directory_path() / "gm-control-test.txt";
  std::filesystem::remove(file);
  ControlFileReader reader(file);
  EXPECT_TRUE(reader.TakeNewLines().empty());  // no file yet

  { std::ofstream(file, std::ios::binary) << "dpi 1\r\ndpi"; }
  EXPECT_EQ(reader.TakeNewLines(), (std::vector<std::string>{"dpi 1"}));
  { std::ofstream(file, std::ios::binary | std::ios::app) << " 2\nplug\n"; }
  EXPECT_EQ(reader.TakeNewLines(), (std::vector<std::string>{"dpi 2", "plug"}));
  EXPECT_TRUE(reader.TakeNewLines().empty());

  { std::ofstream(file, std::ios::binary) << "unplug\n"; }  // replaced by a shorter file
  EXPECT_EQ(reader.TakeNewLines(), (std::vector<std::string>{"unplug"}));
  std::filesystem::remove(file);
}

}  // namespace
}  // namespace gm
