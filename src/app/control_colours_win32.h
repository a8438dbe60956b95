// The main window's answers to its child controls' colour requests: the pages' swatches and
// lines box, the edit fields, and the list boxes of the button menus. One brush at a time: the
// one made for the previous request is deleted before the next is made.
#pragma once

#include <windows.h>

#include "app/settings_pages_win32.h"
#include "config/records.h"

namespace gm {

class ControlColours {
 public:
  ControlColours() = default;
  ~ControlColours() { DropBrush(); }
  ControlColours(const ControlColours&) = delete;
  ControlColours& operator=(const ControlColours&) = delete;

  // message: WM_CTLCOLORSTATIC, _BTN, _EDIT or _LISTBOX. Returns the brush to answer with, or
  // nullptr where the default answer stands (it may still have set the context's modes).
  HBRUSH Answer(UINT message, HDC dc, HWND control, const Win32PageView& pages, Rgb text,
                HFONT font);

 private:
  void DropBrush();

  HBRUSH brush_ = nullptr;
};

}  // namespace gm
