#include "app/assignment_page_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "app/main_clicks.h"
#include "buttons/combo_dialog_win32.h"
#include "buttons/single_dialog_win32.h"
#include "gfx/skin_files.h"
#include "macro/macro_dialog_win32.h"
#include "ui/app_messages.h"

namespace gm {
namespace {

constexpr UINT_PTR kListSubclassId = 0x4D4E;  // "MN"
constexpr DWORD kHoverTimeMs = 10;

Point PointOf(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

const wchar_t* DropdownImage(RowLook look) {
  switch (look) {
    case RowLook::Over:
      return skin::kDropdownOver;
    case RowLook::Leave:
      return skin::kDropdownLeave;
    case RowLook::Normal:
      break;
  }
  return skin::kDropdownNormal;
}

struct ButtonLook {
  const wchar_t* normal;
  const wchar_t* over;
  std::optional<std::size_t> textSlot;  // the text drawn on it, if any
};

ButtonLook LookOf(HotButton button) {
  switch (button) {
    case HotButton::Reset:
      return {skin::kCancelNormal, skin::kCancelOver, slot::kReset};
    case HotButton::Cancel:
      return {skin::kCancelNormal, skin::kCancelOver, slot::kCancel};
    case HotButton::Save:
      return {skin::kSaveNormal, skin::kSaveOver, slot::kSave};
    case HotButton::Help:
      return {skin::kHelpNormal, skin::kHelpOver, std::nullopt};
    case HotButton::Close:
      return {skin::kCloseNormal, skin::kCloseOver, std::nullopt};
    case HotButton::Minimise:
      return {skin::kMinimiseNormal, skin::kMinimiseOver, std::nullopt};
    case HotButton::Config:
      return {skin::kConfigNormal, skin::kConfigOver, slot::kConfig};
  }
  return {skin::kHelpNormal, skin::kHelpOver, std::nullopt};
}

// A list box draws an item's text a pixel or two in from its left edge; the same is kept free
// on the right, with the border on both sides.
constexpr int kItemTextPadding = 4;
constexpr int kListBorder = 1;

}  // namespace

int MenuListWidth(HFONT font, const std::vector<std::wstring>& items) {
  HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, font);
  int widest = 0;
  for (const std::wstring& item : items) {
    SIZE size{};
    GetTextExtentPoint32W(dc, item.c_str(), static_cast<int>(item.size()), &size);
    widest = std::max(widest, static_cast<int>(size.cx));
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return widest + 2 * (kItemTextPadding + kListBorder);
}

int MenuItemHeight(HFONT font) {
  if (font == nullptr) return 0;
  HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  const bool measured = GetTextMetricsW(dc, &metrics) != FALSE;
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return measured ? static_cast<int>(metrics.tmHeight) : 0;
}

AssignmentPage::~AssignmentPage() {
  // The lists are children of the main window; they go with it, or here if it outlives us.
  for (HWND list : subLists_) {
    if (list != nullptr && IsWindow(list)) DestroyWindow(list);
  }
  if (functionList_ != nullptr && IsWindow(functionList_)) DestroyWindow(functionList_);
}

AssignmentMenus& AssignmentPage::Menus() {
  if (!menus_) {
    AppState& state = context_.state;
    menus_.emplace(state.record, state.labels, state.texts.language(), context_.host, hover_,
                   *this);
  }
  return *menus_;
}

void AssignmentPage::ClearSelectionAndHover() {
  CloseAllLists();
  hover_.Clear();
  litPart_.reset();  // the redraw that follows shows the plain mouse picture
}

bool AssignmentPage::pageOpen() const {
  return context_.layout.IsOpen(Page::ButtonAssignment);
}

MouseView AssignmentPage::view() const {
  return context_.layout.view();
}

HotRows AssignmentPage::Rows() const {
  return {pageOpen(), view()};
}

bool AssignmentPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_MOUSEMOVE:
      OnMainPointerMove(PointOf(lParam));
      return false;  // the window's own handling goes on
    case WM_MOUSEHOVER:
      OnHover(PointOf(lParam));
      return true;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id < kFunctionListId || id >= kFirstSubListId + static_cast<int>(kSubListCount)) {
        return false;
      }
      OnListNotification(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return true;
    }
    case kMsgMenuPick:
      OnPick(static_cast<int>(wParam), static_cast<int>(lParam));
      return true;
    case WM_KEYDOWN:
    case WM_CHAR:
      // Enter and Esc neither pick nor close anything.
      return wParam == VK_RETURN || wParam == VK_ESCAPE;
    default:
      return false;
  }
}

