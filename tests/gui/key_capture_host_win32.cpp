// A test program for capturing keys the way the program does, before the menus and the macro
// manager that will start it exist. `combo LANG RESULT` and `single LANG RESULT` run one key
// dialog as the button menus will (LANG: a caption file's language code; the skin is the one
// beside the program); when it ends, RESULT gets one UTF-8 line: "confirmed" or "cancelled",
// then the dialog's texts, each after a tab. `record LANG RESULT` opens a window with an event
// list and records into it with delays on, as the macro manager does; a click on the window
// beside the list stops the recording, writes "recorded" and the items to RESULT and ends.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "buttons/combo_dialog_win32.h"
#include "buttons/single_dialog_win32.h"
#include "config/language.h"
#include "gfx/gdiplus_win32.h"
#include "macro/record_hook_win32.h"
#include "platform/win32_host.h"
#include "ui/app_messages.h"
#include "ui/wnd_win32.h"

namespace {

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L"\\/"));
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

void WriteResult(const std::wstring& file, const std::wstring& first,
                 const std::vector<std::wstring>& texts) {
  std::wstring line = first;
  for (const std::wstring& text : texts) line += L"\t" + text;
  if (FILE* out = _wfopen(file.c_str(), L"wb")) {
    const std::string bytes = Utf8(line) + "\n";
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
  }
}

const wchar_t* Ending(bool confirmed) {
  return confirmed ? L"confirmed" : L"cancelled";
}

// The macro manager's part in a recording: the event list and message 0x926.
class RecorderWindow : public gm::Wnd, public gm::RecorderOwner {
 public:
  RecorderWindow(gm::Host& host, gm::Language language, std::wstring result)
      : recorder_(*this, host, language), hook_(recorder_), result_(std::move(result)) {}
  ~RecorderWindow() override { Destroy(); }

  bool Open() {
    gm::WndCreateArgs args;
    args.className = L"QLGM900RecorderHost";
    args.style = WS_POPUP | WS_VISIBLE;
    args.x = 100;
    args.y = 100;
    args.width = 300;
    args.height = 300;
    if (!Create(args)) return false;
    list_ = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, 150, 300,
                            hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    recorder_.Start();
    return true;
  }

  void ClearEvents() override {
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    SetFocus(list_);
  }
  void AppendEvent(const std::wstring& item) override {
    SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  void RemoveLastEvents(std::size_t count) override {
    for (; count > 0; --count) {
      const LRESULT last = SendMessageW(list_, LB_GETCOUNT, 0, 0) - 1;
      SendMessageW(list_, LB_DELETESTRING, static_cast<WPARAM>(last), 0);
    }
  }
  void SelectLastEvent() override {
    const LRESULT count = SendMessageW(list_, LB_GETCOUNT, 0, 0);
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(count - 1), 0);
  }
  void EnableRepeatCount(bool) override {}
  void SetTitleText(std::wstring_view text) override {
    SetWindowTextW(hwnd(), std::wstring(text).c_str());
  }
  void DrawRecordButton(std::wstring_view) override {}
  bool delayOption() const override { return true; }
  void StoreSelectedMacro() override {
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(list_, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      wchar_t text[64] = {};
      SendMessageW(list_, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      items.emplace_back(text);
    }
    WriteResult(result_, L"recorded", items);
  }
  void SendRecorderMessage(unsigned wParam, long lParam) override {
    SendMessageW(hwnd(), gm::kMsgRecorderEvent, wParam, lParam);
  }
  bool InstallRecordHook(unsigned long& errorCode) override { return hook_.Install(errorCode); }
  void RemoveRecordHook() override { hook_.Remove(); }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case gm::kMsgRecorderEvent:
        recorder_.OnRecorderMessage(static_cast<unsigned>(wParam), static_cast<long>(lParam));
        return 0;
      case WM_LBUTTONDOWN:
        recorder_.Stop();
        PostQuitMessage(0);
        return 0;
      default:
        return Wnd::OnMessage(message, wParam, lParam);
    }
  }

 private:
  gm::MacroRecorder recorder_;
  gm::RecordHook hook_;
  std::wstring result_;
  HWND list_ = nullptr;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (args == nullptr || count < 4) return 2;
  const std::wstring kind = args[1];
  const gm::Language language = gm::LanguageFromCode(args[2]);
  const std::wstring result = args[3];

  gm::gfx::GdiplusSession gdiplus;
  gm::Win32Host host;
  const gm::KeyDialogContext context{
      host, nullptr, ProgramFolder() + L"/Skins/Default", language, {255, 255, 255}};
  if (kind == L"combo") {
    const gm::ComboDialogResult combo = gm::RunComboDialog(context);
    WriteResult(result, Ending(combo.confirmed),
                {combo.modifierName, combo.key1Name, combo.key2Name});
  } else if (kind == L"single") {
    const gm::SingleDialogResult single = gm::RunSingleDialog(context);
    WriteResult(result, Ending(single.confirmed), {single.keyName});
  } else if (kind == L"record") {
    RecorderWindow window(host, language, result);
    if (!window.Open()) return 1;
    gm::RunMessageLoop();
  } else {
    return 2;
  }
  LocalFree(args);
  return 0;
}
