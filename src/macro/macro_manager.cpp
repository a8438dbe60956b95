#include "macro/macro_manager.h"

#include <algorithm>
#include <limits>

#include "macro/macro_encoder.h"
#include "platform/host.h"
#include "platform/ini_names.h"
#include "platform/text_codec.h"

namespace gm {
namespace {

constexpr std::int64_t kMaxRepeatCount = 65535;
constexpr std::wstring_view kDefaultRepeatText = L"1";
constexpr std::wstring_view kInsertedDelay = L"50 ms";

bool Contains(std::wstring_view text, std::wstring_view part) {
  return text.find(part) != std::wstring_view::npos;
}

std::wstring_view ButtonKeyName(MouseButtonKey button) {
  switch (button) {
    case MouseButtonKey::Left:
      return L"L-Button";
    case MouseButtonKey::Middle:
      return L"M-Button";
    case MouseButtonKey::Right:
      return L"R-Button";
  }
  return L"L-Button";
}

}  // namespace

ManagerHit HitManager(int x, int y) {
  using namespace manager_layout;
  if (kOk.Contains(x, y)) return ManagerHit::Ok;
  if (kCancel.Contains(x, y)) return ManagerHit::Cancel;
  if (kClose.Contains(x, y)) return ManagerHit::Close;
  if (kRecord.Contains(x, y)) return ManagerHit::Record;
  if (kDelayBox.Contains(x, y)) return ManagerHit::DelayBox;
  if (kLoopBox.Contains(x, y)) return ManagerHit::LoopBox;
  if (kNew.Contains(x, y)) return ManagerHit::New;
  if (kDelete.Contains(x, y)) return ManagerHit::Delete;
  return ManagerHit::None;
}

ManagerButton ManagerButtonAt(int x, int y) {
  using namespace manager_layout;
  if (kClose.Contains(x, y)) return ManagerButton::Close;
  if (kNew.Contains(x, y)) return ManagerButton::New;
  if (kDelete.Contains(x, y)) return ManagerButton::Delete;
  if (kOk.Contains(x, y)) return ManagerButton::Ok;
  if (kCancel.Contains(x, y)) return ManagerButton::Cancel;
  return ManagerButton::None;
}

std::wstring NextMacroName(const std::vector<std::wstring>& names, std::wstring_view base) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  std::int64_t first = static_cast<std::int64_t>(names.size());
  if (!names.empty()) {
    const std::wstring& last = names.back();
    const std::size_t underscore = last.find(L'_');
    if (underscore != std::wstring::npos) {
      const std::int64_t value = LeadingDecimal(std::wstring_view(last).substr(underscore + 1));
      first = value < kMax ? value + 1 : value;
    }
  }
  // At most as many names are taken as the list holds, so one of the next few numbers is free.
  for (std::int64_t step = 0;; ++step) {
    const std::int64_t number = first <= kMax - step ? first + step : step;
    std::wstring name = std::wstring(base) + L"_" + std::to_wstring(number);
    bool taken = false;
    for (const std::wstring& existing : names) taken = taken || SameIniName(existing, name);
    if (!taken) return name;
  }
}

std::wstring_view TrimBlanks(std::wstring_view typed) {
  const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
  while (!typed.empty() && blank(typed.front())) typed.remove_prefix(1);
  while (!typed.empty() && blank(typed.back())) typed.remove_suffix(1);
  return typed;
}

std::wstring CleanMacroName(std::wstring_view typed) {
  const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
  std::wstring name(TrimBlanks(typed));
  // Cut between characters: half a surrogate pair would be no character at all.
  name.resize(Utf16Prefix(name, kMaxMacroNameLength).size());
  while (!name.empty() && blank(name.back())) name.pop_back();
  return name;
}

MacroManager::MacroManager(MacroStore& store, Host& host, MacroOptions& options, Language language)
    : store_(store),
      host_(host),
      options_(options),
      texts_(MacroManagerTextsFor(language)),
      repeatText_(kDefaultRepeatText),
      repeatFieldEnabled_(options.loop) {}

void MacroManager::Open() {
  MacroList list = store_.LoadAll();
  names_ = std::move(list.names);
  if (!list.first) return;
  // The field is set before the first macro is selected, so nothing is written yet.
  options_.delay = list.first->delayOption == true;
  SetRepeatText(list.first->loopTimes);
  options_.loop = list.first->loopOption == true;
  repeatFieldEnabled_ = options_.loop;
  items_ = std::move(list.first->items);
  selectedMacro_ = 0;
}

