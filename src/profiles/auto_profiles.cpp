#include "profiles/auto_profiles.h"

#include <algorithm>
#include <array>
#include <cwchar>

#include "platform/file_ops.h"
#include "platform/ini_names.h"
#include "platform/text_codec.h"

namespace gm {
namespace {

constexpr wchar_t kSection[] = L"AutoProfiles";

bool IsSeparator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

// Paths compare as Windows compares file names: without case, either separator.
bool SamePath(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (IsSeparator(a[i]) && IsSeparator(b[i])) continue;
    if (FoldIniNameChar(static_cast<char32_t>(a[i])) !=
        FoldIniNameChar(static_cast<char32_t>(b[i]))) {
      return false;
    }
  }
  return true;
}

// Values keep their outer blanks out: the profile functions trim them on read.
std::wstring Trimmed(std::wstring text) {
  const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
  while (!text.empty() && blank(text.back())) text.pop_back();
  const auto first = std::find_if_not(text.begin(), text.end(), blank);
  text.erase(text.begin(), first);
  return text;
}

const std::array<AutoProfileTexts, kLanguageCount> kTexts = {{
    {L"Automatic profiles", L"Automatic profiles...", L"Start with Windows", L"Profile in use: ",
     L"The profile changes once your changes are saved or cancelled.",
     L"A rule was removed with its profile: ",
     L"Save or cancel your changes before choosing another profile."},
    {L"自动切换配置", L"自动切换配置...", L"开机时启动", L"当前配置：",
     L"保存或取消更改后再切换配置。", L"规则随配置一起删除：",
     L"请先保存或取消更改，再选择其他配置。"},
    {L"自動切換配置", L"自動切換配置...", L"開機時啟動", L"目前配置：",
     L"儲存或取消變更後再切換配置。", L"規則隨配置一起刪除：",
     L"請先儲存或取消變更，再選擇其他配置。"},
    {L"Automatische Profile", L"Automatische Profile...", L"Mit Windows starten",
     L"Aktives Profil: ",
     L"Das Profil wechselt, sobald die Änderungen gespeichert oder verworfen sind.",
     L"Regel mit ihrem Profil entfernt: ",
     L"Speichern oder verwerfen Sie Ihre Änderungen, bevor Sie ein anderes Profil wählen."},
    {L"Автоматические профили", L"Автоматические профили...", L"Запускать вместе с Windows",
     L"Текущий профиль: ", L"Профиль сменится после сохранения или отмены изменений.",
     L"Правило удалено вместе с профилем: ",
     L"Сохраните или отмените изменения, прежде чем выбрать другой профиль."},
}};

}  // namespace

std::wstring_view ProgramFileName(std::wstring_view path) {
  const auto last = std::find_if(path.rbegin(), path.rend(), IsSeparator);
  return path.substr(static_cast<std::size_t>(path.rend() - last));
}

bool IsFullProgramPath(std::wstring_view program) {
  return program.find_first_of(L"\\/:") != std::wstring_view::npos;
}

std::optional<std::size_t> FindProfileRule(const std::vector<ProfileRule>& rules,
                                           std::wstring_view imagePath) {
  std::optional<std::size_t> byName;
  const std::wstring_view fileName = ProgramFileName(imagePath);
  for (std::size_t i = 0; i < rules.size(); ++i) {
    const std::wstring& program = rules[i].program;
    if (IsFullProgramPath(program)) {
      if (SamePath(program, imagePath)) return i;
    } else if (!byName && !fileName.empty() && SamePath(program, fileName)) {
      byName = i;
    }
  }
  return byName;
}

void RenameProfileInRules(std::vector<ProfileRule>& rules, std::wstring_view from,
                          std::wstring_view to) {
  for (ProfileRule& rule : rules) {
    if (rule.profile == from) rule.profile = std::wstring(to);
  }
}

std::vector<std::wstring> DropRulesOfProfile(std::vector<ProfileRule>& rules,
                                             std::wstring_view profile) {
  std::vector<std::wstring> dropped;
  std::erase_if(rules, [&](const ProfileRule& rule) {
    if (rule.profile != profile) return false;
    dropped.push_back(rule.program);
    return true;
  });
  return dropped;
}

