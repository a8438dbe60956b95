// The INI seam: the Windows profile-string functions on Windows, an own engine that reads and
// writes the same bytes elsewhere. Every call names its file, as the Windows functions do.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_path.h"
#include "platform/file_replace.h"

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

  // An edit of one file, used through IniFileEdit: from BeginEdit on, the writes to `file`
  // change only the engine's copy of it (read once, at BeginEdit); EndEdit with `commit` writes
  // that copy as one replace, or adds it to `group` when one is given; without, it drops the
  // changes. An edit begun inside another is part of it: only the outer one's end counts. An
  // engine that writes each change at once needs none of this.
  virtual void BeginEdit(const FilePath& /*file*/) {}
  virtual std::error_code EndEdit(const FilePath& /*file*/, bool /*commit*/,
                                  FileReplaceGroup* /*group*/) {
    return {};
  }
  // In an edit: whether the engine's copy of the file exists (its first write made it); else
  // nothing.
  virtual std::optional<bool> ExistsInEdit(const FilePath& /*file*/) { return std::nullopt; }
};

// One read-modify-write of an INI file: its update lock held from the first read to the
// rename, its writes made on the engine's copy and written as one replace by Commit. Dropped
// without Commit, the file stays as it was. Nothing may be written when LockError() is set.
class IniFileEdit {
 public:
  IniFileEdit(IniFile& ini, const FilePath& file) : ini_(ini), file_(file), lock_(file) {
    if (!lock_.error()) ini_.BeginEdit(file_);
  }
  ~IniFileEdit() {
    if (!lock_.error() && !ended_) ini_.EndEdit(file_, false, nullptr);
  }
  IniFileEdit(const IniFileEdit&) = delete;
  IniFileEdit& operator=(const IniFileEdit&) = delete;

  const std::error_code& LockError() const { return lock_.error(); }
  // With a group the lock stays held until this edit goes, so commit the group first.
  std::error_code Commit(FileReplaceGroup* group = nullptr) {
    if (lock_.error() || ended_) return lock_.error();
    ended_ = true;
    return ini_.EndEdit(file_, true, group);
  }

 private:
  IniFile& ini_;
  FilePath file_;
  FileUpdateLock lock_;
  bool ended_ = false;
};

}  // namespace gm
