#include "ui/colour_dialog_win32.h"

#include <commdlg.h>

namespace gm {

std::optional<Rgb> SystemColourDialog::Choose() {
  CHOOSECOLORW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = nullptr;
  dialog.rgbResult = RGB(0, 0, 0);
  dialog.lpCustColors = custom_.data();
  dialog.Flags = 0;
  log_.Line(L"colour-dialog");
  if (!ChooseColorW(&dialog)) {
    log_.Line(L"colour-dialog cancelled");
    return std::nullopt;
  }
  const COLORREF colour = dialog.rgbResult;
  return Rgb{GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

}  // namespace gm
