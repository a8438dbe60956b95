// Sends commands and transfers data blocks on the command interface. The only code that
// talks to that interface. Results of the HID calls are deliberately not checked: a vanished
// mouse is handled by hot-plug, and a read that returns nothing reads as zeros.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <utility>

#include "device/device_command.h"
#include "device/link_state.h"
#include "platform/hid_system.h"
#include "platform/host.h"

namespace gm {

class CommandLink {
 public:
  CommandLink(HidSystem& hid, Host& host, const LinkState& state)
      : hid_(hid), host_(host), state_(state) {}

  // Sends the command; for a read command the reply is copied over it.
  void SendCommand(DeviceCommand& command);

  // Sends the command, then for a write the first argument2 bytes of data in 64-byte chunks
  // (100 ms after each); for a read the reply's announced block, copied within data.
  void Transfer(DeviceCommand& command, std::span<std::uint8_t> data);

  // Pauses unless the link has ended.
  void Pause(std::uint32_t milliseconds) {
    if (!ended_) host_.Pause(milliseconds);
  }

  // Called before every report the link is about to send or read; false ends the link there:
  // that report and every later one, and every later pause, are skipped (reads give zeros).
  void Watch(std::function<bool()> beforeReport) { beforeReport_ = std::move(beforeReport); }
  bool ended() const { return ended_; }

 private:
  // True when the next report may go out.
  bool Proceed();

  std::function<bool()> beforeReport_;
  bool ended_ = false;
  HidSystem& hid_;
  Host& host_;
  const LinkState& state_;
};

}  // namespace gm
