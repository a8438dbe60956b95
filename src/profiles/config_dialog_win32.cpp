#include "profiles/config_dialog_win32.h"

// commctrl.h needs the types of windows.h first.
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

#include "gfx/image_win32.h"
#include "gfx/skin_files.h"
#include "macro/list_editor_win32.h"
#include "ui/app_messages.h"

namespace gm {
namespace {

constexpr wchar_t kConfigDialogClass[] = L"QLGM900ProfileManager";
constexpr UINT kMsgOpenEditor = WM_APP + 20;  // after the list has finished with its click
constexpr UINT_PTR kNameListSubclass = 1;
constexpr UINT_PTR kMainWindowSubclass = 2;

RECT ToRect(const Rect& r) {
  return {r.left, r.top, r.right, r.bottom};
}

COLORREF ToColour(const Rgb& c) {
  return RGB(c.red, c.green, c.blue);
}

}  // namespace

int ProfileLineHeight(HFONT font) {
  HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  // How far the underscore reaches below the baseline.
  GLYPHMETRICS glyph{};
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  int below = static_cast<int>(metrics.tmDescent);
  if (GetGlyphOutlineW(dc, L'_', GGO_METRICS, &glyph, 0, nullptr, &identity) != GDI_ERROR) {
    below = std::max(
        below, static_cast<int>(glyph.gmBlackBoxY) - static_cast<int>(glyph.gmptGlyphOrigin.y));
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  // The row of the lowest mark and a free row under it, so that it stays clear of the next
  // line's highlight.
  return static_cast<int>(metrics.tmAscent) + below + 2;
}

CConfigDialog::CConfigDialog(IniFile& ini, const FilePath& profileList, Language language,
                             Rgb textColour, UiLog& log)
    : manager_(ini, host_, profileList, language,
               [this](ProfileCommand command, std::size_t position) {
                 log_.Line(L"profiles-post " + std::to_wstring(command) + L" " +
                           std::to_wstring(position));
                 PostMessageW(mainWindow_, kMsgProfileCommand, command,
                              static_cast<LPARAM>(position));
               }),
      language_(language),
      textColour_(textColour),
      log_(log) {}

CConfigDialog::~CConfigDialog() {
  Destroy();
  if (font_ != nullptr) DeleteObject(font_);
  if (listBrush_ != nullptr) DeleteObject(listBrush_);
}

bool CConfigDialog::Open(HWND mainWindow, const FilePath& skinFolder) {
  mainWindow_ = mainWindow;
  const POINT origin = MainWindowOrigin();
  WndCreateArgs args;
  args.className = kConfigDialogClass;
  args.dialogClassAttributes = true;
  args.title = manager_.texts().title;
  args.style = WS_POPUP | WS_CLIPCHILDREN;
  args.exStyle = WS_EX_LAYERED | WS_EX_TOOLWINDOW;
  args.x = origin.x;
  args.y = origin.y;
  args.width = kProfileNameList.right;
  args.height = kProfileNewButton.bottom;
  args.parent = mainWindow;  // the owner: the window stays above the main window
  if (!Create(args)) return false;
  host_.SetOwner(hwnd());
  // An owned window stays where it was put: it follows the main window's moves, hiding and
  // showing itself (until it is destroyed).
  SetWindowSubclass(mainWindow_, &CConfigDialog::MainWindowProc, kMainWindowSubclass,
                    reinterpret_cast<DWORD_PTR>(this));

  // The list is read even without the background, so that the close writes it back unchanged.
  manager_.Open();
  SetLayeredWindowAttributes(hwnd(), 0, kProfileOpacity, LWA_ALPHA);
  if (picture_.Load(skinFolder.Wide() + skin::kConfigDialog)) {
    const SIZE size = picture_.size();
    SetWindowPos(hwnd(), nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    font_ = CreateFontFor(FontUse::ProfileManager, language_);
    DrawFace(skinFolder);
    CreateNameList();
    ShowNames();
  } else {
    host_.ShowMessage(L"error", kProfileBackgroundFailed, kMbOk);
  }
  ShowWindow(hwnd(), SW_SHOW);
  log_.Line(L"profiles-open");
  if (nameList_ != nullptr) {
    log_.Line(L"profiles-line-height " +
              std::to_wstring(SendMessageW(nameList_, LB_GETITEMHEIGHT, 0, 0)));
  }
  return true;
}

void CConfigDialog::DrawFace(const FilePath& skinFolder) {
  const std::wstring skin = skinFolder.Wide();
  picture_.DrawInto([&](HDC dc) {
    gfx::DrawPng(host_, dc, skin + skin::kCloseNormal, kProfileCloseBox.left, kProfileCloseBox.top);
    gfx::DrawPng(host_, dc, skin + skin::kNewConfigIcon, kProfileNewIconAt.x, kProfileNewIconAt.y);
    // A text longer than its place runs on over the empty band rather than being cut.
    const COLORREF colour = ToColour(textColour_);
    DrawLine(dc, manager_.texts().title, ToRect(kProfileTitle), colour, font_,
             DT_VCENTER | DT_NOCLIP);
    DrawLine(dc, manager_.texts().newButton, ToRect(kProfileNewText), colour, font_,
             DT_VCENTER | DT_NOCLIP);
  });
}

void CConfigDialog::CreateNameList() {
  const Rect& r = kProfileNameList;
  nameList_ = CreateWindowExW(
      0, L"LISTBOX", nullptr,
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
      r.left, r.top, r.right - r.left, r.bottom - r.top, hwnd(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kProfileListId)), GetModuleHandleW(nullptr),
      nullptr);
  if (nameList_ == nullptr) return;
  SendMessageW(nameList_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SendMessageW(nameList_, LB_SETITEMHEIGHT, 0, ProfileLineHeight(font_));
  SetWindowSubclass(nameList_, &CConfigDialog::NameListProc, kNameListSubclass,
                    reinterpret_cast<DWORD_PTR>(this));
}

void CConfigDialog::ShowNames() {
  if (nameList_ == nullptr) return;
  SendMessageW(nameList_, LB_RESETCONTENT, 0, 0);
  for (const std::wstring& name : manager_.names()) {
    SendMessageW(nameList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  const std::optional<std::size_t> selected = manager_.selected();
  SendMessageW(nameList_, LB_SETCURSEL, selected ? static_cast<WPARAM>(*selected) : WPARAM(-1), 0);
}

void CConfigDialog::CommitRename() {
  // The in-place field commits when it loses the focus.
  if (nameList_ != nullptr && GetFocus() != nullptr && GetParent(GetFocus()) == nameList_) {
    SetFocus(hwnd());
  }
}

void CConfigDialog::OnLeftButtonDown(Point p) {
  CommitRename();
  if (kProfileCloseBox.Contains(p)) {
    CloseWindow();
  } else if (kProfileNewButton.Contains(p) && nameList_ != nullptr) {
    manager_.New();
    ShowNames();
  }
}

POINT CConfigDialog::MainWindowOrigin() const {
  POINT origin{0, 0};
  ClientToScreen(mainWindow_, &origin);
  return origin;
}

void CConfigDialog::FollowMainWindow(const WINDOWPOS& change) {
  if (hwnd() == nullptr) return;
  if ((change.flags & SWP_HIDEWINDOW) != 0) {
    ShowWindow(hwnd(), SW_HIDE);
    return;
  }
  const bool moved = (change.flags & SWP_NOMOVE) == 0;
  const bool shown = (change.flags & SWP_SHOWWINDOW) != 0;
  if (moved || shown) {
    const POINT origin = MainWindowOrigin();
    SetWindowPos(hwnd(), nullptr, origin.x, origin.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (shown) ShowWindow(hwnd(), SW_SHOWNA);
}

LRESULT CALLBACK CConfigDialog::MainWindowProc(HWND main, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  const LRESULT result = DefSubclassProc(main, message, wParam, lParam);
  if (message == WM_WINDOWPOSCHANGED) {
    reinterpret_cast<CConfigDialog*>(self)->FollowMainWindow(
        *reinterpret_cast<const WINDOWPOS*>(lParam));
  } else if (message == WM_ENABLE) {
    reinterpret_cast<CConfigDialog*>(self)->UpdateHold();
  }
  return result;
}

void CConfigDialog::OnClose() {
  // Alt+F4 and any other close request: as the close box, never a bare destroy.
  CloseWindow();
}

void CConfigDialog::HoldInput(bool hold) {
  holdAsked_ = hold;
  UpdateHold();
}

void CConfigDialog::UpdateHold() {
  if (hwnd() == nullptr) return;
  const bool hold = holdAsked_ || IsWindowEnabled(mainWindow_) == FALSE;
  if (hold == held_) return;
  held_ = hold;
  EnableWindow(hwnd(), hold ? FALSE : TRUE);
  log_.Line(hold ? L"profiles-held" : L"profiles-released");
}

void CConfigDialog::CloseWindow() {
  CommitRename();
  manager_.Close();
  log_.Line(L"profiles-close");
  Destroy();
}

void CConfigDialog::RequestEdit() {
  if (manager_.Edit()) PostMessageW(hwnd(), kMsgOpenEditor, 0, 0);
}

void CConfigDialog::OpenEditor() {
  const std::optional<std::size_t> line = manager_.selected();
  if (!line || nameList_ == nullptr) return;
  if (CLBEditorWnd::Edit(nameList_, static_cast<int>(*line), EditMode::ProfileName,
                         [this](int index, const std::wstring& name) {
                           manager_.Rename(static_cast<std::size_t>(index), name);
                           log_.Line(L"profiles-renamed " + name);
                         })) {
    log_.Line(L"profiles-editing " + std::to_wstring(*line));
  }
}

void CConfigDialog::OnCommand(int id, int notification, HWND) {
  if (id == kProfileListId) {
    const LRESULT current = SendMessageW(nameList_, LB_GETCURSEL, 0, 0);
    if (notification == LBN_SELCHANGE) {
      manager_.SetSelection(current == LB_ERR ? std::nullopt
                                              : std::optional(static_cast<std::size_t>(current)));
    } else if (notification == LBN_DBLCLK) {
      RequestEdit();
    }
    return;
  }
  switch (id) {
    case kCmdProfileDelete:
      manager_.Delete();
      ShowNames();
      break;
    case kCmdProfileEdit:
      RequestEdit();
      break;
    case kCmdProfileCopy:
      manager_.Copy();
      ShowNames();
      break;
    case kCmdProfileLoad:
      manager_.Load();
      break;
    case kCmdProfileSave:
      manager_.Save();
      break;
    default:
      break;
  }
}

void CConfigDialog::ShowContextMenu(POINT screen) {
  const ProfileManagerTexts& texts = manager_.texts();
  const std::pair<unsigned, const std::wstring*> items[] = {
      {kCmdProfileDelete, &texts.menuDelete}, {kCmdProfileEdit, &texts.menuEdit},
      {kCmdProfileCopy, &texts.copyWord},     {kCmdProfileLoad, &texts.menuLoad},
      {kCmdProfileSave, &texts.menuSave},
  };
  HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProfileMenuResource));
  HMENU popup = menu != nullptr ? GetSubMenu(menu, 0) : nullptr;
  if (popup == nullptr) {  // a program without its menu resource builds the same menu
    if (menu != nullptr) DestroyMenu(menu);
    menu = CreatePopupMenu();
    popup = menu;
    for (const auto& [id, text] : items) AppendMenuW(popup, MF_STRING, id, text->c_str());
  }
  for (const auto& [id, text] : items) {
    ModifyMenuW(popup, id, MF_BYCOMMAND | MF_STRING, id, text->c_str());
  }
  log_.Line(L"profiles-menu");
  TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, hwnd(), nullptr);
  DestroyMenu(menu);
}

LRESULT CALLBACK CConfigDialog::NameListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR, DWORD_PTR self) {
  auto* dialog = reinterpret_cast<CConfigDialog*>(self);
  switch (message) {
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) return 0;  // Enter does nothing here
      break;
    case WM_LBUTTONDOWN: {
      const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
      const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, lParam);
      if (HIWORD(hit) == 0) dialog->manager_.ClickLine(LOWORD(hit));
      return result;
    }
    case WM_RBUTTONUP: {
      POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      ClientToScreen(list, &point);
      dialog->ShowContextMenu(point);
      return 0;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(list, &CConfigDialog::NameListProc, kNameListSubclass);
      dialog->nameList_ = nullptr;
      break;
    default:
      break;
  }
  return DefSubclassProc(list, message, wParam, lParam);
}

LRESULT CConfigDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kMsgOpenEditor) {
    OpenEditor();
    return 0;
  }
  return Wnd::OnMessage(message, wParam, lParam);
}

LRESULT CConfigDialog::OnEraseBackground(HDC dc) {
  return picture_.loaded() ? 1 : Wnd::OnEraseBackground(dc);
}

void CConfigDialog::OnPaint(HDC dc) {
  picture_.CopyTo(dc);  // nothing without the picture
}

void CConfigDialog::OnDestroy() {
  RemoveWindowSubclass(mainWindow_, &CConfigDialog::MainWindowProc, kMainWindowSubclass);
  Wnd::OnDestroy();
}

LRESULT CConfigDialog::OnControlColour(UINT kind, HDC dc, HWND control) {
  if (kind != WM_CTLCOLORLISTBOX) return Wnd::OnControlColour(kind, dc, control);
  if (listBrush_ == nullptr) listBrush_ = CreateSolidBrush(ToColour(kProfileListBrush));
  SetTextColor(dc, ToColour(kProfileListText));
  SetBkColor(dc, ToColour(kProfileListBrush));
  return reinterpret_cast<LRESULT>(listBrush_);
}

}  // namespace gm
