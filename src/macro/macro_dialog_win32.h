// CMacroDialog: the small modal macro picker that a button's Macro function opens. Its rules are
// the MacroPicker's; this is the window: skin pictures, the chosen-name field, the drop list made
// when it opens, the mode boxes and the texts.
#pragma once

#include <windows.h>

#include "macro/dialog_face_win32.h"
#include "macro/macro_dialog_context.h"
#include "macro/macro_picker.h"
#include "macro/macro_store.h"
#include "platform/win32_host.h"
#include "ui/wnd_win32.h"

namespace gm {

inline constexpr wchar_t kMacroPickerClass[] = L"QLGM900MacroPicker";
inline constexpr wchar_t kMacroPickerTitle[] = L"Macro Key";
inline constexpr wchar_t kMacroPickerLoadFailed[] =
    L"Macro Key Dialog Load background image failed!!!";

class CMacroDialog : public FacedWindow {
 public:
  explicit CMacroDialog(const MacroDialogContext& context);
  ~CMacroDialog() override;

  // Creates the window over its owner, hidden, and opens it; false when there is no window.
  bool Create(HWND owner);
  // Shows it and runs it until OK, Cancel or the close box; true for OK.
  bool Run();

  bool ended() const { return ended_; }
  MacroPickerResult result() const { return {endedWithOk_, picker_.choice()}; }
  HWND chosenNameField() const { return chosenName_; }
  HWND dropList() const { return dropList_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnLeftButtonDown(Point p) override;
  void OnPointer(std::optional<Point> at) override;
  void OnCommand(int id, int code, HWND control) override;
  LRESULT OnControlColour(UINT kind, HDC dc, HWND control) override;
  void OnClose() override;

 private:
  enum class Button { None, Close, Ok, Cancel };
  static Button ButtonAt(int x, int y);
  static LRESULT CALLBACK DropListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);

  std::wstring SkinPath(const wchar_t* name) const;
  void DrawAll(HDC dc);
  void DrawButton(HDC dc, Button button, bool over);
  void DrawModes(HDC dc);
  void SetHovered(Button button);
  void OpenList();
  void CloseList();
  void ChooseLine(int line);
  // The chosen macro's name in its field, ended with "..." where it is longer.
  void ShowChosenName();
  void EndDialog(bool ok);

  MacroDialogContext context_;
  Win32Host ownHost_;  // message boxes owned by this window, unless the context brings a host
  Host& host_;
  MacroStore store_;
  MacroPicker picker_;
  const MacroPickerTexts& texts_;
  HFONT font_ = nullptr;
  HBRUSH darkBrush_ = nullptr;
  HWND chosenName_ = nullptr;
  HWND dropList_ = nullptr;
  Button hovered_ = Button::None;
  bool ended_ = false;
  bool endedWithOk_ = false;
};

// Runs the macro picker over `owner`. The caller gives the button the macro only for OK with a
// chosen macro (AssignPickedMacro).
MacroPickerResult RunMacroPicker(HWND owner, const MacroDialogContext& context);

}  // namespace gm
