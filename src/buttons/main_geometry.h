// The main window's geometry that the button page shares with the main window: the two views
// of the mouse and the rectangles of the skinned buttons, which the hover highlighting lights
// and the click dispatch tests.
#pragma once

#include "gfx/geometry.h"

namespace gm {

enum class MouseView { Front, Side };

inline constexpr Rect kResetButton{673, 604, 793, 634};
inline constexpr Rect kCancelButton{798, 604, 918, 634};
inline constexpr Rect kSaveButton{923, 604, 980, 634};
inline constexpr Rect kHelpButton{937, 5, 952, 20};
inline constexpr Rect kMinimiseButton{958, 5, 973, 20};
inline constexpr Rect kCloseButton{979, 5, 994, 20};
inline constexpr Rect kConfigButton{18, 604, 138, 634};
inline constexpr Rect kFrontViewButton{437, 527, 499, 556};
inline constexpr Rect kSideViewButton{500, 527, 562, 556};

}  // namespace gm
