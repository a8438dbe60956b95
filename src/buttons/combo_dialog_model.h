// The combination-key dialog's state and decisions, without a window: one modifier chosen from
// a list of eight and two keys captured by name while their boxes have the focus. It always
// starts empty; confirmed, its three texts go to ButtonAssignment::PickCombo.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "buttons/key_dialog_common.h"
#include "buttons/key_names.h"
#include "config/language.h"
#include "gfx/geometry.h"

namespace gm {

// Layout in client pixels.
inline constexpr Rect kComboModifierBox{50, 70, 132, 84};   // click area
inline constexpr Rect kComboModifierText{50, 70, 116, 84};  // the chosen name, centred
inline constexpr Rect kComboModifierList{50, 87, 132, 227};
inline constexpr Rect kComboFirstKeyBox{50, 120, 131, 134};
inline constexpr Rect kComboSecondKeyBox{50, 170, 131, 184};
inline constexpr Rect kComboOkButton{250, 250, 308, 275};
inline constexpr Rect kComboCancelButton{314, 250, 372, 275};

struct ComboDialogResult {
  bool confirmed = false;
  std::wstring modifierName;
  std::wstring key1Name;
  std::wstring key2Name;
};

struct ComboDialogTexts {
  std::wstring_view ok;
  std::wstring_view cancel;
};
ComboDialogTexts ComboDialogTextsFor(Language language);

// Which key box has the keyboard focus when a key is captured.
enum class KeyBoxFocus { None, First, Second };

// What a left press did: the list may have closed or opened; the dialog may end.
struct ComboClick {
  bool listClosed = false;
  bool listOpened = false;
  DialogEnd end = DialogEnd::None;
};

class ComboDialogModel {
 public:
  ComboDialogModel();

  // A key the hook saw (pressed or released): its name goes to the box with the focus.
  // Returns the box that changed (None when no key box had the focus).
  KeyBoxFocus OnKeyName(std::wstring_view name, KeyBoxFocus focus);
  // A left press in the dialog itself (the key boxes and the open list take their own).
  ComboClick OnLeftButtonDown(Point p);
  // A selection or double click in the open list; nothing without a selection (or outside
  // the eight items). True when a name was taken: the list then closes.
  bool ChooseModifier(std::optional<std::size_t> position);

  const std::wstring& modifierName() const { return modifierName_; }
  const std::wstring& key1Name() const { return key1Name_; }
  const std::wstring& key2Name() const { return key2Name_; }
  bool listOpen() const { return listOpen_; }
  // The key boxes are usable only while the list is closed (the list lies over them).
  bool keyBoxesEnabled() const { return !listOpen_; }
  DialogButtonHover& hover() { return hover_; }
  const DialogButtonHover& hover() const { return hover_; }

  ComboDialogResult Result(DialogEnd end) const;

  // Keyboard messages the dialog discards: Enter and Esc key-downs.
  static bool Discards(unsigned message, std::uintptr_t wParam) {
    return IsEnterOrEscKeyDown(message, wParam);
  }

  // The list's items: the modifier names, the same in every language.
  static std::array<std::wstring_view, kModifierNameCount> ModifierItems();

 private:
  std::wstring modifierName_;
  std::wstring key1Name_;
  std::wstring key2Name_;
  bool listOpen_ = false;
  DialogButtonHover hover_;
};

}  // namespace gm
