#include "profiles/rules_window_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "profiles/running_programs_win32.h"
#include "ui/main_fonts_win32.h"
#include "ui/wnd_win32.h"

namespace gm {
namespace {

enum ControlId : int {
  kListId = 100,
  kProfileLabelId,
  kProfileBoxId,
  kAddRunningId,
  kBrowseId,
  kRemoveId,
};
constexpr UINT kFirstProgramCommand = 1000;
constexpr int kMargin = 10;
constexpr int kGap = 8;
constexpr int kRowHeight = 26;
constexpr int kListHeight = 210;
constexpr int kMinClientWidth = 480;
constexpr std::size_t kMenuTitleChars = 48;

class RulesWindow : public Wnd {
 public:
  RulesWindow(Host& host, Language language, ProfileRulesEditor editor)
      : host_(host), texts_(RulesWindowTextsFor(language)), editor_(std::move(editor)) {
    font_ = CreateFontFor(FontUse::ProfileManager, language);
  }
  ~RulesWindow() override {
    if (font_ != nullptr) DeleteObject(font_);
  }

  bool Open(HWND owner) {
    WndCreateArgs args;
    args.className = L"QLGM900RulesWindow";
    args.title = texts_.title;
    args.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    args.exStyle = WS_EX_DLGMODALFRAME;
    args.parent = owner;
    args.dialogClassAttributes = true;
    if (!Create(args)) return false;
    Build(owner);
    return true;
  }

  const ProfileRulesEditor& editor() const { return editor_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NOTIFY) {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom == kListId && header->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((change->uNewState & LVIS_SELECTED) != 0) {
          editor_.Select(static_cast<std::size_t>(change->iItem));
          ShowSelection();
        }
      }
      return 0;
    }
    return Wnd::OnMessage(message, wParam, lParam);
  }

  void OnCommand(int id, int code, HWND /*control*/) override {
    switch (id) {
      case IDOK:
      case IDCANCEL:
        EndModal(id);
        break;
      case kAddRunningId:
        AddRunning();
        break;
      case kBrowseId:
        Browse();
        break;
      case kRemoveId:
        editor_.RemoveSelected();
        FillList();
        break;
      case kProfileBoxId:
        if (code == CBN_SELCHANGE) {
          const LRESULT chosen = SendMessageW(profileBox_, CB_GETCURSEL, 0, 0);
          if (chosen >= 0) editor_.SetProfileOfSelected(static_cast<std::size_t>(chosen));
          FillList();
        }
        break;
      default:
        break;
    }
  }

  void OnClose() override { EndModal(IDCANCEL); }

