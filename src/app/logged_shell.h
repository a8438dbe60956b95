// A Shell that first writes what it opens to the shell log ("shell-open TARGET"), then hands it
// to the system's shell.
#pragma once

#include "platform/shell.h"
#include "ui/ui_log.h"

namespace gm {

class LoggedShell : public Shell {
 public:
  LoggedShell(Shell& inner, UiLog& log) : inner_(inner), log_(log) {}
  void Open(const std::wstring& target) override {
    log_.Line(L"shell-open " + target);
    inner_.Open(target);
  }

 private:
  Shell& inner_;
  UiLog& log_;
};

}  // namespace gm
