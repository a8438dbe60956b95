// The profile manager ("Configuration"): the ProfileList of str.ini as a list of up to six
// names that the user adds to, copies, renames, deletes and chooses from, and the requests for
// import, export and reload it hands to the main window. It edits names only: a name stands for
// the configuration files of its position (config%d.bin, str%d.ini), and the list reaches
// str.ini only when the manager is closed.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "config/language.h"
#include "config/profile_command.h"
#include "config/records.h"
#include "gfx/geometry.h"
#include "platform/file_path.h"
#include "platform/host.h"
#include "platform/ini_file.h"

namespace gm {

// The context menu of the name list (menu resource 181, popup "ProfileList").
inline constexpr int kProfileMenuResource = 181;
inline constexpr unsigned kCmdProfileDelete = 32789;
inline constexpr unsigned kCmdProfileEdit = 32790;
inline constexpr unsigned kCmdProfileCopy = 32791;
inline constexpr unsigned kCmdProfileLoad = 32792;
inline constexpr unsigned kCmdProfileSave = 32793;

// Layout of the window, in its own pixels.
inline constexpr int kProfileListId = 130;
inline constexpr Rect kProfileTitle{10, 0, 80, 31};
inline constexpr Rect kProfileCloseBox{240, 8, 255, 23};
inline constexpr Rect kProfileNameList{0, 31, 263, 575};
inline constexpr Rect kProfileNewButton{0, 575, 263, 598};
inline constexpr Point kProfileNewIconAt{14, 582};
inline constexpr Rect kProfileNewText{30, 575, 80, 598};
inline constexpr std::uint8_t kProfileOpacity = 178;  // of 255, for the whole window
inline constexpr Rgb kProfileListText{250, 250, 250};
inline constexpr Rgb kProfileListBrush{40, 40, 40};

inline constexpr wchar_t kProfileBackgroundFailed[] =
    L"Config Dialog Load background image failed!!!";

struct ProfileManagerTexts {
  std::wstring title;
  std::wstring newButton;
  std::wstring menuDelete;
  std::wstring menuEdit;
  std::wstring copyWord;  // the Copy item, and the first word of a copy's name
  std::wstring menuLoad;
  std::wstring menuSave;
  std::wstring limitCaption;
  std::wstring limitMessage;
  std::wstring baseWord;  // of the names that New makes
};

const ProfileManagerTexts& ProfileManagerTextsFor(Language language);

// The names of the ProfileList in str.ini (none when the file or a count of 1-6 is missing),
// and the line of the one in use among them.
std::vector<std::wstring> ReadProfileNames(IniFile& ini, const FilePath& profileList);
std::optional<std::size_t> CurrentProfileLine(IniFile& ini, const FilePath& profileList,
                                              const std::vector<std::wstring>& names);
// Makes `name` the profile in use (CurProfileName), as the manager's close does.
bool WriteCurrentProfileName(IniFile& ini, const FilePath& profileList, const std::wstring& name);

class ProfileManager {
 public:
  // Hands a profile message (0xB03) to the main window: command and position.
  using PostCommand = std::function<void(ProfileCommand command, std::size_t position)>;

  // profileList: the path of str.ini.
  ProfileManager(IniFile& ini, Host& host, FilePath profileList, Language language,
                 PostCommand post);

  // Reads the ProfileList and selects the configuration in use.
  void Open();
  bool open() const { return open_; }
  const ProfileManagerTexts& texts() const { return texts_; }
  const std::vector<std::wstring>& names() const { return names_; }
  // Per line, the line it was when the manager opened; nothing for a line New or Copy added.
  // Tells a rename and a deletion apart where the names alone cannot.
  const std::vector<std::optional<std::size_t>>& origins() const { return origins_; }
  std::optional<std::size_t> selected() const { return selected_; }
  // The position last chosen for Load, Save or the close.
  std::optional<std::size_t> chosenPosition() const { return chosen_; }

  // A click on a line selects it and makes it the line that Edit acts on.
  void ClickLine(std::size_t line);
  // The selection moved without a click (the keyboard).
  void SetSelection(std::optional<std::size_t> line);

  // Appends a new name and selects it; with six names it says that six is the limit.
  void New();
  // Appends "<copy word> <selected name>" while there is room (1 to 5 names).
  void Copy();
  // Removes the selected name unless it is the only one; nothing is selected afterwards.
  void Delete();
  // Edit, or a double-click: true when the in-place editor is to open over the selected line,
  // which is the case when that line is the one last clicked or asked to edit; otherwise the
  // selected line is remembered for the next request.
  bool Edit();
  // The editor's committed text replaces the line, which becomes selected.
  void Rename(std::size_t line, std::wstring name);
  // Import into, or export, the configuration in use: handed to the main window.
  void Load();
  void Save();
  // The close box: writes the ProfileList and asks the main window to reload (which it does
  // when another profile is now in use or an import was read).
  void Close();

 private:
  void Request(ProfileCommand command);
  void WriteProfileList();

  IniFile& ini_;
  Host& host_;
  FilePath profileList_;
  const ProfileManagerTexts& texts_;
  PostCommand post_;
  std::vector<std::wstring> names_;
  std::vector<std::optional<std::size_t>> origins_;  // parallel to names_
  std::optional<std::size_t> selected_;
  std::optional<std::size_t> editTarget_;  // the line last clicked or asked to edit
  std::optional<std::size_t> chosen_;
  bool open_ = false;
};

}  // namespace gm
