// The menus behind the rows of the button assignment page: one function list per button (at
// most one open, beside its row), the four sub-lists that follow the hovered item 6..9, the
// picks that end in the catalogue's operations (directly, or through the key dialogs and the
// macro picker), and when lists close. The window creates and draws; this decides.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "buttons/button_assignment.h"
#include "buttons/hover_tracker.h"
#include "buttons/main_geometry.h"
#include "config/language.h"
#include "gfx/geometry.h"
#include "macro/macro_picker.h"

namespace gm {

class Host;

enum class SubList { Dpi, Media, HotKey, Windows };
inline constexpr std::size_t kSubListCount = 4;

// The list a pointer move or a notification came from.
enum class MenuList { Function, Dpi, Media, HotKey, Windows };
constexpr MenuList MenuListOf(SubList list) {
  return static_cast<MenuList>(static_cast<std::size_t>(list) + 1);
}
// "dpi", "media", "hotkey", "windows".
std::wstring SubListName(SubList list);

enum class RowLook { Normal, Over, Leave };

// The three texts of a confirmed combination-key dialog.
struct ComboKeyNames {
  std::wstring modifier;
  std::wstring key1;
  std::wstring key2;
};

// What the menus ask of the main window.
class AssignmentMenuWindows {
 public:
  virtual ~AssignmentMenuWindows() = default;

  virtual bool pageOpen() const = 0;
  virtual MouseView view() const = 0;

  // Lists are created visible with their items and destroyed on every close.
  virtual void CreateFunctionList(std::size_t button, const Rect& area,
                                  const std::vector<std::wstring>& items) = 0;
  virtual void DestroyFunctionList() = 0;
  // Item `position` of the open function list, in the list's own (client) coordinates.
  virtual Rect FunctionItemRect(std::size_t position) const = 0;
  virtual void CreateSubList(SubList list, const Rect& rect,
                             const std::vector<std::wstring>& items) = 0;
  virtual void DestroySubList(SubList list) = 0;
  virtual void SelectItem(MenuList list, std::size_t position) = 0;
  // The outer width a list needs to show each of its items whole, in the list's font; 0 when
  // it cannot be measured.
  virtual int ListWidth(const std::vector<std::wstring>& items) const = 0;
  // The height of a list's item in the list's font; 0 when it cannot be measured.
  virtual int ListItemHeight() const { return 0; }

  // The row of the button drawn in a look with the button's label; copied to the screen.
  virtual void DrawRow(std::size_t button, RowLook look) = 0;
  // The mouse picture of the view: this button's part lit, every other part normal.
  virtual void LightMousePart(std::size_t button) = 0;

  // The dialogs; nothing (or a result that is not OK) when cancelled.
  virtual std::optional<std::wstring> AskSingleKey() = 0;
  virtual std::optional<ComboKeyNames> AskComboKey() = 0;
  virtual MacroPickerResult AskMacro() = 0;

  // Said for the record of what the user saw: "menu open 3", "pick 3 Mute", ...
  virtual void Log(const std::wstring&) {}
};

// Function list positions that open a sub-list instead of picking.
inline constexpr std::size_t kFirstSubListItem = 6;
inline constexpr std::size_t kLastSubListItem = 9;
inline constexpr std::size_t kSingleKeyItem = 10;
inline constexpr std::size_t kComboKeyItem = 11;
inline constexpr std::size_t kMacroKeyItem = 12;

// Where the function list of a row goes: (262, 129 + 20k) - (392, 389 + 20k), made wider to
// the right when its longest item needs it (`width`, below 130 ignored). With the items'
// height known (`itemHeight` above 0), the list is as high as its items and its border, so
// that a smaller font leaves no empty band below them.
Rect FunctionListArea(std::size_t row, int width = 0, int itemHeight = 0);
// Where a sub-list goes, from its list's area and the opening item's rectangle in the list's
// own coordinates: the DPI list to the right of the item's right edge at its top, the other
// three right of the list, ending at the item's bottom. Each is as wide as the specified width
// or `width`, whichever is more; the left edge and the bottom stay. Its height is the
// fixed one of its kind, or with `itemHeight` above 0 that of its items and border.
Rect SubListRect(SubList list, const Rect& listArea, const Rect& item, int width = 0,
                 int itemHeight = 0);
std::vector<std::wstring> SubListItems(SubList list, Language language);
std::vector<std::wstring> FunctionListItems(Language language);

class AssignmentMenus {
 public:
  AssignmentMenus(SettingsRecord& record, ButtonLabels& labels, Language language, Host& host,
                  HoverTracker& hover, AssignmentMenuWindows& windows)
      : assignment_(record, labels, language),
        labels_(labels),
        language_(language),
        host_(host),
        hover_(hover),
        windows_(windows) {}

  // A click on the drop-down box of the row that shows the button.
  void ToggleFunctionList(std::size_t button);
  // A pointer move over one of the lists, with the item under the pointer if there is one.
  void OnPointerMove(MenuList over, std::optional<std::size_t> item);
  // The open function list, or a sub-list, reported a selection change or a double click.
  void OnFunctionListPick(std::optional<std::size_t> position);
  void OnSubListPick(SubList list, std::optional<std::size_t> position);
  // A click outside row k's drop-down box and list area: the row's function lists and the
  // four sub-lists close.
  void CloseRowLists(std::size_t row);
  // Every list goes (the page closed, the view changed, a reset).
  void CloseAll();

  std::optional<std::size_t> openButton() const { return open_; }
  std::optional<SubList> openSubList() const { return sub_; }
  bool busy() const { return busy_; }

 private:
  void CloseFunctionList();
  void CloseSubList();
  void Picked(std::size_t button, RowLook look);

  ButtonAssignment assignment_;
  ButtonLabels& labels_;
  Language language_;
  Host& host_;
  HoverTracker& hover_;
  AssignmentMenuWindows& windows_;
  std::optional<std::size_t> open_;  // the button whose function list is open
  std::optional<SubList> sub_;       // the one open sub-list
  Rect openArea_;                    // where the open function list is
  bool busy_ = false;                // a dialog runs for the open list
};

}  // namespace gm
