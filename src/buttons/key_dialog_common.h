// What the two key dialogs share: the close, OK and Cancel buttons with their hover looks,
// the keyboard messages the dialogs discard, and the message when the key hook cannot be
// installed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "gfx/geometry.h"

namespace gm {

// Both dialogs' close button.
inline constexpr Rect kKeyDialogCloseButton{352, 6, 370, 24};

// The message box when the background image cannot be loaded: this text, the dialog's caption.
inline constexpr std::wstring_view kBackgroundErrorText = L"error";

enum class DialogButton : std::size_t { Close, Ok, Cancel };
inline constexpr std::size_t kDialogButtonCount = 3;

enum class DialogEnd { None, Confirmed, Cancelled };

// The close, OK and Cancel buttons under the pointer: each is drawn in its over image while it
// is flagged. A move onto a button asks for a hover notice (after 10 ms); the notice flags the
// button under the pointer and unflags the others; a move off all three unflags them all.
class DialogButtonHover {
 public:
  // Rectangles in DialogButton order.
  explicit DialogButtonHover(const std::array<Rect, kDialogButtonCount>& rects) : rects_(rects) {}

  std::optional<DialogButton> ButtonAt(Point p) const;
  // True when the pointer is on a button: the window then asks for the hover notice.
  // `changed` tells whether a flag changed (the window redraws).
  bool OnMouseMove(Point p, bool& changed);
  // The hover notice; true when a flag changed.
  bool OnHover(Point p);
  bool IsOver(DialogButton button) const { return over_[Index(button)]; }

 private:
  static std::size_t Index(DialogButton button) { return static_cast<std::size_t>(button); }
  bool SetOnly(std::optional<DialogButton> button);

  std::array<Rect, kDialogButtonCount> rects_;
  std::array<bool, kDialogButtonCount> over_{};
};

// A left press: OK confirms, Cancel and close cancel, anything else does not end the dialog.
DialogEnd EndOfClick(const DialogButtonHover& buttons, Point p);

// Keyboard message numbers and virtual keys, as the system has them.
inline constexpr unsigned kWmKeyDown = 0x0100;
inline constexpr unsigned kWmKeyUp = 0x0101;
inline constexpr unsigned kWmChar = 0x0102;
inline constexpr unsigned kWmSysKeyDown = 0x0104;
inline constexpr unsigned kWmSysKeyUp = 0x0105;
inline constexpr std::uintptr_t kVkReturn = 0x0D;
inline constexpr std::uintptr_t kVkEscape = 0x1B;
inline constexpr std::uintptr_t kVkLeftWindows = 0x5B;
inline constexpr std::uintptr_t kVkRightWindows = 0x5C;

// Key-downs of Enter and Esc: the key dialogs discard them, so that neither confirms nor
// cancels (the key hook has already named the key).
bool IsEnterOrEscKeyDown(unsigned message, std::uintptr_t wParam);
// Keyboard messages of the left or right Windows key, which the single-key dialog discards so
// that the Start menu does not open while a key is being chosen.
bool IsWindowsKeyMessage(unsigned message, std::uintptr_t wParam);

// "<hookName> Install error code :<code>\n", the message when a key hook is refused.
std::wstring HookInstallErrorText(std::wstring_view hookName, unsigned long errorCode);

}  // namespace gm
