// Choosing a colour: the system's colour dialog in the program, a scripted answer in tests.
#pragma once

#include <optional>

#include "config/records.h"

namespace gm {

// The system's colour dialog, opened at black: the colour the user confirmed, or nothing.
class ColourChooser {
 public:
  virtual ~ColourChooser() = default;
  virtual std::optional<Rgb> Choose() = 0;
};

}  // namespace gm
