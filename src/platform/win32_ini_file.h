// IniFile over the Windows profile-string functions.
#pragma once

#include "platform/ini_file.h"

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
  // The profile functions add a section only at the end of a file: the section and every one
  // after it are read whole, deleted and written again in their order, the first under its new
  // name.
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
};

}  // namespace gm
