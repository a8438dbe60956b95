#include "platform/portable_ini_file.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <list>
#include <optional>
#include <string_view>

#include "platform/ansi_code_page.h"
#include "platform/file_ops.h"
#include "platform/file_replace.h"
#include "platform/ini_names.h"
#include "platform/text_codec.h"

namespace gm {
namespace {

// Larger files are treated as unreadable rather than exhausting memory.
constexpr std::size_t kMaxIniBytes = std::size_t{64} << 20;
// How many files are kept parsed: the program uses a handful.
constexpr std::size_t kKeptFiles = 8;
// How long after a change a file's times still cannot tell it from a later change of the same
// size: the file system's clock moves in ticks (about 10 ms on Linux, 16 ms on Windows), on
// some file systems in whole seconds (two on FAT). Until then a kept file is compared byte for
// byte with the file.
constexpr std::int64_t kFineClockMargin = 100'000'000;      // 100 ms
constexpr std::int64_t kCoarseClockMargin = 3'000'000'000;  // 3 s, for times in whole seconds

enum class Encoding { Ansi, Utf8, Utf8WithBom, Utf16Le, Utf16Be };

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

std::uint32_t NameHash(std::u16string_view name) {
  std::uint32_t hash = 2166136261u;  // FNV-1a over the folded characters
  for (const char16_t unit : name) {
    hash = (hash ^ static_cast<std::uint32_t>(FoldIniNameChar(unit))) * 16777619u;
  }
  return hash;
}

// Where the first item of each name stands in a list of keys or sections: a hash table of the
// names as they match, so that finding one does not walk the list. Short lists are walked.
class NameIndex {
 public:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  template <typename Item>
  std::size_t Find(const std::vector<Item>& items, std::u16string_view name) const {
    if (slots_.empty()) {
      for (std::size_t i = 0; i < items.size(); ++i) {
        if (SameIniName(items[i].name, name)) return i;
      }
      return kNone;
    }
    const std::uint32_t hash = NameHash(name);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
      const Slot& slot = slots_[at];
      if (slot.position == 0) return kNone;
      if (slot.hash == hash && SameIniName(items[slot.position - 1].name, name)) {
        return slot.position - 1;
      }
    }
  }

  // The last item of the list is new.
  template <typename Item>
  void Appended(const std::vector<Item>& items) {
    if (slots_.empty() ? items.size() > kWalked : (used_ + 1) * 2 > slots_.size()) {
      Rebuild(items);
    } else if (!slots_.empty()) {
      Insert(items, items.size() - 1);
    }
  }

  template <typename Item>
  void Rebuild(const std::vector<Item>& items) {
    slots_.clear();
    used_ = 0;
    if (items.size() <= kWalked) return;
    slots_.resize(std::bit_ceil(items.size() * 2));
    for (std::size_t i = 0; i < items.size(); ++i) Insert(items, i);
  }

 private:
  static constexpr std::size_t kWalked = 8;
  struct Slot {
    std::uint32_t position = 0;  // in the list, plus 1; 0 marks a free slot
    std::uint32_t hash = 0;
  };

  // Indexes the item unless one before it has its name.
  template <typename Item>
  void Insert(const std::vector<Item>& items, std::size_t position) {
    const std::u16string_view name = items[position].name;
    const std::uint32_t hash = NameHash(name);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
      Slot& slot = slots_[at];
      if (slot.position == 0) {
        slot = {static_cast<std::uint32_t>(position + 1), hash};
        ++used_;
        return;
      }
      if (slot.hash == hash && SameIniName(items[slot.position - 1].name, name)) return;
    }
  }

  std::vector<Slot> slots_;
  std::size_t used_ = 0;
};

struct Key {
  std::u16string name;
  std::optional<std::u16string> value;  // none for a line without "="
};

struct Section {
  std::u16string name;  // empty for the keys before the first header
  std::vector<Key> keys;
  NameIndex index;  // of the keys
};

