#include "macro/macro_store.h"
#include "platform/file_ops.h"

#include <algorithm>
#include <cwchar>
#include <system_error>
#include <utility>

#include "device/trace.h"
#include "macro/macro_encoder.h"
#include "platform/ini_file.h"
#include "platform/ini_names.h"
#include "platform/text_codec.h"

namespace gm {

namespace {

const std::wstring kDelayKey = L"DelayTimeSelStatus";
const std::wstring kLoopKey = L"LoopTimeSelStatus";
const std::wstring kLoopTimesKey = L"MacroLoopTimes";
const std::wstring kItemCountKey = L"ItemCount";

std::wstring ItemKey(std::size_t i) {
  return L"Item" + std::to_wstring(i);
}

std::wstring Flag(bool on) {
  return on ? L"1" : L"0";
}

// Room for the names of every section, not only the ones the macro lists read.
constexpr std::size_t kAllSectionNamesChars = 65536;

std::optional<bool> OptionState(const std::wstring& text) {
  switch (LeadingDecimal(text)) {
    case 0:
      return false;
    case 1:
      return true;
    default:
      return std::nullopt;
  }
}

}  // namespace

std::vector<std::string> MacroBlockLines(const MacroBlocks& blocks) {
  std::vector<std::string> lines;
  for (std::size_t k = 0; k < blocks.size(); ++k) {
    lines.push_back("macro-block " + std::to_string(k) + " " + HexBytes(blocks[k]));
  }
  return lines;
}

std::wstring DescribeOverflow(const MacroOverflow& overflow) {
  std::wstring text = L"Macro \"" + overflow.name + L"\" (number " +
                      std::to_wstring(overflow.position + 1) + L") does not fit into the mouse: ";
  if (overflow.tooManyItems) {
    return text + L"it holds more than " + std::to_wstring(kMaxMacroItems) + L" events.";
  }
  return text + L"its events need " + std::to_wstring(overflow.pairBytes) + L" bytes, " +
         std::to_wstring(overflow.pairBytes - kPairAreaSize) + L" more than the " +
         std::to_wstring(kPairAreaSize) + L" a macro can hold.";
}

MacroStore::MacroStore(IniFile& ini, const FilePath& file) : ini_(ini), file_(AbsolutePath(file)) {}

bool MacroStore::Exists() const {
  if (const std::optional<bool> edited = ini_.ExistsInEdit(file_)) return *edited;
  return IsRegularFile(file_);
}

MacroStore::Place MacroStore::PlaceOf(const std::vector<std::wstring>& all, std::size_t position,
                                      const std::wstring& name) {
  Place place{name, std::nullopt};
  const std::optional<std::size_t> at = SectionIndex(all, position, name);
  if (!at || !Shared(all, name)) return place;
  // The name-keyed calls would read the first section of the name. A section the engine does not
  // find at its place reads as empty rather than as another macro.
  place.keys = ini_.SectionAt(file_, *at, all[*at], kMacroReadBufferChars).value_or(IniKeyValues{});
  return place;
}

std::wstring MacroStore::Read(const Place& place, const std::wstring& key) {
  if (!place.keys) return ini_.ReadString(file_, place.name, key, kMacroReadBufferChars);
  for (const auto& [name, value] : *place.keys) {
    if (SameIniName(name, key)) return value;
  }
  return {};
}

std::size_t MacroStore::ItemCount(const Place& place, bool* cut) {
  const std::int64_t count = LeadingDecimal(Read(place, kItemCountKey));
  *cut = count > static_cast<std::int64_t>(kMaxMacroItems);
  if (count <= 0) return 0;
  return *cut ? kMaxMacroItems : static_cast<std::size_t>(count);
}

namespace {

// The i of a key "Item<i>" below count.
std::optional<std::size_t> ItemIndex(const std::wstring& key, std::size_t count) {
  std::size_t digits = 0;
  while (digits < key.size() && digits < 5 && key[key.size() - 1 - digits] >= L'0' &&
         key[key.size() - 1 - digits] <= L'9') {
    ++digits;
  }
  if (digits == 0 || digits == 5) return std::nullopt;
  const auto i = static_cast<std::size_t>(LeadingDecimal(key.substr(key.size() - digits)));
  if (i < count && SameIniName(key, ItemKey(i))) return i;
  return std::nullopt;
}

}  // namespace

std::vector<std::wstring> MacroStore::Items(const Place& place, std::size_t count) {
  std::vector<std::wstring> items(count);
  if (place.keys) {
    std::vector<bool> found(count, false);
    for (const auto& [key, value] : *place.keys) {
      const std::optional<std::size_t> i = ItemIndex(key, count);
      if (i && !found[*i]) {
        found[*i] = true;
        items[*i] = value;
      }
    }
    return items;
  }
  // A damaged ItemCount may promise thousands of items the section does not hold: where the
  // engine lists the keys, only the items that are there are read.
  std::vector<bool> present(count, true);
  if (const auto keys = ini_.KeyNames(file_, place.name)) {
    present.assign(count, false);
    for (const std::wstring& key : *keys) {
      if (const std::optional<std::size_t> i = ItemIndex(key, count)) present[*i] = true;
    }
  }
  for (std::size_t i = 0; i < count; ++i) {
    if (present[i]) items[i] = Read(place, ItemKey(i));
  }
  return items;
}

std::size_t NamesInList(const std::vector<std::wstring>& names) {
  // A name that begins within the window is taken whole, however long.
  std::size_t start = 0;
  std::size_t count = 0;
  for (const std::wstring& name : names) {
    if (start >= kMacroNameListChars) break;
    start += Utf16Length(name) + 1;
    ++count;
  }
  return count;
}

std::vector<std::wstring> MacroStore::Names() {
  if (!Exists()) return {};
  std::vector<std::wstring> names = ini_.SectionNames(file_, kMacroReadBufferChars);
  names.resize(NamesInList(names));
  return names;
}

std::vector<std::wstring> MacroStore::AllNames() {
  if (!Exists()) return {};
  return ini_.SectionNames(file_, kAllSectionNamesChars);
}

bool MacroStore::InList(const std::vector<std::wstring>& all, const std::wstring& name) {
  const auto at = std::find_if(all.begin(), all.end(),
                               [&](const std::wstring& other) { return SameIniName(other, name); });
  if (at != all.end()) return static_cast<std::size_t>(at - all.begin()) < NamesInList(all);
  std::vector<std::wstring> added = all;
  added.push_back(name);
  return NamesInList(added) == added.size();
}

MacroStore::NameFit MacroStore::FitNew(const std::wstring& name) {
  const std::vector<std::wstring> all = AllNames();
  // Behind a section past the window a new one is past it too, whatever its name.
  if (!InList(all, name)) return NameFit::PastList;
  for (const std::wstring& other : all) {
    if (SameIniName(other, name)) return NameFit::Taken;
  }
  return NameFit::Fits;
}

std::optional<std::size_t> MacroStore::SectionIndex(const std::vector<std::wstring>& all,
                                                    std::size_t position,
                                                    const std::wstring& name) {
  if (position < all.size() && SameIniName(all[position], name)) return position;
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (SameIniName(all[i], name)) return i;
  }
  return std::nullopt;
}

