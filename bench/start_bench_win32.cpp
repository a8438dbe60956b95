// Where the program's start-up time goes, step by step. Each run is a fresh process (this
// program started again with --one-run) that does what QL-GM900.exe --virtual-mouse does from
// its first line to the notification-area icon, with the same functions and in the same order,
// in a copy of the program's folder; it prints each step's time and the first process prints
// the median of every step over the runs. The first full draw is broken down per image into
// reading and decoding, premultiplying and blending. Needs a display (Xvfb under Wine).
// Usage: start_bench PROGRAM_FOLDER [runs]   (the folder holding QL-GM900.exe's files)
#include <windows.h>
// After windows.h.
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/main_clicks.h"
#include "app/main_layout.h"
#include "app/main_painter_win32.h"
#include "app/tray_icon_win32.h"
#include "buttons/button_assignment.h"
#include "config/apply_flows.h"
#include "config/config_files.h"
#include "device/device_notification.h"
#include "device/device_operations.h"
#include "device/discovery.h"
#include "device/listener_thread_win32.h"
#include "device/virtual_mouse.h"
#include "gfx/gdip_button_win32.h"
#include "gfx/gdiplus_bitmap_win32.h"
#include "gfx/gdiplus_win32.h"
#include "gfx/image_win32.h"
#include "gfx/skin_files.h"
#include "platform/dll_search_win32.h"
#include "platform/win32_host.h"
#include "platform/win32_ini_file.h"
#include "ui/app_messages.h"
#include "ui/main_fonts_win32.h"
#include "ui/ui_log.h"
#include "ui/wnd_win32.h"

namespace {

using Clock = std::chrono::steady_clock;

// The program's own names for what it registers, so that a step costs what it costs there;
// the mutex has a name of its own so that a running program is not mistaken for this one.
constexpr wchar_t kWindowClass[] = L"KX512OEMNewGMClass";
constexpr wchar_t kMutexName[] = L"QLGM900StartBenchMutex";
constexpr int kIconResource = 720;
constexpr int kScrollThumbId = 161;

// Milliseconds since `from`.
double Since(Clock::time_point from) {
  return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

// One run's steps in order; printed as "name<TAB>ms" lines for the first process.
class Steps {
 public:
  void Add(const std::string& name, double ms) { lines_.emplace_back(name, ms); }
  // Times `work` as the step `name`.
  template <typename Work>
  void Time(const std::string& name, Work work) {
    const auto start = Clock::now();
    work();
    Add(name, Since(start));
  }
  void Print() const {
    for (const auto& [name, ms] : lines_) std::printf("%s\t%.3f\n", name.c_str(), ms);
    std::fflush(stdout);
  }

 private:
  std::vector<std::pair<std::string, double>> lines_;
};

// The main window as far as start-up needs it: it shows the off-screen picture on erase.
class StartWindow : public gm::Wnd {
 public:
  HBITMAP picture = nullptr;
  SIZE size{};

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_ERASEBKGND) return Wnd::OnMessage(message, wParam, lParam);
    if (picture != nullptr) {
      HDC memory = CreateCompatibleDC(reinterpret_cast<HDC>(wParam));
      const HGDIOBJ old = SelectObject(memory, picture);
      BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, size.cx, size.cy, memory, 0, 0, SRCCOPY);
      SelectObject(memory, old);
      DeleteDC(memory);
    }
    return 1;
  }
};

std::string Narrow(const std::wstring& text) {
  return std::string(text.begin(), text.end());  // skin names are ASCII
}

// One image of the full draw, as the toolkit draws it, each step timed on its own.
void DrawImage(Steps& steps, HDC dc, const std::wstring& folder, const wchar_t* name, int x, int y,
               const std::string& label) {
  auto start = Clock::now();
  std::optional<gm::gfx::DibImage> image = gm::gfx::DibImage::Load(folder + name);
  steps.Add("  read and decode " + label, Since(start));
  if (!image) return;
  start = Clock::now();
  image->Premultiply();
  steps.Add("  premultiply " + label, Since(start));
  start = Clock::now();
  image->Draw(dc, x, y);
  GdiFlush();
  steps.Add("  blend or copy " + label, Since(start));
}