void AssignmentPage::OnMainPointerMove(Point p) {
  POINT screen{p.x, p.y};
  ClientToScreen(context_.window.hwnd(), &screen);
  if (lastPointer_ && lastPointer_->x == screen.x && lastPointer_->y == screen.y) return;
  lastPointer_ = screen;
  const std::optional<std::size_t> open = menus_ ? menus_->openButton() : std::nullopt;
  const HoverTracker::MoveResult move = hover_.OnPointerMove(p, Rows(), open);
  if (move.requestHover) {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_HOVER | TME_LEAVE;
    track.hwndTrack = context_.window.hwnd();
    track.dwHoverTime = kHoverTimeMs;
    TrackMouseEvent(&track);
    return;
  }
  if (move.restore.empty()) return;
  // Only a lit part has a look to put back; the others show the picture's own.
  std::optional<std::size_t> partBack;
  for (std::size_t button : move.partsBack) {
    if (litPart_ == button) partBack = button;
  }
  context_.paint([&](HDC dc, const MainPainter& painter) {
    for (HotArea area : move.restore) DrawArea(dc, painter, area, false);
    if (partBack) DrawPart(dc, painter, *partBack, false);
  });
  if (partBack) litPart_.reset();
  for (HotArea area : move.restore) Log(L"rest " + HotAreaName(area));
}

void AssignmentPage::OnHover(Point p) {
  const HoverTracker::HoverResult hover = hover_.OnHover(p, Rows());
  if (!hover.lit) return;
  context_.paint([&](HDC dc, const MainPainter& painter) {
    for (HotArea area : hover.restore) DrawArea(dc, painter, area, false);
    DrawArea(dc, painter, *hover.lit, true);
  });
  for (HotArea area : hover.restore) Log(L"rest " + HotAreaName(area));
  Log(L"hover " + HotAreaName(*hover.lit));
}

void AssignmentPage::OnListNotification(int id, int code, HWND list) {
  if (code != LBN_SELCHANGE && code != LBN_DBLCLK) return;
  // Picked after the list's own handling has returned: a pick destroys the list and may run a
  // dialog's message loop.
  const LRESULT selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
  PostMessageW(context_.window.hwnd(), kMsgMenuPick, static_cast<WPARAM>(id),
               static_cast<LPARAM>(selected));
}

void AssignmentPage::OnPick(int id, int position) {
  const std::optional<std::size_t> selected =
      position >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(position)) : std::nullopt;
  if (id == kFunctionListId) {
    if (functionList_ != nullptr) Menus().OnFunctionListPick(selected);
    return;
  }
  const auto list = static_cast<SubList>(id - kFirstSubListId);
  if (subList(list) != nullptr) Menus().OnSubListPick(list, selected);
}

