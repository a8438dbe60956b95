#include "macro/macro_program_dialog_win32.h"

#include <windowsx.h>

#include <utility>

#include "gfx/image_win32.h"
#include "gfx/skin_files.h"
#include "macro/list_editor_win32.h"
#include "ui/app_messages.h"
#include "ui/main_fonts_win32.h"
#include "ui/ui_log.h"

namespace gm {
namespace {

constexpr int kDefaultWidth = 490;
constexpr int kDefaultHeight = 432;
constexpr COLORREF kListColour = RGB(109, 109, 109);
constexpr COLORREF kFieldColour = RGB(34, 24, 21);
constexpr int kWheelLines = 3;
// The option texts may spill this far above and below their rectangles (free panel space).
constexpr int kOptionTextRoom = 20;
constexpr int kBoxGap = 4;  // between the delay option's lines and its check box

struct ButtonLook {
  Rect rect;
  const wchar_t* normal;
  const wchar_t* over;
  std::wstring_view text;
};

ButtonLook LookOf(ManagerButton button, const MacroManagerTexts& texts) {
  using namespace manager_layout;
  switch (button) {
    case ManagerButton::Close:
      return {kClose, skin::kMacroCloseNormal, skin::kMacroCloseOver, {}};
    case ManagerButton::New:
      return {kNew, skin::kSmallButtonNormal, skin::kSmallButtonOver, texts.newButton};
    case ManagerButton::Delete:
      return {kDelete, skin::kSmallButtonNormal, skin::kSmallButtonOver, texts.deleteButton};
    case ManagerButton::Ok:
      return {kOk, skin::kWideButtonNormal, skin::kWideButtonOver, texts.ok};
    case ManagerButton::Cancel:
      return {kCancel, skin::kWideButtonNormal, skin::kWideButtonOver, texts.cancel};
    case ManagerButton::None:
      break;
  }
  return {{}, nullptr, nullptr, {}};
}

Rect Union(const Rect& a, const Rect& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

int Selection(HWND list) {
  return static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
}

int AsSelection(std::optional<std::size_t> index) {
  return index ? static_cast<int>(*index) : -1;
}

}  // namespace

CMacroProgramDialog::CMacroProgramDialog(const MacroDialogContext& context)
    : context_(context),
      host_(context.host != nullptr ? *context.host : ownHost_),
      store_(context.ini, context.macroFile),
      recorder_(*this, host_, context.language),
      recordHook_(recorder_),
      recordText_(MacroManagerTextsFor(context.language).startRecording) {}

CMacroProgramDialog::~CMacroProgramDialog() {
  recordHook_.Remove();
  Destroy();
  if (font_ != nullptr) DeleteObject(font_);
  if (listBrush_ != nullptr) DeleteObject(listBrush_);
  if (fieldBrush_ != nullptr) DeleteObject(fieldBrush_);
}

std::wstring CMacroProgramDialog::SkinPath(const wchar_t* name) const {
  return context_.skinFolder.Wide() + name;
}

COLORREF CMacroProgramDialog::TextColour() const {
  return RGB(context_.textColour.red, context_.textColour.green, context_.textColour.blue);
}

void CMacroProgramDialog::Log(const std::wstring& line) {
  if (context_.log != nullptr) context_.log->Line(line);
}

bool CMacroProgramDialog::Create(HWND owner) {
  WndCreateArgs args;
  args.className = kMacroManagerClass;
  args.dialogClassAttributes = true;
  args.title = std::wstring(kMacroManagerWindowText);
  args.style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU;
  args.parent = owner;
  args.width = kDefaultWidth;
  args.height = kDefaultHeight;
  if (!Wnd::Create(args)) return false;
  ownHost_.SetOwner(hwnd());

  if (!face_.Load(hwnd(), SkinPath(skin::kMacroManagerDialog))) {
    // Stays open but empty: no lists, no field, nothing loaded.
    CentreOverOwner(owner, {kDefaultWidth, kDefaultHeight});
    host_.ShowMessage(L"error", kMacroManagerLoadFailed, kMbOk);
    Log(L"macro-manager empty");
    return true;
  }
  CentreOverOwner(owner, face_.size());
  font_ = CreateFontFor(FontUse::MacroManager, context_.language);
  listBrush_ = CreateSolidBrush(kListColour);
  fieldBrush_ = CreateSolidBrush(kFieldColour);
  CreateControls();
  manager_.emplace(store_, host_, context_.options, context_.language);
  manager_->Open();
  SyncAll();
  face_.Redraw([this](HDC dc) { DrawAll(dc); });
  Log(L"macro-manager open " + std::to_wstring(manager_->names().size()));
  return true;
}

void CMacroProgramDialog::CentreOverOwner(HWND owner, Size size) {
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner != nullptr && IsWindowVisible(owner)) GetWindowRect(owner, &area);
  const int x = area.left + (area.right - area.left - size.width) / 2;
  const int y = area.top + (area.bottom - area.top - size.height) / 2;
  SetWindowPos(hwnd(), nullptr, x, y, size.width, size.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMacroProgramDialog::CreateControls() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const auto make = [&](const wchar_t* cls, const Rect& r, int id, DWORD style) {
    HWND control = CreateWindowExW(
        0, cls, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, r.left, r.top, r.width(),
        r.height(), hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return control;
  };
  // The lists clip their children: an in-place editor lies over a line.
  const DWORD list = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_CLIPCHILDREN;
  macroList_ = make(L"LISTBOX", manager_layout::kMacroList, kMacroListId, list);
  eventList_ = make(L"LISTBOX", manager_layout::kEventList, kEventListId, list | WS_VSCROLL);
  repeatField_ = make(L"EDIT", manager_layout::kRepeatField, kRepeatFieldId,
                      ES_CENTER | ES_NUMBER | ES_AUTOHSCROLL);
}

void CMacroProgramDialog::SyncAll() {
  if (!manager_) return;
  SyncListBox(macroList_, FittedListLines(macroList_, manager_->names()),
              AsSelection(manager_->selectedMacro()));
  SyncListBox(eventList_, manager_->items(), AsSelection(manager_->selectedItem()));
  SyncField();
  RedrawOptions();
}

void CMacroProgramDialog::SyncField() {
  if (WindowText(repeatField_) != manager_->repeatText()) {
    settingField_ = true;
    SetWindowTextW(repeatField_, manager_->repeatText().c_str());
    settingField_ = false;
  }
  EnableWindow(repeatField_, manager_->repeatFieldEnabled() ? TRUE : FALSE);
}

void CMacroProgramDialog::DrawButton(HDC dc, ManagerButton button, bool over) {
  const ButtonLook look = LookOf(button, manager_->texts());
  if (look.normal == nullptr) return;
  gfx::DrawPng(host_, dc, SkinPath(over ? look.over : look.normal), look.rect.left, look.rect.top);
  if (!look.text.empty()) DrawCentredText(dc, look.text, look.rect, TextColour(), font_);
}

void CMacroProgramDialog::DrawOption(HDC dc, bool delay) {
  using namespace manager_layout;
  const MacroManagerTexts& texts = manager_->texts();
  const bool on = delay ? manager_->options().delay : manager_->options().loop;
  // The delay text's rectangle reaches under its check box: its lines end before the box.
  const Rect text =
      delay ? Rect{kDelayText.left, kDelayText.top, kDelayBox.left - kBoxGap, kDelayText.bottom}
            : kLoopText;
  // The delay text's lines that do not fit go down into the empty band below it, never up to the
  // line above the option; the loop text has its field below.
  DrawWrappedText(dc, delay ? texts.delayOption : texts.loopOption, text, TextColour(), font_,
                  kOptionTextRoom, delay ? Spill::Down : Spill::Even);
  const Rect& box = delay ? kDelayBox : kLoopBox;
  gfx::DrawPng(host_, dc, SkinPath(on ? skin::kCheckBoxOn : skin::kCheckBoxOff), box.left, box.top);
}

Rect CMacroProgramDialog::OptionArea(bool delay) {
  using namespace manager_layout;
  if (!delay) return Union(kLoopText, kLoopBox);
  // With the room its lines may take below the text's rectangle (DrawOption).
  const Rect lines{kDelayText.left, kDelayText.top, kDelayText.right,
                   kDelayText.bottom + 2 * kOptionTextRoom};
  return Union(lines, kDelayBox);
}

void CMacroProgramDialog::DrawRecordButton(HDC dc, std::wstring_view text) {
  const Rect& r = manager_layout::kRecord;
  gfx::DrawPng(host_, dc, SkinPath(skin::kRecordButton), r.left, r.top);
  DrawCentredText(dc, text, r, TextColour(), font_);
}

Rect CMacroProgramDialog::RecordButtonArea() const {
  // Both texts: a long one drawn before must go entirely when the short one replaces it.
  const MacroManagerTexts& texts = manager_->texts();
  const Rect& r = manager_layout::kRecord;
  return Union(CentredTextArea(hwnd(), font_, texts.startRecording, r),
               CentredTextArea(hwnd(), font_, texts.stopRecording, r));
}

void CMacroProgramDialog::DrawTitle(HDC dc) {
  // While recording the title band says how to stop; the window itself shows no title.
  const MacroManagerTexts& texts = manager_->texts();
  if (recorder_.recording()) {
    DrawWrappedText(dc, texts.recordingWindowText, manager_layout::kTitle, TextColour(), font_, 0);
  } else {
    DrawLeftText(dc, texts.title, manager_layout::kTitle, TextColour(), font_);
  }
}

void CMacroProgramDialog::DrawAll(HDC dc) {
  using namespace manager_layout;
  const MacroManagerTexts& texts = manager_->texts();
  DrawTitle(dc);
  const std::wstring_view headings[] = {texts.selectMacro, texts.keyPressSequence,
                                        texts.recordOption};
  for (std::size_t i = 0; i < 3; ++i) {
    DrawCentredText(dc, headings[i], kHeadings[i], TextColour(), font_);
  }
  DrawRecordButton(dc, recordText_);
  DrawOption(dc, true);
  DrawOption(dc, false);
  for (ManagerButton button : {ManagerButton::Close, ManagerButton::New, ManagerButton::Delete,
                               ManagerButton::Ok, ManagerButton::Cancel}) {
    DrawButton(dc, button, button == hovered_);
  }
  drawnOptions_ = manager_->options();
}

void CMacroProgramDialog::RedrawOptions() {
  const MacroOptions now = manager_->options();
  if (drawnOptions_ && drawnOptions_->delay == now.delay && drawnOptions_->loop == now.loop) {
    return;
  }
  using namespace manager_layout;
  face_.Update(OptionArea(true), [this](HDC dc) { DrawOption(dc, true); });
  face_.Update(OptionArea(false), [this](HDC dc) { DrawOption(dc, false); });
  drawnOptions_ = now;
}

void CMacroProgramDialog::SetHovered(ManagerButton button) {
  if (!manager_ || button == hovered_) return;
  const ManagerButton before = hovered_;
  hovered_ = button;
  // The button left, and with it the partner of the pair, look normal again.
  for (ManagerButton drawn : {before, button}) {
    if (drawn == ManagerButton::None) continue;
    const ButtonLook look = LookOf(drawn, manager_->texts());
    face_.Update(CentredTextArea(hwnd(), font_, look.text, look.rect),
                 [this, drawn](HDC dc) { DrawButton(dc, drawn, drawn == hovered_); });
  }
}

void CMacroProgramDialog::OnLeftButtonDown(Point p) {
  const ManagerHit hit = HitManager(p.x, p.y);
  switch (hit) {
    case ManagerHit::Ok:
      OnOk();
      break;
    case ManagerHit::Cancel:
    case ManagerHit::Close:
      EndDialog(false);
      break;
    case ManagerHit::Record:
      if (!manager_) return;
      if (recorder_.recording()) {
        recorder_.Stop();  // logged with the stop message
      } else {
        recorder_.Start();
        if (recorder_.recording()) Log(L"macro-recording");
      }
      SyncAll();
      return;  // no drag from the record button
    case ManagerHit::DelayBox:
      if (manager_) manager_->ToggleDelayOption();
      break;
    case ManagerHit::LoopBox:
      if (manager_) manager_->ToggleLoopOption();
      break;
    case ManagerHit::New:
      if (manager_) {
        EndRecordingBeforeSelectionChange();
        const std::size_t before = manager_->names().size();
        manager_->NewMacro();
        if (manager_->names().size() > before) Log(L"macro-new " + manager_->names().back());
      }
      break;
    case ManagerHit::Delete:
      if (manager_) {
        EndRecordingBeforeSelectionChange();
        manager_->DeleteMacro();
      }
      break;
    case ManagerHit::None:
      break;
  }
  if (ended_) return;
  SyncAll();
  // Then a caption click, so that the window can be dragged from any point of its surface; not
  // once the button is up again (a message box came between).
  if ((GetKeyState(VK_LBUTTON) & 0x8000) != 0) {
    POINT screen{p.x, p.y};
    ClientToScreen(hwnd(), &screen);
    PostMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
  }
}

void CMacroProgramDialog::OnOk() {
  // Without its lists the dialog has nothing to hand back; OK must not clear the record's macros.
  if (!manager_) {
    EndDialog(false);
    return;
  }
  switch (manager_->Finish()) {
    case MacroManager::FinishResult::Encoded:
      break;
    case MacroManager::FinishResult::Refused:
      Log(L"macro-manager refused");
      return;
    case MacroManager::FinishResult::NoMacroFile:  // nothing to hand back: as Cancel
      EndDialog(false);
      return;
  }
  blocks_ = manager_->workingCopy();
  EndDialog(true);
}

void CMacroProgramDialog::EndDialog(bool ok) {
  // An editor still open over a list ends without a change.
  for (HWND list : {macroList_, eventList_}) {
    if (HWND field = list != nullptr ? FindWindowExW(list, nullptr, L"EDIT", nullptr) : nullptr) {
      SendMessageW(field, WM_KEYDOWN, VK_ESCAPE, 0);
    }
  }
  // A recording ends with the dialog; its hook goes with it.
  recordHook_.Remove();
  ended_ = true;
  endedWithOk_ = ok;
  EndModal(ok ? IDOK : IDCANCEL);
  Log(ok ? L"macro-manager ok" : L"macro-manager cancel");
}

void CMacroProgramDialog::OpenEditor(HWND list, int index, EditMode mode,
                                     std::optional<std::wstring> startText) {
  Log(mode == EditMode::MacroName ? L"macro-editor name" : L"macro-editor delay");
  CLBEditorWnd::Edit(
      list, index, mode,
      [this, mode](int line, const std::wstring& text) {
        if (!manager_) return;
        if (mode == EditMode::MacroName) {
          manager_->RenameMacro(static_cast<std::size_t>(line), text);
        } else {
          manager_->ReplaceItem(static_cast<std::size_t>(line), text);
        }
        SyncAll();
      },
      std::move(startText));
}

void CMacroProgramDialog::OnListCommand(int id, int code) {
  if (!manager_) return;
  if (id == kRepeatFieldId) {
    if (code == EN_CHANGE) OnRepeatFieldChanged();
    return;
  }
  if (id != kMacroListId && id != kEventListId) return;
  const HWND list = id == kMacroListId ? macroList_ : eventList_;
  const int index = Selection(list);
  if (index < 0) return;
  const auto line = static_cast<std::size_t>(index);
  if (id == kMacroListId) {
    if (code == LBN_SELCHANGE) {
      EndRecordingBeforeSelectionChange();
      manager_->SelectMacro(line);
      SyncAll();
    } else if (code == LBN_DBLCLK && !recorder_.recording() && manager_->MacroDoubleClicked(line)) {
      // Not while recording: the keys typed into the name would be recorded as events.
      OpenEditor(macroList_, index, EditMode::MacroName, manager_->names()[line]);
    }
  } else if (id == kEventListId && (code == LBN_SELCHANGE || code == LBN_DBLCLK)) {
    // Keys typed into a recording move the selection too; no editor opens then.
    if (manager_->EventItemChosen(line) && !recorder_.recording()) {
      OpenEditor(eventList_, index, EditMode::Delay);
    }
  }
}

void CMacroProgramDialog::EndRecordingBeforeSelectionChange() {
  // A recording belongs to the macro it started on: it ends, and is stored there, before another
  // macro is chosen, made or the macro itself deleted.
  if (recorder_.recording()) recorder_.Stop();
}

void CMacroProgramDialog::SelectEventAt(POINT client) {
  const auto found = static_cast<DWORD>(
      SendMessageW(eventList_, LB_ITEMFROMPOINT, 0, MAKELPARAM(client.x, client.y)));
  // The nearest line comes back also for a point below the last one: there the selection stays.
  RECT line{};
  if (HIWORD(found) != 0 ||
      SendMessageW(eventList_, LB_GETITEMRECT, LOWORD(found), reinterpret_cast<LPARAM>(&line)) ==
          LB_ERR ||
      PtInRect(&line, client) == FALSE) {
    return;
  }
  manager_->SelectItem(LOWORD(found));
  SendMessageW(eventList_, LB_SETCURSEL, LOWORD(found), 0);
}

void CMacroProgramDialog::OnMenuCommand(unsigned id) {
  if (!manager_) return;
  switch (id) {
    case kCmdDeleteItem:
      manager_->DeleteItem();
      break;
    case kCmdInsertLeft:
      manager_->InsertClick(MouseButtonKey::Left);
      break;
    case kCmdInsertMiddle:
      manager_->InsertClick(MouseButtonKey::Middle);
      break;
    case kCmdInsertRight:
      manager_->InsertClick(MouseButtonKey::Right);
      break;
    case kCmdInsertDelay:
      manager_->InsertDelay();
      break;
    default:
      return;
  }
  SyncAll();
}

void CMacroProgramDialog::OnRepeatFieldChanged() {
  if (settingField_) return;
  const std::wstring typed = WindowText(repeatField_);
  manager_->SetRepeatText(typed);
  if (manager_->repeatText() == typed) return;
  settingField_ = true;
  SetWindowTextW(repeatField_, manager_->repeatText().c_str());
  // Selected, so that the next digit typed replaces the "1" put back.
  SendMessageW(repeatField_, EM_SETSEL, 0, -1);
  settingField_ = false;
}

void CMacroProgramDialog::ShowContextMenu(POINT screen) {
  if (!manager_) return;
  HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kMacroListMenuResource));
  HMENU popup = menu != nullptr ? GetSubMenu(menu, 0) : nullptr;
  if (popup == nullptr) {
    if (menu != nullptr) DestroyMenu(menu);
    return;
  }
  const MacroManagerTexts& texts = manager_->texts();
  const std::pair<unsigned, std::wstring_view> labels[] = {
      {kCmdDeleteItem, texts.deleteButton},
      {kCmdInsertLeft, texts.insertLeftButton},
      {kCmdInsertMiddle, texts.insertMiddleButton},
      {kCmdInsertRight, texts.insertRightButton},
      {kCmdInsertDelay, texts.insertDelay}};
  for (const auto& [id, label] : labels) {
    ModifyMenuW(popup, id, MF_BYCOMMAND | MF_STRING, id, std::wstring(label).c_str());
  }
  Log(L"macro-menu");
  TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, hwnd(), nullptr);
  DestroyMenu(menu);
}

