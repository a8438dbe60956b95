// A Host that writes every protocol pause to a trace and then hands it to another Host
// (or, with none, does not wait at all).
#pragma once

#include "device/trace.h"
#include "platform/host.h"

namespace gm {

class TracingHost : public Host {
 public:
  TracingHost(Trace* trace, Host* inner) : trace_(trace), inner_(inner) {}

  void Pause(std::uint32_t milliseconds) override {
    if (trace_ != nullptr) trace_->Pause(milliseconds);
    if (inner_ != nullptr) inner_->Pause(milliseconds);
  }
  std::uint32_t TickCount() override { return inner_ != nullptr ? inner_->TickCount() : 0; }
  int ShowMessage(const std::wstring& text, const std::wstring& title, unsigned flags) override {
    return inner_ != nullptr ? inner_->ShowMessage(text, title, flags) : kIdOk;
  }
  std::optional<std::wstring> ChooseOpenFile(const FileDialogRequest& request) override {
    return inner_ != nullptr ? inner_->ChooseOpenFile(request) : std::nullopt;
  }
  std::optional<std::wstring> ChooseSaveFile(const FileDialogRequest& request) override {
    return inner_ != nullptr ? inner_->ChooseSaveFile(request) : std::nullopt;
  }
  void SetWaitCursor() override {
    if (inner_ != nullptr) inner_->SetWaitCursor();
  }
  void RestoreArrowCursor() override {
    if (inner_ != nullptr) inner_->RestoreArrowCursor();
  }
  void StartTimer(unsigned id, std::uint32_t milliseconds) override {
    if (inner_ != nullptr) inner_->StartTimer(id, milliseconds);
  }
  void KillTimer(unsigned id) override {
    if (inner_ != nullptr) inner_->KillTimer(id);
  }

 private:
  Trace* trace_;
  Host* inner_;
};

}  // namespace gm