void MacroManager::ForgetItemChoices() {
  selectedItem_.reset();
  rememberedDelay_.reset();
}

void MacroManager::SelectMacro(std::size_t index) {
  if (index >= names_.size()) return;
  selectedMacro_ = index;
  ForgetItemChoices();
  std::optional<LoadedMacro> loaded = store_.Load(index, names_[index]);
  if (!loaded) {
    items_.clear();
    return;
  }
  SetRepeatText(loaded->loopTimes);
  items_ = std::move(loaded->items);
  if (loaded->delayOption) options_.delay = *loaded->delayOption;
  if (loaded->loopOption) options_.loop = *loaded->loopOption;
  repeatFieldEnabled_ = options_.loop;
}

void MacroManager::ShowWarning(std::wstring_view text) {
  host_.ShowMessage(std::wstring(text), std::wstring(texts_.limitCaption), kMbOk);
}

void MacroManager::NewMacro() {
  if (names_.size() >= kMacroCount) {
    ShowWarning(texts_.limitMessage);
    return;
  }
  std::wstring name = NextMacroName(names_, texts_.newMacroBase);
  switch (store_.FitNew(name)) {
    case MacroStore::NameFit::Fits:
      break;
    case MacroStore::NameFit::PastList:
      ShowWarning(kNoRoomForMacro);
      return;
    case MacroStore::NameFit::Taken:
      ShowWarning(kMacroNameExists);
      return;
  }
  // The section, holding MacroLoopTimes only until the first store, is the field's "1".
  if (!store_.Add(name, 1)) {
    ShowWarning(kRecordIniNotWritten);
    return;
  }
  names_.push_back(std::move(name));
  selectedMacro_ = names_.size() - 1;
  lastMacroDoubleClick_.reset();
  items_.clear();
  ForgetItemChoices();
  repeatText_ = std::wstring(kDefaultRepeatText);
  if (*selectedMacro_ < kMacroCount) SetBlockRepeatCount(working_[*selectedMacro_], 1);
}

void MacroManager::DeleteMacro() {
  if (!selectedMacro_) return;
  const std::size_t index = *selectedMacro_;
  // The list and record.ini must keep telling the same macros in the same order.
  if (!store_.DeleteAt(index, names_[index]) && store_.Exists()) {
    ShowWarning(kRecordIniNotWritten);
    return;
  }
  names_.erase(names_.begin() + static_cast<std::ptrdiff_t>(index));
  selectedMacro_.reset();
  lastMacroDoubleClick_.reset();
  items_.clear();
  ForgetItemChoices();
}

bool MacroManager::MacroDoubleClicked(std::size_t index) {
  if (index >= names_.size()) return false;
  if (lastMacroDoubleClick_ == index) return true;
  lastMacroDoubleClick_ = index;
  return false;
}

MacroManager::RenameResult MacroManager::RenameMacro(std::size_t index, std::wstring_view typed) {
  if (index >= names_.size()) return RenameResult::Unchanged;
  if (const std::optional<wchar_t> c = UnwritableMacroChar(typed)) {
    ShowWarning(UnwritableMacroCharMessage(*c));
    return RenameResult::Failed;
  }
  const std::wstring name = CleanMacroName(typed);
  if (name.empty()) {
    ShowWarning(kMacroNameBlank);
    return RenameResult::Blank;
  }
  // The stored name given back as it was, even one longer than a new name may be.
  if (name == names_[index] || TrimBlanks(typed) == names_[index]) return RenameResult::Unchanged;
  for (std::size_t other = 0; other < names_.size(); ++other) {
    if (other != index && SameIniName(names_[other], name)) {
      ShowWarning(kMacroNameExists);
      return RenameResult::Exists;
    }
  }
  switch (store_.FitRename(index, names_[index], name)) {
    case MacroStore::NameFit::Fits:
      break;
    case MacroStore::NameFit::PastList:
      ShowWarning(kMacroNameTooLong);
      return RenameResult::TooLong;
    case MacroStore::NameFit::Taken:
      ShowWarning(kMacroNameExists);
      return RenameResult::Exists;
  }
  if (selectedMacro_ != index) SelectMacro(index);
  // Where record.ini lacks the section, the store below adds it.
  if (!store_.Rename(index, names_[index], name)) {
    ShowWarning(kRecordIniNotWritten);
    return RenameResult::Failed;
  }
  names_[index] = name;
  StoreSelected();
  return RenameResult::Renamed;
}

