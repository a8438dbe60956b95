#include "profiles/start_with_windows_win32.h"

#include <windows.h>

#include <vector>

#include "profiles/auto_profiles.h"

namespace gm {

bool StartsWithWindows(const std::wstring& exePath) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return false;
  }
  DWORD type = 0;
  DWORD bytes = 0;
  bool starts = false;
  if (RegQueryValueExW(key, kRunValueName, nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ) && bytes <= 64 * 1024) {
    std::vector<wchar_t> value(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, kRunValueName, nullptr, nullptr,
                         reinterpret_cast<BYTE*>(value.data()), &bytes) == ERROR_SUCCESS) {
      starts = RunValueStartsProgram(value.data(), exePath);
    }
  }
  RegCloseKey(key);
  return starts;
}

bool SetStartWithWindows(bool on, const std::wstring& exePath) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  LSTATUS status;
  if (on) {
    const std::wstring value = RunKeyValue(exePath);
    status =
        RegSetValueExW(key, kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  } else {
    status = RegDeleteValueW(key, kRunValueName);
    if (status == ERROR_FILE_NOT_FOUND) status = ERROR_SUCCESS;
  }
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

}  // namespace gm
