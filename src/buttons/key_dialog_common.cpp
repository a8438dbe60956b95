#include "buttons/key_dialog_common.h"

namespace gm {

std::optional<DialogButton> DialogButtonHover::ButtonAt(Point p) const {
  for (std::size_t i = 0; i < kDialogButtonCount; ++i) {
    if (rects_[i].Contains(p)) return static_cast<DialogButton>(i);
  }
  return std::nullopt;
}

bool DialogButtonHover::SetOnly(std::optional<DialogButton> button) {
  bool changed = false;
  for (std::size_t i = 0; i < kDialogButtonCount; ++i) {
    const bool over = button && Index(*button) == i;
    changed |= over_[i] != over;
    over_[i] = over;
  }
  return changed;
}

bool DialogButtonHover::OnMouseMove(Point p, bool& changed) {
  if (ButtonAt(p)) {
    changed = false;
    return true;
  }
  changed = SetOnly(std::nullopt);
  return false;
}

bool DialogButtonHover::OnHover(Point p) {
  const std::optional<DialogButton> button = ButtonAt(p);
  // A notice that arrives after the pointer left every button changes nothing.
  if (!button) return false;
  return SetOnly(button);
}

DialogEnd EndOfClick(const DialogButtonHover& buttons, Point p) {
  const std::optional<DialogButton> button = buttons.ButtonAt(p);
  if (!button) return DialogEnd::None;
  return *button == DialogButton::Ok ? DialogEnd::Confirmed : DialogEnd::Cancelled;
}

bool IsEnterOrEscKeyDown(unsigned message, std::uintptr_t wParam) {
  return message == kWmKeyDown && (wParam == kVkReturn || wParam == kVkEscape);
}

bool IsWindowsKeyMessage(unsigned message, std::uintptr_t wParam) {
  const bool keyboard = message == kWmKeyDown || message == kWmKeyUp || message == kWmChar ||
                        message == kWmSysKeyDown || message == kWmSysKeyUp;
  return keyboard && (wParam == kVkLeftWindows || wParam == kVkRightWindows);
}

std::wstring HookInstallErrorText(std::wstring_view hookName, unsigned long errorCode) {
  // Formatted as the signed number the system's "%d" would print.
  return std::wstring(hookName) + L" Install error code :" +
         std::to_wstring(static_cast<long>(static_cast<std::int32_t>(errorCode))) + L"\n";
}

}  // namespace gm
