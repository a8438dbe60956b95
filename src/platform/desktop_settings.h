// The desktop's own pointer settings (SystemParametersInfoW on Windows). Each call returns
// whether the platform took the value.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace gm {

// Update flags as SystemParametersInfoW takes them.
inline constexpr unsigned kSpifUpdateIniFile = 1;
inline constexpr unsigned kSpifSendChange = 2;

class DesktopSettings {
 public:
  virtual ~DesktopSettings() = default;
  // SPI_SETMOUSE: the two acceleration thresholds and the acceleration.
  virtual bool SetMouse(const std::array<int, 3>& thresholdsAndAcceleration, unsigned flags) = 0;
  // SPI_SETMOUSESPEED: the speed goes in the third parameter as a value (1-20).
  virtual bool SetMouseSpeed(std::uint32_t speed, unsigned flags) = 0;
  // SPI_SETWHEELSCROLLLINES: lines in the first parameter; 0xFFFFFFFF scrolls a screen.
  virtual bool SetWheelScrollLines(std::uint32_t lines, unsigned flags) = 0;
  // SPI_SETDOUBLECLICKTIME: milliseconds in the first parameter.
  virtual bool SetDoubleClickTime(std::uint32_t milliseconds, unsigned flags) = 0;
};

// Records the calls instead of changing anything: for platforms without these settings and
// for tests. A call named in failing returns false.
class RecordingDesktopSettings : public DesktopSettings {
 public:
  bool SetMouse(const std::array<int, 3>& values, unsigned flags) override {
    return Record("SETMOUSE " + std::to_string(values[0]) + " " + std::to_string(values[1]) + " " +
                      std::to_string(values[2]),
                  flags);
  }
  bool SetMouseSpeed(std::uint32_t speed, unsigned flags) override {
    return Record("SETMOUSESPEED " + std::to_string(speed), flags);
  }
  bool SetWheelScrollLines(std::uint32_t lines, unsigned flags) override {
    return Record("SETWHEELSCROLLLINES " + std::to_string(lines), flags);
  }
  bool SetDoubleClickTime(std::uint32_t milliseconds, unsigned flags) override {
    return Record("SETDOUBLECLICKTIME " + std::to_string(milliseconds), flags);
  }

  std::vector<std::string> calls;  // "NAME values... /flags"
  std::string failing;             // NAME of a call that fails

 private:
  bool Record(const std::string& call, unsigned flags) {
    calls.push_back(call + " /" + std::to_string(flags));
    return failing.empty() || call.rfind(failing + " ", 0) != 0;
  }
};

}  // namespace gm