struct Document {
  Encoding encoding = Encoding::Utf16Le;
  unsigned codePage = 1252;  // of an ANSI file
  // The first section is the nameless one that holds the keys before the first header.
  std::vector<Section> sections;
  NameIndex index;  // of the sections
  // The document is what a parse of its own serialized bytes gives: it can be changed in
  // memory and still read as the file will read. A file without a byte-order mark, with a
  // second nameless section ("[]") or with a NUL is not: it is parsed again after each write.
  bool canonical = true;
};

void AddSection(Document& document, std::u16string name) {
  document.sections.push_back({std::move(name), {}, {}});
  document.index.Appended(document.sections);
}

void AddKey(Section& section, Key key) {
  section.keys.push_back(std::move(key));
  section.index.Appended(section.keys);
}

Document EmptyDocument() {
  Document document;
  AddSection(document, {});
  return document;
}

std::u16string DecodeText(std::span<const std::uint8_t> bytes, const AnsiFiles& ansi,
                          Encoding& encoding) {
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
  if (ansi.utf8WhenValid) {
    std::optional<std::u16string> utf8 = DecodeUtf8(bytes);
    if (utf8 && utf8->size() != bytes.size()) {  // valid UTF-8 with characters beyond ASCII
      encoding = Encoding::Utf8;
      return *utf8;
    }
  }
  encoding = Encoding::Ansi;
  return DecodeAnsi(bytes, ansi.codePage);
}

