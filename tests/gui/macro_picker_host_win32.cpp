// A test program that runs the macro picker as the button menus will: `LANG RESULT`, LANG
// being a caption file's language code. record.ini and the skin are the ones beside the
// program. When the dialog ends, RESULT gets one UTF-8 line: "ok", the macro index, the mode
// and the name, separated by tabs; or "cancel". Used by the GUI tests of the picker before the
// menus that open it exist.
#include <windows.h>

#include <cstdio>
#include <string>

#include "config/language.h"
#include "gfx/gdiplus_win32.h"
#include "macro/macro_dialog_win32.h"
#include "platform/win32_ini_file.h"

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

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (args == nullptr || count < 3) return 2;
  const gm::Language language = gm::LanguageFromCode(args[1]);
  const std::wstring resultFile = args[2];

  gm::gfx::GdiplusSession gdiplus;
  gm::Win32IniFile ini;
  gm::MacroOptions options;
  const std::wstring folder = ProgramFolder();
  const gm::MacroDialogContext context{
      ini,      folder + L"\\record.ini", folder + L"/Skins/Default",
      language, {255, 255, 255},          options};
  const gm::MacroPickerResult result = gm::RunMacroPicker(nullptr, context);
  std::wstring line = L"cancel";
  if (result.ok) {
    line = L"ok\t" + std::to_wstring(result.choice.macroIndex) + L"\t" +
           std::to_wstring(result.choice.mode) + L"\t" + result.choice.name;
  }
  if (FILE* out = _wfopen(resultFile.c_str(), L"wb")) {
    const std::string bytes = Utf8(line) + "\n";
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
  }
  LocalFree(args);
  return 0;
}
