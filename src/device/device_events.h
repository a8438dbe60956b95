// The mouse's event codes: the third byte of an event report (6, 7, code, value), and the two
// events hot-plug hands to the main window on the same path.
#pragma once

namespace gm {

inline constexpr unsigned kEventDpiStageFirst = 1;
inline constexpr unsigned kEventDpiStageLast = 3;
inline constexpr unsigned kEventMacroKey = 9;
inline constexpr unsigned kEventMouseDetected = 14;
inline constexpr unsigned kEventMouseNotDetected = 15;

}  // namespace gm
