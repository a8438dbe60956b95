// What the device link knows about the opened interfaces of the mouse.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "platform/hid_system.h"

namespace gm {

struct LinkState {
  std::wstring devicePath;  // after a successful discovery: the command interface
  HidHandle commandHandle = kInvalidHidHandle;
  // The event interface and its report length are written by discovery on the window thread
  // and read by the listener thread.
  std::atomic<HidHandle> eventHandle{kInvalidHidHandle};
  std::uint16_t featureReportLength = 0;
  std::uint16_t inputReportLength = 0;
  std::uint16_t outputReportLength = 0;  // recorded only: writes are always 65 bytes
  std::atomic<std::uint16_t> eventInputReportLength{0};
};

}  // namespace gm
