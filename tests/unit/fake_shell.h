// A Shell for tests: remembers every target it was asked to open.
#pragma once

#include <string>
#include <vector>

#include "platform/shell.h"

namespace gm::test {

class FakeShell : public Shell {
 public:
  void Open(const std::wstring& target) override { opened.push_back(target); }
  std::vector<std::wstring> opened;
};

}  // namespace gm::test
