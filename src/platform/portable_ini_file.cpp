#include "platform/portable_ini_file.h"
#include "platform/file_ops.h"

#include <optional>
#include <string_view>

#include "platform/file_replace.h"
#include "platform/ini_names.h"
#include "platform/text_codec.h"

namespace gm {
namespace {

// Larger files are treated as unreadable rather than exhausting memory.
constexpr std::size_t kMaxIniBytes = std::size_t{64} << 20;

enum class Encoding { Ansi, Utf8, Utf8WithBom, Utf16Le, Utf16Be };

struct Key {
  std::u16string name;
  std::optional<std::u16string> value;  // none for a line without "="
};

struct Section {
  std::u16string name;  // empty for the keys before the first header
  std::vector<Key> keys;
};

struct Document {
  Encoding encoding = Encoding::Utf16Le;
  std::vector<Section> sections;
};

enum class FileState { Missing, Unreadable, Read };

bool IsBlank(char16_t c) {
  return c == u' ' || (c >= 0x09 && c <= 0x0D) || c == 0x1A;  // 0x1A: the DOS end-of-file mark
}

std::u16string_view TrimLeft(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::u16string_view TrimRight(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::u16string_view Trim(std::u16string_view text) {
  return TrimRight(TrimLeft(text));
}

// Names and values end at an embedded NUL, as C strings do in the Windows functions.
std::u16string UpToNul(std::u16string_view text) {
  return std::u16string(text.substr(0, text.find(u'\0')));
}

std::u16string DecodeText(std::span<const std::uint8_t> bytes, Encoding& encoding) {
  if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
    encoding = Encoding::Utf8WithBom;
    return *DecodeUtf8(bytes.subspan(3), true);
  }
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    encoding = Encoding::Utf16Le;
    return DecodeUtf16(bytes.subspan(2), false);
  }
  if (bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
    encoding = Encoding::Utf16Be;
    return DecodeUtf16(bytes.subspan(2), true);
  }
  std::optional<std::u16string> utf8 = DecodeUtf8(bytes);
  if (utf8 && utf8->size() != bytes.size()) {  // valid UTF-8 with characters beyond ASCII
    encoding = Encoding::Utf8;
    return *utf8;
  }
  encoding = Encoding::Ansi;
  return DecodeWindows1252(bytes);
}

Document Parse(std::span<const std::uint8_t> bytes) {
  Document document;
  const std::u16string text = DecodeText(bytes, document.encoding);
  document.sections.push_back({});
  const std::u16string_view all = text;
  std::size_t position = 0;
  while (position < all.size()) {
    // A line ends at a CR or an LF.
    std::size_t end = all.find_first_of(u"\r\n", position);
    if (end == std::u16string_view::npos) end = all.size();
    const std::u16string_view line = Trim(all.substr(position, end - position));
    position = end + 1;
    if (line.empty()) continue;

    if (line.front() == u'[') {
      const std::size_t close = line.rfind(u']');
      if (close != std::u16string_view::npos) {
        document.sections.push_back({UpToNul(line.substr(1, close - 1)), {}});
        continue;
      }
      // A header without "]" is kept as a key line.
    }
    Key key;
    const std::size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos) {
      key.name = UpToNul(line);
    } else {
      key.name = UpToNul(TrimRight(line.substr(0, equals)));
      key.value = UpToNul(TrimLeft(line.substr(equals + 1)));
    }
    document.sections.back().keys.push_back(std::move(key));
  }
  return document;
}

std::vector<std::uint8_t> Serialize(const Document& document) {
  std::u16string text;
  for (const Section& section : document.sections) {
    if (!section.name.empty()) text += u"[" + section.name + u"]\r\n";
    for (const Key& key : section.keys) {
      text += key.name;
      if (key.value) text += u"=" + *key.value;
      text += u"\r\n";
    }
  }
  std::vector<std::uint8_t> bytes;
  switch (document.encoding) {
    case Encoding::Utf16Le:
      bytes = {0xFF, 0xFE};
      AppendUtf16(text, false, bytes);
      break;
    case Encoding::Utf16Be:
      bytes = {0xFE, 0xFF};
      AppendUtf16(text, true, bytes);
      break;
    case Encoding::Utf8WithBom:
      bytes = {0xEF, 0xBB, 0xBF};
      AppendUtf8(text, bytes);
      break;
    case Encoding::Utf8:
      AppendUtf8(text, bytes);
      break;
    case Encoding::Ansi:
      AppendWindows1252(text, bytes);
      break;
  }
  return bytes;
}

FileState Load(const std::filesystem::path& file, Document& document) {
  if (!FileExists(file)) return FileState::Missing;
  std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(file, kMaxIniBytes);
  if (!bytes) return FileState::Unreadable;
  // A file without a single byte has no encoding to keep: it is written like a new file.
  document = bytes->empty() ? Document{} : Parse(*bytes);
  if (document.sections.empty()) document.sections.push_back({});
  return FileState::Read;
}

bool Store(const std::filesystem::path& file, const Document& document) {
  return !ReplaceFileContents(file, Serialize(document));
}

Section* FindSection(Document& document, std::u16string_view name) {
  const std::u16string_view wanted = Trim(name);
  for (Section& section : document.sections) {
    if (SameIniName(section.name, wanted)) return &section;
  }
  return nullptr;
}

Key* FindKey(Section& section, std::u16string_view name) {
  const std::u16string_view wanted = Trim(name);
  for (Key& key : section.keys) {
    if (SameIniName(key.name, wanted)) return &key;
  }
  return nullptr;
}

// The section at `position` among the named ones, when it has the name `name`.
std::vector<Section>::iterator NamedSectionAt(Document& document, std::size_t position,
                                              const std::u16string& name) {
  for (auto it = document.sections.begin(); it != document.sections.end(); ++it) {
    if (it->name.empty()) continue;
    if (position-- == 0) return SameIniName(it->name, Trim(name)) ? it : document.sections.end();
  }
  return document.sections.end();
}

}  // namespace

