// Automatic profiles: rules that tie a program to one of the named configurations, the file
// that keeps them, and the switcher that decides from the program in front, over time, which
// profile the mouse should hold. The switcher is pure: the window feeds it what owns the
// foreground and the clock, and carries out what it answers (load, apply, balloon).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/language.h"
#include "platform/file_path.h"
#include "platform/ini_file.h"

namespace gm {

// The rules file beside the program's other files (UTF-16LE with a byte-order mark):
//   [AutoProfiles]
//   Enabled=1              automatic switching on (1) or off (0)
//   HandProfile=Office     the profile the user chose last by hand
//   RuleCount=2
//   Program0=game.exe      a file name, or a full path
//   Profile0=Game_1        a name of the ProfileList
inline constexpr wchar_t kAutoProfilesFileName[] = L"autoprofiles.ini";
inline constexpr std::size_t kMaxProfileRules = 256;

struct ProfileRule {
  std::wstring program;
  std::wstring profile;
};

struct AutoProfileSettings {
  bool enabled = true;
  std::wstring handProfile;
  std::vector<ProfileRule> rules;
};

// The file name at the end of a path, after its last '\' or '/'.
std::wstring_view ProgramFileName(std::wstring_view path);

// A rule's program names a full path when it holds a folder separator or a drive colon.
bool IsFullProgramPath(std::wstring_view program);

// The rule for the program at imagePath: one naming that full path wins over one naming its
// file name; both compare without case, '/' and '\' alike. Nothing when no rule matches.
std::optional<std::size_t> FindProfileRule(const std::vector<ProfileRule>& rules,
                                           std::wstring_view imagePath);

// What a profile's rename or deletion does to the rules: they follow a new name; a deleted
// profile's rules go, and their programs are returned (for the balloon).
void RenameProfileInRules(std::vector<ProfileRule>& rules, std::wstring_view from,
                          std::wstring_view to);
std::vector<std::wstring> DropRulesOfProfile(std::vector<ProfileRule>& rules,
                                             std::wstring_view profile);
// The profile manager's close changed the ProfileList from `before` to `after`; origins gives,
// per line of `after`, its line in `before` (nothing for a new line). A rule follows its
// profile: it takes the profile's new name when it was renamed, and goes when it was deleted.
// Rules naming no profile of `before` stay as they are, and so do all when origins does not
// match `after` (the list was not written). The programs of the rules that went are returned.
std::vector<std::wstring> FollowProfileList(std::vector<ProfileRule>& rules,
                                            const std::vector<std::wstring>& before,
                                            const std::vector<std::wstring>& after,
                                            const std::vector<std::optional<std::size_t>>& origins);

// Reads the rules file; a missing or damaged file gives the defaults (no rules, switching on).
// Rules with an empty program or profile, and those past kMaxProfileRules, are left out.
AutoProfileSettings ReadAutoProfiles(IniFile& ini, const FilePath& file);
// The file's whole text, as one replace writes it.
std::vector<std::uint8_t> AutoProfilesFileBytes(const AutoProfileSettings& settings);

// The value under the current user's Run key that starts the program with Windows: its full
// path in quotes. RunValueStartsProgram tells whether a value found there names this program.
inline constexpr wchar_t kRunKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValueName[] = L"QL-GM900";
std::wstring RunKeyValue(std::wstring_view exePath);
bool RunValueStartsProgram(std::wstring_view value, std::wstring_view exePath);

// Texts of the tray menu's new items and of the switcher's balloons.
struct AutoProfileTexts {
  std::wstring automatic;        // check item: switching on or off
  std::wstring rulesWindow;      // opens the rules window
  std::wstring startWithSystem;  // check item: the Run key value
  std::wstring switchedTo;       // balloon, followed by the profile's name
  std::wstring waitingForSave;   // balloon: a switch waits for unsaved edits
  std::wstring ruleDropped;      // balloon, followed by the program of a dropped rule
  std::wstring saveFirst;        // balloon: a profile chosen by hand is refused for the edits
};
const AutoProfileTexts& AutoProfileTextsFor(Language language);

// What the window should do after the switcher looked at the program in front.
struct AutoSwitchDecision {
  std::optional<std::wstring> applyProfile;  // load this profile and apply it to the mouse
  bool sayWaitingForSave = false;            // show once: a switch waits for the edits
};

// The program in front, debounced. A program that holds the foreground for kSettleMs decides
// the wanted profile: its rule's profile, or the hand profile when no rule matches. The
// program's own windows, the desktop and the taskbar are not observed at all (the caller
// leaves them out), so they never count as a change.
class AutoProfileSwitcher {
 public:
  static constexpr std::uint64_t kSettleMs = 500;

