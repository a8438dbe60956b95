// A test program that runs one key dialog as the button menus will: `combo LANG RESULT` or
// `single LANG RESULT`, LANG being a caption file's language code (ENG, CHS, CHT, GER, RUS).
// The skin is the one beside the program. When the dialog ends, RESULT gets one UTF-8 line:
// "confirmed" or "cancelled", then the dialog's texts, each after a tab. Used by the GUI tests
// of the key dialogs before the menus that open them exist.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/language.h"
#include "buttons/combo_dialog_win32.h"
#include "buttons/single_dialog_win32.h"
#include "gfx/gdiplus_win32.h"
#include "platform/win32_host.h"

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

void WriteResult(const std::wstring& file, bool confirmed, const std::vector<std::wstring>& texts) {
  std::wstring line = confirmed ? L"confirmed" : L"cancelled";
  for (const std::wstring& text : texts) line += L"\t" + text;
  if (FILE* out = _wfopen(file.c_str(), L"wb")) {
    const std::string bytes = Utf8(line) + "\n";
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
  }
}

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
    WriteResult(result, combo.confirmed, {combo.modifierName, combo.key1Name, combo.key2Name});
  } else if (kind == L"single") {
    const gm::SingleDialogResult single = gm::RunSingleDialog(context);
    WriteResult(result, single.confirmed, {single.keyName});
  } else {
    return 2;
  }
  LocalFree(args);
  return 0;
}
