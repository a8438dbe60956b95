// The shell and the processor architecture on Windows.
#pragma once

#include <cstdint>

#include "platform/shell.h"

namespace gm {

class Win32Shell : public Shell {
 public:
  void Open(const std::wstring& target) override;
};

// wProcessorArchitecture of GetNativeSystemInfo: the machine's own architecture, also when a
// 32-bit program runs on a 64-bit system.
std::uint16_t NativeProcessorArchitecture();

}  // namespace gm
