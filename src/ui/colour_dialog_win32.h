// The system's colour dialog for the DPI stages' colours: opened at black, without flags and
// without an owner; the custom colours the user mixes are kept for the next time.
#pragma once

#include <windows.h>

#include <array>

#include "ui/colour_chooser.h"
#include "ui/ui_log.h"

namespace gm {

class SystemColourDialog : public ColourChooser {
 public:
  explicit SystemColourDialog(UiLog& log) : log_(log) {}
  std::optional<Rgb> Choose() override;

 private:
  UiLog& log_;
  std::array<COLORREF, 16> custom_{};
};

}  // namespace gm
