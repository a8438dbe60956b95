#include "macro/macro_dialog_win32.h"

#include <commctrl.h>

#include "gfx/image_win32.h"
#include "gfx/skin_files.h"
#include "ui/app_messages.h"
#include "ui/main_fonts_win32.h"
#include "ui/ui_log.h"

namespace gm {
namespace {

constexpr int kDefaultWidth = 396;
constexpr int kDefaultHeight = 296;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kDark = RGB(40, 40, 40);
constexpr UINT_PTR kDropListSubclass = 1;
constexpr int kWheelLines = 3;
// The texts may spill this far above and below their rectangles: half the gap between two
// mode texts.
constexpr int kTextRoom = 9;
// Posted by the drop list: the line is chosen and the list closed once its own message is done.
constexpr UINT kMsgChooseLine = kMsgPickerChooseLine;

}  // namespace

CMacroDialog::CMacroDialog(const MacroDialogContext& context)
    : context_(context),
      host_(context.host != nullptr ? *context.host : ownHost_),
      store_(context.ini, context.macroFile),
      picker_(store_),
      texts_(MacroPickerTextsFor(context.language)) {}

CMacroDialog::~CMacroDialog() {
  Destroy();
  if (font_ != nullptr) DeleteObject(font_);
  if (darkBrush_ != nullptr) DeleteObject(darkBrush_);
}

std::wstring CMacroDialog::SkinPath(const wchar_t* name) const {
  return context_.skinFolder.Wide() + name;
}

CMacroDialog::Button CMacroDialog::ButtonAt(int x, int y) {
  using namespace picker_layout;
  if (kClose.Contains(x, y)) return Button::Close;
  if (kOk.Contains(x, y)) return Button::Ok;
  if (kCancel.Contains(x, y)) return Button::Cancel;
  return Button::None;
}

bool CMacroDialog::Create(HWND owner) {
  WndCreateArgs args;
  args.className = kMacroPickerClass;
  args.dialogClassAttributes = true;
  args.title = kMacroPickerTitle;
  args.style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU;
  args.parent = owner;
  args.width = kDefaultWidth;
  args.height = kDefaultHeight;
  if (!Wnd::Create(args)) return false;
  ownHost_.SetOwner(hwnd());
  const bool loaded = face_.Load(hwnd(), SkinPath(skin::kMacroKeyDialog));
  const Size size = loaded ? face_.size() : Size{kDefaultWidth, kDefaultHeight};
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner != nullptr && IsWindowVisible(owner)) GetWindowRect(owner, &area);
  SetWindowPos(hwnd(), nullptr, area.left + (area.right - area.left - size.width) / 2,
               area.top + (area.bottom - area.top - size.height) / 2, size.width, size.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (!loaded) {
    // Stays open, without its texts and field.
    host_.ShowMessage(L"error", kMacroPickerLoadFailed, kMbOk);
    return true;
  }
  font_ = CreateFontFor(FontUse::MacroPicker, context_.language);
  darkBrush_ = CreateSolidBrush(kDark);
  const Rect& r = picker_layout::kChosenName;
  chosenName_ = CreateWindowExW(0, L"STATIC", L"",
                                WS_CHILD | WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX,
                                r.left, r.top, r.width(), r.height(), hwnd(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kChosenNameId)),
                                GetModuleHandleW(nullptr), nullptr);
  SendMessageW(chosenName_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  face_.Redraw([this](HDC dc) { DrawAll(dc); });
  if (context_.log != nullptr) context_.log->Line(L"macro-picker open");
  return true;
}

void CMacroDialog::DrawButton(HDC dc, Button button, bool over) {
  using namespace picker_layout;
  switch (button) {
    case Button::Close:
      gfx::DrawPng(host_, dc, SkinPath(over ? skin::kCloseOver : skin::kCloseNormal), kClose.left,
                   kClose.top);
      break;
    case Button::Ok:
    case Button::Cancel: {
      const Rect& r = button == Button::Ok ? kOk : kCancel;
      gfx::DrawPng(host_, dc, SkinPath(over ? skin::kSmallButtonOver : skin::kSmallButtonNormal),
                   r.left, r.top);
      DrawCentredText(dc, button == Button::Ok ? texts_.ok : texts_.cancel, r, kWhite, font_);
      break;
    }
    case Button::None:
      break;
  }
}

void CMacroDialog::DrawModes(HDC dc) {
  for (std::size_t mode = 0; mode < kMacroModeCount; ++mode) {
    const Rect& box = picker_layout::kModeBoxes[mode];
    const bool chosen = picker_.choice().mode == mode;
    gfx::DrawPng(host_, dc, SkinPath(chosen ? skin::kModeBoxOn : skin::kModeBoxOff), box.left,
                 box.top);
  }
}

void CMacroDialog::DrawAll(HDC dc) {
  // Upward: the drop-down box lies right below the prompt.
  DrawWrappedText(dc, texts_.prompt, picker_layout::kPrompt, kWhite, font_, kTextRoom, Spill::Up);
  for (std::size_t mode = 0; mode < kMacroModeCount; ++mode) {
    DrawWrappedText(dc, texts_.modes[mode], picker_layout::kModeTexts[mode], kWhite, font_,
                    kTextRoom);
  }
  DrawModes(dc);
  for (Button button : {Button::Close, Button::Ok, Button::Cancel}) {
    DrawButton(dc, button, button == hovered_);
  }
}

void CMacroDialog::SetHovered(Button button) {
  if (button == hovered_ || font_ == nullptr) return;
  const Button before = hovered_;
  hovered_ = button;
  for (Button drawn : {before, button}) {
    if (drawn == Button::None) continue;
    const Rect& r = drawn == Button::Close ? picker_layout::kClose
                    : drawn == Button::Ok  ? picker_layout::kOk
                                           : picker_layout::kCancel;
    face_.Update(r, [this, drawn](HDC dc) { DrawButton(dc, drawn, drawn == hovered_); });
  }
}

void CMacroDialog::OpenList() {
  const Rect& r = picker_layout::kDropList;
  dropList_ = CreateWindowExW(
      0, L"LISTBOX", L"",
      WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, r.left,
      r.top, r.width(), r.height(), hwnd(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kDropListId)), GetModuleHandleW(nullptr),
      nullptr);
  if (dropList_ == nullptr) {
    picker_.CloseList();
    return;
  }
  SendMessageW(dropList_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  for (const std::wstring& name : FittedListLines(dropList_, picker_.listNames())) {
    SendMessageW(dropList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  SetWindowSubclass(dropList_, &CMacroDialog::DropListProc, kDropListSubclass,
                    reinterpret_cast<DWORD_PTR>(this));
  SetFocus(dropList_);
  if (context_.log != nullptr) {
    context_.log->Line(L"macro-picker list " + std::to_wstring(picker_.listNames().size()));
  }
}

void CMacroDialog::CloseList() {
  picker_.CloseList();
  if (dropList_ == nullptr) return;
  HWND list = dropList_;
  dropList_ = nullptr;
  DestroyWindow(list);
}

void CMacroDialog::ChooseLine(int line) {
  if (line < 0 || !picker_.listOpen()) return;
  picker_.Choose(static_cast<std::size_t>(line));
  ShowChosenName();
  CloseList();
  if (context_.log != nullptr) {
    context_.log->Line(L"macro-picker chose " + std::to_wstring(picker_.choice().macroIndex));
  }
}

void CMacroDialog::ShowChosenName() {
  RECT field{};
  GetClientRect(chosenName_, &field);
  HDC dc = GetDC(chosenName_);
  const HGDIOBJ oldFont = SelectObject(dc, font_);
  const std::wstring shown =
      EndEllipsis(dc, picker_.choice().name, static_cast<int>(field.right - field.left));
  SelectObject(dc, oldFont);
  ReleaseDC(chosenName_, dc);
  SetWindowTextW(chosenName_, shown.c_str());
}

LRESULT CALLBACK CMacroDialog::DropListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR, DWORD_PTR selfData) {
  auto* self = reinterpret_cast<CMacroDialog*>(selfData);
  switch (message) {
    case WM_MOUSEMOVE: {
      // The line under the pointer is the selected one.
      const LRESULT item = SendMessageW(list, LB_ITEMFROMPOINT, 0, lParam);
      if (HIWORD(item) == 0 && static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)) !=
                                   static_cast<int>(LOWORD(item))) {
        SendMessageW(list, LB_SETCURSEL, LOWORD(item), 0);
      }
      break;
    }
    case WM_LBUTTONUP: {
      const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
      const LRESULT item = SendMessageW(list, LB_ITEMFROMPOINT, 0, lParam);
      if (HIWORD(item) == 0) PostMessageW(self->hwnd(), kMsgChooseLine, LOWORD(item), 0);
      return result;
    }
    case WM_MOUSEWHEEL: {
      const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
      for (int i = 0; i < kWheelLines * (notches < 0 ? -notches : notches); ++i) {
        SendMessageW(list, WM_VSCROLL, notches > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
      }
      return 0;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(list, &CMacroDialog::DropListProc, kDropListSubclass);
      break;
    default:
      break;
  }
  return DefSubclassProc(list, message, wParam, lParam);
}

void CMacroDialog::OnLeftButtonDown(Point p) {
  const MacroPicker::ClickEffect effect = picker_.Click(p.x, p.y);
  if (effect.listClosed) CloseList();
  if (effect.listOpened) OpenList();
  if (effect.modeChanged && font_ != nullptr) {
    using namespace picker_layout;
    face_.Update({kModeBoxes[0].left, kModeBoxes[0].top, kModeBoxes[2].right, kModeBoxes[2].bottom},
                 [this](HDC dc) { DrawModes(dc); });
  }
  if (effect.end != MacroPicker::End::None) EndDialog(effect.end == MacroPicker::End::Ok);
}

void CMacroDialog::EndDialog(bool ok) {
  CloseList();
  ended_ = true;
  endedWithOk_ = ok;
  EndModal(ok ? IDOK : IDCANCEL);
  if (context_.log != nullptr) {
    const MacroChoice& choice = picker_.choice();
    context_.log->Line(ok ? L"macro-picker ok " + std::to_wstring(choice.macroIndex) + L" " +
                                std::to_wstring(choice.mode)
                          : L"macro-picker cancel");
  }
}

bool CMacroDialog::Run() {
  if (hwnd() == nullptr) return false;
  RunModal(GetWindow(hwnd(), GW_OWNER));
  Destroy();
  return ended_ && endedWithOk_;
}

LRESULT CMacroDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEWHEEL:
      if (dropList_ != nullptr) return SendMessageW(dropList_, message, wParam, lParam);
      break;
    case kMsgChooseLine:
      ChooseLine(static_cast<int>(wParam));
      return 0;
    default:
      break;
  }
  return FacedWindow::OnMessage(message, wParam, lParam);
}

