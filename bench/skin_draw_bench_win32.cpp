// How long drawing from the skin takes with the toolkit's Draw PNG (the file is read and decoded
// on every call): a full draw of the main window, one mouse part under the pointer, and the
// DPI page's seven level bars. Usage: skin_draw_bench SKIN_FOLDER [runs]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "gfx/gdiplus_win32.h"
#include "gfx/image_win32.h"
#include "gfx/skin_files.h"

namespace {

struct Placed {
  std::wstring name;
  int x;
  int y;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: skin_draw_bench SKIN_FOLDER [runs]\n");
    return 2;
  }
  const std::wstring skin = argv[1];
  const int runs = argc > 2 ? _wtoi(argv[2]) : 10;
  gm::gfx::GdiplusSession gdiplus;

  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP picture = CreateCompatibleBitmap(screen, 1000, 650);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, picture);

  namespace s = gm::skin;
  std::vector<Placed> full = {{s::kMain, 0, 0},
                              {s::kLogo, 20, 32},
                              {s::kScrollTrack, 984, 32},
                              {s::kHelpNormal, 937, 5},
                              {s::kMinimiseNormal, 958, 5},
                              {s::kCloseNormal, 979, 5},
                              {s::kCancelNormal, 673, 604},
                              {s::kCancelNormal, 798, 604},
                              {s::kSaveNormal, 923, 604},
                              {s::kConfigNormal, 18, 604},
                              {s::kViewButtonSelected, 437, 527},
                              {s::kViewButtonNormal, 500, 527},
                              {s::kMouseFront, s::kMouseFrontAt.x, s::kMouseFrontAt.y},
                              {s::kMainLeft, 20, 107},
                              {s::kMainRight, 734, 32}};
  for (int header = 0; header < 11; ++header)
    full.push_back({header == 1 ? s::kMacroManagerHeader : s::kHeader, 734, 32 + 25 * header});

  auto draw = [&](const std::vector<Placed>& images) {
    for (const Placed& image : images) {
      if (!gm::gfx::DrawSkinImage(dc, skin + image.name, image.x, image.y))
        std::fprintf(stderr, "missing: %ls\n", image.name.c_str());
    }
  };
  const double fullMs = gm::bench::BestMs(runs, [&] { draw(full); });
  const double partMs = gm::bench::BestMs(runs, [&] {
    draw({{s::FrontPart(1, s::PartLook::Over), s::kMouseFrontAt.x, s::kMouseFrontAt.y}});
  });
  std::vector<Placed> bars;
  for (int k = 0; k < 7; ++k) bars.push_back({s::DpiStage(20 + 15 * k), 745 + 35 * k, 80});
  const double barsMs = gm::bench::BestMs(runs, [&] { draw(bars); });

  // Where a full draw's time goes: the best of `runs` for each step of each image.
  struct Steps {
    double decode = 1e9, premultiply = 1e9, blend = 1e9;
  };
  std::vector<Steps> steps(full.size());
  using Clock = std::chrono::steady_clock;
  auto ms = [](Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
  };
  for (int run = 0; run < runs; ++run) {
    for (std::size_t k = 0; k < full.size(); ++k) {
      const auto t0 = Clock::now();
      std::optional<gm::gfx::DibImage> image = gm::gfx::DibImage::Load(skin + full[k].name);
      const auto t1 = Clock::now();
      if (!image) continue;
      image->Premultiply();
      const auto t2 = Clock::now();
      image->Draw(dc, full[k].x, full[k].y);
      GdiFlush();
      const auto t3 = Clock::now();
      steps[k].decode = std::min(steps[k].decode, ms(t0, t1));
      steps[k].premultiply = std::min(steps[k].premultiply, ms(t1, t2));
      steps[k].blend = std::min(steps[k].blend, ms(t2, t3));
    }
  }
  Steps sum{0, 0, 0};
  for (const Steps& step : steps) {
    sum.decode += step.decode;
    sum.premultiply += step.premultiply;
    sum.blend += step.blend;
  }

  std::printf("full draw of the main window (%zu images): %.1f ms\n", full.size(), fullMs);
  std::printf("  of which read and decode %.1f ms, premultiply %.1f ms, blend or copy %.1f ms\n",
              sum.decode, sum.premultiply, sum.blend);
  for (std::size_t k = 0; k < full.size(); ++k) {
    if (steps[k].decode + steps[k].premultiply + steps[k].blend > 0.5)
      std::printf("  %-40ls %5.2f %5.2f %5.2f ms\n", full[k].name.c_str(), steps[k].decode,
                  steps[k].premultiply, steps[k].blend);
  }
  std::printf("one mouse part (picture-sized overlay): %.2f ms\n", partMs);
  std::printf("seven DPI level bars: %.2f ms\n", barsMs);

  SelectObject(dc, old);
  DeleteObject(picture);
  DeleteDC(dc);
  return 0;
}
