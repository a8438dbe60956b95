#include "app/control_colours_win32.h"

namespace gm {
namespace {

constexpr COLORREF kFieldGrey = RGB(148, 148, 148);
constexpr COLORREF kMenuText = RGB(250, 250, 250);
constexpr COLORREF kMenuField = RGB(80, 0, 0);
constexpr int kMacroListId = 151;
constexpr int kEventListId = 152;

}  // namespace

void ControlColours::DropBrush() {
  if (brush_ != nullptr) DeleteObject(brush_);
  brush_ = nullptr;
}

HBRUSH ControlColours::Answer(UINT message, HDC dc, HWND control, const Win32PageView& pages,
                              Rgb text, HFONT font) {
  DropBrush();
  const COLORREF textColour = RGB(text.red, text.green, text.blue);
  switch (message) {
    case WM_CTLCOLORSTATIC:
      // The pages' swatches, and their lines box while disabled.
      brush_ = pages.OnStaticColour(dc, control);
      break;
    case WM_CTLCOLORBTN:
      SetBkMode(dc, TRANSPARENT);
      break;
    case WM_CTLCOLOREDIT:
      SetBkMode(dc, TRANSPARENT);
      SelectObject(dc, font);
      SetTextColor(dc, textColour);
      brush_ = CreateSolidBrush(kFieldGrey);
      break;
    case WM_CTLCOLORLISTBOX: {
      SetBkMode(dc, TRANSPARENT);
      const int id = GetDlgCtrlID(control);
      if (id == kMacroListId || id == kEventListId) {
        SetTextColor(dc, textColour);
        brush_ = CreateSolidBrush(kFieldGrey);
      } else {  // the function lists of the button rows
        SetTextColor(dc, kMenuText);
        SetBkColor(dc, kMenuField);  // for items a list fills behind their text
        SelectObject(dc, font);
        brush_ = CreateSolidBrush(kMenuField);
      }
      break;
    }
    default:
      break;
  }
  return brush_;
}

}  // namespace gm
