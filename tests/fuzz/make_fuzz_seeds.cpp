// Writes the seed corpus of every fuzz target: make_fuzz_seeds <folder> writes
// <folder>/<target>/<seed> with the program's own generators (the factory files, the macro
// store, the virtual mouse), each in the layout its target reads.
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "cli/config_document.h"
#include "config/apply_flows.h"
#include "config/factory_files.h"
#include "config/key_table.h"
#include "device/command_link.h"
#include "device/device_operations.h"
#include "device/discovery.h"
#include "device/virtual_mouse.h"
#include "fake_host.h"
#include "fuzz_support.h"
#include "macro/macro_store.h"
#include "macro_items.h"
#include "platform/portable_ini_file.h"

namespace {

using gm::fuzz::SeedWriter;
using gm::test::Delay;
using gm::test::Press;
using gm::test::Release;
using Bytes = std::vector<std::uint8_t>;

std::filesystem::path output;

void Seed(const std::string& target, const std::string& name, const Bytes& bytes) {
  const std::filesystem::path folder = output / target;
  std::filesystem::create_directories(folder);
  gm::fuzz::WriteFile(folder / name, bytes);
}

Bytes Text(const std::string& text) {
  return {text.begin(), text.end()};
}

// The virtual mouse seen through the scripted device's eyes: every answer it gives is written
// as the bytes from which the scripted device gives the same answer.
class RecordingMouse : public gm::VirtualMouse {
 public:
  explicit RecordingMouse(SeedWriter& seed) : seed_(seed) {}
  bool SetFeature(gm::HidHandle handle, std::span<const std::uint8_t> report) override {
    const bool ok = VirtualMouse::SetFeature(handle, report);
    seed_.Byte(ok ? 1 : 0);
    return ok;
  }
  bool GetFeature(gm::HidHandle handle, std::span<std::uint8_t> report) override {
    const bool ok = VirtualMouse::GetFeature(handle, report);
    seed_.ShortBytes(ok ? report : std::span<std::uint8_t>());
    return ok;
  }
  bool WriteReport(gm::HidHandle handle, std::span<const std::uint8_t> report) override {
    const bool ok = VirtualMouse::WriteReport(handle, report);
    seed_.Byte(ok ? 1 : 0);
    return ok;
  }
  std::size_t ReadReport(gm::HidHandle handle, std::span<std::uint8_t> report) override {
    const std::size_t count = VirtualMouse::ReadReport(handle, report);
    seed_.ShortBytes(report.first(count));
    return count;
  }