  void SetSettings(const AutoProfileSettings& settings);
  const AutoProfileSettings& Settings() const { return settings_; }

  // The program owning the foreground window at nowMs (its image path).
  void ObserveForeground(std::uint64_t nowMs, std::wstring_view imagePath);
  // What to do now. While an apply runs or the edits are unsaved nothing is applied; the wanted
  // profile is worked out again on the next call, so the newest wish wins.
  AutoSwitchDecision Poll(std::uint64_t nowMs, bool unsavedEdits, bool applyRunning);

  // The mouse got this profile's configuration from this program (a switch, a Save, a choice
  // by hand); after an unplug nothing is known of what it holds.
  void MouseHolds(std::wstring_view profile) { onMouse_ = std::wstring(profile); }
  void MouseUnplugged() { onMouse_.reset(); }
  // A profile chosen by hand becomes the one to come back to.
  void ChosenByHand(std::wstring_view profile);

 private:
  std::wstring Wanted() const;

  AutoProfileSettings settings_;
  std::wstring front_;            // image path of the program in front
  std::uint64_t frontSince_ = 0;  // when it came to the front
  bool seenFront_ = false;
  std::optional<std::wstring> onMouse_;  // profile the mouse holds from us
  bool saidWaiting_ = false;             // the waiting balloon was shown for this wish
};

// The rules window's state: the rules being edited, the profile names to choose from and the
// line selected.
class ProfileRulesEditor {
 public:
  ProfileRulesEditor(std::vector<ProfileRule> rules, std::vector<std::wstring> profiles)
      : rules_(std::move(rules)), profiles_(std::move(profiles)) {}

  const std::vector<ProfileRule>& Rules() const { return rules_; }
  const std::vector<std::wstring>& Profiles() const { return profiles_; }
  std::optional<std::size_t> Selected() const { return selected_; }
  void Select(std::optional<std::size_t> line);

  // A rule for the program, its profile the first name; a program that has a rule already
  // (the same text, case aside) keeps it. Either way its line is selected and returned.
  std::size_t Add(std::wstring_view program);
  void RemoveSelected();
  // The selected rule's profile becomes Profiles()[index].
  void SetProfileOfSelected(std::size_t index);
  // The index in Profiles() of the selected rule's profile, if it names one.
  std::optional<std::size_t> ProfileIndexOfSelected() const;

 private:
  std::vector<ProfileRule> rules_;
  std::vector<std::wstring> profiles_;
  std::optional<std::size_t> selected_;
};

// The rules window's texts.
struct RulesWindowTexts {
  std::wstring title;
  std::wstring programColumn;
  std::wstring profileColumn;
  std::wstring profileLabel;  // before the selected rule's profile
  std::wstring addRunning;    // a menu of the programs running with a window
  std::wstring browse;        // a file dialog for an .exe
  std::wstring remove;
  std::wstring ok;
  std::wstring cancel;
  std::wstring noPrograms;      // the menu's one line when no other program has a window
  std::wstring programsFilter;  // the file dialog's filter name for programs
};
const RulesWindowTexts& RulesWindowTextsFor(Language language);

}  // namespace gm