AutoProfileSettings ReadAutoProfiles(IniFile& ini, const FilePath& file) {
  AutoProfileSettings settings;
  if (!FileExists(file)) return settings;
  settings.enabled = Trimmed(ini.ReadString(file, kSection, L"Enabled")) != L"0";
  settings.handProfile = Trimmed(ini.ReadString(file, kSection, L"HandProfile"));
  const std::wstring countText = Trimmed(ini.ReadString(file, kSection, L"RuleCount"));
  std::size_t count = 0;
  for (const wchar_t c : countText) {
    if (c < L'0' || c > L'9' || count > kMaxProfileRules) break;
    count = count * 10 + static_cast<std::size_t>(c - L'0');
  }
  count = std::min(count, kMaxProfileRules);
  for (std::size_t i = 0; i < count; ++i) {
    const std::wstring index = std::to_wstring(i);
    ProfileRule rule{Trimmed(ini.ReadString(file, kSection, L"Program" + index)),
                     Trimmed(ini.ReadString(file, kSection, L"Profile" + index))};
    if (!rule.program.empty() && !rule.profile.empty()) settings.rules.push_back(std::move(rule));
  }
  return settings;
}

std::vector<std::uint8_t> AutoProfilesFileBytes(const AutoProfileSettings& settings) {
  std::wstring text = L"[AutoProfiles]\r\n";
  text += L"Enabled=" + std::wstring(settings.enabled ? L"1" : L"0") + L"\r\n";
  text += L"HandProfile=" + settings.handProfile + L"\r\n";
  text += L"RuleCount=" + std::to_wstring(settings.rules.size()) + L"\r\n";
  for (std::size_t i = 0; i < settings.rules.size(); ++i) {
    const std::wstring index = std::to_wstring(i);
    text += L"Program" + index + L"=" + settings.rules[i].program + L"\r\n";
    text += L"Profile" + index + L"=" + settings.rules[i].profile + L"\r\n";
  }
  std::vector<std::uint8_t> bytes{0xFF, 0xFE};
  AppendUtf16(ToUtf16(text), false, bytes);
  return bytes;
}

std::wstring RunKeyValue(std::wstring_view exePath) {
  return L"\"" + std::wstring(exePath) + L"\"";
}

bool RunValueStartsProgram(std::wstring_view stored, std::wstring_view exePath) {
  const std::wstring trimmed = Trimmed(std::wstring(stored));
  std::wstring_view value = trimmed;
  if (value.size() >= 2 && value.front() == L'"') {
    const std::size_t close = value.find(L'"', 1);
    if (close == std::wstring_view::npos) return false;
    value = value.substr(1, close - 1);
  }
  return !exePath.empty() && SamePath(value, exePath);
}

std::vector<std::wstring> FollowProfileList(
    std::vector<ProfileRule>& rules, const std::vector<std::wstring>& before,
    const std::vector<std::wstring>& after,
    const std::vector<std::optional<std::size_t>>& origins) {
  std::vector<std::wstring> dropped;
  if (origins.size() != after.size()) return dropped;
  std::vector<ProfileRule> kept;
  for (ProfileRule& rule : rules) {
    const auto at = std::find(before.begin(), before.end(), rule.profile);
    if (at != before.end()) {
      const auto line = static_cast<std::size_t>(at - before.begin());
      const auto now = std::find(origins.begin(), origins.end(), std::optional<std::size_t>(line));
      if (now == origins.end()) {
        dropped.push_back(std::move(rule.program));
        continue;
      }
      rule.profile = after[static_cast<std::size_t>(now - origins.begin())];
    }
    kept.push_back(std::move(rule));
  }
  rules = std::move(kept);
  return dropped;
}

const AutoProfileTexts& AutoProfileTextsFor(Language language) {
  return kTexts[LanguageIndex(language)];
}

void AutoProfileSwitcher::SetSettings(const AutoProfileSettings& settings) {
  settings_ = settings;
  saidWaiting_ = false;
}

void AutoProfileSwitcher::ObserveForeground(std::uint64_t nowMs, std::wstring_view imagePath) {
  if (seenFront_ && SamePath(front_, imagePath)) return;
  front_ = std::wstring(imagePath);
  frontSince_ = nowMs;
  seenFront_ = true;
}

