// IniFile over the Windows profile-string functions.
#pragma once

#include <memory>

#include "platform/ini_file.h"
#include "platform/portable_ini_file.h"

namespace gm {

class Win32IniFile : public IniFile {
 public:
  std::wstring ReadString(const FilePath& file, const std::wstring& section,
                          const std::wstring& key, std::size_t bufferChars = 1024) override;
  // A missing or empty file is first given a UTF-16LE byte-order mark, so that the system
  // writes it as UTF-16 and keeps every character (it would write a new file as ANSI).
  bool WriteString(const FilePath& file, const std::wstring& section, const std::wstring& key,
                   const std::wstring& value) override;
  bool DeleteKey(const FilePath& file, const std::wstring& section,
                 const std::wstring& key) override;
  bool DeleteSection(const FilePath& file, const std::wstring& section) override;
  // The profile functions add a section only at the end of a file, and cannot rename one: the
  // file is edited whole by the own engine, as below.
  bool RenameSection(const FilePath& file, const std::wstring& from,
                     const std::wstring& to) override;
  // The profile functions cannot tell sections of one name apart: the file is edited whole by the
  // own engine, which writes the same bytes, and the system's cached copy is dropped around it.
  bool RenameSectionAt(const FilePath& file, std::size_t position, const std::wstring& name,
                       const std::wstring& to) override;
  bool DeleteSectionAt(const FilePath& file, std::size_t position,
                       const std::wstring& name) override;
  std::optional<IniKeyValues> SectionAt(const FilePath& file, std::size_t position,
                                        const std::wstring& name,
                                        std::size_t bufferChars = 1024) override;
  bool WriteStringsAt(const FilePath& file, std::size_t position, const std::wstring& name,
                      const IniKeyWrites& writes) override;
  std::vector<std::wstring> SectionNames(const FilePath& file, std::size_t bufferChars) override;
  std::optional<std::vector<std::wstring>> KeyNames(const FilePath& file,
                                                    const std::wstring& section) override;
  // The profile functions write each change in place: an edit is made by the own engine, which
  // writes the same bytes as one replace, with the system's cached copy dropped around it.
  void BeginEdit(const FilePath& file) override;
  std::error_code EndEdit(const FilePath& file, bool commit, FileReplaceGroup* group) override;
  std::optional<bool> ExistsInEdit(const FilePath& file) override;

 private:
  // The engine of the files in an edit, or nullptr when `file` is in none.
  PortableIniFile* Editing(const FilePath& file);

  PortableIniFile edits_{PortableIniFile::RecentFiles::kCompareContent, AnsiFiles::AsWindows()};
  std::vector<FilePath> editing_;  // one entry for each edit begun and not ended
};

}  // namespace gm
