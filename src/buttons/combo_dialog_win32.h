// CComboDialog: the combination-key dialog. A modifier from a drop-down list of eight names,
// and two key boxes that show the name of the last key pressed or released while they had the
// focus. Its state and decisions are the ComboDialogModel's.
#pragma once

#include "buttons/combo_dialog_model.h"
#include "buttons/key_dialog_win32.h"

namespace gm {

inline constexpr int kComboModifierTextId = 1101;
inline constexpr int kComboFirstKeyId = 1102;
inline constexpr int kComboSecondKeyId = 1103;
inline constexpr int kComboModifierListId = 1104;

class CComboDialog : public KeyDialogWindow {
 public:
  explicit CComboDialog(const KeyDialogContext& context);
  ~CComboDialog() override;

  const ComboDialogModel& model() const { return model_; }
  ComboDialogResult Result(DialogEnd end) const { return model_.Result(end); }
  HWND modifierText() const { return modifierText_; }
  HWND firstKeyBox() const { return firstKey_; }
  HWND secondKeyBox() const { return secondKey_; }
  HWND modifierList() const { return list_; }

 protected:
  DialogButtonHover& Hover() override { return model_.hover(); }
  std::wstring_view OkText() const override { return texts_.ok; }
  std::wstring_view CancelText() const override { return texts_.cancel; }
  void CreateControls() override;
  void OnKey(WPARAM virtualKey, LPARAM flags) override;
  void OnLeftButtonDown(Point p) override;
  bool Discards(const MSG& message) const override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCommand(int id, int code, HWND control) override;
  LRESULT OnControlColour(UINT kind, HDC dc, HWND control) override;

 private:
  void OpenList();
  void CloseList();
  void DestroyList();
  void EnableKeyBoxes(bool enabled);
  void OnListNotification(int code);
  void OnKeyNameCaptured(const std::wstring& name);
  static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR data);

  ComboDialogModel model_;
  ComboDialogTexts texts_;
  HWND modifierText_ = nullptr;
  HWND firstKey_ = nullptr;
  HWND secondKey_ = nullptr;
  HWND list_ = nullptr;
  HBRUSH boxBrush_ = nullptr;
};

// Runs the dialog modally; confirmed only when OK was clicked.
ComboDialogResult RunComboDialog(const KeyDialogContext& context);

}  // namespace gm
