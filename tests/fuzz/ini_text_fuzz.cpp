// The portable INI engine and the text codec on random file bytes. The bytes are first put
// through every decoder and encoder of the codec (round trips that must hold for any input),
// then written as an INI file on which a random sequence of writes, deletes and reads runs. A
// key written reads back as written until it is deleted, a write leaves the other sections in
// place, the engine that kept the file parsed reads what a fresh one reads from it, and nothing
// crashes whatever the file holds.
#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_support.h"
#include "platform/ini_names.h"
#include "platform/portable_ini_file.h"
#include "platform/text_codec.h"

namespace {

using gm::fuzz::Input;

void CheckCodec(std::span<const std::uint8_t> bytes) {
  std::vector<std::uint8_t> out;
  gm::AppendWindows1252(gm::DecodeWindows1252(bytes), out);
  GM_FUZZ_CHECK(std::equal(out.begin(), out.end(), bytes.begin(), bytes.end()));

  const auto strict = gm::DecodeUtf8(bytes);
  const auto lenient = gm::DecodeUtf8(bytes, true);
  GM_FUZZ_CHECK(lenient.has_value());
  if (strict) {
    GM_FUZZ_CHECK(*strict == *lenient);
    out.clear();
    gm::AppendUtf8(*strict, out);
    GM_FUZZ_CHECK(std::equal(out.begin(), out.end(), bytes.begin(), bytes.end()));
  }
  // Whatever the lenient decoder made of the bytes encodes as valid UTF-8.
  out.clear();
  gm::AppendUtf8(*lenient, out);
  GM_FUZZ_CHECK(gm::DecodeUtf8(out).has_value());

  for (const bool bigEndian : {false, true}) {
    const std::u16string units = gm::DecodeUtf16(bytes, bigEndian);
    GM_FUZZ_CHECK(units.size() == (bytes.size() + 1) / 2);
    out.clear();
    gm::AppendUtf16(units, bigEndian, out);
    GM_FUZZ_CHECK(std::equal(bytes.begin(), bytes.end(), out.begin(),
                             out.begin() + static_cast<std::ptrdiff_t>(bytes.size())));
    // The program's own text and back: lone surrogates pass unchanged.
    GM_FUZZ_CHECK(gm::ToUtf16(gm::FromUtf16(units)) == units);
  }
}

// Names the program uses, and made-up ones in the characters every encoding can carry.
std::wstring Name(Input& in) {
  static const wchar_t* const kKnown[] = {L"Profile", L"Skins",     L"Setting-EN", L"ItemCount",
                                          L"Item0",   L"Macro one", L"Lan",        L"record"};
  const std::uint8_t choice = in.Byte();
  if (choice < 0x80) return kKnown[choice % std::size(kKnown)];
  static const wchar_t kAlphabet[] =
      L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-_";
  std::wstring name;
  for (const std::uint8_t b : in.Bytes(1 + choice % 12)) {
    name += kAlphabet[b % (std::size(kAlphabet) - 1)];
  }
  return name.empty() ? L"x" : name;
}

// A value without line breaks, outer blanks or quotes, which reads back exactly as written;
// characters beyond ASCII only where the file's encoding carries them.
std::wstring Value(Input& in, bool unicode) {
  static const wchar_t kAscii[] = L"abcXYZ019 =;[]#%.,:/\\-_()!?";
  static const wchar_t kWide[] = L"\u00e9\u00df\u0416\u044f\u4e2d\u6587\u00a0\u20ac";
  std::wstring value;
  for (const std::uint8_t b : in.ShortBytes()) {
    if (unicode && b >= 0xE0) {
      if (b >= 0xFC) {
        value += L"\U0001F600";  // outside the BMP: a surrogate pair in UTF-16
      } else {
        value += kWide[b % (std::size(kWide) - 1)];
      }
    } else {
      value += kAscii[b % (std::size(kAscii) - 1)];
    }
  }
  while (!value.empty() && (value.back() == L' ' || value.back() == L'\u00a0')) value.pop_back();
  while (!value.empty() && (value.front() == L' ' || value.front() == L'\u00a0')) {
    value.erase(value.begin());
  }
  return value;
}

// Any text, line breaks, NULs, header brackets, blanks and lone surrogates included.
std::wstring OddText(Input& in) {
  static const wchar_t kOdd[] = {L'a',    L'B',    L' ',      L'\t',     L'\r',     L'\n',
                                 L'\0',   L'=',    L'[',      L']',      L';',      L'"',
                                 L'\x1A', L'\xE9', L'\x4E2D', L'\xFFFD', L'\xD800', L'\xDC00'};
  std::wstring text;
  for (const std::uint8_t b : in.ShortBytes()) text += kOdd[b % std::size(kOdd)];
  return text;
}

// The engine's own rule: a name made of ASCII may still match a section of the file written in
// other letters (the capital of "ſ" is "S").
bool Same(const std::wstring& a, const std::wstring& b) {
  return gm::SameIniName(a, b);
}

bool Ascii(const std::wstring& text) {
  return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; });
}

std::vector<std::wstring> AsciiOnly(std::vector<std::wstring> names) {
  std::erase_if(names, [](const std::wstring& name) { return !Ascii(name); });
  return names;
}

