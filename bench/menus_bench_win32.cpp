// How long the program's own work takes from a click on a button row to its function list
// shown (the list created, filled and painted, the mouse picture part lit and copied to the
// window), and from the pointer resting on "Multimedia" to the media list shown, in a real
// window with the program's painter and the skin of a program folder.
// Usage: menus_bench PROGRAM_FOLDER [runs]   (the folder holding Skins/Default)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/assignment_page_win32.h"
#include "bench_timing.h"
#include "gfx/gdiplus_win32.h"
#include "gfx/skin_files.h"
#include "platform/win32_host.h"
#include "platform/win32_ini_file.h"
#include "ui/dialog_picture_win32.h"
#include "ui/main_fonts.h"

namespace {

class BenchWindow : public gm::Wnd {
 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (page != nullptr) {
      LRESULT result = 0;
      if (page->OnMessage(message, wParam, lParam, result)) return result;
    }
    return gm::Wnd::OnMessage(message, wParam, lParam);
  }

 public:
  gm::AssignmentPage* page = nullptr;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: menus_bench PROGRAM_FOLDER [runs]\n");
    return 2;
  }
  const int runs = argc > 2 ? _wtoi(argv[2]) : 20;
  gm::gfx::GdiplusSession gdiplus;
  gm::AppState state;
  gm::FillLanguageTable(state.texts, L"");
  state.labels.fill(L"Button Off");
  // Two "Click" buttons, so that no list is refused.
  for (std::size_t b = 2; b < gm::kButtonCount; ++b)
    state.record.button(gm::ButtonField::Category, b) = 13;
  const gm::FilePath skinFolder = gm::FilePath(argv[1]) / L"Skins" / L"Default";

  BenchWindow window;
  gm::WndCreateArgs args;
  args.className = L"QLGM900MenusBench";
  args.style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
  args.width = 1000;
  args.height = 650;
  args.x = 0;
  args.y = 0;
  if (!window.Create(args)) return 1;
  HDC screen = GetDC(window.hwnd());
  HBITMAP picture = CreateCompatibleBitmap(screen, 1000, 650);
  ReleaseDC(window.hwnd(), screen);
  HFONT font = gm::CreateFontFromSpec(
      gm::FontFor(gm::FontUse::MainWindow, gm::Language::English, false), ANSI_CHARSET);
  gm::MainLayout layout;
  layout.SetOpen(gm::Page::ButtonAssignment, true);
  gm::Win32Host host;
  gm::Win32IniFile ini;
  gm::UiLog log;
  const gm::AssignmentPage::Paint paint = [&](const gm::AssignmentPage::PaintStep& draw) {
    HDC windowDc = GetDC(window.hwnd());
    HDC memory = CreateCompatibleDC(windowDc);
    const HGDIOBJ old = SelectObject(memory, picture);
    draw(memory, gm::MainPainter(state, skinFolder, font, font));
    BitBlt(windowDc, 0, 0, 1000, 650, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(window.hwnd(), windowDc);
  };
  gm::AssignmentPage page({window, state, host, ini, log, layout, skinFolder, font, paint});
  window.page = &page;
  const auto pump = [] {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  };
  pump();

  gm::AssignmentMenus& menus = page.Menus();
  std::vector<double> open;
  std::vector<double> sub;
  for (int run = 0; run < runs; ++run) {
    open.push_back(gm::bench::BestMs(1, [&] {
      menus.ToggleFunctionList(3);
      UpdateWindow(page.functionList());
    }));
    sub.push_back(gm::bench::BestMs(1, [&] {
      menus.OnPointerMove(gm::MenuList::Function, 7);
      UpdateWindow(page.subList(gm::SubList::Media));
    }));
    menus.ToggleFunctionList(3);  // closed again, outside the timing
    pump();
  }
  // Where the time goes: one picture copied to the window, and one part image drawn.
  const auto report = [runs](const char* what, const std::function<void()>& work) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) times.push_back(gm::bench::BestMs(1, work));
    std::sort(times.begin(), times.end());
    std::printf("%s: best %.2f ms, median %.2f ms\n", what, times.front(), times[times.size() / 2]);
  };
  report("picture copied to the window", [&] { paint([](HDC, const gm::MainPainter&) {}); });
  const std::vector<std::wstring> items = gm::FunctionListItems(gm::Language::English);
  report("function list created and painted", [&] {
    page.CreateFunctionList(3, gm::FunctionListArea(3), items);
    UpdateWindow(page.functionList());
    page.DestroyFunctionList();
  });
  report("one part image drawn", [&] {
    paint([](HDC dc, const gm::MainPainter& painter) {
      painter.Image(dc, gm::skin::FrontPart(1, gm::skin::PartLook::Over), 362, 49);
    });
  });
  std::sort(open.begin(), open.end());
  std::sort(sub.begin(), sub.end());
  std::printf(
      "row click to list shown: best %.2f ms, median %.2f ms; hover to sub-list shown: best %.2f "
      "ms, median %.2f ms (%d runs)\n",
      open.front(), open[open.size() / 2], sub.front(), sub[sub.size() / 2], runs);
  DeleteObject(font);
  DeleteObject(picture);
  return 0;
}
