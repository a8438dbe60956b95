// The INI engine used where the Windows profile-string functions are not available. It reads and
// writes the bytes they do: a file is parsed into sections and keys, changed, and written back
// whole as "[Section]" and "Key=Value" lines ending in CR LF, in the file's own encoding.
//
// Rules shared with the Windows functions:
// - encoding by byte-order mark: UTF-16LE, UTF-16BE, UTF-8; a file without one is ANSI, in the
//   system's code page (platform/ansi_code_page.h). Unlike Windows, a file without a mark that
//   is valid UTF-8 is read and written as UTF-8, so that its text is neither garbled nor lost,
//   unless the engine is to read as Windows does (AnsiFiles).
// - section and key names match case-insensitively (platform/ini_names.h) after trimming; the
//   first of duplicate sections or keys wins; keys before the first section header belong to a
//   nameless section.
// - values are trimmed; matching outer quotes (" or ') are removed on reading; leading blanks
//   of a written value are dropped.
// - a deleted section written again goes to the end of the file; an unchanged value does not
//   touch the file.
// - a missing file is created as UTF-16LE with a byte-order mark by the first written key (the
//   Windows functions would create an ANSI file and turn text outside it into "?").
//
// A file is parsed once: the engine keeps the parsed form of the files it used last, with their
// names indexed, so that reading every key of a file costs time in proportion to its size. Its
// own writes change the kept form and write the whole file through at once. A file that someone
// else changed is read again: its size, times or identity differ, or, while its times are too
// recent to tell a later change apart, its content does.
#pragma once

#include <memory>
#include <mutex>

#include "platform/ini_file.h"

namespace gm {

// How a file without a byte-order mark is read and written.
struct AnsiFiles {
  unsigned codePage;          // the ANSI code page
  bool utf8WhenValid = true;  // as UTF-8 when it is valid UTF-8

  static AnsiFiles System();     // the system's code page, UTF-8 when valid
  static AnsiFiles AsWindows();  // the system's code page always, as the Windows functions do
};

class PortableIniFile : public IniFile {
 public:
  // How a file that changed moments ago is told apart from a later change of the same size.
  enum class RecentFiles {
    kCompareContent,  // byte for byte, while its times are too recent to tell
    // By its size, times and identity alone: for a process that is the only writer of its
    // files (the fuzz targets), where nothing else can change a file within a clock tick.
    kTrustFacts,
  };

  explicit PortableIniFile(RecentFiles recent = RecentFiles::kCompareContent,
                           AnsiFiles ansi = AnsiFiles::System());
  ~PortableIniFile() override;
  PortableIniFile(const PortableIniFile&) = delete;
  PortableIniFile& operator=(const PortableIniFile&) = delete;

  std::wstring ReadString(const FilePath& file, const std::wstring& section,
                          const std::wstring& key, std::size_t bufferChars = 1024) override;
  bool WriteString(const FilePath& file, const std::wstring& section, const std::wstring& key,
                   const std::wstring& value) override;
  bool DeleteKey(const FilePath& file, const std::wstring& section,
                 const std::wstring& key) override;
  bool DeleteSection(const FilePath& file, const std::wstring& section) override;
  bool RenameSection(const FilePath& file, const std::wstring& from,
                     const std::wstring& to) override;
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
  void BeginEdit(const FilePath& file) override;
  std::error_code EndEdit(const FilePath& file, bool commit, FileReplaceGroup* group) override;
  std::optional<bool> ExistsInEdit(const FilePath& file) override;

  class Kept;  // the parsed forms of the files used last

 private:
  std::mutex lock_;
  std::unique_ptr<Kept> kept_;
};

}  // namespace gm
