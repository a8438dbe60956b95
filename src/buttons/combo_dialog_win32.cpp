#include "buttons/combo_dialog_win32.h"

#include <commctrl.h>

#include "buttons/key_names.h"
#include "buttons/system_key_name.h"
#include "gfx/skin_files.h"
#include "ui/app_messages.h"

namespace gm {
namespace {

// The static text, the key boxes and the list: white on dark grey.
constexpr COLORREF kBoxBackground = RGB(40, 40, 40);
constexpr COLORREF kBoxText = RGB(255, 255, 255);
constexpr UINT_PTR kListSubclassId = 1;
// Used when there is no background to size the window to.
constexpr Size kFallbackSize{380, 285};

}  // namespace

CComboDialog::CComboDialog(const KeyDialogContext& context)
    : KeyDialogWindow(
          context,
          {skin::kComboKeyDialog, L"Combo Dialog Load background image failed!!!",
           L"KeyboardHook_ComboDlg", kComboOkButton, kComboCancelButton, skin::kSmallButtonNormal,
           skin::kSmallButtonOver, kFallbackSize, FontUse::ComboKey}),
      texts_(ComboDialogTextsFor(context.language)) {}

CComboDialog::~CComboDialog() {
  Destroy();
  if (boxBrush_ != nullptr) DeleteObject(boxBrush_);
}

void CComboDialog::CreateControls() {
  boxBrush_ = CreateSolidBrush(kBoxBackground);
  modifierText_ =
      CreateChild(L"STATIC", SS_CENTER | SS_CENTERIMAGE, kComboModifierText, kComboModifierTextId);
  firstKey_ = CreateChild(L"EDIT", ES_CENTER | ES_AUTOHSCROLL | WS_TABSTOP, kComboFirstKeyBox,
                          kComboFirstKeyId);
  secondKey_ = CreateChild(L"EDIT", ES_CENTER | ES_AUTOHSCROLL | WS_TABSTOP, kComboSecondKeyBox,
                           kComboSecondKeyId);
}

void CComboDialog::OnKey(WPARAM, LPARAM flags) {
  std::wstring name = KeyNameOf(static_cast<std::uint32_t>(flags), &SystemKeyName);
  SendMessageW(hwnd(), kMsgKeyNameCaptured, 0, reinterpret_cast<LPARAM>(&name));
}

void CComboDialog::OnKeyNameCaptured(const std::wstring& name) {
  const HWND focus = GetFocus();
  KeyBoxFocus box = KeyBoxFocus::None;
  if (focus != nullptr && focus == firstKey_) box = KeyBoxFocus::First;
  if (focus != nullptr && focus == secondKey_) box = KeyBoxFocus::Second;
  switch (model_.OnKeyName(name, box)) {
    case KeyBoxFocus::First:
      SetWindowTextW(firstKey_, model_.key1Name().c_str());
      break;
    case KeyBoxFocus::Second:
      SetWindowTextW(secondKey_, model_.key2Name().c_str());
      break;
    case KeyBoxFocus::None:
      break;
  }
}

void CComboDialog::OnLeftButtonDown(Point p) {
  const ComboClick click = model_.OnLeftButtonDown(p);
  if (click.listClosed) CloseList();
  if (click.end != DialogEnd::None) {
    End(click.end);
    return;
  }
  if (click.listOpened) OpenList();
}

void CComboDialog::EnableKeyBoxes(bool enabled) {
  if (firstKey_ != nullptr) EnableWindow(firstKey_, enabled ? TRUE : FALSE);
  if (secondKey_ != nullptr) EnableWindow(secondKey_, enabled ? TRUE : FALSE);
}

void CComboDialog::DestroyList() {
  if (list_ == nullptr) return;
  RemoveWindowSubclass(list_, &CComboDialog::ListProc, kListSubclassId);
  DestroyWindow(list_);
  list_ = nullptr;
}

void CComboDialog::OpenList() {
  EnableKeyBoxes(false);
  SetFocus(hwnd());
  DestroyList();  // one still waiting to be destroyed after a choice
  list_ = CreateChild(L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL,
                      kComboModifierList, kComboModifierListId);
  if (list_ == nullptr) return;
  for (std::wstring_view item : ComboDialogModel::ModifierItems()) {
    const std::wstring text(item);
    SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  SetWindowSubclass(list_, &CComboDialog::ListProc, kListSubclassId, 0);
  BringWindowToTop(list_);
}

void CComboDialog::CloseList() {
  DestroyList();
  EnableKeyBoxes(true);
}

void CComboDialog::OnListNotification(int code) {
  if (list_ == nullptr || (code != LBN_SELCHANGE && code != LBN_DBLCLK)) return;
  const LRESULT selected = SendMessageW(list_, LB_GETCURSEL, 0, 0);
  std::optional<std::size_t> position;
  if (selected != LB_ERR) position = static_cast<std::size_t>(selected);
  if (!model_.ChooseModifier(position)) return;
  if (modifierText_ != nullptr) SetWindowTextW(modifierText_, model_.modifierName().c_str());
  // The list is in the middle of its own notification: hide it now, destroy it after.
  ShowWindow(list_, SW_HIDE);
  EnableKeyBoxes(true);
  PostMessageW(hwnd(), kMsgCloseModifierList, 0, 0);
}

LRESULT CALLBACK CComboDialog::ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR) {
  if (message == WM_MOUSEMOVE) {
    // Hover selection: the item under the pointer is the one a click picks.
    const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, lParam);
    if (HIWORD(hit) == 0) {
      const WPARAM item = LOWORD(hit);
      if (SendMessageW(list, LB_GETCURSEL, 0, 0) != static_cast<LRESULT>(item)) {
        SendMessageW(list, LB_SETCURSEL, item, 0);
      }
    }
  }
  return DefSubclassProc(list, message, wParam, lParam);
}

bool CComboDialog::Discards(const MSG& message) const {
  return ComboDialogModel::Discards(message.message, message.wParam);
}

void CComboDialog::OnCommand(int id, int code, HWND control) {
  if (id == kComboModifierListId) {
    OnListNotification(code);
    return;
  }
  KeyDialogWindow::OnCommand(id, code, control);
}

LRESULT CComboDialog::OnControlColour(UINT kind, HDC dc, HWND control) {
  const bool box =
      kind == WM_CTLCOLORSTATIC || kind == WM_CTLCOLOREDIT || kind == WM_CTLCOLORLISTBOX;
  if (!box || boxBrush_ == nullptr) return KeyDialogWindow::OnControlColour(kind, dc, control);
  SetTextColor(dc, kBoxText);
  SetBkColor(dc, kBoxBackground);
  return reinterpret_cast<LRESULT>(boxBrush_);
}

LRESULT CComboDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kMsgKeyNameCaptured:
      OnKeyNameCaptured(*reinterpret_cast<const std::wstring*>(lParam));
      return 0;
    case kMsgCloseModifierList:
      if (!model_.listOpen()) DestroyList();
      return 0;
    default:
      break;
  }
  return KeyDialogWindow::OnMessage(message, wParam, lParam);
}

ComboDialogResult RunComboDialog(const KeyDialogContext& context) {
  CComboDialog dialog(context);
  if (!dialog.Open()) return {};
  return dialog.Result(dialog.Run());
}

}  // namespace gm
