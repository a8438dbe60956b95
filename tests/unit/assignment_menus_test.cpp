// The button assignment menus and the hover tracking, driven without a window: which list is
// open, which sub-list follows the hovered item and where it goes, what picks, dialogs and
// clicks outside do, and what the hot areas light and put back.
#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "buttons/assignment_menus.h"
#include "config/key_table.h"
#include "fake_host.h"

namespace gm {
namespace {

// Records what the menus asked for; the dialogs answer from a script.
class FakeWindows : public AssignmentMenuWindows {
 public:
  bool pageOpen() const override { return page; }
  MouseView view() const override { return currentView; }
  void CreateFunctionList(std::size_t button, const Rect& area,
                          const std::vector<std::wstring>& items) override {
    calls.push_back(L"create " + std::to_wstring(button));
    listArea = area;
    listItems = items;
  }
  void DestroyFunctionList() override { calls.push_back(L"destroy"); }
  Rect FunctionItemRect(std::size_t position) const override {
    const int top = 16 * static_cast<int>(position);
    return {0, top, 128, top + 16};
  }
  void CreateSubList(SubList list, const Rect& rect,
                     const std::vector<std::wstring>& items) override {
    calls.push_back(L"create " + SubListName(list));
    subRect = rect;
    subItems = items;
  }
  void DestroySubList(SubList list) override { calls.push_back(L"destroy " + SubListName(list)); }
  int ListWidth(const std::vector<std::wstring>& items) const override {
    std::size_t longest = 0;
    for (const std::wstring& item : items) longest = std::max(longest, item.size());
    return static_cast<int>(longest) * charWidth;
  }
  void SelectItem(MenuList list, std::size_t position) override {
    calls.push_back(L"select " + std::to_wstring(static_cast<int>(list)) + L" " +
                    std::to_wstring(position));
  }
  void DrawRow(std::size_t button, RowLook look) override {
    calls.push_back(L"row " + std::to_wstring(button) + L" " +
                    std::to_wstring(static_cast<int>(look)));
  }
  void LightMousePart(std::size_t button) override {
    calls.push_back(L"part " + std::to_wstring(button));
  }
  std::optional<std::wstring> AskSingleKey() override {
    calls.push_back(L"single-key dialog");
    if (duringDialog) duringDialog();
    return singleKey;
  }
  std::optional<ComboKeyNames> AskComboKey() override {
    calls.push_back(L"combo dialog");
    return combo;
  }
  MacroPickerResult AskMacro() override {
    calls.push_back(L"macro picker");
    return macro;
  }

  bool page = true;
  MouseView currentView = MouseView::Front;
  std::vector<std::wstring> calls;
  Rect listArea;
  std::vector<std::wstring> listItems;
  Rect subRect;
  std::vector<std::wstring> subItems;
  std::optional<std::wstring> singleKey;
  std::optional<ComboKeyNames> combo;
  MacroPickerResult macro;
  std::function<void()> duringDialog;
  int charWidth = 0;  // what ListWidth measures a character as; 0: every list fits  // what happens
                      // while a dialog's loop runs
};

class Menus : public ::testing::Test {
 protected:
  Menus() {
    // Two "Click" buttons, so that the guard lets every list open.
    record.button(ButtonField::Category, 1) = 0;
    for (std::size_t b = 2; b < kButtonCount; ++b) record.button(ButtonField::Category, b) = 13;
    labels.fill(L"old");
  }
  AssignmentMenus Make(Language language = Language::English) {
    return AssignmentMenus(record, labels, language, host, hover, windows);
  }
  // The four bytes of button b in the key table.
  SlotBytes Slot(std::size_t b) const { return EncodeButtonFunction(record, b); }