void CMacroProgramDialog::ScrollEventList(int wheelDelta) {
  if (eventList_ == nullptr) return;
  const int notches = wheelDelta / WHEEL_DELTA;
  const WPARAM direction = notches > 0 ? SB_LINEUP : SB_LINEDOWN;
  for (int line = 0; line < kWheelLines * (notches < 0 ? -notches : notches); ++line) {
    SendMessageW(eventList_, WM_VSCROLL, direction, 0);
  }
}

bool CMacroProgramDialog::IsOwnWindow(HWND window) const {
  return window != nullptr && (window == hwnd() || IsChild(hwnd(), window) != FALSE);
}

bool CMacroProgramDialog::PreTranslateMessage(const MSG& message) {
  if (!IsOwnWindow(message.hwnd)) return false;
  const HWND parent = GetParent(message.hwnd);
  // An in-place editor takes its own Enter, Tab and Esc.
  const bool toEditor = parent != nullptr && (parent == macroList_ || parent == eventList_);
  switch (message.message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
      if (message.wParam == VK_LWIN || message.wParam == VK_RWIN) return true;
      if (toEditor || message.message != WM_KEYDOWN) return false;
      if (message.wParam == VK_ESCAPE) return true;
      return message.wParam == VK_RETURN &&
             recorder_.previousEvent() != MacroRecorder::PreviousEvent::Stopped;
    case WM_RBUTTONDOWN:
      // As Windows lists do, the line under the pointer is selected first: the context menu
      // then acts on the line it was opened on.
      if (message.hwnd == eventList_ && manager_) {
        SelectEventAt({GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)});
      }
      return false;
    case WM_RBUTTONUP:
      if (message.hwnd != eventList_) return false;
      {
        POINT screen{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
        ClientToScreen(eventList_, &screen);
        ShowContextMenu(screen);
      }
      return true;
    case WM_MOUSEWHEEL:
      if (toEditor) return false;
      ScrollEventList(GET_WHEEL_DELTA_WPARAM(message.wParam));
      return true;
    default:
      return false;
  }
}

