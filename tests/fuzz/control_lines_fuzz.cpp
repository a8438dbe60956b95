// The virtual mouse's control file: random bytes appended in random pieces (now and then the
// file is emptied, as a new run of a test does), read back as lines, parsed, and carried out
// on the virtual mouse, whose event reports are then read as the listener reads them. Every
// complete line is taken exactly once and whole, a parsed command means the same when written
// out again, and an injected report arrives as it was sent.
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "device/virtual_mouse.h"
#include "device/virtual_mouse_control.h"
#include "fuzz_support.h"
#include "platform/wake_event.h"

namespace {

std::string Canonical(const gm::VirtualMouseCommand& command) {
  using Kind = gm::VirtualMouseCommand::Kind;
  if (command.kind == Kind::Unplug) return "unplug";
  if (command.kind == Kind::Plug) return "plug";
  static constexpr char kHex[] = "0123456789abcdef";
  std::string line = "report";
  for (const std::uint8_t b : command.report) {
    line += " 0x";
    line += kHex[b / 16];
    line += kHex[b % 16];
  }
  return line;
}

void Append(const std::filesystem::path& file, std::span<const std::uint8_t> bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::app);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const gm::fuzz::ScratchFolder scratch;
  const std::filesystem::path file = scratch.path() / "control.txt";
  gm::fuzz::WriteFile(file, {});
  gm::fuzz::Input in(data, size);

  gm::ControlFileReader reader(file);
  std::string written;    // what the file holds since it was last emptied
  std::size_t taken = 0;  // bytes of `written` that the lines read so far cover
  gm::VirtualMouse mouse;
  gm::PortableWakeEvent wake;
  gm::HidHandle events = mouse.Open(gm::VirtualMouse::kEventPath, gm::HidOpenMode::EventRead);

  while (!in.empty()) {
    const auto piece = in.ShortBytes();
    if (piece.empty()) {
      gm::fuzz::WriteFile(file, {});
      written.clear();
      taken = 0;
    } else {
      Append(file, piece);
      written.append(piece.begin(), piece.end());
    }
    for (const std::string& line : reader.TakeNewLines()) {
      // Lines come whole and in order: the file's next line, without its CR LF or LF.
      const std::size_t end = written.find('\n', taken);
      GM_FUZZ_CHECK(end != std::string::npos);
      std::string expected = written.substr(taken, end - taken);
      if (!expected.empty() && expected.back() == '\r') expected.pop_back();
      GM_FUZZ_CHECK(line == expected);
      taken = end + 1;

      const auto command = gm::ParseVirtualMouseCommand(line);
      if (!command) continue;
      const auto again = gm::ParseVirtualMouseCommand(Canonical(*command));
      GM_FUZZ_CHECK(again && again->kind == command->kind && again->report == command->report);
      using Kind = gm::VirtualMouseCommand::Kind;
      if (command->kind == Kind::Unplug) {
        mouse.Unplug();
        continue;
      }
      if (command->kind == Kind::Plug) {
        mouse.Plug();
        mouse.Close(events);
        events = mouse.Open(gm::VirtualMouse::kEventPath, gm::HidOpenMode::EventRead);
        continue;
      }
      GM_FUZZ_CHECK(!command->report.empty());
      mouse.InjectEventReport(command->report);
      std::vector<std::uint8_t> buffer(gm::VirtualMouse::kEventReportLength, 0xEE);
      wake.Reset();
      if (!mouse.StartEventRead(events, buffer, wake)) {
        GM_FUZZ_CHECK(!mouse.plugged());
        continue;
      }
      wake.Wait();
      const std::size_t count = mouse.FinishEventRead(events);
      GM_FUZZ_CHECK(count == buffer.size());
      std::vector<std::uint8_t> sent = command->report;
      sent.resize(std::max(sent.size(), buffer.size()), 0);
      GM_FUZZ_CHECK(std::equal(buffer.begin(), buffer.end(), sent.begin()));
    }
    // Whatever is left after the last newline waits for the rest of its line.
    GM_FUZZ_CHECK(written.find('\n', taken) == std::string::npos);
  }
  mouse.Close(events);
  return 0;
}