void DrawImage(Steps& steps, HDC dc, const std::wstring& folder, const wchar_t* name, int x,
               int y) {
  DrawImage(steps, dc, folder, name, x, y, Narrow(name));
}

// 100 ns units since 1601, now.
long long SystemTicks() {
  FILETIME now{};
  GetSystemTimePreciseAsFileTime(&now);
  return static_cast<long long>((static_cast<unsigned long long>(now.dwHighDateTime) << 32) |
                                now.dwLowDateTime);
}

long long Ticks(const FILETIME& time) {
  return static_cast<long long>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) |
                                time.dwLowDateTime);
}

// One start of the program, in its order; prints the steps. `launchedAt`: the system time just
// before the first process asked for this one.
int OneRun(const std::filesystem::path& folder, long long launchedAt) {
  const long long firstLine = SystemTicks();
  FILETIME created{}, exited{}, kernel{}, user{};
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  Steps steps;
  // The system's process creation, then the loader, the DLLs the program imports, the C++
  // runtime and static initialisation up to the first line.
  steps.Add("process creation", static_cast<double>(Ticks(created) - launchedAt) / 1e4);
  steps.Add("DLL loading and runtime start (creation to first line)",
            static_cast<double>(firstLine - Ticks(created)) / 1e4);
  const auto begin = Clock::now();

  steps.Time("system-folder DLL search", [] { gm::LoadDllsFromSystemFolderOnly(); });
  steps.Time("common controls", [] {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
    InitCommonControlsEx(&controls);
  });
  HINSTANCE instance = GetModuleHandleW(nullptr);
  HICON icon = nullptr;
  steps.Time("window class", [&] {
    icon = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
    gm::Wnd::RegisterWindowClass(kWindowClass, true, icon);
  });
  std::unique_ptr<gm::gfx::GdiplusSession> gdiplus;
  steps.Time("GDI+ start", [&] { gdiplus = std::make_unique<gm::gfx::GdiplusSession>(); });

  gm::UiLog uiLog;
  gm::Win32Host host;
  std::unique_ptr<gm::AppState> state;
  steps.Time("application state", [&] { state = std::make_unique<gm::AppState>(); });
  state->programPath = folder / L"QL-GM900.exe";
  gm::Win32IniFile ini;
  std::unique_ptr<gm::VirtualMouse> mouse;
  steps.Time("virtual mouse", [&] { mouse = std::make_unique<gm::VirtualMouse>(); });

  HANDLE mutex = nullptr;
  steps.Time("mutex and icons", [&] {
    mutex = CreateMutexW(nullptr, FALSE, kMutexName);
    icon = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
  });
  StartWindow window;
  steps.Time("window creation", [&] {
    gm::WndCreateArgs args;
    args.className = kWindowClass;
    args.dialogClassAttributes = true;
    args.style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX;
    args.exStyle = WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES;
    args.width = 1000;
    args.height = 650;
    args.x = (GetSystemMetrics(SM_CXSCREEN) - args.width) / 2;
    args.y = (GetSystemMetrics(SM_CYSCREEN) - args.height) / 2;
    args.icon = icon;
    window.Create(args);
    host.SetOwner(window.hwnd());
    SendMessageW(window.hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(window.hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  });

  gm::ListenerThread listener(*mouse, *state);
  gm::DiscoveryHooks hooks;
  hooks.wakeListener = [&listener] { listener.Wake(); };
  steps.Time("discovery",
             [&] { state->connectedFlag = gm::Discover(*mouse, *state, hooks) ? 1 : 0; });
  steps.Time("connect", [&] {
    gm::CommandLink link(*mouse, host, state->link);
    gm::ConnectToMouse(link, *state);
  });
  steps.Time("wake event and listener thread", [&] {
    if (!listener.CreateWakeEvent()) return;
    const bool made = listener.CreateSuspended([](std::uint8_t, std::uint8_t) {});
    if (made && state->connectedFlag == 1) listener.Resume();
  });
  steps.Time("device notifications", [&] { gm::RegisterHidInterfaceNotifications(window.hwnd()); });

  gm::ConfigurationFiles files(*state, ini, host);
  steps.Time("configuration file", [&] {
    files.LoadConfiguration();
    state->savedRecord = state->record;
  });
  std::wstring code;
  steps.Time("language code", [&] { code = files.ReadLanguageCode(); });
  steps.Time("language table", [&] { state->UseLanguage(code); });
  steps.Time("caption file", [&] { files.LoadCaptions(); });

  gm::FilePath skinFolder;
  steps.Time("skin folder and window size", [&] {
    skinFolder = gm::skin::SkinFolder(state->programPath, state->skin.path);
    if (const auto size = gm::gfx::ImageFileSize(skinFolder.Wide() + gm::skin::kMain)) {
      SetWindowPos(window.hwnd(), nullptr, 0, 0, size->cx, size->cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  });
  steps.Time("off-screen picture", [&] {
    RECT client;
    GetClientRect(window.hwnd(), &client);
    window.size = {client.right, client.bottom};
    HDC windowDc = GetDC(window.hwnd());
    window.picture = CreateCompatibleBitmap(windowDc, client.right, client.bottom);
    ReleaseDC(window.hwnd(), windowDc);
  });
  HFONT mainFont = nullptr;
  HFONT smallFont = nullptr;
  steps.Time("text colour and fonts", [&] {
    state->textColour = gm::TextColour(state->skin);
    const gm::Language language = state->texts.language();
    mainFont = gm::CreateFontFor(gm::FontUse::MainWindow, language, ANSI_CHARSET);
    smallFont = gm::CreateFontFor(gm::FontUse::MainSmall, language, ANSI_CHARSET);
  });

  // The first full draw (the virtual mouse is connected).
  const auto drawStart = Clock::now();
  steps.Time("full draw: default captions saved", [&] {
    if (state->firstRunFlag != 0) return;
    gm::ButtonAssignment(state->record, state->labels, state->texts.language()).DefaultLabels();
    files.SaveCaptions();
  });
  const gm::MainPainter painter(*state, skinFolder, mainFont, smallFont);
  steps.Time("full draw: page sizes measured", [&] { painter.MeasurePages(); });
  HDC windowDc = GetDC(window.hwnd());
  HDC dc = CreateCompatibleDC(windowDc);
  const HGDIOBJ oldPicture = SelectObject(dc, window.picture);
  // Chrome, then the headers, as the painter draws them.
  namespace s = gm::skin;
  const std::wstring skin = skinFolder.Wide();
  const auto imagesStart = Clock::now();
  DrawImage(steps, dc, skin, s::kMain, 0, 0);
  DrawImage(steps, dc, skin, s::kLogo, 20, 32);
  DrawImage(steps, dc, skin, s::kScrollTrack, 984, 32);
  DrawImage(steps, dc, skin, s::kHelpNormal, gm::kHelpButton.left, gm::kHelpButton.top);
  DrawImage(steps, dc, skin, s::kMinimiseNormal, gm::kMinimiseButton.left, gm::kMinimiseButton.top);
  DrawImage(steps, dc, skin, s::kCloseNormal, gm::kCloseButton.left, gm::kCloseButton.top);
  DrawImage(steps, dc, skin, s::kCancelNormal, gm::kResetButton.left, gm::kResetButton.top,
            Narrow(s::kCancelNormal) + " (Reset)");
  DrawImage(steps, dc, skin, s::kCancelNormal, gm::kCancelButton.left, gm::kCancelButton.top,
            Narrow(s::kCancelNormal) + " (Cancel)");
  DrawImage(steps, dc, skin, s::kSaveNormal, gm::kSaveButton.left, gm::kSaveButton.top);
  DrawImage(steps, dc, skin, s::kConfigNormal, gm::kConfigButton.left, gm::kConfigButton.top);
  DrawImage(steps, dc, skin, s::kViewButtonSelected, gm::kFrontViewButton.left,
            gm::kFrontViewButton.top);
  DrawImage(steps, dc, skin, s::kViewButtonNormal, gm::kSideViewButton.left,
            gm::kSideViewButton.top);
  DrawImage(steps, dc, skin, s::kMouseFront, 362, 49);
  const gm::MainLayout layout;
  for (std::size_t i = 0; i < gm::kPageCount; ++i) {
    const auto page = static_cast<gm::Page>(i);
    const gm::Rect header = layout.HeaderRect(page);
    const wchar_t* name = page == gm::Page::MacroManager ? s::kMacroManagerHeader : s::kHeader;
    DrawImage(steps, dc, skin, name, header.left, header.top,
              Narrow(name) + " (header " + std::to_string(i + 1) + ")");
  }
  steps.Add("full draw: all images", Since(imagesStart));
  // The texts of the chrome and the headers, as the painter draws them.
  constexpr std::size_t kHeaderText[gm::kPageCount] = {
      gm::slot::kButtonAssignment, gm::slot::kMacroManager,     gm::slot::kXYSensitivity,
      gm::slot::kDpiSetting,       gm::slot::kLighting,         gm::slot::kReportRate,
      gm::slot::kMouseSpeed,       gm::slot::kDoubleClickSpeed, gm::slot::kScrollSpeed,
      gm::slot::kAngleSnap,        gm::slot::kGestureCorrection};
  steps.Time("full draw: texts", [&] {
    const gm::LanguageTable& texts = state->texts;
    painter.Text(dc, texts[gm::slot::kReset], gm::kResetButton, DT_CENTER);
    painter.Text(dc, texts[gm::slot::kCancel], gm::kCancelButton, DT_CENTER);
    painter.Text(dc, texts[gm::slot::kSave], gm::kSaveButton, DT_CENTER);
    const gm::Rect config = gm::kConfigButton;
    painter.Text(dc, texts[gm::slot::kConfig], {43, config.top, config.right, config.bottom},
                 DT_LEFT);
    painter.Text(dc, texts[gm::slot::kFront], gm::kFrontViewButton, DT_CENTER);
    painter.Text(dc, texts[gm::slot::kSide], gm::kSideViewButton, DT_CENTER);
    for (std::size_t i = 0; i < gm::kPageCount; ++i) {
      const gm::Rect header = layout.HeaderRect(static_cast<gm::Page>(i));
      painter.Text(dc, texts[kHeaderText[i]],
                   {header.left + 10, header.top, header.right, header.bottom}, DT_LEFT);
    }
    GdiFlush();
  });
  SelectObject(dc, oldPicture);
  DeleteDC(dc);
  ReleaseDC(window.hwnd(), windowDc);
  gm::gfx::CGdipButton thumb;
  steps.Time("full draw: scroll thumb", [&] {
    const RECT home{gm::kScrollThumbHome.left, gm::kScrollThumbHome.top, gm::kScrollThumbHome.right,
                    gm::kScrollThumbHome.bottom};
    if (!thumb.Create(window.hwnd(), home, kScrollThumbId)) return;
    thumb.LoadStdImage(gm::gfx::kScrollThumbPng);
    thumb.LoadAltImage(gm::gfx::kScrollThumbPng);
    thumb.SetDragTarget(window.hwnd());
  });
  steps.Time("full draw: copy to the window", [&] {
    HDC target = GetDC(window.hwnd());
    HDC memory = CreateCompatibleDC(target);
    const HGDIOBJ old = SelectObject(memory, window.picture);
    BitBlt(target, 0, 0, window.size.cx, window.size.cy, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(window.hwnd(), target);
    GdiFlush();
  });
  steps.Add("full draw", Since(drawStart));

  gm::TrayIcon tray(uiLog);
  steps.Time("notification-area icon", [&] {
    tray.Add(window.hwnd(), icon, gm::kMsgTrayIcon, state->texts[gm::slot::kTitle]);
  });
  steps.Time("window shown and erased with the picture", [&] {
    SetForegroundWindow(window.hwnd());
    ShowWindow(window.hwnd(), SW_SHOW);
    UpdateWindow(window.hwnd());
    GdiFlush();
  });
  steps.Add("total from the first line", Since(begin));

  // After the start: what a redraw's copy to the shown window costs, the whole picture against
  // the rectangle of one settings control (a DPI level bar with its value box).
  auto copy = [&window](int x, int y, int width, int height) {
    HDC target = GetDC(window.hwnd());
    HDC memory = CreateCompatibleDC(target);
    const HGDIOBJ old = SelectObject(memory, window.picture);
    BitBlt(target, x, y, width, height, memory, x, y, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(window.hwnd(), target);
    GdiFlush();
  };
  steps.Time("after the start: whole picture copied to the shown window",
             [&] { copy(0, 0, window.size.cx, window.size.cy); });
  steps.Time("after the start: one control's rectangle copied", [&] { copy(745, 80, 245, 30); });
  steps.Print();

  tray.Remove();
  DeleteObject(mainFont);
  DeleteObject(smallFont);
  if (mutex != nullptr) CloseHandle(mutex);
  // The listener thread waits for ever; the process ends as the program's does.
  std::fflush(stdout);
  ExitProcess(0);
}

// Copies the program's folder (its files and the skin) to a fresh temporary folder.
std::optional<std::filesystem::path> CopyProgramFolder(const std::filesystem::path& from) {
  std::error_code error;
  const std::filesystem::path to = std::filesystem::temp_directory_path(error) /
                                   (L"gm-start-bench-" + std::to_wstring(GetCurrentProcessId()));
  if (error) return std::nullopt;
  std::filesystem::remove_all(to, error);
  std::filesystem::copy(from, to, std::filesystem::copy_options::recursive, error);
  if (error) return std::nullopt;
  return to;
}

// Starts this program with --one-run and collects its step lines; false when it failed.
bool StartRun(const std::filesystem::path& folder,
              std::vector<std::pair<std::string, double>>& out) {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return false;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) + L"\" --one-run \"" + folder.wstring() +
                         L"\" " + std::to_wstring(SystemTicks());
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      folder.c_str(), &startup, &process);
  CloseHandle(writeEnd);
  std::string text;
  if (started) {
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got > 0)
      text.append(buffer, got);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(readEnd);
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(at, end - at);
    at = end + 1;
    const std::size_t tab = line.find('\t');
    if (tab != std::string::npos)
      out.emplace_back(line.substr(0, tab), std::atof(line.c_str() + tab + 1));
  }
  return started && !out.empty();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 4 && std::wstring(argv[1]) == L"--one-run") return OneRun(argv[2], _wtoi64(argv[3]));
  if (argc < 2) {
    std::fprintf(stderr, "usage: start_bench PROGRAM_FOLDER [runs]\n");
    return 2;
  }
  const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 10;
  const auto copy = CopyProgramFolder(argv[1]);
  if (!copy) {
    std::fprintf(stderr, "cannot copy %ls to a temporary folder\n", argv[1]);
    return 1;
  }
  std::vector<std::string> order;
  std::map<std::string, std::vector<double>> times;
  for (int run = 0; run < runs; ++run) {
    std::vector<std::pair<std::string, double>> steps;
    if (!StartRun(*copy, steps)) {
      std::fprintf(stderr, "run %d failed\n", run + 1);
      return 1;
    }
    for (const auto& [name, ms] : steps) {
      if (times[name].empty()) order.push_back(name);
      times[name].push_back(ms);
    }
  }
  std::error_code ignored;
  std::filesystem::remove_all(*copy, ignored);

  std::printf("start-up of QL-GM900.exe --virtual-mouse, median of %d runs (ms):\n", runs);
  for (const std::string& name : order) {
    std::vector<double>& values = times[name];
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    std::printf("%8.2f  %s\n", median, name.c_str());
  }
  return 0;
}
