// Writes the factory files of the distribution folder: make_factory_files <folder>
#include <iostream>
#include <string>

#include "config/factory_files.h"
#include "platform/portable_ini_file.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_factory_files <folder>\n";
    return 2;
  }
  gm::PortableIniFile ini;
  const std::wstring failure = gm::WriteFactoryFiles(gm::FilePath::FromNative(argv[1]), ini);
  if (!failure.empty()) {
    std::cerr << "make_factory_files: " << gm::FilePath(failure).Utf8() << "\n";
    return 1;
  }
  return 0;
}