void AutoProfileSwitcher::ChosenByHand(std::wstring_view profile) {
  settings_.handProfile = std::wstring(profile);
  saidWaiting_ = false;
}

std::wstring AutoProfileSwitcher::Wanted() const {
  const std::optional<std::size_t> rule = FindProfileRule(settings_.rules, front_);
  return rule ? settings_.rules[*rule].profile : settings_.handProfile;
}

AutoSwitchDecision AutoProfileSwitcher::Poll(std::uint64_t nowMs, bool unsavedEdits,
                                             bool applyRunning) {
  AutoSwitchDecision decision;
  if (!settings_.enabled || !seenFront_ || nowMs - frontSince_ < kSettleMs) return decision;
  const std::wstring wanted = Wanted();
  if (wanted.empty() || onMouse_ == wanted) {
    saidWaiting_ = false;
    return decision;
  }
  if (applyRunning) return decision;
  if (unsavedEdits) {
    decision.sayWaitingForSave = !saidWaiting_;
    saidWaiting_ = true;
    return decision;
  }
  // The switch is under way from here: asking again would apply it twice.
  onMouse_ = wanted;
  saidWaiting_ = false;
  decision.applyProfile = wanted;
  return decision;
}

void ProfileRulesEditor::Select(std::optional<std::size_t> line) {
  selected_ = line && *line < rules_.size() ? line : std::nullopt;
}

std::size_t ProfileRulesEditor::Add(std::wstring_view program) {
  for (std::size_t i = 0; i < rules_.size(); ++i) {
    if (SamePath(rules_[i].program, program)) {
      selected_ = i;
      return i;
    }
  }
  rules_.push_back({std::wstring(program), profiles_.empty() ? std::wstring() : profiles_.front()});
  selected_ = rules_.size() - 1;
  return *selected_;
}

void ProfileRulesEditor::RemoveSelected() {
  if (!selected_) return;
  rules_.erase(rules_.begin() + static_cast<std::ptrdiff_t>(*selected_));
  if (rules_.empty()) {
    selected_.reset();
  } else {
    selected_ = std::min(*selected_, rules_.size() - 1);
  }
}

void ProfileRulesEditor::SetProfileOfSelected(std::size_t index) {
  if (selected_ && index < profiles_.size()) rules_[*selected_].profile = profiles_[index];
}

std::optional<std::size_t> ProfileRulesEditor::ProfileIndexOfSelected() const {
  if (!selected_) return std::nullopt;
  const auto found = std::find(profiles_.begin(), profiles_.end(), rules_[*selected_].profile);
  if (found == profiles_.end()) return std::nullopt;
  return static_cast<std::size_t>(found - profiles_.begin());
}

const RulesWindowTexts& RulesWindowTextsFor(Language language) {
  static const std::array<RulesWindowTexts, kLanguageCount> kWindowTexts = {{
      {L"Automatic profiles", L"Program", L"Profile", L"Profile:", L"Add running program...",
       L"Browse...", L"Remove", L"OK", L"Cancel", L"No other program has a window.", L"Programs"},
      {L"自动切换配置", L"程序", L"配置", L"配置：", L"添加正在运行的程序...", L"浏览...", L"删除",
       L"确定", L"取消", L"没有其他带窗口的程序。", L"程序"},
      {L"自動切換配置", L"程式", L"配置", L"配置：", L"新增執行中的程式...", L"瀏覽...", L"移除",
       L"確定", L"取消", L"沒有其他帶視窗的程式。", L"程式"},
      {L"Automatische Profile", L"Programm", L"Profil", L"Profil:",
       L"Laufendes Programm hinzufügen...", L"Durchsuchen...", L"Entfernen", L"OK", L"Abbrechen",
       L"Kein anderes Programm hat ein Fenster.", L"Programme"},
      {L"Автоматические профили", L"Программа", L"Профиль", L"Профиль:",
       L"Добавить запущенную программу...", L"Обзор...", L"Удалить", L"ОК", L"Отмена",
       L"Нет других программ с окнами.", L"Программы"},
  }};
  return kWindowTexts[LanguageIndex(language)];
}

}  // namespace gm
