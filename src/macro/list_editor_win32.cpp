#include "macro/list_editor_win32.h"

// commctrl.h needs the types of windows.h first.
#include <commctrl.h>

#include <utility>

#include "ui/app_messages.h"
#include "ui/wnd_win32.h"

namespace gm {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr int kFieldId = 1;

}  // namespace

CLBEditorWnd::CLBEditorWnd(HWND list, int index, EditMode mode, Committed committed,
                           std::optional<std::wstring> text)
    : list_(list),
      index_(index),
      mode_(mode),
      committed_(std::move(committed)),
      text_(std::move(text)) {}

bool CLBEditorWnd::Edit(HWND list, int index, EditMode mode, Committed committed,
                        std::optional<std::wstring> text) {
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  if (index < 0 || index >= count) return false;
  auto* editor = new CLBEditorWnd(list, index, mode, std::move(committed), std::move(text));
  if (!editor->Open()) {
    delete editor;
    return false;
  }
  return true;  // from here the field owns the editor
}

bool CLBEditorWnd::Open() {
  RECT line{};
  if (SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(index_),
                   reinterpret_cast<LPARAM>(&line)) == LB_ERR)
    return false;
  InflateRect(&line, 1, 1);
  const std::wstring text = text_ ? *text_ : ListBoxLine(list_, index_);
  field_ = CreateWindowExW(
      0, L"EDIT", text.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, line.left,
      line.top, line.right - line.left, line.bottom - line.top, list_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFieldId)), GetModuleHandleW(nullptr), nullptr);
  if (field_ == nullptr) return false;
  SendMessageW(field_, WM_SETFONT, static_cast<WPARAM>(SendMessageW(list_, WM_GETFONT, 0, 0)),
               TRUE);
  if (!SetWindowSubclass(field_, &CLBEditorWnd::FieldProc, kSubclassId,
                         reinterpret_cast<DWORD_PTR>(this))) {
    DestroyWindow(field_);
    return false;
  }
  SetCapture(field_);
  SetFocus(field_);
  return true;
}

void CLBEditorWnd::End(bool commit) {
  if (ending_) return;
  ending_ = true;
  if (GetCapture() == field_) ReleaseCapture();
  if (commit) {
    if (std::optional<EditorCommit> change = CommitEditorText(mode_, WindowText(field_))) {
      const auto index = static_cast<WPARAM>(index_);
      SendMessageW(list_, LB_DELETESTRING, index, 0);
      SendMessageW(list_, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(change->line.c_str()));
      SendMessageW(list_, LB_SETCURSEL, index, 0);
      if (change->storeMacro) {
        PostMessageW(GetParent(list_), kMsgRecorderEvent, kRecorderStoreMacro, 0);
      }
      if (committed_) committed_(index_, change->line);
    }
  }
  // Keys, clicks and posted messages still queued for the field go with it (not its paint,
  // which stays queued while the field is invalid).
  MSG pending;
  for (int i = 0; i < 1000 &&
                  PeekMessageW(&pending, field_, 0, 0, PM_REMOVE | PM_QS_INPUT | PM_QS_POSTMESSAGE);
       ++i) {
  }
  DestroyWindow(field_);  // deletes this editor
}

LRESULT CALLBACK CLBEditorWnd::FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR self) {
  auto* editor = reinterpret_cast<CLBEditorWnd*>(self);
  switch (message) {
    case WM_GETDLGCODE:
      return DefSubclassProc(field, message, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) {
        editor->End(false);
        return 0;
      }
      if (wParam == VK_RETURN || wParam == VK_TAB) {
        editor->End(true);
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == VK_ESCAPE || wParam == VK_RETURN || wParam == VK_TAB) return 0;
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      // While the field holds the capture, a press anywhere arrives here.
      const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      RECT client;
      GetClientRect(field, &client);
      if (!PtInRect(&client, point)) {
        editor->End(true);
        return 0;
      }
      break;
    }
    case WM_KILLFOCUS: {
      const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
      editor->End(true);
      return result;
    }
    case WM_NCDESTROY: {
      RemoveWindowSubclass(field, &CLBEditorWnd::FieldProc, kSubclassId);
      const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
      delete editor;
      return result;
    }
    default:
      break;
  }
  return DefSubclassProc(field, message, wParam, lParam);
}

}  // namespace gm
