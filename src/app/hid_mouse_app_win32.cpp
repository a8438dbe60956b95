#include "app/hid_mouse_app_win32.h"

#include <windows.h>
// After windows.h.
#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <thread>
#include <vector>

#include "app/app_state.h"
#include "app/main_window_win32.h"
#include "app/program_options.h"
#include "device/trace.h"
#include "device/tracing_host.h"
#include "device/virtual_mouse.h"
#include "device/virtual_mouse_control.h"
#include "gfx/gdiplus_win32.h"
#include "platform/win32_hid_system.h"
#include "platform/win32_host.h"
#include "platform/win32_ini_file.h"
#include "ui/app_messages.h"
#include "ui/ui_log.h"

namespace {

gm::FilePath ProgramPath() {
  std::wstring path(1024, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  return path;
}

// Polls the virtual mouse's control file and hands each command to the main window.
void RunControlPoller(gm::FilePath file, HWND window, gm::VirtualMouse* mouse) {
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
        // The mouse goes or comes at once, as a real one does, even while the window thread
        // is busy (in the middle of a Save, say); the window hears of it when it next reads
        // its messages, as it would hear the system's device notification.
        const bool plug = command->kind == Kind::Plug;
        if (plug) {
          mouse->Plug();
        } else {
          mouse->Unplug();
        }
        PostMessageW(window, gm::kMsgVirtualPlug, plug ? 1 : 0, 0);
      }
    }
    Sleep(50);
  }
}

}  // namespace

namespace gm {

int CHidMouseApp::Run(const std::vector<std::wstring>& args) {
  // The common controls of every class.
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
  InitCommonControlsEx(&controls);
  // The main window's class: the system dialog class under the program's own name.
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconResource));
  if (!Wnd::RegisterWindowClass(kMainWindowClass, true, icon)) return 0;
  // GDI+ for the whole run; shut down when the application ends.
  gfx::GdiplusSession gdiplus;

  const ProgramOptions options = ParseProgramOptions(args);
  UiLog uiLog;
  if (!options.uiLog.empty()) uiLog.Open(options.uiLog);

  CFile traceFile;
  std::unique_ptr<Trace> trace;
  if (!options.trace.empty()) {
    traceFile = OpenCFile(options.trace, "ab");
    trace = std::make_unique<Trace>(traceFile.get());
  }

  Win32Host win32Host;
  TracingHost tracingHost(trace.get(), &win32Host);
  Win32HidSystem win32Hid;
  std::unique_ptr<VirtualMouse> virtualMouse;
  if (options.virtualMouse) {
    virtualMouse = std::make_unique<VirtualMouse>();
    virtualMouse->SetTrace(trace.get());
  }

  auto state = std::make_unique<AppState>();
  state->programPath = ProgramPath();
  Win32IniFile ini;
  AppServices services{
      *state, tracingHost, virtualMouse ? static_cast<HidSystem&>(*virtualMouse) : win32Hid,
      ini,    uiLog,       virtualMouse.get()};

  // The main window, until the process ends.
  auto window = std::make_unique<CHidMouseDlg>(services, win32Host);
  if (!window->Initialise()) return 0;
  // The control file is read only from here on, once the language and the captions are
  // loaded: a line written before the start is acted on as the started program would.
  if (virtualMouse && !options.control.empty()) {
    std::thread(RunControlPoller, options.control, window->hwnd(), virtualMouse.get()).detach();
  }
  return RunMessageLoop();
}

}  // namespace gm