std::wstring PortableIniFile::ReadString(const std::filesystem::path& file,
                                         const std::wstring& section, const std::wstring& key,
                                         std::size_t bufferChars) {
  Document document;
  if (bufferChars == 0 || Load(file, document) != FileState::Read) return {};
  Section* found = FindSection(document, ToUtf16(section));
  Key* entry = found != nullptr ? FindKey(*found, ToUtf16(key)) : nullptr;
  if (entry == nullptr || !entry->value) return {};

  // Matching outer quotes are removed. When the value does not fit, its closing quote is cut
  // off by the buffer already, and so is the last character before it when it just fits.
  std::u16string_view value = *entry->value;
  const bool quoted = value.size() > 1 && (value.front() == u'"' || value.front() == u'\'') &&
                      value.back() == value.front();
  if (quoted) value.remove_prefix(1);
  std::u16string result(value.substr(0, bufferChars - 1));
  if (quoted && bufferChars >= value.size() && !result.empty()) result.pop_back();
  return FromUtf16(result);
}

bool PortableIniFile::WriteString(const std::filesystem::path& file, const std::wstring& section,
                                  const std::wstring& key, const std::wstring& value) {
  Document document;
  switch (Load(file, document)) {
    case FileState::Unreadable:
      return false;
    case FileState::Missing:
      if (file.empty()) return false;
      document = Document{};
      document.sections.push_back({});
      break;
    case FileState::Read:
      break;
  }
  const std::u16string sectionName = ToUtf16(section);
  const std::u16string keyName = ToUtf16(key);
  const std::u16string text(TrimLeft(ToUtf16(value)));

  Section* target = FindSection(document, sectionName);
  if (target == nullptr) {
    document.sections.push_back({std::u16string(Trim(sectionName)), {}});
    target = &document.sections.back();
  }
  Key* entry = FindKey(*target, keyName);
  if (entry == nullptr) {
    target->keys.push_back({std::u16string(Trim(keyName)), text});
  } else if (entry->value == text) {
    return true;  // nothing changes, the file is not touched
  } else {
    entry->value = text;
  }
  return Store(file, document);
}

