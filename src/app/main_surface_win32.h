// The main window's face: the off-screen picture every drawing goes into, its copy to the
// screen, the right column's scroll thumb, and the drawing of the two columns of pages as the
// layout has them. Every draw ends with one copy of the whole picture to the screen.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

#include "app/app_state.h"
#include "app/main_layout.h"
#include "app/main_painter_win32.h"
#include "gfx/gdip_button_win32.h"
#include "platform/file_path.h"
#include "ui/ui_log.h"
#include "ui/wnd_win32.h"

namespace gm {

inline constexpr int kScrollThumbId = 161;  // control id of the scroll thumb

class MainSurface {
 public:
  // One drawing step into the picture, with a painter over the skin and the window's fonts.
  using DrawStep = std::function<void(HDC, const MainPainter&)>;

  // The window's parts the surface draws from; the references must outlive it.
  struct Context {
    const Wnd& window;  // the main window: its client area is the picture
    const AppState& state;
    UiLog& log;
    MainLayout& layout;
    PageSizes& sizes;  // measured at every full draw
    const FilePath& skinFolder;
    const HFONT& mainFont;
    const HFONT& smallFont;
    // The button page's menus go: the page was drawn closed or its rows show another view.
    std::function<void()> closeButtonLists;
    // The right column was drawn by this plan (an empty plan: every page shown closed); the
    // pages' child windows follow it.
    std::function<void(const ColumnPlan&)> rightColumnDrawn;
  };

  explicit MainSurface(Context context) : context_(std::move(context)) {}
  ~MainSurface();
  MainSurface(const MainSurface&) = delete;
  MainSurface& operator=(const MainSurface&) = delete;

  // Sizes the window to the skin's background (the default size stays when it cannot be
  // read) and makes the picture of its client area.
  void Create();

  // Runs draw(dc, painter) on the picture and copies the picture to the screen.
  void Redraw(const DrawStep& draw);
  // The picture as the window's background (an erase request's context).
  void PaintBackground(HDC dc) const;

  // Measures the pages and draws everything in its current place with every page closed.
  void FullDraw();
  // Every page closed, the layout as it starts.
  void ResetLayout();
  // Everything again, keeping the open pages.
  void Relayout();
  void SetView(MouseView view);
  void ToggleLeftPage(Page page);
  void ToggleRightPage(Page page);
  // The scroll thumb was dragged to newTop.
  void OnThumbMoved(int newTop);

 private:
  MainPainter Painter() const;
  HWND hwnd() const { return context_.window.hwnd(); }
  void CopyToScreen();
  void DrawAllClosed();
  void DrawLeftColumn(HDC dc, const MainPainter& painter);
  void DrawRightColumn(HDC dc, const MainPainter& painter, ColumnPosition position);
  void EnsureScrollThumb();
  void ThumbBackHome();
  // Which headers a user can see and click, for the end-to-end tests.
  void LogLayout();

  Context context_;
  HBITMAP picture_ = nullptr;  // the window's face, drawn off-screen
  // A view change draws the middle panel's own image under the mouse picture, the whole
  // window's draws only the window's background: what is under the picture now.
  bool middlePanelDrawn_ = false;
  gfx::CGdipButton thumb_;  // the right column's scroll thumb, created once
};

}  // namespace gm
