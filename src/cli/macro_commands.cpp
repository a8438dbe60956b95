#include "cli/macro_commands.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <limits>
#include <thread>

#include "buttons/key_names.h"
#include "cli/ctl_args.h"
#include "cli/function_text.h"
#include "config/language.h"
#include "macro/list_editor.h"
#include "macro/macro_encoder.h"
#include "macro/macro_manager.h"
#include "macro/macro_manager_texts.h"
#include "macro/macro_store.h"
#include "platform/c_file.h"
#include "platform/file_ops.h"
#include "platform/file_replace.h"
#include "platform/ini_file.h"
#include "platform/ini_names.h"
#include "platform/text_codec.h"

namespace gm::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: gm900ctl macro list RECORD.ini\n"
    "       gm900ctl macro show RECORD.ini NAME\n"
    "       gm900ctl macro add RECORD.ini NAME [FILE|-] [--loop N|off] [--delays on|off]\n"
    "       gm900ctl macro rename RECORD.ini OLD NEW\n"
    "       gm900ctl macro delete RECORD.ini NAME\n";

constexpr std::wstring_view kDown = L"down";
constexpr std::wstring_view kUp = L"up";
constexpr std::wstring_view kItemWord = L"item ";
// Larger macro texts are no macro.
constexpr std::size_t kMaxTextBytes = std::size_t{1} << 20;

std::string Utf8(std::wstring_view text) {
  return ToUtf8(text);
}

std::string PathUtf8(const FilePath& path) {
  return path.Utf8();
}

std::optional<std::wstring> FromUtf8(std::string_view text) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  std::optional<std::u16string> decoded = DecodeUtf8(std::span(bytes, text.size()));
  if (!decoded) return std::nullopt;
  return FromUtf16(*decoded);
}

// A command-line word as text (UTF-8 on every system once it is a path's u8string).
std::wstring ArgText(const FilePath& arg) {
  return FromUtf8(PathUtf8(arg)).value_or(std::wstring());
}

// Control characters (C0, DEL, C1) as \xHH, so that a name cannot act on the terminal; with
// `backslashes` a backslash is doubled too, so that the text can be read back.
std::string Escaped(std::wstring_view text, bool backslashes) {
  std::wstring out;
  for (wchar_t c : text) {
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {  // C0, DEL and C1
      static constexpr wchar_t kHex[] = L"0123456789abcdef";
      out += L"\\x";
      out += kHex[(c >> 4) & 0xF];
      out += kHex[c & 0xF];
    } else if (c == L'\\' && backslashes) {
      out += L"\\\\";
    } else {
      out += c;
    }
  }
  return Utf8(out);
}

std::optional<std::wstring> Unescaped(std::wstring_view text) {
  std::wstring out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'\\') {
      out += text[i];
      continue;
    }
    if (i + 1 < text.size() && text[i + 1] == L'\\') {
      out += L'\\';
      ++i;
      continue;
    }
    const auto hex = [&](std::size_t at) -> int {
      if (at >= text.size()) return -1;
      const wchar_t c = text[at];
      if (c >= L'0' && c <= L'9') return c - L'0';
      if (c >= L'a' && c <= L'f') return c - L'a' + 10;
      if (c >= L'A' && c <= L'F') return c - L'A' + 10;
      return -1;
    };
    if (i + 3 < text.size() && text[i + 1] == L'x' && hex(i + 2) >= 0 && hex(i + 3) >= 0) {
      out += static_cast<wchar_t>(hex(i + 2) * 16 + hex(i + 3));
      i += 3;
      continue;
    }
    return std::nullopt;
  }
  return out;
}