void CMacroDialog::OnPointer(std::optional<Point> at) {
  SetHovered(at ? ButtonAt(at->x, at->y) : Button::None);
}

void CMacroDialog::OnCommand(int id, int code, HWND control) {
  if (id == kDropListId && control == dropList_ && (code == LBN_SELCHANGE || code == LBN_DBLCLK)) {
    // Keys move the selection too; the list goes once its own message is done.
    PostMessageW(hwnd(), kMsgChooseLine,
                 static_cast<WPARAM>(SendMessageW(dropList_, LB_GETCURSEL, 0, 0)), 0);
  }
}

LRESULT CMacroDialog::OnControlColour(UINT kind, HDC dc, HWND control) {
  const bool dark = kind == WM_CTLCOLORSTATIC || kind == WM_CTLCOLORLISTBOX;
  if (!dark || darkBrush_ == nullptr) return FacedWindow::OnControlColour(kind, dc, control);
  SetTextColor(dc, kWhite);
  SetBkColor(dc, kDark);
  return reinterpret_cast<LRESULT>(darkBrush_);
}

void CMacroDialog::OnClose() {
  EndDialog(false);
}

MacroPickerResult RunMacroPicker(HWND owner, const MacroDialogContext& context) {
  CMacroDialog dialog(context);
  if (!dialog.Create(owner)) return {};
  dialog.Run();
  return dialog.result();
}

}  // namespace gm
