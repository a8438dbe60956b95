// The INI seam: the Windows profile-string functions on Windows, an own engine that reads and
// writes the same bytes elsewhere. Every call names its file, as the Windows functions do.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_path.h"

namespace gm {

// A section's keys in file order with their values as ReadString gives them.
using IniKeyValues = std::vector<std::pair<std::wstring, std::wstring>>;
// Keys to write into one section in this order; a key without a value is removed.
using IniKeyWrites = std::vector<std::pair<std::wstring, std::optional<std::wstring>>>;

class IniFile {
 public:
  virtual ~IniFile() = default;

  // GetPrivateProfileStringW with an empty default and a buffer of bufferChars characters
  // (the value comes back cut to bufferChars - 1 characters).
  virtual std::wstring ReadString(const FilePath& file, const std::wstring& section,
                                  const std::wstring& key, std::size_t bufferChars = 1024) = 0;
  // WritePrivateProfileStringW of one key.
  virtual bool WriteString(const FilePath& file, const std::wstring& section,
                           const std::wstring& key, const std::wstring& value) = 0;
  // WritePrivateProfileStringW(section, key, NULL): removes one key.
  virtual bool DeleteKey(const FilePath& file, const std::wstring& section,
                         const std::wstring& key) = 0;
  // WritePrivateProfileStringW(section, NULL, NULL): removes the section with its keys.
  virtual bool DeleteSection(const FilePath& file, const std::wstring& section) = 0;
  // Gives a section a new name where it stands, its keys kept. False, with nothing changed, when
  // the file or the section is missing, or another section already has the new name.
  virtual bool RenameSection(const FilePath& file, const std::wstring& from,
                             const std::wstring& to) = 0;
  // The section at `position` among the named sections in file order (as SectionNames counts
  // them), which must have the name `name`: where a file holds several sections of one name, the
  // calls above reach only the first. Rename gives it the new name where it stands, its keys
  // kept; Delete removes it. False, with the file as it was, when the file cannot be read or
  // written, the section there has another name, or another section already has the new name.
  virtual bool RenameSectionAt(const FilePath& file, std::size_t position, const std::wstring& name,
                               const std::wstring& to) = 0;
  virtual bool DeleteSectionAt(const FilePath& file, std::size_t position,
                               const std::wstring& name) = 0;
  // The keys of the section at `position` (as above), each value read as ReadString reads it
  // with a buffer of bufferChars characters, keys without "=" with an empty one; duplicates are
  // all there, the first being the one ReadString finds. Nothing when the file cannot be read or
  // the section there has another name.
  virtual std::optional<IniKeyValues> SectionAt(const FilePath& file, std::size_t position,
                                                const std::wstring& name,
                                                std::size_t bufferChars = 1024) = 0;
  // Writes and removes keys of the section at `position` (as above) as WriteString and DeleteKey
  // would in a file where it were the only one of its name, in one write of the file. False, with
  // the file as it was, when the file cannot be read or written or the section there has another
  // name.
  virtual bool WriteStringsAt(const FilePath& file, std::size_t position, const std::wstring& name,
                              const IniKeyWrites& writes) = 0;
  // GetPrivateProfileSectionNamesW: the names in file order, as many as fit in a buffer of
  // bufferChars characters (the last one cut as the Windows function cuts it).
  virtual std::vector<std::wstring> SectionNames(const FilePath& file, std::size_t bufferChars) = 0;
  // The names of the keys `section` holds, in file order, where the engine knows them without
  // reading each key (the first of duplicates is the one ReadString finds); nothing when it does
  // not. Lets a reader skip the keys a section lacks instead of asking for each.
  virtual std::optional<std::vector<std::wstring>> KeyNames(const FilePath& /*file*/,
                                                            const std::wstring& /*section*/) {
    return std::nullopt;
  }
};

}  // namespace gm