std::wstring_view Trimmed(std::wstring_view text) {
  const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool AllDigits(std::wstring_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

wchar_t AsciiLower(wchar_t c) {
  return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool SameIgnoringAsciiCase(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](wchar_t x, wchar_t y) { return AsciiLower(x) == AsciiLower(y); });
}

// The edit distance of two key names, ignoring the case of ASCII letters.
std::size_t EditDistance(std::wstring_view a, std::wstring_view b) {
  const auto lower = [](std::wstring_view text) {
    std::wstring folded(text);
    for (wchar_t& c : folded) c = AsciiLower(c);
    return ToUtf8(folded);
  };
  return Distance(lower(a), lower(b));
}

// The key names a macro can play: the key table without "Application", which gives no key.
bool IsMacroKeyName(std::wstring_view name) {
  return MacroKeyCodeOf(name) != kNoKey;
}

// The table's spelling of a key name typed in any case of its ASCII letters.
std::optional<std::wstring_view> MacroKeyName(std::wstring_view typed) {
  if (IsMacroKeyName(typed)) return typed;
  for (const KeyName& key : KeyNameTable) {
    if (IsMacroKeyName(key.name) && SameIgnoringAsciiCase(key.name, typed)) return key.name;
  }
  return std::nullopt;
}

std::wstring NearestKeyName(std::wstring_view typed) {
  std::wstring_view best;
  std::size_t bestDistance = std::numeric_limits<std::size_t>::max();
  for (const KeyName& key : KeyNameTable) {
    if (!IsMacroKeyName(key.name)) continue;
    const std::size_t distance = EditDistance(typed, key.name);
    if (distance < bestDistance) {
      best = key.name;
      bestDistance = distance;
    }
  }
  return std::wstring(best);
}

// "N ms" as the delay editor leaves it: the digits, one blank, "ms".
bool IsDelayItem(std::wstring_view item) {
  return item.size() > 3 && item.ends_with(L" ms") && AllDigits(item.substr(0, item.size() - 3));
}

std::string ItemLine(const std::wstring& item) {
  for (const auto& [suffix, word] : {std::pair{kPressSuffix, kDown}, {kReleaseSuffix, kUp}}) {
    if (item.size() > suffix.size() && item.ends_with(suffix)) {
      const std::wstring_view name = std::wstring_view(item).substr(0, item.size() - suffix.size());
      if (IsMacroKeyName(name)) return Utf8(std::wstring(name) + L" " + std::wstring(word));
    }
  }
  if (IsDelayItem(item)) return Utf8(item);
  if (item.empty()) return Utf8(Trimmed(kItemWord));
  return Utf8(kItemWord) + Escaped(item, true);
}

std::string LineError(std::size_t number, std::string_view what) {
  return "line " + std::to_string(number) + ": " + std::string(what);
}

// A count of the "Loop Times" field: 1..65535.
bool IsLoopCount(std::wstring_view text) {
  if (!AllDigits(text)) return false;
  const std::int64_t value = LeadingDecimal(text);
  return value >= 1 && value <= 65535;
}

struct ModeLine {
  bool matched = false;
  std::string error;
};

ModeLine ParseModeLine(std::wstring_view line, MacroText& macro) {
  if (line.starts_with(L"loop ")) {
    std::wstring_view rest = line.substr(5);
    if (rest == L"off") {
      macro.loop = false;
      macro.loopTimes = L"1";
      return {true, {}};
    }
    if (rest.starts_with(L"off, count ")) {
      rest.remove_prefix(11);
      if (!IsLoopCount(rest)) return {true, "the count is 1 to 65535"};
      macro.loop = false;
      macro.loopTimes = std::wstring(rest);
      return {true, {}};
    }
    if (rest.ends_with(L" times") || rest.ends_with(L" time")) {
      rest.remove_suffix(rest.ends_with(L" times") ? 6 : 5);
      if (!IsLoopCount(rest)) return {true, "the count is 1 to 65535"};
      macro.loop = true;
      macro.loopTimes = std::wstring(rest);
      return {true, {}};
    }
    return {true, "expected \"loop N times\", \"loop off\" or \"loop off, count N\""};
  }
  if (line.starts_with(L"delays ")) {
    const std::wstring_view rest = line.substr(7);
    if (rest != L"on" && rest != L"off") return {true, "expected \"delays on\" or \"delays off\""};
    macro.delays = rest == L"on";
    return {true, {}};
  }
  return {};
}

}  // namespace

std::vector<std::string> MacroTextLines(const MacroText& macro) {
  std::vector<std::string> lines;
  for (const std::wstring& item : macro.items) lines.push_back(ItemLine(item));
  const std::wstring count = IsLoopCount(macro.loopTimes) ? macro.loopTimes : L"1";
  if (macro.loop == true) {
    lines.push_back("loop " + Utf8(count) + " times");
  } else {
    lines.push_back(count == L"1" ? "loop off" : "loop off, count " + Utf8(count));
  }
  lines.push_back(macro.delays == true ? "delays on" : "delays off");
  return lines;
}

