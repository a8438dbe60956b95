#include "buttons/single_dialog_win32.h"

#include "buttons/key_names.h"
#include "buttons/system_key_name.h"
#include "gfx/skin_files.h"

namespace gm {
namespace {

constexpr COLORREF kKeyNameBackground = RGB(255, 255, 255);
constexpr COLORREF kKeyNameText = RGB(0, 0, 0);
constexpr Size kFallbackSize{390, 285};

}  // namespace

CSingleDialog::CSingleDialog(const KeyDialogContext& context)
    : KeyDialogWindow(
          context,
          {skin::kSingleKeyDialog, L"Single Key Dialog Load background image failed!!!",
           L"KeyboardHook_SingleDlgKey", kSingleOkButton, kSingleCancelButton,
           skin::kWideButtonNormal, skin::kWideButtonOver, kFallbackSize, FontUse::SingleKey}),
      texts_(SingleDialogTextsFor(context.language)) {}

CSingleDialog::~CSingleDialog() {
  Destroy();
  if (whiteBrush_ != nullptr) DeleteObject(whiteBrush_);
}

void CSingleDialog::CreateControls() {
  whiteBrush_ = CreateSolidBrush(kKeyNameBackground);
  keyName_ = CreateChild(L"STATIC", SS_CENTER | SS_CENTERIMAGE, kSingleKeyName, kSingleKeyNameId);
}

void CSingleDialog::OnKey(WPARAM, LPARAM flags) {
  model_.OnKeyName(KeyNameOf(static_cast<std::uint32_t>(flags), &SystemKeyName));
  if (keyName_ != nullptr) SetWindowTextW(keyName_, model_.keyName().c_str());
}

void CSingleDialog::OnLeftButtonDown(Point p) {
  const SingleClick click = model_.OnLeftButtonDown(p);
  if (click.end != DialogEnd::None) {
    End(click.end);
    return;
  }
  if (click.dragWindow) {
    POINT screen{p.x, p.y};
    ClientToScreen(hwnd(), &screen);
    PostMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
  }
}

void CSingleDialog::DrawExtras(HDC dc) {
  DrawCentredText(dc, texts_.prompt, kSinglePrompt);
}

bool CSingleDialog::Discards(const MSG& message) const {
  return SingleDialogModel::Discards(message.message, message.wParam);
}

LRESULT CSingleDialog::OnControlColour(UINT kind, HDC dc, HWND control) {
  if (kind != WM_CTLCOLORSTATIC || whiteBrush_ == nullptr) {
    return KeyDialogWindow::OnControlColour(kind, dc, control);
  }
  SetTextColor(dc, kKeyNameText);
  SetBkColor(dc, kKeyNameBackground);
  return reinterpret_cast<LRESULT>(whiteBrush_);
}

SingleDialogResult RunSingleDialog(const KeyDialogContext& context) {
  CSingleDialog dialog(context);
  if (!dialog.Open()) return {};
  return dialog.Result(dialog.Run());
}

}  // namespace gm
