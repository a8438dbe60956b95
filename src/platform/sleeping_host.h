// A portable Host that really waits: std::this_thread::sleep_for for pauses, a steady clock
// for ticks, standard error for messages; file dialogs are cancelled. It has no window, so the
// cursor and the timers are left alone. Used off Windows by the command-line tool and the
// benchmarks.
#pragma once

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>

#include "platform/host.h"
#include "platform/text_codec.h"

namespace gm {

class SleepingHost : public Host {
 public:
  void Pause(std::uint32_t milliseconds) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
  std::uint32_t TickCount() override {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
  }
  int ShowMessage(const std::wstring& text, const std::wstring& title, unsigned) override {
    std::fprintf(stderr, "%s: %s\n", ToUtf8(title).c_str(), ToUtf8(text).c_str());
    return kIdOk;
  }
  std::optional<std::wstring> ChooseOpenFile(const FileDialogRequest&) override {
    return std::nullopt;
  }
  std::optional<std::wstring> ChooseSaveFile(const FileDialogRequest&) override {
    return std::nullopt;
  }
  void SetWaitCursor() override {}
  void RestoreArrowCursor() override {}
  void StartTimer(unsigned, std::uint32_t) override {}
  void KillTimer(unsigned) override {}
};

}  // namespace gm