  // A plain dialog's face, under the labels too.
  LRESULT OnEraseBackground(HDC dc) override {
    RECT client{};
    GetClientRect(hwnd(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    return 1;
  }
  LRESULT OnControlColour(UINT kind, HDC dc, HWND control) override {
    if (kind != WM_CTLCOLORSTATIC) return Wnd::OnControlColour(kind, dc, control);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(IsWindowEnabled(control) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  }

  bool PreTranslateMessage(const MSG& message) override {
    return IsDialogMessageW(hwnd(), const_cast<MSG*>(&message)) != FALSE;
  }

 private:
  HWND Control(const wchar_t* className, const std::wstring& text, DWORD style, int id,
               DWORD exStyle = 0) {
    HWND control = CreateWindowExW(
        exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, hwnd(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return control;
  }

  int TextWidth(const std::wstring& text) const {
    HDC dc = GetDC(hwnd());
    HGDIOBJ old = SelectObject(dc, font_);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd(), dc);
    return size.cx;
  }

  int ButtonWidth(const std::wstring& text) const { return std::max(90, TextWidth(text) + 24); }

  // Places the controls by the widths of their texts, so that every language fits.
  void Build(HWND owner) {
    list_ = Control(WC_LISTVIEWW, L"", WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                    kListId, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT);
    label_ = Control(L"STATIC", texts_.profileLabel, SS_LEFT | SS_CENTERIMAGE, kProfileLabelId);
    profileBox_ =
        Control(L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, kProfileBoxId);
    remove_ = Control(L"BUTTON", texts_.remove, WS_TABSTOP | BS_PUSHBUTTON, kRemoveId);
    addRunning_ = Control(L"BUTTON", texts_.addRunning, WS_TABSTOP | BS_PUSHBUTTON, kAddRunningId);
    browse_ = Control(L"BUTTON", texts_.browse, WS_TABSTOP | BS_PUSHBUTTON, kBrowseId);
    ok_ = Control(L"BUTTON", texts_.ok, WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK);
    cancel_ = Control(L"BUTTON", texts_.cancel, WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL);
    for (const std::wstring& profile : editor_.Profiles()) {
      SendMessageW(profileBox_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(profile.c_str()));
    }

    const int addWidth = ButtonWidth(texts_.addRunning);
    const int browseWidth = ButtonWidth(texts_.browse);
    const int removeWidth = ButtonWidth(texts_.remove);
    const int okWidth = ButtonWidth(texts_.ok);
    const int cancelWidth = ButtonWidth(texts_.cancel);
    const int labelWidth = TextWidth(texts_.profileLabel) + 4;
    const int width =
        std::max({kMinClientWidth, 2 * kMargin + addWidth + kGap + browseWidth + kGap + removeWidth,
                  2 * kMargin + labelWidth + kGap + 160});
    const int inner = width - 2 * kMargin;

    int y = kMargin;
    MoveWindow(list_, kMargin, y, inner, kListHeight, FALSE);
    y += kListHeight + kGap;
    MoveWindow(addRunning_, kMargin, y, addWidth, kRowHeight, FALSE);
    MoveWindow(browse_, kMargin + addWidth + kGap, y, browseWidth, kRowHeight, FALSE);
    MoveWindow(remove_, width - kMargin - removeWidth, y, removeWidth, kRowHeight, FALSE);
    y += kRowHeight + kGap;
    MoveWindow(label_, kMargin, y, labelWidth, kRowHeight, FALSE);
    MoveWindow(profileBox_, kMargin + labelWidth + kGap, y, inner - labelWidth - kGap, 200, FALSE);
    y += kRowHeight + 2 * kGap;
    MoveWindow(cancel_, width - kMargin - cancelWidth, y, cancelWidth, kRowHeight, FALSE);
    MoveWindow(ok_, width - kMargin - cancelWidth - kGap - okWidth, y, okWidth, kRowHeight, FALSE);
    const int height = y + kRowHeight + kMargin;

    const int programWidth = inner * 3 / 5;
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = programWidth;
    column.pszText = const_cast<wchar_t*>(texts_.programColumn.c_str());
    ListView_InsertColumn(list_, 0, &column);
    column.cx = inner - programWidth - GetSystemMetrics(SM_CXVSCROLL) - 4;
    column.pszText = const_cast<wchar_t*>(texts_.profileColumn.c_str());
    ListView_InsertColumn(list_, 1, &column);

    // Client size to window size, centred on the owner (or the screen without one).
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(hwnd(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(hwnd(), GWL_EXSTYLE)));
    RECT around{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner != nullptr && IsWindowVisible(owner)) GetWindowRect(owner, &around);
    const int frameWidth = frame.right - frame.left;
    const int frameHeight = frame.bottom - frame.top;
    SetWindowPos(hwnd(), nullptr, (around.left + around.right - frameWidth) / 2,
                 (around.top + around.bottom - frameHeight) / 2, frameWidth, frameHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    FillList();
  }

  void FillList() {
    ListView_DeleteAllItems(list_);
    const std::vector<ProfileRule>& rules = editor_.Rules();
    for (std::size_t i = 0; i < rules.size(); ++i) {
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(i);
      item.pszText = const_cast<wchar_t*>(rules[i].program.c_str());
      ListView_InsertItem(list_, &item);
      ListView_SetItemText(list_, static_cast<int>(i), 1,
                           const_cast<wchar_t*>(rules[i].profile.c_str()));
    }
    if (const std::optional<std::size_t> selected = editor_.Selected()) {
      const int line = static_cast<int>(*selected);
      ListView_SetItemState(list_, line, LVIS_SELECTED | LVIS_FOCUSED,
                            LVIS_SELECTED | LVIS_FOCUSED);
      ListView_EnsureVisible(list_, line, FALSE);
    }
    ShowSelection();
  }

  void ShowSelection() {
    const bool selected = editor_.Selected().has_value();
    const std::optional<std::size_t> profile = editor_.ProfileIndexOfSelected();
    SendMessageW(profileBox_, CB_SETCURSEL, profile ? static_cast<WPARAM>(*profile) : WPARAM(-1),
                 0);
    EnableWindow(profileBox_, selected);
    EnableWindow(label_, selected);
    EnableWindow(remove_, selected);
  }

  // A menu of the programs running with a window: the chosen one's file name becomes a rule.
  void AddRunning() {
    const std::vector<RunningProgram> programs = ProgramsWithWindows();
    HMENU menu = CreatePopupMenu();
    if (programs.empty()) AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, texts_.noPrograms.c_str());
    for (std::size_t i = 0; i < programs.size(); ++i) {
      const std::wstring& path = programs[i].path;
      std::wstring line(ProgramFileName(path));
      std::wstring title = programs[i].title.substr(0, kMenuTitleChars);
      if (title.size() < programs[i].title.size()) title += L"...";
      line += L"\t" + title;
      AppendMenuW(menu, MF_STRING, kFirstProgramCommand + i, line.c_str());
    }
    RECT button{};
    GetWindowRect(addRunning_, &button);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON,
                       button.left, button.bottom, 0, hwnd(), nullptr));
    DestroyMenu(menu);
    if (chosen < kFirstProgramCommand || chosen - kFirstProgramCommand >= programs.size()) return;
    const std::wstring& path = programs[chosen - kFirstProgramCommand].path;
    editor_.Add(ProgramFileName(path));
    FillList();
  }

  // An .exe chosen in the file dialog becomes a rule by its full path.
  void Browse() {
    FileDialogRequest request;
    request.filter = texts_.programsFilter + L" (*.exe)|*.exe||";
    request.flags = kOfnFileMustExist | kOfnHideReadOnly;
    EnableWindow(hwnd(), FALSE);
    const std::optional<std::wstring> chosen = host_.ChooseOpenFile(request);
    EnableWindow(hwnd(), TRUE);
    SetForegroundWindow(hwnd());
    if (!chosen) return;
    editor_.Add(*chosen);
    FillList();
  }

  Host& host_;
  const RulesWindowTexts& texts_;
  ProfileRulesEditor editor_;
  HFONT font_ = nullptr;
  HWND list_ = nullptr;
  HWND label_ = nullptr;
  HWND profileBox_ = nullptr;
  HWND remove_ = nullptr;
  HWND addRunning_ = nullptr;
  HWND browse_ = nullptr;
  HWND ok_ = nullptr;
  HWND cancel_ = nullptr;
};

}  // namespace

std::optional<std::vector<ProfileRule>> RunRulesWindow(HWND owner, Host& host, Language language,
                                                       std::vector<ProfileRule> rules,
                                                       std::vector<std::wstring> profiles) {
  RulesWindow window(host, language, ProfileRulesEditor(std::move(rules), std::move(profiles)));
  if (!window.Open(owner)) return std::nullopt;
  const int result = window.RunModal(owner);
  std::optional<std::vector<ProfileRule>> edited;
  if (result == IDOK) edited = window.editor().Rules();
  window.Destroy();
  return edited;
}

}  // namespace gm
