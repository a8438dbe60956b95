// The frame both key dialogs share: a frameless window sized to its background image, drawn
// off-screen from the skin (background, close, OK and Cancel in their normal or over looks),
// a keyboard hook on the dialog's own thread, and a modal run that ends with OK, Cancel or the
// close button. The dialogs' decisions are their core models'.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "buttons/key_dialog_common.h"
#include "config/language.h"
#include "config/records.h"
#include "gfx/image_win32.h"
#include "platform/host.h"
#include "ui/keyboard_hook_win32.h"
#include "ui/main_fonts.h"
#include "ui/wnd_win32.h"

namespace gm {

// What a key dialog needs from the program.
struct KeyDialogContext {
  Host& host;               // message boxes
  HWND owner = nullptr;     // disabled while the dialog runs
  std::wstring skinFolder;  // the skin's image names are appended to it
  Language language = Language::English;
  Rgb textColour{255, 255, 255};  // the skin's text colour
};

// A dialog destroys its window in its own destructor, while its overrides still exist.
class KeyDialogWindow : public Wnd {
 public:
  ~KeyDialogWindow() override;

  // Creates the window, hidden: the background and the size, then (only when the background
  // loaded) the texts, fonts and controls, and the key hook. False when no window was made.
  bool Open();
  // Shows the dialog and runs it modally until OK, Cancel or the close button.
  DialogEnd Run();

  bool backgroundLoaded() const { return background_.has_value(); }
  bool hookInstalled() const { return hook_.installed(); }
  // The dialog's current picture, as last drawn.
  HBITMAP picture() const { return picture_; }

 protected:
  struct Look {
    const wchar_t* background;         // skin image the window is sized to
    std::wstring_view failureCaption;  // of the "error" box when it cannot be loaded
    std::wstring_view hookName;        // in the message when the hook is refused
    Rect ok;
    Rect cancel;
    const wchar_t* buttonNormal;  // OK and Cancel images
    const wchar_t* buttonOver;
    Size fallbackSize;  // without a background
    FontUse font;
  };

  KeyDialogWindow(const KeyDialogContext& context, const Look& look);

  virtual DialogButtonHover& Hover() = 0;
  virtual std::wstring_view OkText() const = 0;
  virtual std::wstring_view CancelText() const = 0;
  // The child controls, once the background is there.
  virtual void CreateControls() = 0;
  // A key-down or key-up the hook saw.
  virtual void OnKey(WPARAM virtualKey, LPARAM flags) = 0;
  void OnLeftButtonDown(Point p) override = 0;
  // Drawn after the buttons, for texts of the dialog's own.
  virtual void DrawExtras(HDC) {}
  // Keyboard messages the dialog discards before they are dispatched.
  virtual bool Discards(const MSG& message) const = 0;

  LRESULT OnEraseBackground(HDC dc) override;
  void OnPaint(HDC dc) override;
  void OnMouseMove(Point p) override;
  void OnMouseHover(Point p) override;
  void OnClose() override;
  bool PreTranslateMessage(const MSG& message) override;

  // Draws the whole picture again and copies it to the window.
  void Redraw();
  // One line of text in the skin's text colour, centred on the rectangle.
  void DrawCentredText(HDC dc, std::wstring_view text, const Rect& rect) const;
  void End(DialogEnd end);
  HWND CreateChild(const wchar_t* className, DWORD style, const Rect& rect, int id);

  const KeyDialogContext& context() const { return context_; }
  HFONT font() const { return font_; }
  bool ready() const { return background_.has_value(); }

 private:
  std::wstring SkinPath(const wchar_t* name) const { return context_.skinFolder + name; }
  void Compose(HDC dc);
  void DrawButton(HDC dc, DialogButton button, const Rect& rect, std::wstring_view text);
  void CentreOnOwner(int width, int height, int& x, int& y) const;

  KeyDialogContext context_;
  Look look_;
  std::optional<gfx::DibImage> background_;
  HBITMAP picture_ = nullptr;
  Size size_;
  HFONT font_ = nullptr;
  ThreadKeyboardHook hook_;
  bool composing_ = false;
};

}  // namespace gm