std::variant<MacroText, std::string> ParseMacroText(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  const std::optional<std::wstring> decoded = FromUtf8(text);
  if (!decoded) return std::string("the text is not UTF-8");
  MacroText macro;
  std::size_t number = 0;
  const std::wstring_view all = *decoded;
  for (std::size_t at = 0; at < all.size();) {
    std::size_t end = all.find(L'\n', at);
    if (end == std::wstring_view::npos) end = all.size();
    const std::wstring_view line = Trimmed(all.substr(at, end - at));
    at = end + 1;
    ++number;
    if (line.empty() || line.front() == L'#') continue;

    const ModeLine mode = ParseModeLine(line, macro);
    if (mode.matched) {
      if (!mode.error.empty()) return LineError(number, mode.error);
      continue;
    }
    if (line == Trimmed(kItemWord)) {  // an empty text, as a damaged file gives
      macro.items.emplace_back();
      continue;
    }
    if (line.starts_with(kItemWord)) {
      std::optional<std::wstring> item = Unescaped(line.substr(kItemWord.size()));
      if (!item) return LineError(number, "a backslash in an item is \\\\ or \\xHH");
      if (const std::optional<wchar_t> c = UnwritableMacroChar(*item)) {
        return LineError(number, Utf8(UnwritableMacroCharMessage(*c)));
      }
      macro.items.push_back(std::move(*item));
      continue;
    }
    if (line.ends_with(L"ms")) {
      // As the delay editor takes it: digits, then "ms", blanks between allowed.
      std::wstring_view digits = Trimmed(line.substr(0, line.size() - 2));
      if (AllDigits(digits)) {
        const std::optional<EditorCommit> commit =
            CommitEditorText(EditMode::Delay, std::wstring(digits) + L" ms");
        if (commit) {
          // The editor holds a delay to 6553500 ms; a longer one is cut, as there, and said.
          const std::wstring_view significant =
              digits.substr(std::min(digits.find_first_not_of(L'0'), digits.size()));
          if (significant.size() > 7 || LeadingDecimal(std::wstring(significant)) > kMaxDelayMs) {
            macro.notes.push_back("line " + std::to_string(number) + ": " + Utf8(digits) +
                                  " ms is more than a delay holds; it is " + Utf8(commit->line));
          }
          macro.items.push_back(commit->line);
          continue;
        }
      }
    }
    const std::size_t blank = line.rfind(L' ');
    const std::wstring_view word = blank == std::wstring_view::npos ? line : line.substr(blank + 1);
    const bool down = SameIgnoringAsciiCase(word, kDown);
    if (blank == std::wstring_view::npos || (!down && !SameIgnoringAsciiCase(word, kUp))) {
      return LineError(number,
                       "\"" + Escaped(line, false) +
                           "\" is not an event: expected \"KEY down\", \"KEY up\", \"N ms\","
                           " \"item TEXT\", \"loop ...\" or \"delays on|off\"");
    }
    const std::wstring_view typed = Trimmed(line.substr(0, blank));
    const std::optional<std::wstring_view> name = MacroKeyName(typed);
    if (!name) {
      return LineError(number, "unknown key \"" + Escaped(typed, false) + "\" (nearest: \"" +
                                   Utf8(NearestKeyName(typed)) + "\")");
    }
    macro.items.push_back(std::wstring(*name) + std::wstring(down ? kPressSuffix : kReleaseSuffix));
  }
  return macro;
}

