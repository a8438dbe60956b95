// CSingleDialog: the single-key dialog. It shows the name of the last key pressed or released
// while it runs; a press anywhere but on its buttons moves the frameless window. Its state and
// decisions are the SingleDialogModel's.
#pragma once

#include "buttons/key_dialog_win32.h"
#include "buttons/single_dialog_model.h"

namespace gm {

inline constexpr int kSingleKeyNameId = 1201;

class CSingleDialog : public KeyDialogWindow {
 public:
  explicit CSingleDialog(const KeyDialogContext& context);
  ~CSingleDialog() override;

  const SingleDialogModel& model() const { return model_; }
  SingleDialogResult Result(DialogEnd end) const { return model_.Result(end); }
  HWND keyNameText() const { return keyName_; }

 protected:
  DialogButtonHover& Hover() override { return model_.hover(); }
  std::wstring_view OkText() const override { return texts_.ok; }
  std::wstring_view CancelText() const override { return texts_.cancel; }
  void CreateControls() override;
  void OnKey(WPARAM virtualKey, LPARAM flags) override;
  void OnLeftButtonDown(Point p) override;
  void DrawExtras(HDC dc) override;
  bool Discards(const MSG& message) const override;
  LRESULT OnControlColour(UINT kind, HDC dc, HWND control) override;

 private:
  SingleDialogModel model_;
  SingleDialogTexts texts_;
  HWND keyName_ = nullptr;
  HBRUSH whiteBrush_ = nullptr;
};

// Runs the dialog modally; confirmed only when OK was clicked.
SingleDialogResult RunSingleDialog(const KeyDialogContext& context);

}  // namespace gm
