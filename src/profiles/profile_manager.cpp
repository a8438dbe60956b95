#include "profiles/profile_manager.h"
#include "platform/file_ops.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "config/config_files.h"

namespace gm {
namespace {

constexpr wchar_t kProfileSection[] = L"Profile";

const std::array<ProfileManagerTexts, kLanguageCount> kTexts = {{
    {L"Configuration", L"New", L"Delete", L"Edit", L"Copy", L"Load", L"Save", L"Warning",
     L"Profile numbers up to 6.", L"Name"},
    {L"配置", L"新建", L"删除", L"编辑", L"复制", L"加载", L"保存", L"警告",
     L"最多可以存储6个配置。", L"名字"},
    {L"配置", L"新建", L"刪除", L"編輯", L"複製", L"載入", L"保存", L"警告",
     L"最多可以存儲6個配置。", L"名字"},
    {L"Konfiguration ", L"Neu ", L"Löschen ", L"Bearbeiten ", L"Kopie ", L"Laden ", L"Sparen ",
     L"Warnen ", L"Profil Zahlen bis 6.", L"PROFILE"},
    {L"Настройка", L"Новый", L"Удалить", L"Редактировать", L"Копия", L"Загрузить", L"Сохранить",
     L"Предупреждение", L"Профиль номера до 6.", L"ПРОФИЛЬ"},
}};

// Lower case for the letters of the five languages' names (Latin, Latin-1, Greek, Cyrillic);
// everything else stays as it is.
wchar_t FoldCase(wchar_t c) {
  if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
      (c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F)) {
    return static_cast<wchar_t>(c + 0x20);
  }
  if (c >= 0x400 && c <= 0x40F) return static_cast<wchar_t>(c + 0x50);
  return c;
}

bool StartsWithIgnoringCase(std::wstring_view text, std::wstring_view prefix) {
  return prefix.size() <= text.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(),
                    [](wchar_t a, wchar_t b) { return FoldCase(a) == FoldCase(b); });
}

// The line of the configuration in use. The loader uses the last name that equals
// CurProfileName exactly, so that line is the one; only without such a line does the first
// line that begins with it, case ignored, stand for it. An empty name finds nothing.
std::optional<std::size_t> LineOfCurrent(const std::vector<std::wstring>& names,
                                         const std::wstring& current) {
  if (current.empty()) return std::nullopt;
  for (std::size_t n = names.size(); n-- > 0;) {
    if (names[n] == current) return n;
  }
  for (std::size_t n = 0; n < names.size(); ++n) {
    if (StartsWithIgnoringCase(names[n], current)) return n;
  }
  return std::nullopt;
}

std::wstring ItemKey(std::size_t n) {
  return L"Item" + std::to_wstring(n);
}

}  // namespace

const ProfileManagerTexts& ProfileManagerTextsFor(Language language) {
  return kTexts[LanguageIndex(language)];
}

std::vector<std::wstring> ReadProfileNames(IniFile& ini, const FilePath& profileList) {
  std::vector<std::wstring> names;
  if (!FileExists(profileList)) return names;
  const long long count = LeadingNumber(ini.ReadString(profileList, kProfileSection, L"ItemCount"));
  if (count >= 1 && count <= static_cast<long long>(kMaxProfiles)) {
    for (std::size_t n = 0; n < static_cast<std::size_t>(count); ++n) {
      names.push_back(ini.ReadString(profileList, kProfileSection, ItemKey(n)));
    }
  }
  return names;
}

std::optional<std::size_t> CurrentProfileLine(IniFile& ini, const FilePath& profileList,
                                              const std::vector<std::wstring>& names) {
  return LineOfCurrent(names, ini.ReadString(profileList, kProfileSection, L"CurProfileName"));
}

bool WriteCurrentProfileName(IniFile& ini, const FilePath& profileList, const std::wstring& name) {
  return FileExists(profileList) &&
         ini.WriteString(profileList, kProfileSection, L"CurProfileName", name);
}

