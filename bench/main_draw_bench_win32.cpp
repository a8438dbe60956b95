// How long the main window's drawing takes with the program's own painter and layout, from a
// skin folder: the first full draw (measure the pages, chrome, all headers), one page toggle
// (the right column redrawn with the DPI page and its controls) and one control redrawn after
// an edit (a DPI level bar with its value box), each into the off-screen picture.
// Usage: main_draw_bench PROGRAM_FOLDER [runs]   (the folder holding Skins/Default)
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "app/app_state.h"
#include "app/main_painter_win32.h"
#include "app/page_painter_win32.h"
#include "bench_timing.h"
#include "gfx/gdiplus_win32.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: main_draw_bench PROGRAM_FOLDER [runs]\n");
    return 2;
  }
  const int runs = argc > 2 ? _wtoi(argv[2]) : 10;
  gm::gfx::GdiplusSession gdiplus;
  gm::AppState state;
  gm::FillLanguageTable(state.texts, L"");
  state.textColour = {255, 255, 255};
  const gm::FilePath skinFolder = gm::FilePath(argv[1]) / L"Skins" / L"Default";

  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP picture = CreateCompatibleBitmap(screen, 1000, 650);
  ReleaseDC(nullptr, screen);
  const HGDIOBJ old = SelectObject(dc, picture);
  HFONT font = CreateFontW(15, 0, 0, 0, 300, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, L"Segoe UI");
  gm::MainPainter painter(state, skinFolder, font, font);
  gm::MainLayout layout;
  gm::PageSizes sizes;

  const double full = gm::bench::BestMs(runs, [&] {
    sizes = painter.MeasurePages();
    painter.Chrome(dc, gm::MouseView::Front);
    for (std::size_t i = 0; i < gm::kPageCount; ++i) {
      const auto page = static_cast<gm::Page>(i);
      painter.Header(dc, page, layout.HeaderRect(page));
    }
  });
  for (std::size_t k = 0; k < gm::kDpiStageCount; ++k) state.record.dpiStage(k) = 40;
  const double toggle = gm::bench::BestMs(runs, [&] {
    layout.SetOpen(gm::Page::Dpi, true);  // every run draws the open page, not every other
    painter.RightColumnBackground(dc);
    painter.Column(dc, layout.TopPass(sizes), layout.view(), sizes);
  });
  const gm::PagePainter pages(painter);
  const gm::PageControl& level = gm::ControlOf(gm::Control::DpiLevel);
  const gm::PagePlace dpi = gm::PlaceOf(layout, gm::Page::Dpi, sizes);
  const double control = gm::bench::BestMs(runs, [&] { pages.Redraw(dc, level, dpi, 3); });
  std::printf("full draw: %.1f ms, page toggle: %.1f ms, control redraw: %.1f ms (best of %d)\n",
              full, toggle, control, runs);

  DeleteObject(font);
  SelectObject(dc, old);
  DeleteObject(picture);
  DeleteDC(dc);
  return 0;
}