Document Parse(std::span<const std::uint8_t> bytes, const AnsiFiles& ansi) {
  // A file without a single byte has no encoding to keep: it is written like a new file.
  if (bytes.empty()) return EmptyDocument();
  Document document = EmptyDocument();
  document.codePage = ansi.codePage;
  const std::u16string text = DecodeText(bytes, ansi, document.encoding);
  // Without a byte-order mark the encoding is guessed from the content, and a write may change
  // the guess.
  document.canonical = document.encoding != Encoding::Ansi && document.encoding != Encoding::Utf8;
  const std::u16string_view all = text;
  std::size_t position = 0;
  while (position < all.size()) {
    // A line ends at a CR or an LF.
    std::size_t end = all.find_first_of(u"\r\n", position);
    if (end == std::u16string_view::npos) end = all.size();
    const std::u16string_view line = Trim(all.substr(position, end - position));
    position = end + 1;
    if (line.empty()) continue;
    // A name or value cut at a NUL may end in blanks that the next parse trims.
    if (line.find(u'\0') != std::u16string_view::npos) document.canonical = false;

    if (line.front() == u'[') {
      const std::size_t close = line.rfind(u']');
      if (close != std::u16string_view::npos) {
        std::u16string name = UpToNul(line.substr(1, close - 1));
        // Written back without a header, its keys would join the section before it.
        if (name.empty()) document.canonical = false;
        AddSection(document, std::move(name));
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
    AddKey(document.sections.back(), std::move(key));
  }
  return document;
}

// Hands the document's text to `put` piece by piece, as "[Section]" and "Key=Value" lines.
template <typename Put>
void EachPiece(const Document& document, Put put) {
  static constexpr std::u16string_view kOpen = u"[";
  static constexpr std::u16string_view kClose = u"]\r\n";
  static constexpr std::u16string_view kEquals = u"=";
  static constexpr std::u16string_view kLineEnd = u"\r\n";
  for (const Section& section : document.sections) {
    if (!section.name.empty()) {
      put(kOpen);
      put(section.name);
      put(kClose);
    }
    for (const Key& key : section.keys) {
      put(key.name);
      if (key.value) {
        put(kEquals);
        put(*key.value);
      }
      put(kLineEnd);
    }
  }
}

std::vector<std::uint8_t> Serialize(const Document& document) {
  std::size_t units = 0;
  EachPiece(document, [&](std::u16string_view piece) { units += piece.size(); });
  std::vector<std::uint8_t> bytes;
  const bool utf16 =
      document.encoding == Encoding::Utf16Le || document.encoding == Encoding::Utf16Be;
  if (utf16) {
    // Straight into the bytes, the common case: the program's files are UTF-16.
    const bool bigEndian = document.encoding == Encoding::Utf16Be;
    bytes.resize(2 + units * 2);
    bytes[0] = bigEndian ? 0xFE : 0xFF;
    bytes[1] = bigEndian ? 0xFF : 0xFE;
    std::uint8_t* at = bytes.data() + 2;
    const bool native = bigEndian == (std::endian::native == std::endian::big);
    EachPiece(document, [&](std::u16string_view piece) {
      if (native) {
        std::memcpy(at, piece.data(), piece.size() * 2);
        at += piece.size() * 2;
        return;
      }
      for (const char16_t c : piece) {
        const auto low = static_cast<std::uint8_t>(c & 0xFF);
        const auto high = static_cast<std::uint8_t>(c >> 8);
        *at++ = bigEndian ? high : low;
        *at++ = bigEndian ? low : high;
      }
    });
    return bytes;
  }
  std::u16string text;
  text.reserve(units);
  EachPiece(document, [&](std::u16string_view piece) { text += piece; });
  switch (document.encoding) {
    case Encoding::Utf8WithBom:
      bytes = {0xEF, 0xBB, 0xBF};
      AppendUtf8(text, bytes);
      break;
    case Encoding::Utf8:
      AppendUtf8(text, bytes);
      break;
    default:
      AppendAnsi(text, document.codePage, bytes);
      break;
  }
  return bytes;
}

// Whether text written as a name or value reads back as the same text from the file: no line
// break or NUL, which the parse splits or cuts at; no lone surrogate, which UTF-8 cannot carry.
bool ReadsBack(std::u16string_view text, Encoding encoding) {
  for (const char16_t c : text) {
    if (c == u'\r' || c == u'\n' || c == u'\0') return false;
    if (encoding == Encoding::Utf8WithBom && c >= 0xD800 && c <= 0xDFFF) return false;
  }
  return true;
}

Section* FindSection(Document& document, std::u16string_view name) {
  const std::size_t at = document.index.Find(document.sections, Trim(name));
  return at == NameIndex::kNone ? nullptr : &document.sections[at];
}

Key* FindKey(Section& section, std::u16string_view name) {
  const std::size_t at = section.index.Find(section.keys, Trim(name));
  return at == NameIndex::kNone ? nullptr : &section.keys[at];
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

// A key's value as the Windows function hands it into a buffer of bufferChars (at least 1)
// characters. Matching outer quotes are removed. When the value does not fit, its closing quote is
// cut off by the buffer already, and so is the last character before it when it just fits.
std::wstring ValueAsRead(const Key& key, std::size_t bufferChars) {
  if (!key.value) return {};
  std::u16string_view value = *key.value;
  const bool quoted = value.size() > 1 && (value.front() == u'"' || value.front() == u'\'') &&
                      value.back() == value.front();
  if (quoted) value.remove_prefix(1);
  std::u16string result(value.substr(0, bufferChars - 1));
  if (quoted && bufferChars >= value.size() && !result.empty()) result.pop_back();
  return FromUtf16(result);
}

// A file as the engine last read or wrote it.
struct KeptFile {
  FilePath path;
  FileFacts facts;  // its size, times and identity then
  // Its times lay far enough in the past that any later change shows in the facts.
  bool settled = false;
  std::vector<std::uint8_t> bytes;  // its content then
  Document document;
  // In an edit (IniFile::BeginEdit): the file is not looked at again, changes stay here.
  bool editing = false;
  int editDepth = 0;     // edits begun inside it
  bool present = true;   // in an edit: whether the file is there (a missing one is kept empty)
  bool changed = false;  // in an edit: whether `bytes` differ from the file
};

}  // namespace

class PortableIniFile::Kept {
 public:
  enum class State { Missing, Unreadable, Read };

  Kept(RecentFiles recent, AnsiFiles ansi)
      : trustFacts_(recent == RecentFiles::kTrustFacts), ansi_(ansi) {}

  // The file as it is now, read again only when it changed since it was kept; nullptr when it
  // is missing or unreadable.
  KeptFile* Open(const FilePath& file, State& state) {
    state = State::Read;
    KeptFile* kept = Find(file);
    if (kept != nullptr && kept->editing) {
      if (kept->present) return kept;
      state = State::Missing;
      return nullptr;
    }
    if (kept != nullptr && kept->settled) {
      // Settled: the facts tell whether the file is still what was kept.
      const std::optional<FileFacts> facts = LookAtFile(file);
      if (facts && *facts == kept->facts) return kept;
    }
    const std::int64_t readAt = FileClockNow();
    std::optional<FileContent> content = ReadFileWithFacts(file, kMaxIniBytes);
    if (!content) {
      state = FileExists(file) ? State::Unreadable : State::Missing;
      Forget(file);
      return nullptr;
    }
    if (kept == nullptr) {
      kept = &Add(file);
      kept->document = Parse(content->bytes, ansi_);
    } else if (kept->bytes != content->bytes) {
      kept->document = Parse(content->bytes, ansi_);
    }
    kept->bytes = std::move(content->bytes);
    // A change made while the file was read leaves its times too recent to be settled.
    kept->facts = content->facts;
    kept->settled = trustFacts_ || Settled(kept->facts, readAt);
    return kept;
  }

  // A missing file about to be written.
  KeptFile& Create(const FilePath& file) {
    if (KeptFile* kept = Find(file); kept != nullptr && kept->editing) {
      kept->present = true;
      kept->document = EmptyDocument();
      return *kept;
    }
    Forget(file);
    KeptFile& kept = Add(file);
    kept.document = EmptyDocument();
    return kept;
  }

  // Writes the kept document to its file. `reparse`: the change may read back otherwise from
  // the file, which is then parsed again as written. A write that fails forgets the file.
  bool Store(KeptFile& kept, bool reparse) {
    std::vector<std::uint8_t> bytes = Serialize(kept.document);
    if (kept.editing) {
      kept.changed = true;
    } else if (ReplaceFileContents(kept.path, bytes)) {
      Forget(kept.path);
      return false;
    }
    if (reparse || !kept.document.canonical) kept.document = Parse(bytes, ansi_);
    kept.bytes = std::move(bytes);
    if (!kept.editing) Written(kept);
    return true;
  }

  std::optional<bool> ExistsInEdit(const FilePath& file) {
    KeptFile* kept = Find(file);
    if (kept == nullptr || !kept->editing) return std::nullopt;
    return kept->present;
  }

  void BeginEdit(const FilePath& file) {
    if (KeptFile* kept = Find(file); kept != nullptr && kept->editing) {
      ++kept->editDepth;
      return;
    }
    State state;
    KeptFile* kept = Open(file, state);
    if (state == State::Missing && !file.empty()) {
      kept = &Add(file);
      kept->document = EmptyDocument();
      kept->present = false;
    }
    if (kept == nullptr) return;  // unreadable: each write fails as without an edit
    kept->editing = true;
    kept->changed = false;
  }

  std::error_code EndEdit(const FilePath& file, bool commit, FileReplaceGroup* group) {
    KeptFile* kept = Find(file);
    if (kept == nullptr || !kept->editing) return {};
    if (kept->editDepth > 0) {
      --kept->editDepth;
      return {};
    }
    kept->editing = false;
    if (!kept->changed) {
      if (!kept->present) Forget(file);
      return {};
    }
    std::error_code error;
    if (commit && group == nullptr) {
      error = ReplaceFileContents(kept->path, kept->bytes);
      if (!error) {
        Written(*kept);
        return {};
      }
    } else if (commit) {
      group->Add(kept->path, kept->bytes);  // read again once the group has written it
    }
    Forget(file);
    return error;
  }

 private:
  void Written(KeptFile& kept) {
    kept.facts = LookAtFile(kept.path).value_or(FileFacts{});
    kept.settled = trustFacts_;  // just written: its times are recent
  }

  static bool Settled(const FileFacts& facts, std::int64_t now) {
    constexpr std::int64_t kSecond = 1'000'000'000;
    const bool wholeSeconds = facts.modified % kSecond == 0 && facts.changed % kSecond == 0;
    const std::int64_t margin = wholeSeconds ? kCoarseClockMargin : kFineClockMargin;
    return facts.modified < now - margin && facts.changed < now - margin;
  }

  KeptFile* Find(const FilePath& file) {
    for (auto it = files_.begin(); it != files_.end(); ++it) {
      if (it->path == file) {
        files_.splice(files_.begin(), files_, it);  // the most recently used first
        return &files_.front();
      }
    }
    return nullptr;
  }

  KeptFile& Add(const FilePath& file) {
    if (files_.size() >= kKeptFiles) {
      // The oldest that is not in an edit, whose changes exist nowhere else.
      auto oldest = std::find_if(files_.rbegin(), files_.rend(),
                                 [](const KeptFile& kept) { return !kept.editing; });
      if (oldest != files_.rend()) files_.erase(std::next(oldest).base());
    }
    files_.emplace_front();
    files_.front().path = file;
    return files_.front();
  }

  // By value: the path may be the kept file's own, which goes with it.
  void Forget(const FilePath file) {
    files_.remove_if([&](const KeptFile& kept) { return kept.path == file; });
  }

  bool trustFacts_;
  AnsiFiles ansi_;
  std::list<KeptFile> files_;
};

AnsiFiles AnsiFiles::System() {
  return {SystemAnsiCodePage(), true};
}

AnsiFiles AnsiFiles::AsWindows() {
  return {SystemAnsiCodePage(), false};
}

PortableIniFile::PortableIniFile(RecentFiles recent, AnsiFiles ansi)
    : kept_(std::make_unique<Kept>(recent, ansi)) {}
PortableIniFile::~PortableIniFile() = default;

void PortableIniFile::BeginEdit(const FilePath& file) {
  const std::lock_guard<std::mutex> hold(lock_);
  kept_->BeginEdit(file);
}

std::optional<bool> PortableIniFile::ExistsInEdit(const FilePath& file) {
  const std::lock_guard<std::mutex> hold(lock_);
  return kept_->ExistsInEdit(file);
}

std::error_code PortableIniFile::EndEdit(const FilePath& file, bool commit,
                                         FileReplaceGroup* group) {
  const std::lock_guard<std::mutex> hold(lock_);
  return kept_->EndEdit(file, commit, group);
}

std::wstring PortableIniFile::ReadString(const FilePath& file, const std::wstring& section,
                                         const std::wstring& key, std::size_t bufferChars) {
  const std::lock_guard<std::mutex> hold(lock_);
  Kept::State state;
  KeptFile* kept = bufferChars == 0 ? nullptr : kept_->Open(file, state);
  if (kept == nullptr) return {};
  Section* found = FindSection(kept->document, ToUtf16(section));
  Key* entry = found != nullptr ? FindKey(*found, ToUtf16(key)) : nullptr;
  if (entry == nullptr) return {};
  return ValueAsRead(*entry, bufferChars);
}

bool PortableIniFile::WriteString(const FilePath& file, const std::wstring& section,
                                  const std::wstring& key, const std::wstring& value) {
  const std::lock_guard<std::mutex> hold(lock_);
  Kept::State state;
  KeptFile* kept = kept_->Open(file, state);
  if (state == Kept::State::Unreadable) return false;
  if (state == Kept::State::Missing) {
    if (file.empty()) return false;
    kept = &kept_->Create(file);
  }
  Document& document = kept->document;
  const std::u16string sectionName = ToUtf16(section);
  const std::u16string keyName = ToUtf16(key);
  const std::u16string text(TrimLeft(ToUtf16(value)));
  // A value ending in blanks reads back without them; a key name with "=" or one that begins
  // like a header reads back as another name or as a section.
  const std::u16string_view newKey = Trim(keyName);
  bool reparse = !ReadsBack(text, document.encoding) || TrimRight(text).size() != text.size() ||
                 !ReadsBack(newKey, document.encoding) ||
                 newKey.find(u'=') != std::u16string_view::npos ||
                 (!newKey.empty() && newKey.front() == u'[');

  Section* target = FindSection(document, sectionName);
  if (target == nullptr) {
    const std::u16string_view newSection = Trim(sectionName);
    reparse = reparse || !ReadsBack(newSection, document.encoding);
    AddSection(document, std::u16string(newSection));
    target = &document.sections.back();
  }
  Key* entry = FindKey(*target, keyName);
  if (entry == nullptr) {
    AddKey(*target, {std::u16string(newKey), text});
  } else if (entry->value == text) {
    return true;  // nothing changes, the file is not touched
  } else {
    entry->value = text;
  }
  return kept_->Store(*kept, reparse);
}

bool PortableIniFile::DeleteKey(const FilePath& file, const std::wstring& section,
                                const std::wstring& key) {
  const std::lock_guard<std::mutex> hold(lock_);
  Kept::State state;
  KeptFile* kept = kept_->Open(file, state);
  if (kept == nullptr) return true;
  Section* target = FindSection(kept->document, ToUtf16(section));
  // The first of duplicate keys is the one that is read, and the one that goes.
  const Key* entry = target != nullptr ? FindKey(*target, ToUtf16(key)) : nullptr;
  if (entry == nullptr) return true;
  target->keys.erase(target->keys.begin() + (entry - target->keys.data()));
  target->index.Rebuild(target->keys);
  return kept_->Store(*kept, false);
}

bool PortableIniFile::DeleteSection(const FilePath& file, const std::wstring& section) {
  const std::lock_guard<std::mutex> hold(lock_);
  Kept::State state;
  KeptFile* kept = kept_->Open(file, state);
  if (kept == nullptr) return true;
  Document& document = kept->document;
  // Unlike every other operation, the Windows functions match the name untrimmed here.
  const std::size_t at = document.index.Find(document.sections, ToUtf16(section));
  if (at == NameIndex::kNone) return true;
  const bool nameless = at == 0;
  document.sections.erase(document.sections.begin() + static_cast<std::ptrdiff_t>(at));
  // The keys before the first header go; the file still reads with an empty place for them.
  if (nameless) document.sections.insert(document.sections.begin(), Section{});
  document.index.Rebuild(document.sections);
  return kept_->Store(*kept, false);
}

bool PortableIniFile::RenameSection(const FilePath& file, const std::wstring& from,
                                    const std::wstring& to) {
  const std::lock_guard<std::mutex> hold(lock_);
  Kept::State state;
  KeptFile* kept = kept_->Open(file, state);
  if (kept == nullptr) return false;
  Document& document = kept->document;
  const std::u16string oldName = ToUtf16(from);
  const std::u16string wanted = ToUtf16(to);
  const std::u16string_view newName = Trim(wanted);
  if (Trim(oldName).empty() || newName.empty()) return false;  // not the keys before any section
  Section* section = FindSection(document, oldName);
  if (section == nullptr) return false;
  const Section* holder = FindSection(document, newName);
  if (holder != nullptr && holder != section) return false;
  section->name = std::u16string(newName);
  document.index.Rebuild(document.sections);
  return kept_->Store(*kept, !ReadsBack(newName, document.encoding));
}

bool PortableIniFile::RenameSectionAt(const FilePath& file, std::size_t position,
                                      const std::wstring& name, const std::wstring& to) {
  const std::lock_guard<std::mutex> hold(lock_);
  Kept::State state;
  KeptFile* kept = kept_->Open(file, state);
  if (kept == nullptr) return false;
  Document& document = kept->document;
  const std::u16string wanted = ToUtf16(to);
  const std::u16string_view newName = Trim(wanted);
  const auto section = NamedSectionAt(document, position, ToUtf16(name));
  if (section == document.sections.end() || newName.empty()) return false;
  for (auto other = document.sections.begin(); other != document.sections.end(); ++other) {
    if (other != section && SameIniName(other->name, newName)) return false;
  }
  section->name = std::u16string(newName);
  document.index.Rebuild(document.sections);
  return kept_->Store(*kept, !ReadsBack(newName, document.encoding));
}

bool PortableIniFile::DeleteSectionAt(const FilePath& file, std::size_t position,
                                      const std::wstring& name) {
  const std::lock_guard<std::mutex> hold(lock_);
  Kept::State state;
  KeptFile* kept = kept_->Open(file, state);
  if (kept == nullptr) return false;
  Document& document = kept->document;
  const auto section = NamedSectionAt(document, position, ToUtf16(name));
  if (section == document.sections.end()) return false;
  document.sections.erase(section);
  document.index.Rebuild(document.sections);
  return kept_->Store(*kept, false);
}

std::optional<IniKeyValues> PortableIniFile::SectionAt(const FilePath& file, std::size_t position,
                                                       const std::wstring& name,
                                                       std::size_t bufferChars) {
  const std::lock_guard<std::mutex> hold(lock_);
  Kept::State state;
  KeptFile* kept = kept_->Open(file, state);
  if (kept == nullptr) return std::nullopt;
  const auto section = NamedSectionAt(kept->document, position, ToUtf16(name));
  if (section == kept->document.sections.end()) return std::nullopt;
  IniKeyValues keys;
  keys.reserve(section->keys.size());
  for (const Key& key : section->keys) {
    keys.emplace_back(FromUtf16(key.name),
                      bufferChars == 0 ? std::wstring() : ValueAsRead(key, bufferChars));
  }
  return keys;
}

bool PortableIniFile::WriteStringsAt(const FilePath& file, std::size_t position,
                                     const std::wstring& name, const IniKeyWrites& writes) {
  const std::lock_guard<std::mutex> hold(lock_);
  Kept::State state;
  KeptFile* kept = kept_->Open(file, state);
  if (kept == nullptr) return false;
  Document& document = kept->document;
  const auto section = NamedSectionAt(document, position, ToUtf16(name));
  if (section == document.sections.end()) return false;
  bool changed = false;
  bool reparse = false;
  for (const auto& [key, value] : writes) {
    const std::u16string keyName = ToUtf16(key);
    Key* entry = FindKey(*section, keyName);
    if (!value) {
      // The first of duplicate keys is the one that is read, and the one that goes.
      if (entry == nullptr) continue;
      section->keys.erase(section->keys.begin() + (entry - section->keys.data()));
      section->index.Rebuild(section->keys);
      changed = true;
      continue;
    }
    const std::u16string text(TrimLeft(ToUtf16(*value)));
    const std::u16string_view newKey = Trim(keyName);
    // As in WriteString: what may read back otherwise makes the file parsed again.
    reparse = reparse || !ReadsBack(text, document.encoding) ||
              TrimRight(text).size() != text.size() || !ReadsBack(newKey, document.encoding) ||
              newKey.find(u'=') != std::u16string_view::npos ||
              (!newKey.empty() && newKey.front() == u'[');
    if (entry == nullptr) {
      AddKey(*section, {std::u16string(newKey), text});
    } else if (entry->value == text) {
      continue;
    } else {
      entry->value = text;
    }
    changed = true;
  }
  return !changed || kept_->Store(*kept, reparse);
}

std::vector<std::wstring> PortableIniFile::SectionNames(const FilePath& file,
                                                        std::size_t bufferChars) {
  const std::lock_guard<std::mutex> hold(lock_);
  Kept::State state;
  const KeptFile* kept = bufferChars < 2 ? nullptr : kept_->Open(file, state);
  if (kept == nullptr) return {};
  // The names as the Windows function lays them into its buffer: each followed by a NUL, the
  // one that does not fit cut so that the list still ends in two NULs.
  std::vector<std::wstring> names;
  std::size_t room = bufferChars - 1;
  for (const Section& section : kept->document.sections) {
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

std::optional<std::vector<std::wstring>> PortableIniFile::KeyNames(const FilePath& file,
                                                                   const std::wstring& section) {
  const std::lock_guard<std::mutex> hold(lock_);
  Kept::State state;
  KeptFile* kept = kept_->Open(file, state);
  std::vector<std::wstring> names;
  if (kept == nullptr) return names;
  const Section* found = FindSection(kept->document, ToUtf16(section));
  if (found == nullptr) return names;
  names.reserve(found->keys.size());
  for (const Key& key : found->keys) names.push_back(FromUtf16(key.name));
  return names;
}

}  // namespace gm
