// The single-key dialog's state and decisions, without a window: the name of the last key
// event seen, whatever had the focus. It always starts empty; confirmed, the name goes to
// ButtonAssignment::PickSingleKey.
#pragma once

#include <string>
#include <string_view>

#include "buttons/key_dialog_common.h"
#include "config/language.h"
#include "gfx/geometry.h"

namespace gm {

// Layout in client pixels.
inline constexpr Rect kSinglePrompt{34, 103, 180, 123};
inline constexpr Rect kSingleKeyName{74, 129, 150, 143};  // black on a white box, centred
inline constexpr Rect kSingleOkButton{238, 250, 308, 275};
inline constexpr Rect kSingleCancelButton{314, 250, 384, 275};

struct SingleDialogResult {
  bool confirmed = false;
  std::wstring keyName;
};

struct SingleDialogTexts {
  std::wstring_view ok;
  std::wstring_view cancel;
  std::wstring_view prompt;
};
SingleDialogTexts SingleDialogTextsFor(Language language);

// What a left press does: end the dialog, or (anywhere else) start moving the window.
struct SingleClick {
  DialogEnd end = DialogEnd::None;
  bool dragWindow = false;
};

class SingleDialogModel {
 public:
  SingleDialogModel();

  // A key the hook saw, pressed or released: the last one wins.
  void OnKeyName(std::wstring_view name) { keyName_ = name; }
  SingleClick OnLeftButtonDown(Point p) const;

  const std::wstring& keyName() const { return keyName_; }
  DialogButtonHover& hover() { return hover_; }
  const DialogButtonHover& hover() const { return hover_; }
  SingleDialogResult Result(DialogEnd end) const { return {end == DialogEnd::Confirmed, keyName_}; }

  // Keyboard messages the dialog discards: Enter and Esc key-downs and the Windows keys.
  static bool Discards(unsigned message, std::uintptr_t wParam);

 private:
  std::wstring keyName_;
  DialogButtonHover hover_;
};

}  // namespace gm
