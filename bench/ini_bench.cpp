// The INI engine on a full record.ini: a first read (the parse), reading every key of every
// macro, storing one macro (its section deleted and written again, key by key, as the macro
// store does) and renaming the first one (there and back). On Windows the same operations run
// on copies of the same file through the system's profile functions, and each line shows the
// ratio of the two. Usage: ini_bench [runs] [items per macro] [macros]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "platform/ini_file.h"
#include "platform/portable_ini_file.h"
#include "platform/text_codec.h"
#ifdef _WIN32
#include "platform/win32_ini_file.h"
#endif

namespace {

struct Shape {
  int macros = 19;
  int items = 160;
};

std::filesystem::path ScratchFolder() {
  std::random_device random;
  std::filesystem::path folder;
  do {
    folder = std::filesystem::temp_directory_path() / ("gm-ini-bench-" + std::to_string(random()));
  } while (!std::filesystem::create_directory(folder));
  return folder;
}

std::wstring MacroName(int k) {
  return L"Macro_" + std::to_wstring(k);
}

std::wstring Item(int i) {
  if (i % 2 == 1) return std::to_wstring(20 + i) + L" ms";
  return i % 4 == 0 ? L"A   Dn" : L"A   Up";
}

// record.ini as the macro manager writes it: UTF-16LE with its byte-order mark.
void WriteRecord(const std::filesystem::path& file, const Shape& shape) {
  std::wstring text;
  for (int k = 0; k < shape.macros; ++k) {
    text += L"[" + MacroName(k) + L"]\r\nDelayTimeSelStatus=1\r\nLoopTimeSelStatus=1\r\n" +
            L"MacroLoopTimes=3\r\nItemCount=" + std::to_wstring(shape.items) + L"\r\n";
    for (int i = 0; i < shape.items; ++i) {
      text += L"Item" + std::to_wstring(i) + L"=" + Item(i) + L"\r\n";
    }
  }
  std::string bytes = "\xFF\xFE";
  for (const wchar_t c : text) {  // the text is in the Basic Multilingual Plane
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>((c >> 8) & 0xFF);
  }
  std::ofstream(file, std::ios::binary) << bytes;
}

// Every key of every macro, as the encoder reads them; returns the number of values read.
std::size_t ReadAll(gm::IniFile& ini, const std::filesystem::path& file) {
  std::size_t values = 0;
  for (const std::wstring& name : ini.SectionNames(file, 1024)) {
    for (const wchar_t* key : {L"DelayTimeSelStatus", L"LoopTimeSelStatus", L"MacroLoopTimes"}) {
      values += !ini.ReadString(file, name, key).empty();
    }
    const int count = std::atoi(gm::ToUtf8(ini.ReadString(file, name, L"ItemCount")).c_str());
    for (int i = 0; i < count; ++i) {
      values += !ini.ReadString(file, name, L"Item" + std::to_wstring(i)).empty();
    }
  }
  return values;
}

void StoreMacro(gm::IniFile& ini, const std::filesystem::path& file, const std::wstring& name,
                const Shape& shape) {
  ini.DeleteSection(file, name);
  ini.WriteString(file, name, L"DelayTimeSelStatus", L"1");
  ini.WriteString(file, name, L"LoopTimeSelStatus", L"1");
  ini.WriteString(file, name, L"MacroLoopTimes", L"3");
  ini.WriteString(file, name, L"ItemCount", std::to_wstring(shape.items));
  for (int i = 0; i < shape.items; ++i) {
    ini.WriteString(file, name, L"Item" + std::to_wstring(i), Item(i));
  }
}

struct Figures {
  double parse = 0;
  double readAll = 0;
  double store = 0;
  double rename = 0;
  bool ok = true;
};

// `makeEngine` gives a new engine, so that the parse is measured on one that has kept nothing.
template <typename MakeEngine>
Figures Measure(const std::filesystem::path& folder, const char* tag, const Shape& shape, int runs,
                MakeEngine makeEngine) {
  Figures figures;
  const std::filesystem::path file = folder / (std::string(tag) + "-record.ini");
  WriteRecord(file, shape);
  const auto expected = static_cast<std::size_t>(shape.macros * (shape.items + 3));

  int copy = 0;
  figures.parse = gm::bench::BestMs(runs, [&] {
    // A file no engine has seen: a copy under a new name.
    const std::filesystem::path fresh =
        folder / (std::string(tag) + "-" + std::to_string(copy++) + ".ini");
    std::filesystem::copy_file(file, fresh);
    std::unique_ptr<gm::IniFile> ini = makeEngine();
    figures.ok = ini->SectionNames(fresh, 1024).size() == static_cast<std::size_t>(shape.macros) &&
                 figures.ok;
  });

  std::unique_ptr<gm::IniFile> ini = makeEngine();
  figures.readAll =
      gm::bench::BestMs(runs, [&] { figures.ok = ReadAll(*ini, file) == expected && figures.ok; });
  figures.store =
      gm::bench::BestMs(runs, [&] { StoreMacro(*ini, file, MacroName(shape.macros - 1), shape); });
  figures.rename = gm::bench::BestMs(runs,
                                     [&] {
                                       figures.ok =
                                           ini->RenameSection(file, MacroName(0), L"Renamed") &&
                                           ini->RenameSection(file, L"Renamed", MacroName(0)) &&
                                           figures.ok;
                                     }) /
                   2;
  figures.ok = ReadAll(*ini, file) == expected && figures.ok;
  return figures;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  Shape shape;
  if (argc > 2) shape.items = std::max(1, std::atoi(argv[2]));
  if (argc > 3) shape.macros = std::max(1, std::atoi(argv[3]));
  const std::filesystem::path folder = ScratchFolder();

  const Figures own =
      Measure(folder, "own", shape, runs, [] { return std::make_unique<gm::PortableIniFile>(); });
  WriteRecord(folder / "size.ini", shape);
  std::printf("record.ini of %d macros x %d items, %ju bytes; best of %d runs\n", shape.macros,
              shape.items,
              static_cast<std::uintmax_t>(std::filesystem::file_size(folder / "size.ini")), runs);
#ifdef _WIN32
  const Figures system =
      Measure(folder, "system", shape, runs, [] { return std::make_unique<gm::Win32IniFile>(); });
  std::printf("%-28s %12s %12s %8s\n", "", "own engine", "system", "ratio");
  const auto line = [](const char* what, double mine, double theirs) {
    std::printf("%-28s %9.2f ms %9.2f ms %8.2f\n", what, mine, theirs, mine / theirs);
  };
  line("parse (first read)", own.parse, system.parse);
  line("read every key", own.readAll, system.readAll);
  line("store the last macro", own.store, system.store);
  line("rename the first macro", own.rename, system.rename);
  const bool ok = own.ok && system.ok;
#else
  std::printf("%-28s %12s\n", "", "own engine");
  const auto line = [](const char* what, double mine) {
    std::printf("%-28s %9.2f ms\n", what, mine);
  };
  line("parse (first read)", own.parse);
  line("read every key", own.readAll);
  line("store the last macro", own.store);
  line("rename the first macro", own.rename);
  const bool ok = own.ok;
#endif
  if (!ok) std::printf("FAILED: a read gave other values than were written\n");
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return ok ? 0 : 1;
}
