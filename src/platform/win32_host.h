// Host services of the Windows program.
#pragma once

#include "platform/host.h"

namespace gm {

class Win32Host : public Host {
 public:
  // owner: the HWND message boxes belong to and whose cursor and timers these are (may be
  // null: no cursor, no timers), kept as an opaque pointer so that this header needs no
  // Windows header.
  explicit Win32Host(void* owner = nullptr) : owner_(owner) {}
  void SetOwner(void* owner) { owner_ = owner; }

  void Pause(std::uint32_t milliseconds) override;
  std::uint32_t TickCount() override;
  int ShowMessage(const std::wstring& text, const std::wstring& title, unsigned flags) override;
  std::optional<std::wstring> ChooseOpenFile(const FileDialogRequest& request) override;
  std::optional<std::wstring> ChooseSaveFile(const FileDialogRequest& request) override;
  void SetWaitCursor() override;
  void RestoreArrowCursor() override;
  void StartTimer(unsigned id, std::uint32_t milliseconds) override;
  void KillTimer(unsigned id) override;

 private:
  void* owner_;
};

}  // namespace gm
