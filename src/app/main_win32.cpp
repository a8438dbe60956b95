// QL-GM900.exe: CHidMouseApp starts the common controls and GDI+, then runs the main window
// until the process ends.
#include <windows.h>
// After windows.h.
#include <commctrl.h>
#include <gdiplus.h>
#include <shellapi.h>

#include <fstream>
#include <memory>
#include <thread>
#include <vector>

#include "app/app_messages.h"
#include "app/app_state.h"
#include "app/main_window_win32.h"
#include "app/program_options.h"
#include "app/ui_log.h"
#include "device/trace.h"
#include "device/virtual_mouse.h"
#include "device/virtual_mouse_control.h"
#include "platform/tracing_host.h"
#include "platform/win32_hid_system.h"
#include "platform/win32_host.h"
#include "platform/win32_ini_file.h"

namespace {

std::vector<std::wstring> CommandLineArguments() {
  std::vector<std::wstring> args;
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (argv == nullptr) return args;
  for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
  LocalFree(argv);
  return args;
}

std::filesystem::path ProgramPath() {
  std::wstring path(1024, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  return path;
}

// Polls the virtual mouse's control file and hands each command to the main window.
void RunControlPoller(std::filesystem::path file, HWND window, gm::VirtualMouse* mouse) {
  gm::ControlFileReader reader(std::move(file));
  for (;;) {
    for (const std::string& line : reader.TakeNewLines()) {
      const auto command = gm::ParseVirtualMouseCommand(line);
      if (!command) continue;
      using Kind = gm::VirtualMouseCommand::Kind;
      if (command->kind == Kind::EventReport) {
        // Through the event interface, the listener thread and the window, as a real event.
        mouse->InjectEventReport(command->report);
      } else {
        PostMessageW(window, gm::kMsgVirtualPlug, command->kind == Kind::Plug ? 1 : 0, 0);
      }
    }
    Sleep(50);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
  InitCommonControlsEx(&controls);

  Gdiplus::GdiplusStartupInput gdiplusInput;
  ULONG_PTR gdiplusToken = 0;
  Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);

  const gm::ProgramOptions options = gm::ParseProgramOptions(CommandLineArguments());
  gm::UiLog uiLog;
  if (!options.uiLog.empty()) uiLog.Open(options.uiLog);

  std::ofstream traceFile;
  std::unique_ptr<gm::Trace> trace;
  if (!options.trace.empty()) {
    traceFile.open(options.trace, std::ios::binary | std::ios::app);
    trace = std::make_unique<gm::Trace>(traceFile);
  }

  gm::Win32Host win32Host;
  gm::TracingHost tracingHost(trace.get(), &win32Host);
  gm::Win32HidSystem win32Hid;
  std::unique_ptr<gm::VirtualMouse> virtualMouse;
  if (options.virtualMouse) {
    virtualMouse = std::make_unique<gm::VirtualMouse>();
    virtualMouse->SetTrace(trace.get());
  }

  auto state = std::make_unique<gm::AppState>();
  state->programPath = ProgramPath();
  gm::Win32IniFile ini;
  gm::AppServices services{
      *state, tracingHost, virtualMouse ? static_cast<gm::HidSystem&>(*virtualMouse) : win32Hid,
      ini,    uiLog,       virtualMouse.get()};

  auto window = std::make_unique<gm::CHidMouseDlg>(services);
  if (!window->Initialise()) {
    Gdiplus::GdiplusShutdown(gdiplusToken);
    return 0;
  }
  win32Host.SetOwner(window->hwnd());
  if (virtualMouse && !options.control.empty()) {
    std::thread(RunControlPoller, options.control, window->hwnd(), virtualMouse.get()).detach();
  }

  const int code = gm::RunMessageLoop();
  Gdiplus::GdiplusShutdown(gdiplusToken);
  return code;
}