ProfileManager::ProfileManager(IniFile& ini, Host& host, FilePath profileList, Language language,
                               PostCommand post)
    : ini_(ini),
      host_(host),
      profileList_(std::move(profileList)),
      texts_(ProfileManagerTextsFor(language)),
      post_(std::move(post)) {}

void ProfileManager::Open() {
  open_ = true;
  editTarget_.reset();
  names_ = ReadProfileNames(ini_, profileList_);
  origins_.clear();
  for (std::size_t line = 0; line < names_.size(); ++line) origins_.push_back(line);
  selected_.reset();
  if (FileExists(profileList_)) selected_ = CurrentProfileLine(ini_, profileList_, names_);
}

void ProfileManager::ClickLine(std::size_t line) {
  if (line >= names_.size()) return;
  selected_ = line;
  editTarget_ = line;
}

void ProfileManager::SetSelection(std::optional<std::size_t> line) {
  if (line && *line >= names_.size()) line.reset();
  selected_ = line;
}

void ProfileManager::New() {
  if (names_.size() >= kMaxProfiles) {
    host_.ShowMessage(texts_.limitMessage, texts_.limitCaption, kMbOk);
    return;
  }
  std::wstring name;
  if (names_.empty()) {
    name = texts_.baseWord + L"_0";
  } else {
    const std::wstring& last = names_.back();
    const std::size_t underscore = last.find(L'_');
    if (underscore != std::wstring::npos) {
      const long long number = LeadingNumber(std::wstring_view(last).substr(underscore + 1));
      name = texts_.baseWord + L"_" + std::to_wstring(number + 1);
    } else {
      name = last + L"_" + std::to_wstring(names_.size());
    }
  }
  names_.push_back(std::move(name));
  origins_.push_back(std::nullopt);
  selected_ = names_.size() - 1;
}

void ProfileManager::Copy() {
  if (names_.empty() || names_.size() >= kMaxProfiles || !selected_) return;
  names_.push_back(texts_.copyWord + L" " + names_[*selected_]);
  origins_.push_back(std::nullopt);
}

void ProfileManager::Delete() {
  if (names_.size() < 2 || !selected_) return;
  names_.erase(names_.begin() + static_cast<std::ptrdiff_t>(*selected_));
  origins_.erase(origins_.begin() + static_cast<std::ptrdiff_t>(*selected_));
  selected_.reset();
  editTarget_.reset();  // the lines below have moved up
}

bool ProfileManager::Edit() {
  if (!selected_) return false;
  if (editTarget_ == selected_) return true;
  editTarget_ = selected_;
  return false;
}

void ProfileManager::Rename(std::size_t line, std::wstring name) {
  if (line >= names_.size()) return;
  names_[line] = std::move(name);
  selected_ = line;
}

void ProfileManager::Request(ProfileCommand command) {
  if (!selected_) return;
  chosen_ = selected_;
  post_(command, *selected_);
}

void ProfileManager::Load() {
  Request(kProfileImport);
}

void ProfileManager::Save() {
  Request(kProfileExport);
}

void ProfileManager::Close() {
  if (!open_) return;
  open_ = false;
  WriteProfileList();
  post_(kProfileReload, 0);
}

void ProfileManager::WriteProfileList() {
  if (!FileExists(profileList_)) return;
  // The section is made again in the engine's copy and written once, under the file's lock.
  IniFileEdit edit(ini_, profileList_);
  if (edit.LockError()) return;
  ini_.DeleteSection(profileList_, kProfileSection);
  const std::size_t current = selected_.value_or(0);
  chosen_ = current;
  ini_.WriteString(profileList_, kProfileSection, L"CurProfileName",
                   current < names_.size() ? names_[current] : std::wstring());
  if (!names_.empty()) {
    ini_.WriteString(profileList_, kProfileSection, L"ItemCount", std::to_wstring(names_.size()));
    for (std::size_t n = 0; n < names_.size(); ++n) {
      ini_.WriteString(profileList_, kProfileSection, ItemKey(n), names_[n]);
    }
  }
  edit.Commit();
}

}  // namespace gm
