// How long the macro manager's writes to record.ini take with a full file: 19 macros of 63 key
// events each. A store of the last macro deletes and writes its section again; a store of the
// first writes over its section in place, so that it keeps its block number, and so does a
// rename of the first. OK then encodes all 19. On Windows through the system's profile functions,
// elsewhere through the program's own INI engine. Usage: macro_store_bench [runs]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "macro/macro_store.h"
#ifdef _WIN32
#include "platform/win32_ini_file.h"
using Engine = gm::Win32IniFile;
#else
#include "platform/portable_ini_file.h"
using Engine = gm::PortableIniFile;
#endif

namespace {

std::filesystem::path ScratchFile() {
  std::random_device random;
  std::filesystem::path folder;
  do {
    folder =
        std::filesystem::temp_directory_path() / ("gm-macro-bench-" + std::to_string(random()));
  } while (!std::filesystem::create_directory(folder));
  const std::filesystem::path file = folder / "record.ini";
  std::ofstream(file, std::ios::binary) << "\xFF\xFE";  // UTF-16LE, as shipped
  return file;
}

gm::Macro FullMacro(int number) {
  gm::Macro macro{L"Macro_" + std::to_wstring(number), true, true, L"3", {}};
  for (int i = 0; i < 63; ++i) {
    macro.items.push_back(i % 2 == 0 ? L"A   Dn" : L"A   Up");
    if (i + 1 < 63) macro.items.push_back(std::to_wstring(20 + i) + L" ms");
  }
  return macro;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const std::filesystem::path file = ScratchFile();
  Engine ini;
  gm::MacroStore store(ini, file);
  std::vector<gm::Macro> macros;
  for (int k = 0; k < 19; ++k) macros.push_back(FullMacro(k));
  const double fill = gm::bench::BestMs(1, [&] {
    for (const gm::Macro& macro : macros) store.Store(macro);
  });
  const double last = gm::bench::BestMs(runs, [&] { store.Store(macros.back()); });
  const double first = gm::bench::BestMs(runs, [&] { store.Store(macros.front()); });
  // There and back again: each rename moves the whole file after the first section.
  const auto renameTwice = [&] {
    store.Rename(0, L"Macro_0", L"Renamed_0");
    store.Rename(0, L"Renamed_0", L"Macro_0");
  };
  const double rename = gm::bench::BestMs(runs, renameTwice) / 2;
  bool ok = true;
  const double encode = gm::bench::BestMs(runs, [&] {
    const auto encoding = store.EncodeAll();
    ok = ok && encoding && encoding->ok();
  });
  const bool inPlace = store.Names().front() == L"Macro_0";
  std::printf("record.ini of 19 macros x 125 items, %ju bytes\n",
              static_cast<std::uintmax_t>(std::filesystem::file_size(file)));
  std::printf("writing all 19:            %8.1f ms\n", fill);
  std::printf("store of the last macro:   %8.1f ms\n", last);
  std::printf("store of the first macro:  %8.1f ms (in place)\n", first);
  std::printf("rename of the first macro: %8.1f ms (in place)\n", rename);
  std::printf("encode all (OK):           %8.1f ms%s\n", encode, ok ? "" : "  FAILED");
  std::printf("first macro kept its place: %s\n", inPlace ? "yes" : "NO");
  std::error_code ignored;
  std::filesystem::remove_all(file.parent_path(), ignored);
  return ok && inPlace ? 0 : 1;
}