bool MacroStore::Shared(const std::vector<std::wstring>& all, const std::wstring& name) {
  return std::count_if(all.begin(), all.end(),
                       [&](const std::wstring& other) { return SameIniName(other, name); }) > 1;
}

MacroStore::NameFit MacroStore::FitRename(std::size_t position, const std::wstring& from,
                                          const std::wstring& to) {
  std::vector<std::wstring> all = AllNames();
  const std::optional<std::size_t> at = SectionIndex(all, position, from);
  for (std::size_t other = 0; other < all.size(); ++other) {
    if (other != at && SameIniName(all[other], to)) return NameFit::Taken;
  }
  if (!at) return NameFit::Fits;  // nothing to rename; the store adds the macro
  // Every name shown now stays within the window.
  const std::size_t shown = NamesInList(all);
  all[*at] = to;
  return NamesInList(all) >= shown ? NameFit::Fits : NameFit::PastList;
}

std::optional<wchar_t> UnwritableMacroChar(std::wstring_view text) {
  for (const wchar_t c : text) {
    if (c == L'\r' || c == L'\n' || c == L'\0') return c;
  }
  return std::nullopt;
}

std::wstring UnwritableMacroCharMessage(wchar_t c) {
  const wchar_t* name = c == L'\r' ? L"CR" : c == L'\n' ? L"LF" : L"NUL";
  wchar_t code[8];
  std::swprintf(code, 8, L"%04X", static_cast<unsigned>(c));
  return L"A macro name or event cannot hold the character " + std::wstring(name) + L" (U+" + code +
         L").";
}