bool PortableIniFile::DeleteKey(const std::filesystem::path& file, const std::wstring& section,
                                const std::wstring& key) {
  Document document;
  if (Load(file, document) != FileState::Read) return true;
  Section* target = FindSection(document, ToUtf16(section));
  // The first of duplicate keys is the one that is read, and the one that goes.
  const Key* entry = target != nullptr ? FindKey(*target, ToUtf16(key)) : nullptr;
  if (entry == nullptr) return true;
  target->keys.erase(target->keys.begin() + (entry - target->keys.data()));
  return Store(file, document);
}

bool PortableIniFile::DeleteSection(const std::filesystem::path& file,
                                    const std::wstring& section) {
  Document document;
  if (Load(file, document) != FileState::Read) return true;
  const std::u16string name = ToUtf16(section);
  for (auto it = document.sections.begin(); it != document.sections.end(); ++it) {
    if (SameIniName(it->name, name)) {
      document.sections.erase(it);
      return Store(file, document);
    }
  }
  return true;
}

bool PortableIniFile::RenameSection(const std::filesystem::path& file, const std::wstring& from,
                                    const std::wstring& to) {
  Document document;
  if (Load(file, document) != FileState::Read) return false;
  const std::u16string oldName = ToUtf16(from);
  const std::u16string wanted = ToUtf16(to);
  const std::u16string_view newName = Trim(wanted);
  if (Trim(oldName).empty() || newName.empty()) return false;  // not the keys before any section
  Section* section = FindSection(document, oldName);
  if (section == nullptr) return false;
  const Section* holder = FindSection(document, newName);
  if (holder != nullptr && holder != section) return false;
  section->name = std::u16string(newName);
  return Store(file, document);
}

bool PortableIniFile::RenameSectionAt(const std::filesystem::path& file, std::size_t position,
                                      const std::wstring& name, const std::wstring& to) {
  Document document;
  if (Load(file, document) != FileState::Read) return false;
  const std::u16string wanted = ToUtf16(to);
  const std::u16string_view newName = Trim(wanted);
  const auto section = NamedSectionAt(document, position, ToUtf16(name));
  if (section == document.sections.end() || newName.empty()) return false;
  for (auto other = document.sections.begin(); other != document.sections.end(); ++other) {
    if (other != section && SameIniName(other->name, newName)) return false;
  }
  section->name = std::u16string(newName);
  return Store(file, document);
}

bool PortableIniFile::DeleteSectionAt(const std::filesystem::path& file, std::size_t position,
                                      const std::wstring& name) {
  Document document;
  if (Load(file, document) != FileState::Read) return false;
  const auto section = NamedSectionAt(document, position, ToUtf16(name));
  if (section == document.sections.end()) return false;
  document.sections.erase(section);
  return Store(file, document);
}

std::vector<std::wstring> PortableIniFile::SectionNames(const std::filesystem::path& file,
                                                        std::size_t bufferChars) {
  Document document;
  if (bufferChars < 2 || Load(file, document) != FileState::Read) return {};
  // The names as the Windows function lays them into its buffer: each followed by a NUL, the
  // one that does not fit cut so that the list still ends in two NULs.
  std::vector<std::wstring> names;
  std::size_t room = bufferChars - 1;
  for (const Section& section : document.sections) {
    if (section.name.empty()) continue;
    if (section.name.size() + 1 >= room) {
      if (room > 1)
        names.push_back(FromUtf16(std::u16string_view(section.name).substr(0, room - 1)));
      break;
    }
    names.push_back(FromUtf16(section.name));
    room -= section.name.size() + 1;
  }
  return names;
}

}  // namespace gm
