// CHelpDialog: the help panel, a borderless child of the main window under its help icon. The
// main window creates it on a click on the help icon and destroys it on the next click.
#pragma once

#include <windows.h>

#include "help/help_panel.h"
#include "platform/file_path.h"
#include "platform/host.h"
#include "ui/dialog_picture_win32.h"
#include "ui/wnd_win32.h"

namespace gm {

class CHelpDialog : public Wnd {
 public:
  // host: for the message box when the skin has no background; shell: opens the link.
  CHelpDialog(Language language, Shell& shell, Host& host);
  ~CHelpDialog() override;

  // Creates the panel in the main window at (786, 25), sized to "/Help/HelpWindow.png" of the
  // skin folder, and shows it. Without that image the panel shows empty. False when no window
  // could be made.
  bool Open(HWND mainWindow, const FilePath& skinFolder);

 protected:
  LRESULT OnEraseBackground(HDC dc) override;
  void OnPaint(HDC dc) override;
  void OnLeftButtonDown(Point p) override;

 private:
  void DrawLines();

  Language language_;
  HelpPanel panel_;
  Host& host_;
  DialogPicture picture_;
  HFONT font_ = nullptr;
};

}  // namespace gm
