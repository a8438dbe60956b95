// What the device link keeps while the program runs: the opened interfaces and whether the
// mouse is connected. Discovery writes it on the window thread; the listener thread reads it.
#pragma once

#include <atomic>
#include <cstdint>

#include "device/link_state.h"

namespace gm {

struct DeviceSession {
  // 1 while the command interface is open; read by the listener thread without a lock.
  std::atomic<std::uint32_t> connectedFlag{0};
  LinkState link;
};

}  // namespace gm