  SettingsRecord record;
  ButtonLabels labels;
  test::FakeHost host;
  HoverTracker hover;
  FakeWindows windows;
};

TEST_F(Menus, ToggleOpensClosesAndKeepsOneListOpen) {
  AssignmentMenus menus = Make(Language::German);
  menus.ToggleFunctionList(2);
  EXPECT_EQ(menus.openButton(), 2u);
  EXPECT_EQ(windows.listArea, (Rect{262, 169, 392, 429}));
  ASSERT_EQ(windows.listItems.size(), 16u);
  EXPECT_EQ(windows.listItems[10], L"Einzel Taste ");
  EXPECT_EQ(windows.calls, (std::vector<std::wstring>{L"create 2", L"part 2"}));

  windows.calls.clear();
  menus.ToggleFunctionList(9);  // side row 2: the other list closes first
  EXPECT_EQ(menus.openButton(), 9u);
  EXPECT_EQ(windows.listArea, (Rect{262, 169, 392, 429}));
  EXPECT_EQ(windows.calls, (std::vector<std::wstring>{L"destroy", L"create 9", L"part 9"}));

  windows.calls.clear();
  menus.ToggleFunctionList(9);  // twice: closed
  EXPECT_FALSE(menus.openButton());
  EXPECT_EQ(windows.calls, (std::vector<std::wstring>{L"destroy"}));

  windows.page = false;  // the page closed: nothing opens
  menus.ToggleFunctionList(3);
  EXPECT_FALSE(menus.openButton());
}

TEST_F(Menus, LastClickButtonIsRefusedAfterTheOtherListCloses) {
  record.button(ButtonField::Category, 1) = 13;  // button 0 is now the only "Click"
  AssignmentMenus menus = Make(Language::Russian);
  menus.ToggleFunctionList(4);
  windows.calls.clear();
  menus.ToggleFunctionList(0);
  EXPECT_FALSE(menus.openButton());
  EXPECT_EQ(windows.calls, (std::vector<std::wstring>{L"destroy"}));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, L"Левая Клавиша Должна Быть назначена!");
  EXPECT_EQ(host.messages[0].title, L"Warning");
}

TEST_F(Menus, SubListFollowsTheHoveredItemAndEndsAtItsBottom) {
  AssignmentMenus menus = Make(Language::ChineseTraditional);
  menus.ToggleFunctionList(0);  // row 0: list area top 129
  windows.calls.clear();
  menus.OnPointerMove(MenuList::Function, 7);
  EXPECT_EQ(menus.openSubList(), SubList::Media);
  // Item 7 is 112..128 in the list: the list ends at 129 + 128, 130 high, right of the list.
  EXPECT_EQ(windows.subRect, (Rect{392, 129 + 128 - 130, 392 + 115, 129 + 128}));
  EXPECT_EQ(windows.subItems[1], L"下一首");
  menus.OnPointerMove(MenuList::Function, 7);  // the same item again: nothing new
  menus.OnPointerMove(MenuList::Function, 8);
  EXPECT_EQ(windows.subRect, (Rect{392, 129 + 144 - 162, 392 + 90, 129 + 144}));
  menus.OnPointerMove(MenuList::Function, 9);
  EXPECT_EQ(windows.subRect, (Rect{392, 129 + 160 - 114, 392 + 105, 129 + 160}));
  menus.OnPointerMove(MenuList::Function, 6);  // the DPI list: at the item's right and top
  EXPECT_EQ(windows.subRect, (Rect{262 + 128, 129 + 96, 262 + 128 + 60, 129 + 96 + 60}));
  EXPECT_EQ(windows.subItems, (std::vector<std::wstring>{L"DPI +", L"DPI -", L"DPI Loop"}));
  menus.OnPointerMove(MenuList::Function, 3);
  EXPECT_FALSE(menus.openSubList());
  EXPECT_EQ(windows.calls,
            (std::vector<std::wstring>{
                L"select 0 7", L"create media", L"select 0 7", L"select 0 8", L"destroy media",
                L"create hotkey", L"select 0 9", L"destroy hotkey", L"create windows",
                L"select 0 6", L"destroy windows", L"create dpi", L"select 0 3", L"destroy dpi"}));

  // Hover selection in a sub-list only while it is the open one; a move off every item changes
  // nothing.
  menus.OnPointerMove(MenuList::Function, 8);
  windows.calls.clear();
  menus.OnPointerMove(MenuList::HotKey, 4);
  menus.OnPointerMove(MenuList::Media, 2);
  menus.OnPointerMove(MenuList::Function, std::nullopt);
  EXPECT_EQ(windows.calls, (std::vector<std::wstring>{L"select 3 4"}));
}

TEST_F(Menus, ListsWidenToTheirLongestItemAndTheSubListsFollow) {
  // German texts measured at 8 pixels a character: "Rechte Schwenkwalze" (19) needs more
  // than the function list's 130; every list keeps its left edge, top and height.
  windows.charWidth = 8;
  AssignmentMenus menus = Make(Language::German);
  menus.ToggleFunctionList(2);  // row 2: top 169
  const auto longest = [](const std::vector<std::wstring>& items) {
    std::size_t n = 0;
    for (const std::wstring& item : items) n = std::max(n, item.size());
    return static_cast<int>(n) * 8;
  };
  const int listRight = 262 + longest(windows.listItems);
  ASSERT_GT(listRight, 392);
  EXPECT_EQ(windows.listArea, (Rect{262, 169, listRight, 169 + 260}));
  menus.OnPointerMove(MenuList::Function, 7);
  EXPECT_EQ(windows.subRect.left, listRight);  // beside the wider list, not over it
  EXPECT_EQ(windows.subRect.right, listRight + std::max(115, longest(windows.subItems)));
  EXPECT_EQ(windows.subRect.bottom, 169 + 128);
  EXPECT_EQ(windows.subRect.bottom - windows.subRect.top, 130);
  menus.OnPointerMove(MenuList::Function, 6);  // "DPI Loop" fits the DPI list's 60 only barely
  EXPECT_EQ(windows.subRect, (Rect{262 + 128, 169 + 96, 262 + 128 + 64, 169 + 96 + 60}));

  // Texts that fit keep the lists as wide as specified.
  windows.charWidth = 1;
  menus.ToggleFunctionList(2);
  menus.ToggleFunctionList(2);
  EXPECT_EQ(windows.listArea, (Rect{262, 169, 392, 429}));
  menus.OnPointerMove(MenuList::Function, 8);
  EXPECT_EQ(windows.subRect.left, 392);
  EXPECT_EQ(windows.subRect.right, 392 + 90);
}

TEST_F(Menus, SubListPicksEncodeAndCloseBothLists) {
  AssignmentMenus menus = Make();
  struct Case {
    std::size_t item;
    SubList list;
    std::size_t position;
    std::wstring label;
    std::array<std::uint8_t, 4> slot;
  };
  const Case cases[] = {
      {6, SubList::Dpi, 2, L"DPI Loop", {0x07, 0, 3, 0}},
      {7, SubList::Media, 6, L"Volume Up", {0x03, 0, 0xE9, 0}},
      {8, SubList::HotKey, 2, L"Copy", {0x00, 0, 0xE0, 0x06}},
      {9, SubList::Windows, 5, L"Show desktop", {0x00, 0, 0xE3, 0x07}},
  };
  for (const Case& c : cases) {
    menus.ToggleFunctionList(16);  // side row 9
    menus.OnPointerMove(MenuList::Function, c.item);
    menus.OnSubListPick(c.list, std::nullopt);  // no selection: ignored
    EXPECT_EQ(menus.openButton(), 16u);
    windows.calls.clear();
    menus.OnSubListPick(c.list, c.position);
    EXPECT_FALSE(menus.openButton());
    EXPECT_FALSE(menus.openSubList());
    EXPECT_EQ(labels[16], c.label);
    EXPECT_EQ(Slot(16), c.slot);
    EXPECT_EQ(windows.calls, (std::vector<std::wstring>{L"destroy " + SubListName(c.list),
                                                        L"destroy", L"row 16 0"}));
    EXPECT_TRUE(hover.flagged(HotArea::Row(9)));
  }
}

TEST_F(Menus, FunctionListPicks) {
  AssignmentMenus menus = Make();
  menus.ToggleFunctionList(5);
  for (std::size_t item = 6; item <= 9; ++item) menus.OnFunctionListPick(item);
  menus.OnFunctionListPick(std::nullopt);
  EXPECT_EQ(menus.openButton(), 5u);  // a sub-list item or no selection picks nothing
  EXPECT_EQ(labels[5], L"old");

  windows.calls.clear();
  menus.OnFunctionListPick(4);  // "IE Backward"
  EXPECT_EQ(labels[5], L"IE Backward");
  EXPECT_EQ(Slot(5), (std::array<std::uint8_t, 4>{0x01, 0, 0xF3, 0}));
  EXPECT_EQ(windows.calls, (std::vector<std::wstring>{L"destroy", L"row 5 2"}));
  EXPECT_TRUE(hover.flagged(HotArea::Row(5)));

  // The dialogs: a confirmed one picks, a cancelled one closes the list and keeps the button.
  menus.ToggleFunctionList(5);
  windows.singleKey = L"Space";
  menus.OnFunctionListPick(kSingleKeyItem);
  EXPECT_EQ(labels[5], L"Single Key-Space");
  EXPECT_EQ(Slot(5), (std::array<std::uint8_t, 4>{0, 0, 0x2C, 0}));

  menus.ToggleFunctionList(5);
  windows.combo = ComboKeyNames{L"Left Ctrl", L"A", L"Tab"};
  menus.OnFunctionListPick(kComboKeyItem);
  EXPECT_EQ(labels[5], L"Combo Key-Left Ctrl+A+Tab");
  EXPECT_EQ(Slot(5), (std::array<std::uint8_t, 4>{0, 0x01, 0x04, 0x2B}));

  menus.ToggleFunctionList(5);
  windows.macro = {true, {1, 2, L"Fire"}};
  menus.OnFunctionListPick(kMacroKeyItem);
  EXPECT_EQ(labels[5], L"Macro Key-Fire");
  EXPECT_EQ(Slot(5), (std::array<std::uint8_t, 4>{0x09, 2, 2, 0}));

  const auto before = Slot(5);
  for (std::size_t item : {kSingleKeyItem, kComboKeyItem, kMacroKeyItem}) {
    windows.singleKey.reset();
    windows.combo.reset();
    windows.macro = {true, {}};  // OK without a macro is a cancel
    menus.ToggleFunctionList(5);
    windows.calls.clear();
    menus.OnFunctionListPick(item);
    EXPECT_FALSE(menus.openButton());
    EXPECT_EQ(windows.calls.back(), L"destroy");
    EXPECT_EQ(labels[5], L"Macro Key-Fire");
    EXPECT_EQ(Slot(5), before);
  }
}

TEST_F(Menus, ListClosedWhileItsDialogRunsPicksNothing) {
  // The mouse went away during the key dialog: the lists closed and the record was read again,
  // so the confirmed key must not land on it.
  AssignmentMenus menus = Make();
  menus.ToggleFunctionList(0);
  windows.singleKey = L"Space";
  windows.duringDialog = [&] { menus.CloseAll(); };
  const auto before = Slot(0);
  menus.OnFunctionListPick(kSingleKeyItem);
  EXPECT_EQ(Slot(0), before);
  EXPECT_EQ(labels[0], L"old");
  EXPECT_FALSE(hover.flagged(HotArea::Row(0)));
  windows.duringDialog = nullptr;
  menus.ToggleFunctionList(0);  // the menus are usable again
  EXPECT_EQ(menus.openButton(), 0u);
}

TEST_F(Menus, ClicksOutsideCloseTheRowsListsAndEverySubList) {
  AssignmentMenus menus = Make();
  menus.ToggleFunctionList(10);  // side row 3
  menus.OnPointerMove(MenuList::Function, 7);
  menus.CloseRowLists(5);  // another row: only the sub-list goes
  EXPECT_EQ(menus.openButton(), 10u);
  EXPECT_FALSE(menus.openSubList());
  menus.CloseRowLists(3);
  EXPECT_FALSE(menus.openButton());

  menus.ToggleFunctionList(3);
  menus.OnPointerMove(MenuList::Function, 9);
  windows.calls.clear();
  menus.CloseAll();
  EXPECT_EQ(windows.calls, (std::vector<std::wstring>{L"destroy windows", L"destroy"}));
  menus.CloseAll();  // nothing left to close
  EXPECT_EQ(windows.calls.size(), 2u);
}

HotRows FrontPage() {
  return {true, MouseView::Front};
}

TEST(HoverTracker, TrioLightsOneAtATimeAndEmptySpacePutsItBack) {
  HoverTracker hover;
  const Point save{930, 610}, reset{680, 610}, help{940, 10}, empty{600, 300};
  EXPECT_TRUE(hover.OnPointerMove(save, FrontPage(), std::nullopt).requestHover);
  auto lit = hover.OnHover(save, FrontPage());
  EXPECT_EQ(lit.lit, HotArea::Button(HotButton::Save));
  EXPECT_TRUE(lit.restore.empty());
  hover.OnHover(help, FrontPage());  // help lights only itself
  lit = hover.OnHover(reset, FrontPage());
  EXPECT_EQ(lit.restore, (std::vector<HotArea>{HotArea::Button(HotButton::Save)}));
  EXPECT_TRUE(hover.flagged(HotArea::Button(HotButton::Help)));

  const auto moved = hover.OnPointerMove(empty, FrontPage(), std::nullopt);
  EXPECT_FALSE(moved.requestHover);
  EXPECT_EQ(moved.restore, (std::vector<HotArea>{HotArea::Button(HotButton::Reset),
                                                 HotArea::Button(HotButton::Help)}));
  EXPECT_FALSE(hover.anyFlagged());
  EXPECT_TRUE(hover.OnPointerMove(empty, FrontPage(), std::nullopt).restore.empty());
  EXPECT_FALSE(hover.OnHover(empty, FrontPage()).lit);
}

TEST(HoverTracker, RowsAreHotOnlyOnTheOpenPageOfTheirView) {
  HoverTracker hover;
  const Point row0{130, 130}, row9{130, 129 + 20 * 9 + 5};
  EXPECT_FALSE(hover.OnPointerMove(row0, {false, MouseView::Front}, std::nullopt).requestHover);
  EXPECT_FALSE(hover.OnPointerMove(row9, FrontPage(), std::nullopt).requestHover);
  EXPECT_TRUE(hover.OnPointerMove(row9, {true, MouseView::Side}, std::nullopt).requestHover);
  EXPECT_EQ(hover.OnHover(row9, {true, MouseView::Side}).lit, HotArea::Row(9));
  // Another row puts the first back; the part of a button whose list is open stays lit.
  const auto lit = hover.OnHover(row0, {true, MouseView::Side});
  EXPECT_EQ(lit.restore, (std::vector<HotArea>{HotArea::Row(9)}));
  hover.SetRowFlag(4);  // a pick's leave look
  const auto moved = hover.OnPointerMove({60, 500}, {true, MouseView::Side}, 7);
  EXPECT_EQ(moved.restore, (std::vector<HotArea>{HotArea::Row(0), HotArea::Row(4)}));
  EXPECT_EQ(moved.partsBack, (std::vector<std::size_t>{11}));

  // A flagged row the page no longer shows is cleared without drawing.
  hover.SetRowFlag(10);
  EXPECT_TRUE(hover.OnPointerMove({60, 500}, FrontPage(), std::nullopt).restore.empty());
  EXPECT_FALSE(hover.anyFlagged());
}

}  // namespace
}  // namespace gm
