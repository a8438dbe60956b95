#include <windows.h>

#include <algorithm>
#include <limits>

#include "platform/win32_ini_file.h"

namespace gm {
namespace {

DWORD BufferSize(std::size_t chars) {
  return static_cast<DWORD>(std::min<std::size_t>(chars, std::numeric_limits<DWORD>::max()));
}

// Gives a missing or empty file the UTF-16LE byte-order mark before the system writes to it.
void PrepareUtf16File(const std::filesystem::path& file) {
  HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return;  // the write that follows reports the failure
  LARGE_INTEGER size{};
  if (GetFileSizeEx(handle, &size) && size.QuadPart == 0) {
    static constexpr BYTE kBom[] = {0xFF, 0xFE};
    DWORD written = 0;
    WriteFile(handle, kBom, sizeof(kBom), &written, nullptr);
  }
  CloseHandle(handle);
}

}  // namespace

std::wstring Win32IniFile::ReadString(const std::filesystem::path& file,
                                      const std::wstring& section, const std::wstring& key,
                                      std::size_t bufferChars) {
  // An empty name would make the system use win.ini in the Windows folder.
  if (file.empty() || bufferChars == 0) return {};
  std::wstring buffer(bufferChars, L'\0');
  const DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer.data(),
                                                BufferSize(bufferChars), file.c_str());
  buffer.resize(std::min<std::size_t>(length, bufferChars));
  return buffer;
}

bool Win32IniFile::WriteString(const std::filesystem::path& file, const std::wstring& section,
                               const std::wstring& key, const std::wstring& value) {
  if (file.empty()) return false;
  PrepareUtf16File(file);
  return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), file.c_str()) !=
         FALSE;
}

bool Win32IniFile::DeleteKey(const std::filesystem::path& file, const std::wstring& section,
                             const std::wstring& key) {
  if (file.empty()) return true;  // nothing to delete
  return WritePrivateProfileStringW(section.c_str(), key.c_str(), nullptr, file.c_str()) != FALSE;
}

bool Win32IniFile::DeleteSection(const std::filesystem::path& file, const std::wstring& section) {
  if (file.empty()) return true;  // nothing to delete
  return WritePrivateProfileStringW(section.c_str(), nullptr, nullptr, file.c_str()) != FALSE;
}

std::vector<std::wstring> Win32IniFile::SectionNames(const std::filesystem::path& file,
                                                     std::size_t bufferChars) {
  std::vector<std::wstring> names;
  if (file.empty() || bufferChars < 2) return names;
  std::wstring buffer(bufferChars, L'\0');
  GetPrivateProfileSectionNamesW(buffer.data(), BufferSize(bufferChars), file.c_str());
  // A list of NUL-terminated names ending in an empty one.
  std::size_t start = 0;
  while (start < buffer.size() && buffer[start] != L'\0') {
    const std::size_t end = buffer.find(L'\0', start);
    if (end == std::wstring::npos) break;
    names.push_back(buffer.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

}  // namespace gm
