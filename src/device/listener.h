// The loop of the listener thread: reads the mouse's event reports from its event interface
// and hands each one (6, 7, code, value) to the main window. Only the window thread sends
// commands; the listener only reads.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "device/device_session.h"
#include "platform/hid_system.h"
#include "platform/wake_event.h"

namespace gm {

inline constexpr std::size_t kListenerBufferSize = 40;
inline constexpr std::uint8_t kEventReportId = 6;
inline constexpr std::uint8_t kEventReportMarker = 7;

// What ResumeThread answers when it fails.
inline constexpr std::uint32_t kResumeFailed = 0xFFFFFFFFu;

// Resumes a thread however often it was suspended: resume answers the suspend count before
// the call, as ResumeThread does. False when resuming failed; a failure ends the attempt
// instead of being retried for ever.
bool ResumeUntilRunning(const std::function<std::uint32_t()>& resume);

class Listener {
 public:
  // send: hands an event (code, value) to the main window and returns when it is handled.
  Listener(HidSystem& hid, const DeviceSession& session, WakeEvent& wake,
           std::function<void(std::uint8_t, std::uint8_t)> send)
      : hid_(hid), session_(session), wake_(wake), send_(std::move(send)) {}

  // One pass of the loop; the thread runs it forever.
  void Pass();
  [[noreturn]] void Run() {
    buffer_.fill(0);
    for (;;) Pass();
  }

 private:
  HidSystem& hid_;
  const DeviceSession& session_;
  WakeEvent& wake_;
  std::function<void(std::uint8_t, std::uint8_t)> send_;
  std::array<std::uint8_t, kListenerBufferSize> buffer_{};
};

}  // namespace gm
