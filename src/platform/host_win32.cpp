#include <windows.h>
// commdlg.h needs the types of windows.h first.
#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "platform/win32_host.h"

namespace gm {
namespace {

// Room for the chosen path; the dialog reports a longer one as an error, which reads as Cancel.
constexpr std::size_t kPathChars = 4096;

std::optional<std::wstring> RunFileDialog(HWND owner, const FileDialogRequest& request, bool save) {
  std::wstring filter = request.filter;  // "a|b||" -> "a\0b\0\0"
  std::replace(filter.begin(), filter.end(), L'|', L'\0');
  std::vector<wchar_t> file(kPathChars, L'\0');
  std::copy_n(request.startFile.begin(), std::min(request.startFile.size(), kPathChars - 1),
              file.begin());

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.Flags = request.flags | OFN_EXPLORER | OFN_ENABLESIZING;
  const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return std::nullopt;
  return std::wstring(file.data());
}

}  // namespace

void Win32Host::Pause(std::uint32_t milliseconds) {
  Sleep(milliseconds);
}

std::uint32_t Win32Host::TickCount() {
  return GetTickCount();
}

int Win32Host::ShowMessage(const std::wstring& text, const std::wstring& title, unsigned flags) {
  return MessageBoxW(static_cast<HWND>(owner_), text.c_str(), title.c_str(), flags);
}

std::optional<std::wstring> Win32Host::ChooseOpenFile(const FileDialogRequest& request) {
  return RunFileDialog(static_cast<HWND>(owner_), request, false);
}

std::optional<std::wstring> Win32Host::ChooseSaveFile(const FileDialogRequest& request) {
  return RunFileDialog(static_cast<HWND>(owner_), request, true);
}

namespace {

void SetClassCursor(HWND window, HCURSOR cursor) {
  SetClassLongPtrW(window, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor));
}

}  // namespace

void Win32Host::SetWaitCursor() {
  if (owner_ == nullptr) return;
  SetClassCursor(static_cast<HWND>(owner_), LoadCursorW(nullptr, IDC_WAIT));
}

void Win32Host::RestoreArrowCursor() {
  if (owner_ == nullptr) return;
  const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  SetClassCursor(static_cast<HWND>(owner_), arrow);
  SetCursor(arrow);
}

void Win32Host::StartTimer(unsigned id, std::uint32_t milliseconds) {
  if (owner_ == nullptr) return;
  SetTimer(static_cast<HWND>(owner_), id, milliseconds, nullptr);
}

void Win32Host::KillTimer(unsigned id) {
  if (owner_ == nullptr) return;
  ::KillTimer(static_cast<HWND>(owner_), id);
}

}  // namespace gm