bool CMacroProgramDialog::Run() {
  if (hwnd() == nullptr) return false;
  RunModal(GetWindow(hwnd(), GW_OWNER));
  Destroy();
  return ended_ && endedWithOk_;
}

void CMacroProgramDialog::ClearEvents() {
  if (!manager_) return;
  manager_->ClearItems();
  SyncListBox(eventList_, manager_->items(), -1);
  SetFocus(eventList_);
}

void CMacroProgramDialog::AppendEvent(const std::wstring& item) {
  if (!manager_) return;
  manager_->AppendItem(item);
  SendMessageW(eventList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void CMacroProgramDialog::RemoveLastEvents(std::size_t count) {
  if (!manager_) return;
  std::vector<std::wstring> kept = manager_->items();
  kept.resize(kept.size() > count ? kept.size() - count : 0);
  manager_->ClearItems();
  for (std::wstring& item : kept) manager_->AppendItem(std::move(item));
  if (!manager_->items().empty()) manager_->SelectLastItem();
  SyncListBox(eventList_, manager_->items(), AsSelection(manager_->selectedItem()));
}

void CMacroProgramDialog::SelectLastEvent() {
  if (!manager_) return;
  manager_->SelectLastItem();
  SendMessageW(eventList_, LB_SETCURSEL, static_cast<WPARAM>(AsSelection(manager_->selectedItem())),
               0);
}

void CMacroProgramDialog::EnableRepeatCount(bool enabled) {
  if (!manager_) return;
  manager_->SetRepeatFieldEnabled(enabled);
  SyncField();
}

void CMacroProgramDialog::SetTitleText(std::wstring_view text) {
  SetWindowTextW(hwnd(), std::wstring(text).c_str());
}

void CMacroProgramDialog::DrawRecordButton(std::wstring_view text) {
  recordText_ = text;
  if (!manager_) return;
  face_.Update(RecordButtonArea(), [this](HDC dc) { DrawRecordButton(dc, recordText_); });
  face_.Update(manager_layout::kTitle, [this](HDC dc) { DrawTitle(dc); });
}

bool CMacroProgramDialog::delayOption() const {
  return manager_ && manager_->options().delay;
}

void CMacroProgramDialog::StoreSelectedMacro() {
  if (manager_) manager_->StoreSelected();
}

void CMacroProgramDialog::SendRecorderMessage(unsigned wParam, long lParam) {
  SendMessageW(hwnd(), kMsgRecorderEvent, wParam, lParam);
}

bool CMacroProgramDialog::InstallRecordHook(unsigned long& errorCode) {
  return recordHook_.Install(errorCode);
}

void CMacroProgramDialog::RemoveRecordHook() {
  recordHook_.Remove();
}

LRESULT CMacroProgramDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kMsgRecorderEvent) {
    if (!manager_) return 0;
    recorder_.OnRecorderMessage(static_cast<unsigned>(wParam), static_cast<long>(lParam));
    // However it ended: the record button, Ctrl+Break or the 65th key.
    if (wParam == recorder_message::kRecordingStopped) Log(L"macro-recorded");
    return 0;
  }
  return FacedWindow::OnMessage(message, wParam, lParam);
}