bool MacroManager::EventItemChosen(std::size_t index) {
  if (index >= items_.size()) return false;
  selectedItem_ = index;
  if (!Contains(items_[index], L" ms")) return false;
  if (rememberedDelay_ == index) return true;
  rememberedDelay_ = index;
  return false;
}

void MacroManager::SelectItem(std::optional<std::size_t> index) {
  selectedItem_ = index && *index < items_.size() ? index : std::nullopt;
}

void MacroManager::ReplaceItem(std::size_t index, std::wstring text) {
  if (index >= items_.size()) return;
  if (const std::optional<wchar_t> c = UnwritableMacroChar(text)) {
    ShowWarning(UnwritableMacroCharMessage(*c));
    return;
  }
  items_[index] = std::move(text);
  selectedItem_ = index;
}

void MacroManager::DeleteItem() {
  if (!selectedItem_ || *selectedItem_ >= items_.size()) return;
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(*selectedItem_));
  selectedItem_.reset();
  StoreSelected();
}

void MacroManager::InsertClick(MouseButtonKey button) {
  const std::wstring name(ButtonKeyName(button));
  std::wstring press = name + std::wstring(kPressSuffix);
  std::wstring release = name + std::wstring(kReleaseSuffix);
  if (selectedItem_ && *selectedItem_ < items_.size()) {
    const auto at = items_.begin() + static_cast<std::ptrdiff_t>(*selectedItem_ + 1);
    items_.insert(at, {std::move(press), std::move(release)});
    selectedItem_ = *selectedItem_ + 1;
  } else if (items_.empty()) {
    items_ = {std::move(press), std::move(release)};
  }
  StoreSelected();
}

void MacroManager::InsertDelay() {
  if (!selectedItem_ || *selectedItem_ == 0 || *selectedItem_ >= items_.size()) return;
  const std::size_t at = *selectedItem_;
  // Two delays never stand next to each other.
  if (Contains(items_[at], L"ms") || Contains(items_[at - 1], L"ms")) return;
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), std::wstring(kInsertedDelay));
  selectedItem_ = at;
  StoreSelected();
}

void MacroManager::ClearItems() {
  items_.clear();
  ForgetItemChoices();
}

void MacroManager::AppendItem(std::wstring text) {
  items_.push_back(std::move(text));
}

void MacroManager::SelectLastItem() {
  if (!items_.empty()) selectedItem_ = items_.size() - 1;
}

void MacroManager::ToggleLoopOption() {
  options_.loop = !options_.loop;
  repeatFieldEnabled_ = options_.loop;
}

void MacroManager::SetRepeatText(std::wstring_view text) {
  std::int64_t value = LeadingDecimal(text);
  if (value < 1 || value > kMaxRepeatCount) {
    repeatText_ = std::wstring(kDefaultRepeatText);
    value = 1;
  } else {
    repeatText_ = std::wstring(text);
  }
  if (!selectedMacro_) return;
  if (*selectedMacro_ < kMacroCount) {
    SetBlockRepeatCount(working_[*selectedMacro_], static_cast<std::uint16_t>(value));
  }
  store_.SetRepeatCount(*selectedMacro_, names_[*selectedMacro_], static_cast<long>(value));
}

MacroStore::StoreResult MacroManager::StoreSelected() {
  if (!selectedMacro_) return MacroStore::StoreResult::NotStored;
  const std::size_t index = *selectedMacro_;
  const MacroStore::StoreResult result =
      store_.Store(index, Macro{names_[index], options_.delay, options_.loop, repeatText_, items_});
  if (result == MacroStore::StoreResult::EmptyListKept && index < kMacroCount) {
    working_[index].fill(0);
  }
  return result;
}

MacroManager::FinishResult MacroManager::Finish() {
  StoreSelected();
  if (!store_.Exists()) return FinishResult::NoMacroFile;
  const std::optional<MacroEncoding> encoding = store_.EncodeAll();
  if (!encoding) return FinishResult::Encoded;  // no macro: the working copy as it is
  if (!encoding->ok()) {
    std::wstring text;
    for (const MacroOverflow& overflow : encoding->overflows) {
      if (!text.empty()) text += L"\n";
      text += DescribeOverflow(overflow);
    }
    ShowWarning(text);
    return FinishResult::Refused;
  }
  working_ = encoding->blocks;
  return FinishResult::Encoded;
}

}  // namespace gm
