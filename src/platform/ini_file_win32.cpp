#include <windows.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

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

PortableIniFile* Win32IniFile::Editing(const FilePath& file) {
  return std::find(editing_.begin(), editing_.end(), file) == editing_.end() ? nullptr : &edits_;
}

void Win32IniFile::BeginEdit(const FilePath& file) {
  if (file.empty()) return;
  if (Editing(file) == nullptr) DropCachedCopy(file);
  edits_.BeginEdit(file);
  editing_.push_back(file);
}

std::error_code Win32IniFile::EndEdit(const FilePath& file, bool commit, FileReplaceGroup* group) {
  const auto at = std::find(editing_.begin(), editing_.end(), file);
  if (at == editing_.end()) return {};
  editing_.erase(at);
  const std::error_code error = edits_.EndEdit(file, commit, group);
  if (Editing(file) == nullptr) DropCachedCopy(file);
  return error;
}

std::optional<bool> Win32IniFile::ExistsInEdit(const FilePath& file) {
  if (PortableIniFile* edit = Editing(file)) return edit->ExistsInEdit(file);
  return std::nullopt;
}

std::optional<std::vector<std::wstring>> Win32IniFile::KeyNames(const FilePath& file,
                                                                const std::wstring& section) {
  if (PortableIniFile* edit = Editing(file)) return edit->KeyNames(file, section);
  return std::nullopt;
}

std::wstring Win32IniFile::ReadString(const FilePath& file, const std::wstring& section,
                                      const std::wstring& key, std::size_t bufferChars) {
  // An empty name would make the system use win.ini in the Windows folder.
  if (file.empty() || bufferChars == 0) return {};
  if (PortableIniFile* edit = Editing(file))
    return edit->ReadString(file, section, key, bufferChars);
  std::wstring buffer(bufferChars, L'\0');
  const DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer.data(),
                                                BufferSize(bufferChars), file.c_str());
  buffer.resize(std::min<std::size_t>(length, bufferChars));
  return buffer;
}

bool Win32IniFile::WriteString(const FilePath& file, const std::wstring& section,
                               const std::wstring& key, const std::wstring& value) {
  if (file.empty()) return false;
  if (PortableIniFile* edit = Editing(file)) return edit->WriteString(file, section, key, value);
  PrepareUtf16File(file);
  return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), file.c_str()) !=
         FALSE;
}

bool Win32IniFile::DeleteKey(const FilePath& file, const std::wstring& section,
                             const std::wstring& key) {
  if (file.empty()) return true;  // nothing to delete
  if (PortableIniFile* edit = Editing(file)) return edit->DeleteKey(file, section, key);
  return WritePrivateProfileStringW(section.c_str(), key.c_str(), nullptr, file.c_str()) != FALSE;
}

bool Win32IniFile::DeleteSection(const FilePath& file, const std::wstring& section) {
  if (file.empty()) return true;  // nothing to delete
  if (PortableIniFile* edit = Editing(file)) return edit->DeleteSection(file, section);
  return WritePrivateProfileStringW(section.c_str(), nullptr, nullptr, file.c_str()) != FALSE;
}

bool Win32IniFile::RenameSection(const FilePath& file, const std::wstring& from,
                                 const std::wstring& to) {
  if (file.empty()) return false;
  if (PortableIniFile* edit = Editing(file)) return edit->RenameSection(file, from, to);
  DropCachedCopy(file);
  const bool renamed = AsTheSystem().RenameSection(file, from, to);
  DropCachedCopy(file);
  return renamed;
}

bool Win32IniFile::RenameSectionAt(const FilePath& file, std::size_t position,
                                   const std::wstring& name, const std::wstring& to) {
  if (file.empty()) return false;
  if (PortableIniFile* edit = Editing(file)) return edit->RenameSectionAt(file, position, name, to);
  DropCachedCopy(file);
  const bool renamed = AsTheSystem().RenameSectionAt(file, position, name, to);
  DropCachedCopy(file);
  return renamed;
}

bool Win32IniFile::DeleteSectionAt(const FilePath& file, std::size_t position,
                                   const std::wstring& name) {
  if (file.empty()) return false;
  if (PortableIniFile* edit = Editing(file)) return edit->DeleteSectionAt(file, position, name);
  DropCachedCopy(file);
  const bool deleted = AsTheSystem().DeleteSectionAt(file, position, name);
  DropCachedCopy(file);
  return deleted;
}

std::optional<IniKeyValues> Win32IniFile::SectionAt(const FilePath& file, std::size_t position,
                                                    const std::wstring& name,
                                                    std::size_t bufferChars) {
  if (file.empty()) return std::nullopt;
  if (PortableIniFile* edit = Editing(file)) {
    return edit->SectionAt(file, position, name, bufferChars);
  }
  DropCachedCopy(file);  // so that the file holds what the system was given
  return AsTheSystem().SectionAt(file, position, name, bufferChars);
}

bool Win32IniFile::WriteStringsAt(const FilePath& file, std::size_t position,
                                  const std::wstring& name, const IniKeyWrites& writes) {
  if (file.empty()) return false;
  if (PortableIniFile* edit = Editing(file))
    return edit->WriteStringsAt(file, position, name, writes);
  DropCachedCopy(file);
  const bool written = AsTheSystem().WriteStringsAt(file, position, name, writes);
  DropCachedCopy(file);
  return written;
}

std::vector<std::wstring> Win32IniFile::SectionNames(const FilePath& file,
                                                     std::size_t bufferChars) {
  std::vector<std::wstring> names;
  if (file.empty() || bufferChars < 2) return names;
  if (PortableIniFile* edit = Editing(file)) return edit->SectionNames(file, bufferChars);
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
