#include "app/main_clicks.h"

namespace gm {
namespace {

constexpr int kButtonRows = 12;
constexpr int kFrontButtonRows = 7;

// The controls of the open settings pages whose tests run at this turn, each in turn. A page's
// controls answer only while its header can be clicked: the first three right pages' only with
// the column at its top.
void DispatchPageClick(int x, int y, ClickTurn turn, const MainLayout& layout,
                       const PageSizes& sizes, SettingsPageEditor& pages) {
  for (const PageControl& control : PageControls()) {
    if (control.turn != turn) continue;
    if (!layout.IsOpen(control.page) || !layout.IsClickable(control.page)) continue;
    const PagePlace place = PlaceOf(layout, control.page, sizes);
    for (int i = 0; i < control.count; ++i) {
      if (control.area(place, i).Contains(x, y)) pages.Click(control, i, place, x, y);
    }
  }
}

}  // namespace

Rect ButtonRowDropdown(int row) {
  return {120, 109 + 20 * row, 250, 125 + 20 * row};
}

Rect ButtonRowListArea(int row) {
  return {262, 109 + 20 * row, 392, 369 + 20 * row};
}

void DispatchMainClick(int x, int y, const MainLayout& layout, const PageSizes& sizes,
                       MainClickActions& actions, SettingsPageEditor& pages) {
  if (kResetButton.Contains(x, y)) return actions.Reset();
  if (kCancelButton.Contains(x, y)) return actions.Cancel();
  if (kSaveButton.Contains(x, y)) {
    if (!actions.saveBusy()) actions.Save();
    return;
  }
  if (kHelpButton.Contains(x, y)) {
    if (actions.helpOpen()) {
      actions.CloseHelp();
    } else {
      actions.OpenHelp();
    }
    return;
  }
  if (actions.helpOpen()) actions.CloseHelp();  // anywhere else closes it and goes on
  if (kMinimiseButton.Contains(x, y)) return actions.Minimise();
  if (kCloseButton.Contains(x, y)) return actions.CloseProgram();
  if (kConfigButton.Contains(x, y)) {
    if (!actions.profileManagerOpen()) actions.OpenProfileManager();
    return;
  }
  if (kFrontViewButton.Contains(x, y)) return actions.SetView(MouseView::Front);
  if (kSideViewButton.Contains(x, y)) return actions.SetView(MouseView::Side);
  if (layout.HeaderRect(Page::ButtonAssignment).Contains(x, y))
    return actions.ToggleLeftPage(Page::ButtonAssignment);
  if (layout.HeaderRect(Page::MacroManager).Contains(x, y)) return actions.OpenMacroManager();
  if (layout.HeaderRect(Page::XYSensitivity).Contains(x, y))
    return actions.ToggleLeftPage(Page::XYSensitivity);

  for (std::size_t k = 0; k < kRightPageCount; ++k) {
    const Page page = RightPage(k);
    // The first three headers only answer while the column shows its top.
    const bool reachable = k >= 3 || layout.position() == ColumnPosition::Top;
    if (layout.IsClickable(page) && reachable && layout.HeaderRect(page).Contains(x, y)) {
      actions.ToggleRightPage(page);
    }
  }
  DispatchPageClick(x, y, ClickTurn::BeforeButtonRows, layout, sizes, pages);

  for (int r = 1; r <= kButtonRows; ++r) {
    if (!ButtonRowDropdown(r).Contains(x, y) && !ButtonRowListArea(r).Contains(x, y)) {
      actions.CloseButtonRowLists(r);
    }
  }
  const bool front = layout.view() == MouseView::Front;
  for (int r = 1; r <= kButtonRows; ++r) {
    if (!ButtonRowDropdown(r).Contains(x, y)) continue;
    // Rows 1..7 are Button 1..7 in the front view and Button S1..S7 in the side view; rows
    // 8..12 exist only in the side view.
    if (r > kFrontButtonRows && front) continue;
    return actions.OpenButtonMenu(
        static_cast<std::size_t>(front ? r - 1 : kFrontButtonRows + r - 1));
  }

  DispatchPageClick(x, y, ClickTurn::AfterButtonRows, layout, sizes, pages);
  actions.DragWindow();
}

}  // namespace gm
