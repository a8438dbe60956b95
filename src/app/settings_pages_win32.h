// The settings pages on Win32: the child windows of the pages (the DPI page's colour swatches,
// the scroll speed page's lines box), their notifications and colours, and the redraw of a
// control after an edit. The decisions are SettingsPageEditor's; the drawing PagePainter's.
#pragma once

#include <windows.h>

#include <array>
#include <functional>

#include "app/app_state.h"
#include "app/main_layout.h"
#include "app/main_painter_win32.h"
#include "app/settings_pages.h"
#include "ui/colour_dialog_win32.h"
#include "ui/ui_log.h"
#include "ui/wnd_win32.h"

namespace gm {

inline constexpr int kFirstSwatchId = 71;   // the DPI page's colour swatches, 71..77
inline constexpr int kScrollLinesId = 121;  // the scroll speed page's lines box

class Win32PageView : public PageView {
 public:
  // Draws into the window's off-screen picture and copies it to the screen.
  using PaintStep = std::function<void(HDC, const MainPainter&)>;
  using Paint = std::function<void(const PaintStep&)>;

  struct Context {
    const Wnd& window;  // the main window, parent of the child windows
    AppState& state;
    UiLog& log;
    const MainLayout& layout;
    const PageSizes& sizes;
    const HFONT& mainFont;
    Paint paint;
  };

  explicit Win32PageView(Context context);
  ~Win32PageView() override;
  Win32PageView(const Win32PageView&) = delete;
  Win32PageView& operator=(const Win32PageView&) = delete;

  SettingsPageEditor& editor() { return editor_; }

  // After a pass over the right column (an empty plan: every page shown closed): its pages'
  // child windows made again or gone.
  void FollowColumn(const ColumnPlan& plan);

  // A command from a child window: true when it was the lines box's.
  bool OnCommand(int id, int code);
  // WM_CTLCOLORSTATIC from a swatch or the lines box: a new brush the caller keeps until the
  // next request, or nothing for other controls.
  HBRUSH OnStaticColour(HDC dc, HWND control) const;

  // PageView
  void ControlChanged(Control control, int index) override;
  void EnableScrollLines(bool enable) override;
  void SetScrollLinesText(const std::wstring& text, bool selected) override;

 private:
  void CreateSwatches();
  void DestroySwatches();
  void CreateScrollLines();
  void DestroyScrollLines();
  void OnScrollLinesChanged();
  void Log(const PageControl& control, int index);

  Context context_;
  SystemColourDialog colours_;
  SettingsPageEditor editor_;
  std::array<HWND, kDpiStageCount> swatches_{};  // while the DPI page is drawn open
  HWND scrollLines_ = nullptr;                   // while the scroll speed page is drawn open
};

}  // namespace gm
