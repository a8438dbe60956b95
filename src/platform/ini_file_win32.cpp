#include <windows.h>

#include <algorithm>
#include <limits>
#include <optional>

#include "platform/ini_names.h"
#include "platform/portable_ini_file.h"
#include "platform/win32_ini_file.h"

namespace gm {
namespace {

DWORD BufferSize(std::size_t chars) {
  return static_cast<DWORD>(std::min<std::size_t>(chars, std::numeric_limits<DWORD>::max()));
}

// Gives a missing or empty file the UTF-16LE byte-order mark before the system writes to it.
void PrepareUtf16File(const FilePath& file) {
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

// Larger lists and sections are not read: the file is damaged.
constexpr std::size_t kLargestList = std::size_t{1} << 24;

// A list the profile functions fill in: NUL-separated strings ending in an empty one. Read with
// ever larger buffers until the function no longer reports it cut (a length of size - 2).
template <typename Fill>
std::optional<std::wstring> ReadList(Fill fill) {
  for (std::size_t size = 4096; size <= kLargestList; size *= 4) {
    std::wstring buffer(size, L'\0');
    const DWORD length = fill(buffer.data(), BufferSize(size));
    if (length + 2 < size) {
      // Ends in the NUL of its last string, so that c_str() ends the list with the second.
      buffer.resize(length);
      if (!buffer.empty() && buffer.back() != L'\0') buffer.push_back(L'\0');
      return buffer;
    }
  }
  return std::nullopt;
}

std::vector<std::wstring> SplitList(const std::wstring& list) {
  std::vector<std::wstring> strings;
  std::size_t start = 0;
  while (start < list.size() && list[start] != L'\0') {
    std::size_t end = list.find(L'\0', start);
    if (end == std::wstring::npos) end = list.size();
    strings.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return strings;
}

// The own engine for what the system's functions cannot do, reading files without a byte-order
// mark as they do: sections are found where the system lists them.
PortableIniFile AsTheSystem() {
  return PortableIniFile(PortableIniFile::RecentFiles::kCompareContent, AnsiFiles::AsWindows());
}

// The documented call that makes the system drop its cached copy of the file.
void DropCachedCopy(const FilePath& file) {
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());
}

}  // namespace

std::wstring Win32IniFile::ReadString(const FilePath& file, const std::wstring& section,
                                      const std::wstring& key, std::size_t bufferChars) {
  // An empty name would make the system use win.ini in the Windows folder.
  if (file.empty() || bufferChars == 0) return {};
  std::wstring buffer(bufferChars, L'\0');
  const DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer.data(),
                                                BufferSize(bufferChars), file.c_str());
  buffer.resize(std::min<std::size_t>(length, bufferChars));
  return buffer;
}

bool Win32IniFile::WriteString(const FilePath& file, const std::wstring& section,
                               const std::wstring& key, const std::wstring& value) {
  if (file.empty()) return false;
  PrepareUtf16File(file);
  return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), file.c_str()) !=
         FALSE;
}

bool Win32IniFile::DeleteKey(const FilePath& file, const std::wstring& section,
                             const std::wstring& key) {
  if (file.empty()) return true;  // nothing to delete
  return WritePrivateProfileStringW(section.c_str(), key.c_str(), nullptr, file.c_str()) != FALSE;
}

bool Win32IniFile::DeleteSection(const FilePath& file, const std::wstring& section) {
  if (file.empty()) return true;  // nothing to delete
  return WritePrivateProfileStringW(section.c_str(), nullptr, nullptr, file.c_str()) != FALSE;
}

bool Win32IniFile::RenameSection(const FilePath& file, const std::wstring& from,
                                 const std::wstring& to) {
  if (file.empty() || GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  const std::optional<std::wstring> list = ReadList([&](wchar_t* buffer, DWORD size) {
    return GetPrivateProfileSectionNamesW(buffer, size, file.c_str());
  });
  if (!list) return false;
  const std::vector<std::wstring> names = SplitList(*list);
  const auto at = std::find_if(names.begin(), names.end(),
                               [&](const std::wstring& name) { return SameIniName(name, from); });
  if (at == names.end() || to.empty()) return false;
  for (auto other = names.begin(); other != names.end(); ++other) {
    if (other != at && SameIniName(*other, to)) return false;
  }
  // Every section from the renamed one on is read before anything is changed.
  std::vector<std::wstring> contents;
  for (auto name = at; name != names.end(); ++name) {
    std::optional<std::wstring> lines = ReadList([&](wchar_t* buffer, DWORD size) {
      return GetPrivateProfileSectionW(name->c_str(), buffer, size, file.c_str());
    });
    if (!lines) return false;
    contents.push_back(std::move(*lines));
  }
  bool ok = true;
  for (auto name = at; name != names.end(); ++name) {
    ok = WritePrivateProfileStringW(name->c_str(), nullptr, nullptr, file.c_str()) != FALSE && ok;
  }
  for (std::size_t i = 0; i < contents.size(); ++i) {
    const std::wstring& name = i == 0 ? to : at[static_cast<std::ptrdiff_t>(i)];
    if (contents[i].empty()) {
      // An empty list writes no section: an empty section is a key written and deleted again.
      ok = WritePrivateProfileStringW(name.c_str(), L"_", L"", file.c_str()) != FALSE &&
           WritePrivateProfileStringW(name.c_str(), L"_", nullptr, file.c_str()) != FALSE && ok;
    } else {
      ok = WritePrivateProfileSectionW(name.c_str(), contents[i].c_str(), file.c_str()) != FALSE &&
           ok;
    }
  }
  return ok;
}

bool Win32IniFile::RenameSectionAt(const FilePath& file, std::size_t position,
                                   const std::wstring& name, const std::wstring& to) {
  if (file.empty()) return false;
  DropCachedCopy(file);
  const bool renamed = AsTheSystem().RenameSectionAt(file, position, name, to);
  DropCachedCopy(file);
  return renamed;
}

bool Win32IniFile::DeleteSectionAt(const FilePath& file, std::size_t position,
                                   const std::wstring& name) {
  if (file.empty()) return false;
  DropCachedCopy(file);
  const bool deleted = AsTheSystem().DeleteSectionAt(file, position, name);
  DropCachedCopy(file);
  return deleted;
}

std::optional<IniKeyValues> Win32IniFile::SectionAt(const FilePath& file, std::size_t position,
                                                    const std::wstring& name,
                                                    std::size_t bufferChars) {
  if (file.empty()) return std::nullopt;
  DropCachedCopy(file);  // so that the file holds what the system was given
  return AsTheSystem().SectionAt(file, position, name, bufferChars);
}

bool Win32IniFile::WriteStringsAt(const FilePath& file, std::size_t position,
                                  const std::wstring& name, const IniKeyWrites& writes) {
  if (file.empty()) return false;
  DropCachedCopy(file);
  const bool written = AsTheSystem().WriteStringsAt(file, position, name, writes);
  DropCachedCopy(file);
  return written;
}

std::vector<std::wstring> Win32IniFile::SectionNames(const FilePath& file,
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