struct KeyId {
  std::wstring section;
  std::wstring key;
  bool operator<(const KeyId& other) const {
    auto lower = [](std::wstring text) {
      for (wchar_t& c : text) c = (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c;
      return text;
    };
    return std::pair(lower(section), lower(key)) <
           std::pair(lower(other.section), lower(other.key));
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const gm::fuzz::ScratchFolder scratch;
  constexpr std::size_t kAllNames = std::size_t{1} << 20;

  CheckCodec({data, size});

  Input in(data, size);
  const auto fileBytes = in.LongBytes();
  const std::filesystem::path filePath = scratch.path() / "file.ini";
  std::filesystem::remove(filePath);
  const bool exists = in.Byte() % 8 != 0;
  if (exists) gm::fuzz::WriteFile(filePath, fileBytes);
  const gm::FilePath file = filePath;
  // Text beyond ASCII only goes into a file that is (or becomes) Unicode.
  const bool unicode =
      !exists || fileBytes.empty() ||
      (fileBytes.size() >= 2 && ((fileBytes[0] == 0xFF && fileBytes[1] == 0xFE) ||
                                 (fileBytes[0] == 0xFE && fileBytes[1] == 0xFF))) ||
      (fileBytes.size() >= 3 && fileBytes[0] == 0xEF && fileBytes[1] == 0xBB &&
       fileBytes[2] == 0xBF);

  // Mostly the engine as the fuzz targets run it; every 16th input as the program runs it,
  // comparing a file it changed moments ago byte for byte.
  gm::PortableIniFile ini(size % 16 == 0 ? gm::PortableIniFile::RecentFiles::kCompareContent
                                         : gm::PortableIniFile::RecentFiles::kTrustFacts);
  std::map<KeyId, std::wstring> written;
  for (int op = 0; op < 48 && !in.empty(); ++op) {
    const std::uint8_t pick = in.Byte();
    const int kind = pick >= 0xF0 ? 5 : pick % 5;
    const std::wstring section = Name(in);
    const std::vector<std::wstring> before = ini.SectionNames(file, kAllNames);
    switch (kind) {
      case 0:
      case 1: {
        const std::wstring key = Name(in);
        const std::wstring value = Value(in, unicode);
        GM_FUZZ_CHECK(ini.WriteString(file, section, key, value));
        GM_FUZZ_CHECK(ini.ReadString(file, section, key) == value);
        written[{section, key}] = value;
        std::vector<std::wstring> expected = before;
        if (std::none_of(before.begin(), before.end(),
                         [&](const std::wstring& name) { return Same(name, section); })) {
          expected.push_back(section);
        }
        GM_FUZZ_CHECK(ini.SectionNames(file, kAllNames) == expected);
        break;
      }
      case 2: {
        const std::wstring key = Name(in);
        ini.DeleteKey(file, section, key);
        written.erase({section, key});  // a duplicate key of a damaged file may show now
        GM_FUZZ_CHECK(AsciiOnly(ini.SectionNames(file, kAllNames)) == AsciiOnly(before));
        break;
      }
      case 3: {
        ini.DeleteSection(file, section);
        std::erase_if(written,
                      [&](const auto& entry) { return Same(entry.first.section, section); });
        std::vector<std::wstring> expected = before;
        const auto gone =
            std::find_if(expected.begin(), expected.end(),
                         [&](const std::wstring& name) { return Same(name, section); });
        if (gone != expected.end()) expected.erase(gone);
        GM_FUZZ_CHECK(AsciiOnly(ini.SectionNames(file, kAllNames)) == AsciiOnly(expected));
        break;
      }
      case 5: {
        // Text the file cannot hold as given: whatever it reads back as, the kept form must
        // read the same (checked at the end). Earlier keys may be shadowed now.
        const std::wstring key = OddText(in);
        const std::wstring value = OddText(in);
        switch (in.Byte() % 4) {
          case 0:
            ini.WriteString(file, OddText(in), key, value);
            break;
          case 1:
            ini.RenameSection(file, section, OddText(in));
            break;
          default:
            ini.WriteString(file, section, key, value);
            break;
        }
        written.clear();
        break;
      }
      default: {
        const std::size_t buffer = in.Byte();
        const std::wstring value = ini.ReadString(file, section, Name(in), buffer);
        GM_FUZZ_CHECK(buffer == 0 ? value.empty() : gm::ToUtf16(value).size() < buffer);
        std::size_t total = 0;
        for (const std::wstring& name : ini.SectionNames(file, buffer)) {
          total += gm::ToUtf16(name).size() + 1;
        }
        GM_FUZZ_CHECK(total + 1 <= std::max<std::size_t>(buffer, 1));
        break;
      }
    }
  }
  // Every key written and not deleted since reads back as written, whatever followed.
  for (const auto& [id, value] : written) {
    GM_FUZZ_CHECK(ini.ReadString(file, id.section, id.key) == value);
  }
  // The engine read from the form it kept; one that parses the file now reads the same.
  gm::PortableIniFile fresh(gm::PortableIniFile::RecentFiles::kTrustFacts);
  GM_FUZZ_CHECK(fresh.SectionNames(file, kAllNames) == ini.SectionNames(file, kAllNames));
  for (const std::wstring& section : ini.SectionNames(file, kAllNames)) {
    for (const wchar_t* key : {L"Item0", L"Lan", L"ItemCount"}) {
      GM_FUZZ_CHECK(fresh.ReadString(file, section, key) == ini.ReadString(file, section, key));
    }
  }
  for (const auto& [id, value] : written) {
    GM_FUZZ_CHECK(fresh.ReadString(file, id.section, id.key) == value);
  }
  return 0;
}