bool MacroStore::Add(const std::wstring& name, long count) {
  IniFileEdit edit(ini_, file_);
  if (edit.LockError() || name.empty() || UnwritableMacroChar(name) ||
      FitNew(name) != NameFit::Fits) {
    return false;
  }
  return ini_.WriteString(file_, name, kLoopTimesKey, std::to_wstring(count)) && Exists() &&
         !edit.Commit();
}

bool MacroStore::Rename(std::size_t position, const std::wstring& from, const std::wstring& to) {
  IniFileEdit edit(ini_, file_);
  if (edit.LockError() || !Exists() || to.empty() || UnwritableMacroChar(to) ||
      FitRename(position, from, to) != NameFit::Fits) {
    return false;
  }
  const std::vector<std::wstring> all = AllNames();
  const std::optional<std::size_t> at = SectionIndex(all, position, from);
  if (!at) return true;
  // The name-keyed rename writes every later section again, which merges sections of one name.
  const bool shared = std::any_of(all.begin(), all.end(),
                                  [&](const std::wstring& name) { return Shared(all, name); });
  const bool renamed =
      shared ? ini_.RenameSectionAt(file_, *at, all[*at], to) : ini_.RenameSection(file_, from, to);
  return renamed && !edit.Commit();
}

MacroStore::StoreResult MacroStore::Store(std::size_t position, const Macro& macro) {
  IniFileEdit edit(ini_, file_);
  if (edit.LockError() || !Exists() || macro.name.empty()) return StoreResult::NotStored;
  if (UnwritableMacroChar(macro.name) ||
      std::any_of(macro.items.begin(), macro.items.end(),
                  [](const std::wstring& item) { return UnwritableMacroChar(item).has_value(); })) {
    return StoreResult::NotStored;
  }
  if (macro.items.empty()) return StoreResult::EmptyListKept;
  const std::vector<std::wstring> all = AllNames();
  const std::optional<std::size_t> at = SectionIndex(all, position, macro.name);
  if (at ? *at >= NamesInList(all) : !InList(all, macro.name)) return StoreResult::OutOfList;
  if (at && Shared(all, macro.name)) {
    // Written over where it stands, as a section within the file is below.
    bool cut = false;
    const std::size_t oldCount = ItemCount(PlaceOf(all, *at, macro.name), &cut);
    IniKeyWrites writes{{kDelayKey, Flag(macro.delayOption)},
                        {kLoopKey, Flag(macro.loopOption)},
                        {kLoopTimesKey, macro.loopTimes},
                        {kItemCountKey, std::to_wstring(macro.items.size())}};
    for (std::size_t i = 0; i < macro.items.size(); ++i)
      writes.emplace_back(ItemKey(i), macro.items[i]);
    for (std::size_t i = macro.items.size(); i < oldCount; ++i) {
      writes.emplace_back(ItemKey(i), std::nullopt);
    }
    return ini_.WriteStringsAt(file_, *at, all[*at], writes) && !edit.Commit()
               ? StoreResult::Written
               : StoreResult::NotStored;
  }
  // A macro's place in the file is its block number, which the buttons refer to. A section
  // deleted and written again goes to the end of the file, so that is done only with the last
  // one (or a new one); any other is written over in place and loses the items it no longer has.
  std::size_t oldCount = 0;
  if (!at || *at + 1 == all.size()) {
    ini_.DeleteSection(file_, macro.name);
  } else {
    bool cut = false;
    oldCount = ItemCount(Place{macro.name, std::nullopt}, &cut);
  }
  // Made in the engine's copy and written once: all of it reaches the file, or none.
  bool written = ini_.WriteString(file_, macro.name, kDelayKey, Flag(macro.delayOption));
  written = ini_.WriteString(file_, macro.name, kLoopKey, Flag(macro.loopOption)) && written;
  written = ini_.WriteString(file_, macro.name, kLoopTimesKey, macro.loopTimes) && written;
  written =
      ini_.WriteString(file_, macro.name, kItemCountKey, std::to_wstring(macro.items.size())) &&
      written;
  for (std::size_t i = 0; i < macro.items.size(); ++i) {
    written = ini_.WriteString(file_, macro.name, ItemKey(i), macro.items[i]) && written;
  }
  for (std::size_t i = macro.items.size(); i < oldCount; ++i) {
    ini_.DeleteKey(file_, macro.name, ItemKey(i));
  }
  return written && !edit.Commit() ? StoreResult::Written : StoreResult::NotStored;
}

