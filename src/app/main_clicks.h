// The main window's left-button press: the point is tested against an ordered list of
// rectangles; a row either ends the handling or lets the following rows test the same point.
// The rows that go on see the layout as the earlier rows left it (a header click redraws its
// column first).
#pragma once

#include <cstddef>

#include "app/main_layout.h"
#include "app/settings_pages.h"
#include "buttons/main_geometry.h"

namespace gm {

// What the clicks do; the main window carries them out.
class MainClickActions {
 public:
  virtual ~MainClickActions() = default;
  virtual bool saveBusy() const = 0;
  virtual bool helpOpen() const = 0;
  virtual bool profileManagerOpen() const = 0;

  virtual void Reset() = 0;
  virtual void Cancel() = 0;
  virtual void Save() = 0;
  virtual void OpenHelp() = 0;
  virtual void CloseHelp() = 0;
  virtual void Minimise() = 0;
  virtual void CloseProgram() = 0;
  virtual void OpenProfileManager() = 0;
  virtual void SetView(MouseView view) = 0;
  virtual void ToggleLeftPage(Page page) = 0;  // button assignment or X/Y sensitivity
  virtual void OpenMacroManager() = 0;
  virtual void ToggleRightPage(Page page) = 0;  // a page of the right column
  // Button row r = 1..12: a click outside its drop-down box and its list area closes the row's
  // open function lists and the second-level lists.
  virtual void CloseButtonRowLists(int row) = 0;
  // A click in a row's drop-down box: the function menu of the button (0..18). The menu only
  // opens while the button assignment page is open.
  virtual void OpenButtonMenu(std::size_t button) = 0;
  // Lets the user drag the window from the point.
  virtual void DragWindow() = 0;
};

// Button row r = 1..12 of the button assignment page: its drop-down box and the area of its
// function list.
Rect ButtonRowDropdown(int row);
Rect ButtonRowListArea(int row);

// The settings pages' controls take the click as the layout is when their rows run; sizes are
// the page backgrounds' as last measured.
void DispatchMainClick(int x, int y, const MainLayout& layout, const PageSizes& sizes,
                       MainClickActions& actions, SettingsPageEditor& pages);

}  // namespace gm
