#include "buttons/assignment_menus.h"

#include <algorithm>

#include "config/function_catalogue.h"

namespace gm {
namespace {

constexpr int kListWidth = 130;
constexpr int kListHeight = 260;
constexpr int kListBorders = 2;  // one pixel above and below the items

// The height of a list of `count` items: fitted to them when their height is known.
int FittedHeight(std::size_t count, int itemHeight, int fixed) {
  return itemHeight > 0 ? static_cast<int>(count) * itemHeight + kListBorders : fixed;
}

std::optional<SubList> SubListOfItem(std::size_t position) {
  if (position < kFirstSubListItem || position > kLastSubListItem) return std::nullopt;
  return static_cast<SubList>(position - kFirstSubListItem);
}

template <std::size_t N>
std::vector<std::wstring> Texts(const std::array<LocalisedText, N>& list, Language language) {
  std::vector<std::wstring> items;
  for (const LocalisedText& text : list) items.emplace_back(InLanguage(text, language));
  return items;
}

}  // namespace

std::wstring SubListName(SubList list) {
  switch (list) {
    case SubList::Dpi:
      return L"dpi";
    case SubList::Media:
      return L"media";
    case SubList::HotKey:
      return L"hotkey";
    case SubList::Windows:
      return L"windows";
  }
  return {};
}

Rect FunctionListArea(std::size_t row, int width, int itemHeight) {
  const int top = 129 + 20 * static_cast<int>(row);
  return {262, top, 262 + std::max(kListWidth, width),
          top + FittedHeight(kCategoryCount, itemHeight, kListHeight)};
}

Rect SubListRect(SubList list, const Rect& listArea, const Rect& item, int width, int itemHeight) {
  const auto upward = [&](int least, std::size_t count, int height) {
    const int bottom = listArea.top + item.bottom;
    return Rect{listArea.right, bottom - FittedHeight(count, itemHeight, height),
                listArea.right + std::max(least, width), bottom};
  };
  switch (list) {
    case SubList::Dpi: {
      const int left = listArea.left + item.right;
      const int top = listArea.top + item.top;
      return {left, top, left + std::max(60, width),
              top + FittedHeight(kDpiListSize, itemHeight, 60)};
    }
    case SubList::Media:
      return upward(115, kMediaListSize, 130);
    case SubList::HotKey:
      return upward(90, kHotKeyListSize, 162);
    case SubList::Windows:
      return upward(105, kWindowsListSize, 114);
  }
  return {};
}

std::vector<std::wstring> SubListItems(SubList list, Language language) {
  switch (list) {
    case SubList::Dpi:
      return {kDpiList.begin(), kDpiList.end()};
    case SubList::Media:
      return Texts(kMediaList, language);
    case SubList::HotKey:
      return Texts(kHotKeyList, language);
    case SubList::Windows:
      return Texts(kWindowsList, language);
  }
  return {};
}

std::vector<std::wstring> FunctionListItems(Language language) {
  return Texts(kCategoryTexts, language);
}

void AssignmentMenus::ToggleFunctionList(std::size_t button) {
  if (!windows_.pageOpen() || button >= kButtonCount || busy_) return;
  if (open_ == button) {
    CloseFunctionList();
    return;
  }
  CloseFunctionList();  // the other button's, with its sub-list
  if (!assignment_.MayOpenList(button, host_)) {
    windows_.Log(L"menu refused " + std::to_wstring(button));
    return;
  }
  const std::vector<std::wstring> items = FunctionListItems(language_);
  openArea_ =
      FunctionListArea(RowOfButton(button), windows_.ListWidth(items), windows_.ListItemHeight());
  windows_.CreateFunctionList(button, openArea_, items);
  windows_.LightMousePart(button);
  open_ = button;
  windows_.Log(L"menu open " + std::to_wstring(button));
}

void AssignmentMenus::OnPointerMove(MenuList over, std::optional<std::size_t> item) {
  if (!open_ || !item || busy_) return;
  if (over != MenuList::Function) {
    // Hover selection in the open sub-list.
    if (sub_ && MenuListOf(*sub_) == over) windows_.SelectItem(over, *item);
    return;
  }
  windows_.SelectItem(MenuList::Function, *item);
  const std::optional<SubList> wanted = SubListOfItem(*item);
  if (sub_ == wanted) return;
  CloseSubList();
  if (!wanted) return;
  const std::vector<std::wstring> items = SubListItems(*wanted, language_);
  windows_.CreateSubList(*wanted,
                         SubListRect(*wanted, openArea_, windows_.FunctionItemRect(*item),
                                     windows_.ListWidth(items), windows_.ListItemHeight()),
                         items);
  sub_ = wanted;
  windows_.Log(L"sublist open " + SubListName(*wanted));
}

void AssignmentMenus::OnFunctionListPick(std::optional<std::size_t> position) {
  if (!open_ || !position || busy_ || *position >= kCategoryCount) return;
  const std::size_t p = *position;
  if (SubListOfItem(p)) return;  // chosen in the sub-list
  const std::size_t button = *open_;
  // The dialogs run their own message loops (busy_ holds the menus still meanwhile). The list
  // may close in one (the mouse went away and the configuration was read again); what the
  // dialog answers then belongs to a record that is no longer there.
  const auto ask = [&](auto dialog) {
    busy_ = true;
    auto answer = dialog();
    busy_ = false;
    return answer;
  };
  const auto stillOpen = [&] {
    if (open_ == button) return true;
    windows_.Log(L"pick dropped " + std::to_wstring(button));
    return false;
  };
  bool picked = false;
  if (p == kSingleKeyItem) {
    const auto name = ask([&] { return windows_.AskSingleKey(); });
    if (!stillOpen()) return;
    if (name) picked = assignment_.PickSingleKey(button, *name);
  } else if (p == kComboKeyItem) {
    const auto keys = ask([&] { return windows_.AskComboKey(); });
    if (!stillOpen()) return;
    if (keys) picked = assignment_.PickCombo(button, keys->modifier, keys->key1, keys->key2);
  } else if (p == kMacroKeyItem) {
    const MacroPickerResult macro = ask([&] { return windows_.AskMacro(); });
    if (!stillOpen()) return;
    picked = AssignPickedMacro(assignment_, button, macro);
  } else {
    picked = assignment_.PickSimple(button, static_cast<std::uint8_t>(p));
  }
  if (!picked) {
    windows_.Log(L"pick cancelled " + std::to_wstring(button));
    CloseFunctionList();
    return;
  }
  Picked(button, RowLook::Leave);
}

void AssignmentMenus::OnSubListPick(SubList list, std::optional<std::size_t> position) {
  if (!open_ || !position || sub_ != list || busy_) return;
  const std::size_t button = *open_;
  bool picked = false;
  switch (list) {
    case SubList::Dpi:
      picked = assignment_.PickDpi(button, *position);
      break;
    case SubList::Media:
      picked = assignment_.PickMedia(button, *position);
      break;
    case SubList::HotKey:
      picked = assignment_.PickHotKey(button, *position);
      break;
    case SubList::Windows:
      picked = assignment_.PickWindows(button, *position);
      break;
  }
  if (picked) Picked(button, RowLook::Normal);
}

void AssignmentMenus::Picked(std::size_t button, RowLook look) {
  CloseFunctionList();
  windows_.DrawRow(button, look);
  // The resting image comes back with the next move outside the hot areas.
  hover_.SetRowFlag(RowOfButton(button));
  windows_.Log(L"pick " + std::to_wstring(button) + L" " + labels_[button]);
}

void AssignmentMenus::CloseRowLists(std::size_t row) {
  if (open_ && RowOfButton(*open_) == row) CloseFunctionList();
  CloseSubList();
}

void AssignmentMenus::CloseAll() {
  CloseFunctionList();
}

void AssignmentMenus::CloseSubList() {
  if (!sub_) return;
  const SubList list = *sub_;
  sub_.reset();
  windows_.DestroySubList(list);
  windows_.Log(L"sublist close " + SubListName(list));
}

void AssignmentMenus::CloseFunctionList() {
  CloseSubList();
  if (!open_) return;
  const std::size_t button = *open_;
  open_.reset();
  windows_.DestroyFunctionList();
  windows_.Log(L"menu close " + std::to_wstring(button));
}

}  // namespace gm