MacroStore::StoreResult MacroStore::Store(const Macro& macro) {
  const std::vector<std::wstring> all = AllNames();
  return Store(SectionIndex(all, 0, macro.name).value_or(all.size()), macro);
}

LoadedMacro MacroStore::LoadFrom(const Place& place) {
  LoadedMacro macro;
  macro.loopTimes = Read(place, kLoopTimesKey);
  const std::size_t count = ItemCount(place, &macro.itemsCut);
  macro.items = Items(place, count);
  macro.delayOption = OptionState(Read(place, kDelayKey));
  macro.loopOption = OptionState(Read(place, kLoopKey));
  return macro;
}

std::optional<LoadedMacro> MacroStore::Load(std::size_t position, const std::wstring& name) {
  if (!Exists()) return std::nullopt;
  return LoadFrom(PlaceOf(AllNames(), position, name));
}

std::optional<LoadedMacro> MacroStore::Load(const std::wstring& name) {
  if (!Exists()) return std::nullopt;
  return LoadFrom(Place{name, std::nullopt});
}

MacroList MacroStore::LoadAll() {
  MacroList list;
  list.names = Names();
  if (!list.names.empty()) list.first = Load(0, list.names.front());
  return list;
}

bool MacroStore::Delete(const std::wstring& name) {
  IniFileEdit edit(ini_, file_);
  if (edit.LockError() || !Exists()) return false;
  return ini_.DeleteSection(file_, name) && !edit.Commit();
}

bool MacroStore::DeleteAt(std::size_t position, const std::wstring& name) {
  IniFileEdit edit(ini_, file_);
  if (edit.LockError() || !Exists()) return false;
  const std::vector<std::wstring> all = AllNames();
  const std::optional<std::size_t> at = SectionIndex(all, position, name);
  if (!at) return true;  // nothing to delete
  const bool deleted = Shared(all, name) ? ini_.DeleteSectionAt(file_, *at, all[*at])
                                         : ini_.DeleteSection(file_, name);
  return deleted && !edit.Commit();
}

bool MacroStore::SetRepeatCount(std::size_t position, const std::wstring& name, long count) {
  IniFileEdit edit(ini_, file_);
  if (edit.LockError() || !Exists() || name.empty()) return false;
  const std::vector<std::wstring> all = AllNames();
  const std::optional<std::size_t> at = SectionIndex(all, position, name);
  if (at ? *at >= NamesInList(all) : !InList(all, name)) return false;
  const bool written =
      at && Shared(all, name)
          ? ini_.WriteStringsAt(file_, *at, all[*at], {{kLoopTimesKey, std::to_wstring(count)}})
          : ini_.WriteString(file_, name, kLoopTimesKey, std::to_wstring(count));
  return written && !edit.Commit();
}

bool MacroStore::SetRepeatCount(const std::wstring& name, long count) {
  const std::vector<std::wstring> all = AllNames();
  return SetRepeatCount(SectionIndex(all, 0, name).value_or(all.size()), name, count);
}

std::optional<MacroEncoding> MacroStore::EncodeAll() {
  const std::vector<std::wstring> all = AllNames();
  const std::size_t listed = NamesInList(all);
  if (listed == 0) return std::nullopt;
  MacroEncoding encoding;
  // Only 19 blocks exist; further sections are not encoded.
  for (std::size_t k = 0; k < listed && k < kMacroCount; ++k) {
    const std::wstring& name = all[k];
    const Place place = PlaceOf(all, k, name);
    MacroSource source;
    source.delayStatus = LeadingDecimal(Read(place, kDelayKey));
    source.loopStatus = LeadingDecimal(Read(place, kLoopKey));
    source.loopTimes = LeadingDecimal(Read(place, kLoopTimesKey));
    bool cut = false;
    const std::size_t count = ItemCount(place, &cut);
    source.items = Items(place, count);

    std::size_t pairBytes = 0;
    const std::optional<MacroBlock> block = EncodeMacroBlock(source, &pairBytes);
    if (block && !cut) {
      encoding.blocks[k] = *block;
    } else {
      encoding.overflows.push_back({name, k, pairBytes, cut});
    }
  }
  return encoding;
}

}  // namespace gm
