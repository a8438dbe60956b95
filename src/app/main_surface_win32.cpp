#include "app/main_surface_win32.h"

#include <string>

#include "gfx/gdiplus_bitmap_win32.h"
#include "gfx/image_win32.h"
#include "gfx/mem_dc_win32.h"
#include "gfx/skin_files.h"

namespace gm {

MainSurface::~MainSurface() {
  if (picture_ != nullptr) DeleteObject(picture_);
}

void MainSurface::Create() {
  if (const auto size = gfx::ImageFileSize(context_.skinFolder.Wide() + skin::kMain)) {
    SetWindowPos(hwnd(), nullptr, 0, 0, size->cx, size->cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RECT client;
  GetClientRect(hwnd(), &client);
  HDC windowDc = GetDC(hwnd());
  picture_ = CreateCompatibleBitmap(windowDc, client.right, client.bottom);
  ReleaseDC(hwnd(), windowDc);
}

MainPainter MainSurface::Painter() const {
  return MainPainter(context_.state, context_.skinFolder, context_.mainFont, context_.smallFont,
                     middlePanelDrawn_);
}

void MainSurface::Redraw(const DrawStep& draw) {
  if (picture_ == nullptr) return;
  HDC windowDc = GetDC(hwnd());
  {
    gfx::CMemDC memory(windowDc, picture_);
    draw(memory, Painter());
  }  // the one copy to the screen
  ReleaseDC(hwnd(), windowDc);
}

void MainSurface::CopyToScreen() {
  Redraw([](HDC, const MainPainter&) {});
}

void MainSurface::PaintBackground(HDC dc) const {
  if (picture_ == nullptr) return;
  gfx::CMemDC copy(dc, picture_);  // nothing new to draw: the picture is current
}

void MainSurface::EnsureScrollThumb() {
  if (thumb_.hwnd() != nullptr) return;
  const RECT home{kScrollThumbHome.left, kScrollThumbHome.top, kScrollThumbHome.right,
                  kScrollThumbHome.bottom};
  if (!thumb_.Create(hwnd(), home, kScrollThumbId)) return;
  thumb_.LoadStdImage(gfx::kScrollThumbPng);
  thumb_.LoadAltImage(gfx::kScrollThumbPng);
  thumb_.SetDragTarget(hwnd());
}

void MainSurface::ThumbBackHome() {
  if (thumb_.hwnd() == nullptr) return;
  SetWindowPos(thumb_.hwnd(), nullptr, kScrollThumbHome.left, kScrollThumbHome.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(thumb_.hwnd(), nullptr, TRUE);
}

void MainSurface::FullDraw() {
  context_.sizes = Painter().MeasurePages();
  DrawAllClosed();
  context_.log.Line(L"full-draw");
}

// Everything in its current place with every page shown closed, so that no page keeps its
// child windows.
void MainSurface::DrawAllClosed() {
  context_.rightColumnDrawn(ColumnPlan{});
  EnsureScrollThumb();
  middlePanelDrawn_ = false;
  Redraw([this](HDC dc, const MainPainter& painter) {
    painter.Chrome(dc, MouseView::Front);
    for (std::size_t i = 0; i < kPageCount; ++i) {
      const Page page = static_cast<Page>(i);
      painter.Header(dc, page, context_.layout.HeaderRect(page));
    }
  });
}

void MainSurface::ResetLayout() {
  context_.layout.Reset();
  DrawAllClosed();
  context_.log.Line(L"reset-layout");
}

void MainSurface::Relayout() {
  EnsureScrollThumb();
  middlePanelDrawn_ = false;
  Redraw([this](HDC dc, const MainPainter& painter) {
    painter.Chrome(dc, context_.layout.view());
    DrawLeftColumn(dc, painter);
    DrawRightColumn(dc, painter, context_.layout.position());
  });
  context_.log.Line(L"relayout");
}

void MainSurface::DrawLeftColumn(HDC dc, const MainPainter& painter) {
  MainLayout& layout = context_.layout;
  if (!layout.IsOpen(Page::ButtonAssignment)) context_.closeButtonLists();
  painter.LeftColumnBackground(dc);
  painter.Column(dc, layout.LeftPass(context_.sizes), layout.view(), context_.sizes);
}

void MainSurface::DrawRightColumn(HDC dc, const MainPainter& painter, ColumnPosition position) {
  MainLayout& layout = context_.layout;
  painter.RightColumnBackground(dc);
  const ColumnPlan plan = position == ColumnPosition::Top ? layout.TopPass(context_.sizes)
                                                          : layout.ScrolledPass(context_.sizes);
  painter.Column(dc, plan, layout.view(), context_.sizes);
  if (plan.thumbBackHome) ThumbBackHome();
  context_.rightColumnDrawn(plan);
}

void MainSurface::SetView(MouseView view) {
  context_.closeButtonLists();  // the rows now show other buttons
  middlePanelDrawn_ = true;
  Redraw([this, view](HDC dc, const MainPainter& painter) {
    painter.Image(dc, skin::kMainMid, kMiddlePanel.left, kMiddlePanel.top);
    painter.ViewButtons(dc, view);
    painter.MousePicture(dc, view);
    context_.layout.SetView(view);
    DrawLeftColumn(dc, painter);
  });
  context_.log.Line(view == MouseView::Front ? L"view front" : L"view side");
}

void MainSurface::ToggleLeftPage(Page page) {
  context_.layout.Toggle(page);
  Redraw([this](HDC dc, const MainPainter& painter) { DrawLeftColumn(dc, painter); });
  LogLayout();
}

void MainSurface::ToggleRightPage(Page page) {
  context_.layout.Toggle(page);
  Redraw([this](HDC dc, const MainPainter& painter) {
    DrawRightColumn(dc, painter, context_.layout.position());
  });
  LogLayout();
}

void MainSurface::OnThumbMoved(int newTop) {
  context_.log.Line(L"thumb " + std::to_wstring(newTop));
  const ThumbDecision decision = context_.layout.OnThumbMoved(newTop);
  if (decision == ThumbDecision::Nothing) {
    CopyToScreen();
    return;
  }
  const ColumnPosition position =
      decision == ThumbDecision::ScrolledPass ? ColumnPosition::Scrolled : ColumnPosition::Top;
  Redraw([this, position](HDC dc, const MainPainter& painter) {
    DrawRightColumn(dc, painter, position);
  });
  LogLayout();
}

void MainSurface::LogLayout() {
  const MainLayout& layout = context_.layout;
  std::wstring line = layout.position() == ColumnPosition::Top ? L"layout top" : L"layout scrolled";
  for (std::size_t k = 0; k < kRightPageCount; ++k) {
    const Page page = RightPage(k);
    line += L" R" + std::to_wstring(k + 1) + (layout.IsOpen(page) ? L"+" : L"-") +
            (layout.IsClickable(page) ? std::to_wstring(layout.HeaderRect(page).top) : L"x");
  }
  context_.log.Line(line);
}

}  // namespace gm