HWND AssignmentPage::CreateList(int id, const Rect& rect, const std::vector<std::wstring>& items) {
  HWND list = CreateWindowExW(
      0, L"LISTBOX", L"",
      WS_CHILD | WS_BORDER | WS_CLIPSIBLINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, rect.left,
      rect.top, rect.width(), rect.height(), context_.window.hwnd(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (list == nullptr) return nullptr;
  SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(context_.mainFont), FALSE);
  for (const std::wstring& item : items) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  SetWindowSubclass(list, &AssignmentPage::ListProc, kListSubclassId,
                    reinterpret_cast<DWORD_PTR>(this));
  // Above the other lists, shown without taking the focus.
  SetWindowPos(list, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  return list;
}

void AssignmentPage::CreateFunctionList(std::size_t, const Rect& area,
                                        const std::vector<std::wstring>& items) {
  DestroyFunctionList();
  functionList_ = CreateList(kFunctionListId, area, items);
  // The item height places every item, for the end-to-end tests.
  if (functionList_ != nullptr) {
    Log(L"function-list " + std::to_wstring(SendMessageW(functionList_, LB_GETITEMHEIGHT, 0, 0)));
  }
}

void AssignmentPage::DestroyFunctionList() {
  if (functionList_ == nullptr) return;
  HWND list = functionList_;
  functionList_ = nullptr;  // no picks from its last notifications
  DestroyWindow(list);
}

Rect AssignmentPage::FunctionItemRect(std::size_t position) const {
  RECT item{};
  if (functionList_ == nullptr || SendMessageW(functionList_, LB_GETITEMRECT, position,
                                               reinterpret_cast<LPARAM>(&item)) == LB_ERR) {
    return {};
  }
  return {item.left, item.top, item.right, item.bottom};
}

void AssignmentPage::CreateSubList(SubList list, const Rect& rect,
                                   const std::vector<std::wstring>& items) {
  DestroySubList(list);
  subLists_[static_cast<std::size_t>(list)] =
      CreateList(kFirstSubListId + static_cast<int>(list), rect, items);
}

void AssignmentPage::DestroySubList(SubList list) {
  HWND& handle = subLists_[static_cast<std::size_t>(list)];
  if (handle == nullptr) return;
  HWND old = handle;
  handle = nullptr;
  DestroyWindow(old);
}

HWND AssignmentPage::ListOf(MenuList list) const {
  if (list == MenuList::Function) return functionList_;
  return subLists_[static_cast<std::size_t>(list) - 1];
}

void AssignmentPage::SelectItem(MenuList list, std::size_t position) {
  HWND handle = ListOf(list);
  if (handle == nullptr) return;
  if (SendMessageW(handle, LB_GETCURSEL, 0, 0) == static_cast<LRESULT>(position)) return;
  SendMessageW(handle, LB_SETCURSEL, position, 0);
}

void AssignmentPage::DrawRowLook(HDC dc, const MainPainter& painter, std::size_t row,
                                 RowLook look) const {
  // The page under the whole row first: a caption can be wider than the box image, and the
  // old caption's ends must not stay beside the new one.
  painter.ButtonRow(dc, view(), static_cast<int>(row), DropdownImage(look));
}

void AssignmentPage::DrawRow(std::size_t button, RowLook look) {
  const std::size_t row = RowOfButton(button);
  // Only a row the page shows, with the button of the view.
  if (!pageOpen() || ViewOfButton(button) != view()) return;
  context_.paint([&](HDC dc, const MainPainter& painter) { DrawRowLook(dc, painter, row, look); });
}

void AssignmentPage::DrawPart(HDC dc, const MainPainter& painter, std::size_t button,
                              bool over) const {
  const MouseView partView = ViewOfButton(button);
  if (partView != view()) return;
  const Point at = partView == MouseView::Front ? skin::kMouseFrontAt : skin::kMouseSideAt;
  const auto light = [&](std::size_t b) {
    for (const std::wstring& part :
         skin::MousePartsOfButton(static_cast<int>(b), skin::PartLook::Over)) {
      painter.Image(dc, part, at.x, at.y);
    }
  };
  // A part's edges are blended: a look drawn over another would blend them twice and leave a
  // halo. The picture comes back first (a part is as large as the picture), then this part's
  // hover look. Its resting look is the picture's own, as the first draw shows it: the
  // "-normal" image drawn over the picture again would move its blended edges by a step or two.
  // At most one part is lit, so the picture drawn again puts every other part back.
  painter.MousePictureAgain(dc, partView);
  if (over) light(button);
}

void AssignmentPage::LightMousePart(std::size_t button) {
  // The part lit before (a list closed by a second click leaves it lit until the pointer
  // leaves the rows) goes back: only the open list's part stays lit.
  context_.paint([&](HDC dc, const MainPainter& painter) { DrawPart(dc, painter, button, true); });
  litPart_ = button;
}

void AssignmentPage::DrawArea(HDC dc, const MainPainter& painter, HotArea area, bool over) const {
  if (area.isRow()) {
    DrawRowLook(dc, painter, area.row(), over ? RowLook::Over : RowLook::Normal);
    return;
  }
  const Rect rect = HotAreaRect(area);
  const ButtonLook look = LookOf(area.button());
  // The window's background under the button first: its rounded, blended edges would be
  // blended again over the other look.
  painter.BackgroundUnder(dc, look.normal, rect);
  painter.Image(dc, over ? look.over : look.normal, rect.left, rect.top);
  if (!look.textSlot) return;
  const std::wstring& text = context_.state.texts[*look.textSlot];
  if (area.button() == HotButton::Config) {
    painter.Text(dc, text, {43, rect.top, rect.right, rect.bottom}, DT_LEFT);
  } else {
    painter.Text(dc, text, rect, DT_CENTER);
  }
}

std::optional<std::wstring> AssignmentPage::AskSingleKey() {
  const AppState& state = context_.state;
  Log(L"single-key dialog");
  const SingleDialogResult result =
      RunSingleDialog({context_.host, context_.window.hwnd(), context_.skinFolder.Wide(),
                       state.texts.language(), state.textColour});
  if (!result.confirmed) return std::nullopt;
  return result.keyName;
}

std::optional<ComboKeyNames> AssignmentPage::AskComboKey() {
  const AppState& state = context_.state;
  Log(L"combo dialog");
  const ComboDialogResult result =
      RunComboDialog({context_.host, context_.window.hwnd(), context_.skinFolder.Wide(),
                      state.texts.language(), state.textColour});
  if (!result.confirmed) return std::nullopt;
  return ComboKeyNames{result.modifierName, result.key1Name, result.key2Name};
}

MacroPickerResult AssignmentPage::AskMacro() {
  AppState& state = context_.state;
  const MacroDialogContext context{
      context_.ini,     state.files.macroFile, context_.skinFolder, state.texts.language(),
      state.textColour, state.macroOptions,    &context_.log,       &context_.host};
  return RunMacroPicker(context_.window.hwnd(), context);
}

LRESULT CALLBACK AssignmentPage::ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR self) {
  auto* page = reinterpret_cast<AssignmentPage*>(self);
  switch (message) {
    case WM_MOUSEMOVE: {
      POINT screen{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      ClientToScreen(list, &screen);
      page->lastPointer_ = screen;
      // Before the list's own handling: hover selection, and the sub-list of the item.
      const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, lParam);
      std::optional<std::size_t> item;
      if (HIWORD(hit) == 0) item = LOWORD(hit);
      MenuList over = MenuList::Function;
      for (std::size_t k = 0; k < kSubListCount; ++k) {
        if (page->subLists_[k] == list) over = MenuListOf(static_cast<SubList>(k));
      }
      page->Menus().OnPointerMove(over, item);
      break;
    }
    case WM_KEYDOWN:
    case WM_CHAR:
      if (wParam == VK_RETURN || wParam == VK_ESCAPE) return 0;
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(list, &AssignmentPage::ListProc, kListSubclassId);
      break;
    default:
      break;
  }
  return DefSubclassProc(list, message, wParam, lParam);
}

}  // namespace gm