void CMacroProgramDialog::OnPointer(std::optional<Point> at) {
  SetHovered(at ? ManagerButtonAt(at->x, at->y) : ManagerButton::None);
}

void CMacroProgramDialog::OnCommand(int id, int code, HWND control) {
  if (control != nullptr) {
    OnListCommand(id, code);
  } else {
    OnMenuCommand(static_cast<unsigned>(id));
  }
}

LRESULT CMacroProgramDialog::OnControlColour(UINT kind, HDC dc, HWND control) {
  if (kind == WM_CTLCOLORLISTBOX && listBrush_ != nullptr) {
    SetTextColor(dc, TextColour());
    SetBkColor(dc, kListColour);
    return reinterpret_cast<LRESULT>(listBrush_);
  }
  // The repeat field; as a static control while it is disabled.
  if ((kind == WM_CTLCOLOREDIT || kind == WM_CTLCOLORSTATIC) && fieldBrush_ != nullptr &&
      control == repeatField_) {
    SetTextColor(dc, TextColour());
    SetBkColor(dc, kFieldColour);
    return reinterpret_cast<LRESULT>(fieldBrush_);
  }
  return FacedWindow::OnControlColour(kind, dc, control);
}

void CMacroProgramDialog::OnClose() {
  EndDialog(false);
}

std::optional<MacroBlocks> RunMacroManager(HWND owner, const MacroDialogContext& context) {
  CMacroProgramDialog dialog(context);
  if (!dialog.Create(owner) || !dialog.Run()) return std::nullopt;
  return dialog.blocks();
}

}  // namespace gm
