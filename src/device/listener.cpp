#include "device/listener.h"

#include <algorithm>

namespace gm {

bool ResumeUntilRunning(const std::function<std::uint32_t()>& resume) {
  for (;;) {
    const std::uint32_t previous = resume();
    if (previous == kResumeFailed) return false;
    if (previous <= 1) return true;
  }
}

void Listener::Pass() {
  wake_.Reset();
  const HidHandle handle = session_.link.eventHandle;
  if (session_.connectedFlag != 1 || handle == kInvalidHidHandle) {
    wake_.Wait();  // discovery signals once the event interface is open again
    return;
  }
  // The read size is the interface's input report length, kept within the buffer.
  const std::size_t size =
      std::clamp<std::size_t>(session_.link.eventInputReportLength, 1, buffer_.size());
  if (!hid_.StartEventRead(handle, std::span<std::uint8_t>(buffer_.data(), size), wake_)) {
    // A read that cannot even start (the device is gone): wait for discovery rather than
    // spinning on a dead handle.
    wake_.Wait();
    return;
  }
  wake_.Wait();
  // Woken by the read or by discovery: the read is ended either way, so that no read is left
  // running into the buffer when the next one starts. Unplugged meanwhile: nothing is handed on.
  const std::size_t transferred = hid_.FinishEventRead(handle);
  if (session_.connectedFlag == 0 || transferred == 0) return;
  if (buffer_[0] == kEventReportId && buffer_[1] == kEventReportMarker) {
    send_(buffer_[2], buffer_[3]);
  }
}

}  // namespace gm
