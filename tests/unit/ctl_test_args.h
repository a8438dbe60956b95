// gm900ctl's arguments as the tests write them: paths and words (UTF-8) mixed in one list.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/file_path.h"

namespace gm::test {

struct Arg {
  FilePath path;
  Arg(const char* word) : path(FilePath::FromUtf8(word)) {}
  Arg(const std::string& word) : path(FilePath::FromUtf8(word)) {}
  Arg(const std::filesystem::path& file) : path(file) {}
  Arg(const FilePath& file) : path(file) {}
};

struct Paths : std::vector<FilePath> {
  Paths() = default;
  Paths(std::initializer_list<Arg> args) {
    for (const Arg& arg : args) push_back(arg.path);
  }
};

}  // namespace gm::test
