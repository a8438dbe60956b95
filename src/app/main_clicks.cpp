#include "app/main_clicks.h"

namespace gm {

void DispatchMainClick(int x, int y, const MainLayout& layout, MainClickActions& actions) {
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
  if (layout.HeaderRect(Page::L1).Contains(x, y)) return actions.ToggleLeftPage(Page::L1);
  if (layout.HeaderRect(Page::L2).Contains(x, y)) return actions.OpenMacroManager();
  if (layout.HeaderRect(Page::L3).Contains(x, y)) return actions.ToggleLeftPage(Page::L3);

  for (std::size_t k = 0; k < kRightPageCount; ++k) {
    const Page page = RightPage(k);
    // The first three headers only answer while the column shows its top.
    const bool reachable = k >= 3 || layout.position() == ColumnPosition::Top;
    if (layout.IsClickable(page) && reachable && layout.HeaderRect(page).Contains(x, y)) {
      actions.ToggleRightPage(page);
    }
  }
  actions.DragWindow();
}

}  // namespace gm
