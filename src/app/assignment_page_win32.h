// The button assignment page's menus and the main window's hover highlighting, on Win32: the
// child list boxes of the menus, their pointer moves and notifications, the key dialogs and
// the macro picker opened from them, and the drawing of rows, hot areas and mouse picture
// parts into the main window's picture. The decisions are AssignmentMenus' and HoverTracker's.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <optional>

#include "app/app_state.h"
#include "app/main_layout.h"
#include "app/main_painter_win32.h"
#include "buttons/assignment_menus.h"
#include "buttons/hover_tracker.h"
#include "platform/file_path.h"
#include "platform/host.h"
#include "platform/ini_file.h"
#include "ui/ui_log.h"
#include "ui/wnd_win32.h"

namespace gm {

// Control ids of the lists: the function list, then the DPI, media, hot key and Windows lists.
inline constexpr int kFunctionListId = 181;
inline constexpr int kFirstSubListId = 182;

// The outer width of a menu list (border included) that shows every item whole in `font`.
int MenuListWidth(HFONT font, const std::vector<std::wstring>& items);
// The height a list box gives its items in `font` (the font's cell height); 0 without one.
int MenuItemHeight(HFONT font);

class AssignmentPage : public AssignmentMenuWindows {
 public:
  // Draws into the window's off-screen picture and copies it to the screen.
  using PaintStep = std::function<void(HDC, const MainPainter&)>;
  using Paint = std::function<void(const PaintStep&)>;

  struct Context {
    const Wnd& window;  // the main window, parent of the lists and owner of the dialogs
    AppState& state;
    Host& host;
    IniFile& ini;
    UiLog& log;
    const MainLayout& layout;
    const FilePath& skinFolder;
    const HFONT& mainFont;
    Paint paint;
  };

  explicit AssignmentPage(Context context) : context_(std::move(context)) {}
  ~AssignmentPage() override;

  // Messages of the main window this takes: pointer moves (hover), hover notifications, the
  // lists' notifications, its own pick message, and Enter and Esc (swallowed). True when the
  // message is done with `result`.
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // From the click dispatcher: a click outside row r = 1..12; a click on a row's box.
  void CloseRowLists(int row) {
    if (menus_) menus_->CloseRowLists(static_cast<std::size_t>(row - 1));
  }
  void ToggleFunctionList(std::size_t button) { Menus().ToggleFunctionList(button); }
  // Every list goes: the page closed or changed its view.
  void CloseAllLists() {
    if (menus_) menus_->CloseAll();
  }
  // Every list goes and nothing is lit any more (a full redraw follows).
  void ClearSelectionAndHover();

  AssignmentMenus& Menus();
  HoverTracker& hover() { return hover_; }
  HWND functionList() const { return functionList_; }
  HWND subList(SubList list) const { return subLists_[static_cast<std::size_t>(list)]; }

  // AssignmentMenuWindows
  bool pageOpen() const override;
  MouseView view() const override;
  void CreateFunctionList(std::size_t button, const Rect& area,
                          const std::vector<std::wstring>& items) override;
  void DestroyFunctionList() override;
  Rect FunctionItemRect(std::size_t position) const override;
  void CreateSubList(SubList list, const Rect& rect,
                     const std::vector<std::wstring>& items) override;
  void DestroySubList(SubList list) override;
  void SelectItem(MenuList list, std::size_t position) override;
  int ListWidth(const std::vector<std::wstring>& items) const override {
    return MenuListWidth(context_.mainFont, items);
  }
  int ListItemHeight() const override { return MenuItemHeight(context_.mainFont); }
  void DrawRow(std::size_t button, RowLook look) override;
  void LightMousePart(std::size_t button) override;
  std::optional<std::wstring> AskSingleKey() override;
  std::optional<ComboKeyNames> AskComboKey() override;
  MacroPickerResult AskMacro() override;
  void Log(const std::wstring& line) override { context_.log.Line(line); }

 private:
  HWND CreateList(int id, const Rect& rect, const std::vector<std::wstring>& items);
  HWND ListOf(MenuList list) const;
  HotRows Rows() const;
  void OnMainPointerMove(Point p);
  void OnHover(Point p);
  void OnListNotification(int id, int code, HWND list);
  void OnPick(int id, int position);
  // One hot area in its resting or hover look, with its text or label.
  void DrawArea(HDC dc, const MainPainter& painter, HotArea area, bool over) const;
  void DrawRowLook(HDC dc, const MainPainter& painter, std::size_t row, RowLook look) const;
  void DrawPart(HDC dc, const MainPainter& painter, std::size_t button, bool over) const;
  static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR self);

  Context context_;
  HoverTracker hover_;
  std::optional<AssignmentMenus> menus_;  // made on first use, in the session's language
  HWND functionList_ = nullptr;
  std::array<HWND, kSubListCount> subLists_{};
  // Where the pointer was at the last move seen, over the window or a list (screen pixels): a
  // list destroyed under a resting pointer makes the window report a move that is none.
  std::optional<POINT> lastPointer_;
  std::optional<std::size_t> litPart_;  // the button whose mouse picture part is lit
};

}  // namespace gm