 private:
  SeedWriter& seed_;
};

void IniSeeds(const std::filesystem::path& factory) {
  const Bytes strIni = gm::fuzz::ReadFile(factory / "str.ini");
  const Bytes record = gm::fuzz::ReadFile(factory / "record.ini");
  // Writes, deletes and reads of the names the program uses.
  auto ops = [](SeedWriter& seed) {
    seed.Byte(0).Byte(1).Byte(5).ShortBytes(Text("Value"));    // write Skins/Item0
    seed.Byte(0).Byte(0x81).Byte(4).ShortBytes(Text("1000"));  // write a new section
    seed.Byte(4).Byte(0).Byte(200).Byte(3);                    // read with a short buffer
    seed.Byte(2).Byte(1).Byte(6);                              // delete a key
    seed.Byte(3).Byte(0);                                      // delete a section
  };
  for (const auto& [name, bytes] : {std::pair{"str", strIni}, std::pair{"record", record}}) {
    SeedWriter seed;
    seed.LongBytes(bytes).Byte(1);
    ops(seed);
    Seed("ini_text", name, seed.bytes);
  }
  SeedWriter ansi;
  ansi.LongBytes(Text("[Skins]\r\nLan=GER\r\nPath=Default\r\n[Setting-EN]\r\nItem1=\xe9t\xe9\r\n"))
      .Byte(1);
  ops(ansi);
  Seed("ini_text", "ansi", ansi.bytes);
  SeedWriter missing;
  missing.LongBytes({}).Byte(0);
  ops(missing);
  Seed("ini_text", "missing", missing.bytes);
}

void ConfigSeeds(const std::filesystem::path& factory) {
  const Bytes strIni = gm::fuzz::ReadFile(factory / "str.ini");
  const Bytes config = gm::fuzz::ReadFile(factory / "config0.bin");
  const Bytes captions = gm::fuzz::ReadFile(factory / "str0.ini");
  for (const int flags : {0, 1, 16}) {
    SeedWriter seed;
    seed.Byte(static_cast<std::uint8_t>(flags))
        .LongBytes(strIni)
        .LongBytes(config)
        .LongBytes(captions)
        .Byte(0);
    Seed("config_files", "factory-" + std::to_string(flags), seed.bytes);
  }
  Bytes shorter(config.begin(), config.end() - 1);
  SeedWriter seed;
  seed.Byte(0).LongBytes(strIni).LongBytes(shorter).LongBytes(captions).Byte(0);
  Seed("config_files", "short-config", seed.bytes);
}

void MacroSeeds(const std::filesystem::path& factory) {
  const std::filesystem::path file = factory / "record.ini";
  gm::PortableIniFile ini;
  gm::MacroStore store(ini, file);
  store.Store({L"Worked example",
               true,
               true,
               L"3",
               {Press(L"A"), Delay(120), Release(L"A"), Delay(3000), Press(L"B"), Delay(20),
                Release(L"B")}});
  store.Store({L"Long delays",
               true,
               false,
               L"1",
               {Press(L"L-Button"), Delay(25500), Release(L"L-Button"), Delay(25501),
                Press(L"Left Windows"), Delay(1271), Release(L"Left Windows")}});
  store.Store({L"No delays",
               false,
               true,
               L"65535",
               {Press(L"7"), Press(L"Enter"), Release(L"7"), Release(L"Enter")}});
  Seed("macro_store", "three-macros", gm::fuzz::ReadFile(file));
  std::vector<std::wstring> items;
  for (int i = 0; i < 64; ++i) items.push_back(i % 2 == 0 ? Press(L"Q") : Release(L"Q"));
  store.Store({L"Too long", true, true, L"2", items});
  Seed("macro_store", "too-long", gm::fuzz::ReadFile(file));
}

void CommandLinkSeeds() {
  // The connect, Save and read-back sequences and a DPI event against the virtual mouse.
  SeedWriter seed;
  seed.Uint16(gm::VirtualMouse::kInputReportLength);
  RecordingMouse mouse(seed);
  gm::AppState state;
  gm::Discover(mouse, state);
  seed.bytes.clear();
  seed.Uint16(gm::VirtualMouse::kInputReportLength);
  gm::test::FakeHost host;
  gm::CommandLink link(mouse, host, state.link);
  seed.Byte(0);
  gm::ConnectToMouse(link, state);
  seed.Byte(1);
  gm::SendConfigurationToMouse(link, state);
  seed.Byte(2);
  gm::RunReadBackSequence(link, state.device);
  seed.Byte(3).Byte(1).Byte(3);
  gm::RunReadBackSequence(link, state.device);
  Seed("command_link", "virtual-mouse", seed.bytes);
}

void ListenerSeeds() {
  // Passes with reports as the mouse sends them (read length 8), then one foreign report.
  SeedWriter seed;
  seed.Uint16(gm::VirtualMouse::kEventReportLength).Byte(0);
  const std::vector<Bytes> reports = {{6, 7, 1, 3, 0, 0, 0, 0},
                                      {6, 7, 9, 2, 0, 0, 0, 0},
                                      {6, 7, 14, 0, 0, 0, 0, 0},
                                      {1, 2, 3, 4, 5, 6, 7, 8}};
  for (const Bytes& report : reports) {
    seed.Byte(1).Byte(1).ShortBytes(report);
    if (report[2] == 1) {
      // The read-back of the DPI event: profile 0, then a settings block of 128 bytes.
      const Bytes reply = {0, 0x82, 0, 0, 0, 0, 0, 0, 0x7D};
      seed.Byte(1).ShortBytes(reply).Byte(1).ShortBytes(Bytes{0, 0x8C, 0, 0x80, 0, 0, 0, 0, 0});
      Bytes chunk(65, 0x0D);
      seed.ShortBytes(chunk).ShortBytes(chunk);
    }
  }
  Seed("listener", "reports", seed.bytes);
}

void ControlSeeds() {
  const std::vector<std::string> pieces = {
      "dpi 3\n",       "macro 0x02\nevent 14 0\n",        "unp",
      "lug\r\nplug\n", "report 6 7 1 0x07 1 2 3 4 5 6\n", "dpi 300\nnonsense\n"};
  SeedWriter seed;
  for (const std::string& piece : pieces) seed.ShortBytes(Text(piece));
  seed.Byte(0).ShortBytes(Text("dpi 7\n"));
  Seed("control_lines", "commands", seed.bytes);
}

// show --json documents, a part of one, and function texts.
void DocumentInputs() {
  const std::filesystem::path folder = output / "config_document";
  std::filesystem::create_directories(folder);
  const auto write = [&](const std::string& name, const std::string& text) {
    gm::fuzz::WriteFile(folder / name, Text(text));
  };
  gm::cli::ConfigurationContent content{1, gm::FactoryRecord()};
  write("factory", gm::cli::DocumentJson(content, {}));
  content.record.at(gm::rec::kLightingMode) = 0xFE;
  content.record.button(gm::ButtonField::Category, 2) = 11;
  content.record.button(gm::ButtonField::ComboModifier, 2) = 0x30;
  content.record.button(gm::ButtonField::ComboKey2, 2) = 0x57;
  content.record.at(100) = 7;
  write("damaged", gm::cli::DocumentJson(content, {}));
  write("part",
        "{\"dpi\": {\"stage3\": {\"dpi\": 1600}}, \"buttons\": {\"button2\": "
        "{\"function\": \"Macro Key: Macro_1, repeat while held\"}}}");
  write("combo", "Combo Key: no modifier + Right Ctrl + Num +");
  write("hotkey", "HotKey: Copy (Ctrl + C)");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_fuzz_seeds <folder>\n";
    return 2;
  }
  output = argv[1];
  const std::filesystem::path factory = output / "factory-files";
  std::filesystem::create_directories(factory);
  gm::PortableIniFile ini;
  if (!gm::WriteFactoryFiles(factory, ini).empty()) return 1;
  IniSeeds(factory);
  ConfigSeeds(factory);
  MacroSeeds(factory);
  std::filesystem::remove_all(factory);
  CommandLinkSeeds();
  ListenerSeeds();
  ControlSeeds();
  DocumentInputs();
  return 0;
}