// Whether the file opens for reading. Another writer's replace of it can make an open fail for
// a moment where the system's rename is not atomic (Wine): tried again for up to half a second.
bool OpensForReading(const FilePath& file) {
  for (int attempt = 0; attempt < 25; ++attempt) {
    if (OpenCFile(file, "rb")) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

bool UsableRecordIni(const FilePath& file, OutText& err) {
  if (IsWord(file, "-")) {
    err << "gm900ctl: " << kNoStandardInput << '\n';
    return false;
  }
  const std::optional<FileFacts> facts = file.empty() ? std::nullopt : LookAtFile(file);
  const char* problem = nullptr;
  if (!facts) {
    problem = "no such file";
  } else if (!facts->regular) {
    problem = "not a regular file";
  } else if (!OpensForReading(file)) {
    problem = "cannot be read";
  }
  if (problem == nullptr) return true;
  err << "gm900ctl: " << PathText(file) << ": " << problem << '\n';
  return false;
}

void WarnAboutRecordIni(IniFile& ini, const FilePath& given, OutText& err) {
  const FilePath file = AbsolutePath(given);
  MacroStore store(ini, file);
  const std::string where = "gm900ctl: warning: " + PathText(given) + ": ";
  const std::vector<std::wstring> all = store.AllNames();
  const std::size_t shown = NamesInList(all);
  for (std::size_t i = 0; i < shown; ++i) {
    const std::wstring& name = all[i];
    bool earlier = false;
    std::size_t same = 0;
    for (std::size_t j = 0; j < all.size(); ++j) {
      if (!SameIniName(all[j], name)) continue;
      earlier = earlier || j < i;
      ++same;
    }
    const std::string macro = "macro \"" + Escaped(name, false) + "\": ";
    if (same > 1 && !earlier) {
      err << where << std::to_string(same) << " sections are named \"" << Escaped(name, false)
          << "\"; the program reads the first one's keys for each of them\n";
    }
    if (earlier) continue;
    const std::wstring count(Trimmed(ini.ReadString(file, name, L"ItemCount")));
    if (count.empty()) continue;  // a new macro's section has none yet
    const bool number =
        AllDigits(count) ||
        (count.size() > 1 && (count[0] == L'-' || count[0] == L'+') && AllDigits(count.substr(1)));
    const std::int64_t value = LeadingDecimal(count);
    if (!number) {
      err << where << macro << "ItemCount \"" << Escaped(count, false)
          << "\" is not a number; the program reads " << value << '\n';
    } else if (value < 0) {
      err << where << macro << "ItemCount " << value << " is negative; the program reads 0\n";
    }
    if (value <= 0) continue;
    const std::size_t wanted = static_cast<std::size_t>(
        std::min<std::int64_t>(value, static_cast<std::int64_t>(kMaxMacroItems)));
    std::size_t present = 0;
    for (std::size_t k = 0; k < wanted; ++k) {
      if (!ini.ReadString(file, name, L"Item" + std::to_wstring(k)).empty()) ++present;
    }
    if (present < static_cast<std::uint64_t>(value)) {
      err << where << macro << "ItemCount " << value << ", but only " << present
          << " of its items are present; the program reads the missing ones as empty\n";
    }
  }
}

namespace {

constexpr int kExitRefused = kExitFailed;

int Usage(Streams io, std::string_view problem) {
  io.err << "gm900ctl macro: " << problem << " (see gm900ctl help macro)\n";
  return kExitUsage;
}

std::wstring EnglishLimitMessage() {
  return std::wstring(MacroManagerTextsFor(Language::English).limitMessage);
}

// The first section of that name, as the Windows profile functions find it.
std::optional<std::size_t> PositionOf(MacroStore& store, const std::wstring& name) {
  const std::vector<std::wstring> all = store.AllNames();
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (SameIniName(all[i], name)) return i;
  }
  return std::nullopt;
}

int Refuse(Streams io, std::string_view subject, std::wstring_view message) {
  io.err << "gm900ctl: " << subject << ": " << Utf8(message) << '\n';
  return kExitRefused;
}

// The file named as given: the manager's "record.ini cannot be written." would name another
// file when the macros live in one of another name.
int NotWritten(Streams io, const FilePath& file) {
  io.err << "gm900ctl: " << PathText(file) << ": cannot be written\n";
  return kExitRefused;
}

int NoSuchMacro(Streams io, const FilePath& file, const std::wstring& name) {
  io.err << "gm900ctl: " << PathText(file) << ": no macro named \"" << Escaped(name, false)
         << "\" (see gm900ctl macro list)\n";
  return kExitFailed;
}

int List(MacroStore& store, const FilePath& file, Streams io, IniFile& ini) {
  WarnAboutRecordIni(ini, file, io.err);
  const std::vector<std::wstring> all = store.AllNames();
  const std::vector<std::wstring> names = store.Names();
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    text += std::to_string(i + 1) + " " + Escaped(names[i], false);
    if (i >= kMacroCount) text += " (no block: the mouse holds 19 macros)";
    text += '\n';
  }
  for (std::size_t i = names.size(); i < all.size(); ++i) {
    io.err << "gm900ctl: warning: " << PathText(file) << ": section \"" << Escaped(all[i], false)
           << "\" begins past the 255 characters of names the program reads; no list shows it\n";
  }
  io.out << text;
  return kExitOk;
}

int Show(MacroStore& store, IniFile& ini, const FilePath& file, Streams io,
         const std::wstring& name) {
  WarnAboutRecordIni(ini, file, io.err);
  const std::optional<std::size_t> at = PositionOf(store, name);
  if (!at) return NoSuchMacro(io, file, name);
  const std::wstring section = store.AllNames()[*at];
  const std::optional<LoadedMacro> loaded = store.Load(section);
  if (!loaded) return NoSuchMacro(io, file, name);
  const FilePath absolute = AbsolutePath(file);
  MacroText macro;
  macro.items = loaded->items;
  // As the encoder reads the options: anything but 0 is on.
  macro.loop = LeadingDecimal(ini.ReadString(absolute, section, L"LoopTimeSelStatus")) != 0;
  macro.delays = LeadingDecimal(ini.ReadString(absolute, section, L"DelayTimeSelStatus")) != 0;
  macro.loopTimes = std::wstring(Trimmed(loaded->loopTimes));
  std::string text;
  for (const std::string& line : MacroTextLines(macro)) text += line + '\n';
  io.out << text;
  return kExitOk;
}

std::optional<std::string> ReadText(const FilePath& source, Streams io) {
  if (IsWord(source, "-")) {
    const auto bytes = ReadInput(source, io, kMaxTextBytes);
    if (!bytes) return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
  }
  // Read as a stream, so that a pipe is welcome: <(gm900ctl macro show ...) is one.
  const std::optional<FileFacts> facts = LookAtFile(source);
  const char* problem = nullptr;
  std::string text;
  if (!facts) {
    problem = ": no such file";
  } else if (facts->regular && facts->size > kMaxTextBytes) {
    problem = ": too large (a macro text has at most 1 MiB)";
  } else if (const CFile in = OpenCFile(source, "rb"); !in) {
    problem = facts->regular ? ": cannot be read" : ": not a regular file";
  } else {
    char buffer[4096];
    for (std::size_t got; text.size() <= kMaxTextBytes &&
                          (got = std::fread(buffer, 1, sizeof buffer, in.get())) > 0;) {
      text.append(buffer, got);
    }
    if (text.size() > kMaxTextBytes) {
      problem = ": too large (a macro text has at most 1 MiB)";
    } else if (std::ferror(in.get())) {
      // A folder opens on some systems, and reading it fails.
      problem = facts->regular ? ": cannot be read" : ": not a regular file";
    }
  }
  if (problem != nullptr) {
    io.err << "gm900ctl: " << PathText(source) << problem << '\n';
    return std::nullopt;
  }
  return text;
}

int Add(MacroStore& store, const FilePath& file, Streams io, Args rest) {
  std::optional<FilePath> source;
  std::optional<std::wstring> loopOption;
  std::optional<std::wstring> delaysOption;
  for (std::size_t i = 1; i < rest.size(); ++i) {
    const std::string word = PathUtf8(rest[i]);
    if (IsWord(word, "--loop") || IsWord(word, "--delays")) {
      if (i + 1 >= rest.size()) return Usage(io, word + " needs a value");
      (IsWord(word, "--loop") ? loopOption : delaysOption) = ArgText(rest[++i]);
    } else if (word.size() > 1 && word.starts_with("-")) {
      return Usage(io, "unknown option " + word);
    } else if (!source) {
      source = rest[i];
    } else {
      return Usage(io, "one FILE at most");
    }
  }
  MacroText macro;
  if (source) {
    const std::optional<std::string> text = ReadText(*source, io);
    if (!text) return kExitFailed;
    auto parsed = ParseMacroText(*text);
    if (const std::string* error = std::get_if<std::string>(&parsed)) {
      const std::string from = IsWord(*source, "-") ? "standard input" : PathText(*source);
      io.err << "gm900ctl: " << from << ": " << *error << '\n';
      return kExitFailed;
    }
    macro = std::move(std::get<MacroText>(parsed));
    const std::string from = IsWord(*source, "-") ? "standard input" : PathText(*source);
    for (const std::string& note : macro.notes)
      io.err << "gm900ctl: " << from << ": " << note << '\n';
  }
  if (loopOption) {
    if (*loopOption == L"off") {
      macro.loop = false;
    } else if (IsLoopCount(*loopOption)) {
      macro.loop = true;
      macro.loopTimes = *loopOption;
    } else {
      return Usage(io, "--loop takes a count of 1 to 65535 or off");
    }
  }
  if (delaysOption) {
    if (*delaysOption != L"on" && *delaysOption != L"off") {
      return Usage(io, "--delays takes on or off");
    }
    macro.delays = *delaysOption == L"on";
  }
  if (macro.loopTimes.empty()) macro.loopTimes = L"1";
  // Without the option, delays count when the text has any, as a recording with them has.
  if (!macro.delays) {
    macro.delays = std::any_of(macro.items.begin(), macro.items.end(),
                               [](const std::wstring& item) { return IsDelayItem(item); });
  }

  // The macro manager's rules, in the order it applies them.
  const std::wstring typed = ArgText(rest[0]);
  if (const std::optional<wchar_t> c = UnwritableMacroChar(typed)) {
    return Refuse(io, "\"" + Escaped(typed, false) + "\"", UnwritableMacroCharMessage(*c));
  }
  const std::wstring name = CleanMacroName(typed);
  if (name.empty()) return Refuse(io, "\"" + Escaped(typed, false) + "\"", kMacroNameBlank);
  const std::string subject = "\"" + Escaped(name, false) + "\"";
  if (name != TrimBlanks(typed)) {
    io.err << "gm900ctl: the name is cut to " << kMaxMacroNameLength
           << " UTF-16 units (an emoji takes two): " << subject << '\n';
  }
  if (store.Names().size() >= kMacroCount) return Refuse(io, subject, EnglishLimitMessage());
  switch (store.FitNew(name)) {
    case MacroStore::NameFit::Fits:
      break;
    case MacroStore::NameFit::PastList:
      return Refuse(io, subject, kNoRoomForMacro);
    case MacroStore::NameFit::Taken:
      return Refuse(io, subject, kMacroNameExists);
  }
  MacroSource encoded;
  encoded.delayStatus = *macro.delays ? 1 : 0;
  encoded.loopStatus = macro.loop == true ? 1 : 0;
  encoded.loopTimes = LeadingDecimal(macro.loopTimes);
  encoded.items = macro.items;
  std::size_t pairBytes = 0;
  if (!EncodeMacroBlock(encoded, &pairBytes)) {
    const MacroOverflow overflow{name, store.AllNames().size(), pairBytes, false};
    return Refuse(io, subject, DescribeOverflow(overflow));
  }
  // As New and the first store write it: the section with MacroLoopTimes, then all its keys.
  if (!store.Add(name, static_cast<long>(LeadingDecimal(macro.loopTimes)))) {
    return NotWritten(io, file);
  }
  if (!macro.items.empty() &&
      store.Store(Macro{name, *macro.delays, macro.loop == true, macro.loopTimes, macro.items}) !=
          MacroStore::StoreResult::Written) {
    return NotWritten(io, file);
  }
  return kExitOk;
}

int Rename(MacroStore& store, const FilePath& file, Streams io, const std::wstring& from,
           const std::wstring& typed) {
  const std::optional<std::size_t> at = PositionOf(store, from);
  if (!at) return NoSuchMacro(io, file, from);
  const std::wstring old = store.AllNames()[*at];
  if (const std::optional<wchar_t> c = UnwritableMacroChar(typed)) {
    return Refuse(io, "\"" + Escaped(typed, false) + "\"", UnwritableMacroCharMessage(*c));
  }
  const std::wstring name = CleanMacroName(typed);
  if (name.empty()) return Refuse(io, "\"" + Escaped(typed, false) + "\"", kMacroNameBlank);
  if (name == old || TrimBlanks(typed) == old) return kExitOk;  // unchanged: no rename
  const std::string subject = "\"" + Escaped(name, false) + "\"";
  if (name != TrimBlanks(typed)) {
    io.err << "gm900ctl: the name is cut to " << kMaxMacroNameLength
           << " UTF-16 units (an emoji takes two): " << subject << '\n';
  }
  switch (store.FitRename(*at, old, name)) {
    case MacroStore::NameFit::Fits:
      break;
    case MacroStore::NameFit::PastList:
      return Refuse(io, subject, kMacroNameTooLong);
    case MacroStore::NameFit::Taken:
      return Refuse(io, subject, kMacroNameExists);
  }
  if (!store.Rename(*at, old, name)) return NotWritten(io, file);
  return kExitOk;
}

int Delete(MacroStore& store, const FilePath& file, Streams io, const std::wstring& name) {
  const std::optional<std::size_t> at = PositionOf(store, name);
  if (!at) return NoSuchMacro(io, file, name);
  if (!store.DeleteAt(*at, store.AllNames()[*at])) {
    return NotWritten(io, file);
  }
  return kExitOk;
}

}  // namespace

