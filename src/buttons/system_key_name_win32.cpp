#include <windows.h>

#include "buttons/system_key_name.h"

namespace gm {

std::wstring SystemKeyName(std::uint32_t keystrokeFlags) {
  wchar_t buffer[32] = {};
  const int length = GetKeyNameTextW(static_cast<LONG>(keystrokeFlags), buffer, 32);
  if (length <= 0) return {};
  return std::wstring(buffer, static_cast<std::size_t>(length));
}

}  // namespace gm
