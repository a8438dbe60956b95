// CMacroProgramDialog: the modal "Macro Manager" window. Its rules are the MacroManager's and
// the MacroRecorder's; this is the window: skin pictures, the two lists and the repeat-count
// field, clicks by rectangle, the event list's context menu, the in-place editors, the record
// hook and the message filter.
#pragma once

#include <windows.h>

#include <optional>

#include "macro/dialog_face_win32.h"
#include "macro/list_editor.h"
#include "macro/macro_dialog_context.h"
#include "macro/macro_manager.h"
#include "macro/macro_recorder.h"
#include "macro/macro_store.h"
#include "macro/record_hook_win32.h"
#include "platform/win32_host.h"
#include "ui/wnd_win32.h"

namespace gm {

inline constexpr wchar_t kMacroManagerClass[] = L"QLGM900MacroManager";
inline constexpr wchar_t kMacroManagerLoadFailed[] =
    L"Macro Manager Dialog Load background image failed!!!";

class CMacroProgramDialog : public FacedWindow, private RecorderOwner {
 public:
  explicit CMacroProgramDialog(const MacroDialogContext& context);
  ~CMacroProgramDialog() override;

  // Creates the window over its owner, hidden, and opens it: background, fonts, lists and
  // field, the macros of record.ini. False when there is no window.
  bool Create(HWND owner);
  // Shows it and runs it until OK, Cancel or the close box; true for OK.
  bool Run();

  bool ended() const { return ended_; }
  bool endedWithOk() const { return endedWithOk_; }
  bool recording() const { return recorder_.recording(); }
  // The 19 macro blocks that OK hands back.
  const MacroBlocks& blocks() const { return blocks_; }

  // Every message before it is dispatched: true for one it consumed.
  bool PreTranslateMessage(const MSG& message) override;

  HWND macroList() const { return macroList_; }
  HWND eventList() const { return eventList_; }
  HWND repeatField() const { return repeatField_; }
  // Null while the background is missing: nothing was loaded.
  const MacroManager* manager() const { return manager_ ? &*manager_ : nullptr; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnLeftButtonDown(Point p) override;
  void OnPointer(std::optional<Point> at) override;
  void OnCommand(int id, int code, HWND control) override;
  LRESULT OnControlColour(UINT kind, HDC dc, HWND control) override;
  void OnClose() override;

 private:
  std::wstring SkinPath(const wchar_t* name) const;
  COLORREF TextColour() const;
  void CentreOverOwner(HWND owner, Size size);
  void CreateControls();
  void Log(const std::wstring& line);

  void SyncAll();
  void SyncField();
  void DrawAll(HDC dc);
  void DrawButton(HDC dc, ManagerButton button, bool over);
  // What a redraw of an option covers: its text with the room its lines take, and its box.
  static Rect OptionArea(bool delay);
  void DrawOption(HDC dc, bool delay);
  void DrawRecordButton(HDC dc, std::wstring_view text);
  Rect RecordButtonArea() const;
  void DrawTitle(HDC dc);
  void RedrawOptions();
  void SetHovered(ManagerButton button);

  void OnOk();
  void OnListCommand(int id, int code);
  void OnMenuCommand(unsigned id);
  void EndRecordingBeforeSelectionChange();
  // Selects the event line at a point of the event list.
  void SelectEventAt(POINT client);
  void OnRepeatFieldChanged();
  // The field opens with `text`, else with the line's text.
  void OpenEditor(HWND list, int index, EditMode mode,
                  std::optional<std::wstring> text = std::nullopt);
  void ShowContextMenu(POINT screen);
  void ScrollEventList(int wheelDelta);
  bool IsOwnWindow(HWND window) const;
  void EndDialog(bool ok);

  // RecorderOwner
  void ClearEvents() override;
  void AppendEvent(const std::wstring& item) override;
  void RemoveLastEvents(std::size_t count) override;
  void SelectLastEvent() override;
  void EnableRepeatCount(bool enabled) override;
  void SetTitleText(std::wstring_view text) override;
  void DrawRecordButton(std::wstring_view text) override;
  bool delayOption() const override;
  void StoreSelectedMacro() override;
  void SendRecorderMessage(unsigned wParam, long lParam) override;
  bool InstallRecordHook(unsigned long& errorCode) override;
  void RemoveRecordHook() override;

  MacroDialogContext context_;
  Win32Host ownHost_;  // message boxes owned by this window, unless the context brings a host
  Host& host_;
  MacroStore store_;
  std::optional<MacroManager> manager_;
  HFONT font_ = nullptr;
  HBRUSH listBrush_ = nullptr;
  HBRUSH fieldBrush_ = nullptr;
  HWND macroList_ = nullptr;
  HWND eventList_ = nullptr;
  HWND repeatField_ = nullptr;
  ManagerButton hovered_ = ManagerButton::None;
  bool settingField_ = false;  // the program sets the field: not a typed change
  MacroRecorder recorder_;
  RecordHook recordHook_;
  std::wstring recordText_;  // on the record button
  std::optional<MacroOptions> drawnOptions_;
  bool ended_ = false;
  bool endedWithOk_ = false;
  MacroBlocks blocks_{};
};

// Runs the macro manager over `owner`: the 19 macro blocks when it closed with OK.
std::optional<MacroBlocks> RunMacroManager(HWND owner, const MacroDialogContext& context);

}  // namespace gm