int MacroCommand(Args args, Streams io, IniFile& ini) {
  if (args.empty()) return Usage(io, "a subcommand is needed");
  const std::string sub = PathUtf8(args[0]);
  const bool help = std::any_of(args.begin(), args.end(),
                                [](const FilePath& arg) { return IsWord(arg, "--help"); });
  if (help || IsWord(sub, "-h") || sub == "help") {
    io.out << kUsage;
    return kExitOk;
  }
  struct Shape {
    std::string_view name;
    std::size_t least;
    std::size_t most;
  };
  static constexpr Shape kShapes[] = {
      {"list", 1, 1}, {"show", 2, 2}, {"add", 2, 7}, {"rename", 3, 3}, {"delete", 2, 2}};
  const auto shape = std::find_if(std::begin(kShapes), std::end(kShapes),
                                  [&](const Shape& s) { return s.name == sub; });
  if (shape == std::end(kShapes)) return Usage(io, "unknown subcommand \"" + Printable(sub) + "\"");
  const Args rest = args.subspan(1);
  if (rest.size() < shape->least || rest.size() > shape->most) {
    return Usage(io, "wrong number of arguments for " + sub);
  }
  const FilePath& file = rest[0];
  // Only add may make record.ini, as New does.
  if (sub == "add" && !FileExists(file)) {
    if (file.empty()) return Usage(io, "a RECORD.ini is needed");
  } else if (!UsableRecordIni(file, io.err)) {
    return kExitFailed;
  }
  // A name that is not UTF-8 would reach the rules as an empty text ("Macro name is blank").
  for (std::size_t i = 1; sub != "list" && i < rest.size() && i <= (sub == "rename" ? 2u : 1u);
       ++i) {
    const std::string bytes = PathUtf8(rest[i]);
    if (!FromUtf8(bytes)) {
      std::string shown;
      for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        static constexpr char kHex[] = "0123456789abcdef";
        if (byte < 0x20 || byte >= 0x7F) {
          shown += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xF]};
        } else {
          shown += c;
        }
      }
      io.err << "gm900ctl: \"" << shown << "\": not UTF-8; a macro name is given in UTF-8\n";
      return kExitFailed;
    }
  }
  MacroStore store(ini, file);
  if (sub == "list") return List(store, file, io, ini);
  if (sub == "show") return Show(store, ini, file, io, ArgText(rest[1]));
  // A change is checked and made under the file's update lock, from its first read to the
  // rename, and written once.
  IniFileEdit edit(ini, AbsolutePath(file));
  if (edit.LockError()) {
    io.err << "gm900ctl: " << PathUtf8(file) << ": " << edit.LockError().message() << '\n';
    return kExitFailed;
  }
  int status = kExitOk;
  if (sub == "add") {
    status = Add(store, file, io, rest.subspan(1));
  } else if (sub == "rename") {
    status = Rename(store, file, io, ArgText(rest[1]), ArgText(rest[2]));
  } else {
    status = Delete(store, file, io, ArgText(rest[1]));
  }
  if (status != kExitOk) return status;
  if (const std::error_code error = edit.Commit()) {
    return Refuse(io, PathUtf8(file) + " (" + error.message() + ")", kRecordIniNotWritten);
  }
  return kExitOk;
}

}  // namespace gm::cli
