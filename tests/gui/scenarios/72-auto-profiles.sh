# Automatic profiles: a rule ties Notepad to Profile_2. Notepad in front waits for an unsaved
# edit to be saved, then puts Profile_2's configuration on the mouse with a balloon, another program in front brings the user's own
# profile back, Notepad again switches once more. The tray menu's new items in five languages
# (photographed), Start with Windows through the real Run key, and the rules window.
# shellcheck shell=bash

# The blocks of the last Save in the trace, two writes to a line, as encode prints them.
auto_last_save_blocks() {
  awk '/^set-feature 00 02 /{data=""; n=0} /^write 00 /{sub(/^write 00 /, ""); data=data $0 (n % 2 ? "\n" : " "); n++} END{printf "%s", data}' \
    "$GUI_APP/trace.txt"
}

auto_encoded_blocks() {  # configuration file of the program's folder
  (cd "$GUI_APP" && wine "$GM_ROOT/build/win64/gm900ctl.exe" encode "$1" |
    tr -d "\r" | sed "s/^macro-block [0-9]* //; s/^[a-z-]* //")
}

auto_blocks_are() {  # configuration file
  [ "$(auto_last_save_blocks)" = "$(auto_encoded_blocks "$1")" ]
}

# The rules file as the program writes it: UTF-16LE with a byte-order mark.
auto_write_rules() {
  python3 - "$GUI_APP/autoprofiles.ini" <<'PY'
import sys
text = "[AutoProfiles]\r\nEnabled=1\r\nRuleCount=1\r\nProgram0=notepad.exe\r\nProfile0=Profile_2\r\n"
open(sys.argv[1], 'wb').write(b'\xff\xfe' + text.encode('utf-16-le'))
PY
}

auto_current_profile() {
  python3 - "$GUI_APP/str.ini" <<'PY'
import sys
for line in open(sys.argv[1], encoding='utf-16').read().splitlines():
    if line.startswith('CurProfileName='):
        print(line.split('=', 1)[1])
PY
}

scenario_mouse_follows_notepad() {
  auto_write_rules
  # Profile_2 differs from Profile_1 (the factory files are the same): stage 3 at 2400 dpi.
  python3 - "$GUI_APP/config1.bin" <<'PY'
import sys
data = bytearray(open(sys.argv[1], 'rb').read())
data[10] = 24
open(sys.argv[1], 'wb').write(data)
PY
  cp "$GM_ROOT/build/win64/gui_tool.exe" "$GUI_APP/"
  gui_start
  gui_window >/dev/null || { gui_fail "window"; return; }
  gui_check "the rule is read" gui_wait_log '^autoprofiles-read 1$' 10
  local window
  window=$(gui_window) || { gui_fail "window"; return; }
  gui_wait_log '^window-shown$' || { gui_fail "shown"; return; }
  # An unsaved edit (DPI stage 2 off) holds the switch back until it is saved.
  xdotool mousemove --window "$window" 800 40 click 1
  sleep 0.4
  xdotool mousemove --window "$window" 780 248 click 1
  gui_wait_log '^page dpi-enable 2 0$' 5 || { gui_fail "the edit"; return; }

  (cd "$GUI_APP" && wine notepad >/dev/null 2>&1) &
  gui_check "the switch waits for the edit" gui_wait_log '^profile-auto-waits$' 10
  gui_check "a balloon says so" \
    gui_wait_log '^balloon Info\|The profile changes once your changes are saved or cancelled.\|5000$' 5
  sleep 2
  gui_check "once, and nothing switched" bash -c \
    "[ \"\$(grep -c '^profile-auto-waits$' '$GUI_APP/ui.txt')\" -eq 1 ] &&
     ! grep -q '^profile-auto ' '$GUI_APP/ui.txt'"
  # The program's own window in front does not count as a change; its Save sends the edit.
  gui_check "own window brought forward" wine "$GUI_APP/gui_tool.exe" front KX512OEMNewGMClass
  sleep 0.5
  xdotool mousemove --window "$window" 950 618 click 1
  gui_check "the user's Save ends" gui_eventually 15 gui_count_is ui.txt '^save-done$' 1
  gui_check "then Notepad brings Profile_2" gui_wait_log '^profile-auto Profile_2$' 15
  gui_check "a balloon names it" gui_wait_log '^balloon Info\|Profile in use: Profile_2\|5000$' 10
  gui_check "its Save ends" gui_eventually 15 gui_count_is ui.txt '^save-done$' 2
  gui_check "the mouse holds Profile_2's blocks" auto_blocks_are config1.bin
  gui_check "Profile_2 is the profile in use" [ "$(auto_current_profile)" = Profile_2 ]

  # Another program in front: the user's own profile comes back.
  (cd "$GUI_APP" && wine ./gui_tool.exe hold >/dev/null 2>&1) &
  gui_check "Profile_1 comes back" gui_wait_log '^profile-auto Profile_1$' 15
  gui_check "its Save ends" gui_eventually 15 gui_count_is ui.txt '^save-done$' 3
  gui_check "the mouse holds Profile_1's blocks" auto_blocks_are config0.bin
  gui_check "Profile_1 is the profile in use" [ "$(auto_current_profile)" = Profile_1 ]

  # Notepad to the front once more.
  gui_check "Notepad brought forward" wine "$GUI_APP/gui_tool.exe" front Notepad
  gui_check "Profile_2 again" gui_eventually 15 gui_count_is ui.txt '^profile-auto Profile_2$' 2
  gui_check "its Save ends" gui_eventually 15 gui_count_is ui.txt '^save-done$' 4
  gui_check "the mouse holds Profile_2's blocks again" auto_blocks_are config1.bin
  gui_check "no more Saves than switches" \
    [ "$(grep -c '^set-feature 00 02 ' "$GUI_APP/trace.txt")" -eq 4 ]
}

# Opens the tray menu and waits for its items. From the bottom: 1 Exit, 2 Start with Windows,
# 3 Automatic profiles..., 4 Automatic profiles, 5-10 Profile_6 .. Profile_1.
auto_open_tray_menu() {
  : >"$GUI_APP/ui.txt"
  gui_tray_click 3
  gui_wait_log '^tray-menu ' 5 || return 1
  sleep 0.5
}

scenario_tray_menu_in_five_languages() {
  local code automatic
  for code in ENG CHS CHT GER RUS; do
    case "$code" in
      ENG) automatic="Automatic profiles" ;; CHS) automatic="自动切换配置" ;;
      CHT) automatic="自動切換配置" ;; GER) automatic="Automatische Profile" ;;
      RUS) automatic="Автоматические профили" ;;
    esac
    gui_fresh_app "auto-menu-$code"
    cp "$GM_ROOT/build/win64/gui_tool.exe" "$GUI_APP/"
    [ "$code" = ENG ] || gui_set_ini str0.ini Skins Lan "$code"
    gui_start
    gui_window >/dev/null || { gui_fail "$code: window"; return; }
    gui_wait_log '^window-shown$' || { gui_fail "$code: shown"; return; }
    auto_open_tray_menu || { gui_fail "$code: tray menu"; return; }
    gui_check "$code: the profile in use is checked" gui_wait_log '^tray-menu Profile_1 \[x\]$' 5
    gui_check "$code: the others are not" gui_wait_log '^tray-menu Profile_6$' 5
    gui_check "$code: automatic switching checked" gui_wait_log "^tray-menu $automatic \\[x\\]\$" 5
    gui_check "$code: the rules window's item" gui_wait_log "^tray-menu $automatic\\.\\.\\.\$" 5
    gui_screenshot "auto-tray-menu-$code"
    gui_choose_menu_item_from_bottom 3
    gui_check "$code: rules window opened" gui_wait_log '^rules-open$' 5
    sleep 1
    gui_screenshot "auto-rules-window-$code"
    # Closed as its close box would (the keyboard's focus stays with the tray under Xvfb).
    wine "$GUI_APP/gui_tool.exe" post QLGM900RulesWindow 16 0
    gui_check "$code: rules window cancelled" gui_wait_log '^rules-cancel$' 5
    gui_stop
  done
}

# Start with Windows is off by default; the menu turns it on, its check mark then shows the
# Run key's value, and turns it off again. Automatic switching off is written to the file. A
# profile chosen by hand is sent and remembered, or refused while an edit is unsaved.
scenario_start_with_windows_and_switching_off() {
  gui_start
  local window
  window=$(gui_window) || { gui_fail "window"; return; }
  gui_wait_log '^window-shown$' || { gui_fail "shown"; return; }
  auto_open_tray_menu || { gui_fail "tray menu"; return; }
  gui_check "off by default" gui_wait_log '^tray-menu Start with Windows$' 5
  gui_choose_menu_item_from_bottom 2
  gui_check "turned on" gui_wait_log '^start-with-windows-on$' 5
  gui_check "the Run key holds the quoted path" bash -c \
    "wine reg query 'HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run' /v QL-GM900 |
     tr -d '\r' | grep -q 'QL-GM900 *REG_SZ *\"[A-Z]:.*QL-GM900.exe\"$'"
  auto_open_tray_menu || { gui_fail "tray menu again"; return; }
  gui_check "checked now" gui_wait_log '^tray-menu Start with Windows \[x\]$' 5
  gui_choose_menu_item_from_bottom 2
  gui_check "turned off" gui_wait_log '^start-with-windows-off$' 5
  auto_open_tray_menu || { gui_fail "tray menu a third time"; return; }
  gui_choose_menu_item_from_bottom 4
  gui_check "switching off" gui_wait_log '^autoprofiles-off$' 5
  gui_check "written to the rules file" bash -c \
    "iconv -f UTF-16 -t UTF-8 '$GUI_APP/autoprofiles.ini' | tr -d '\r' | grep -qx 'Enabled=0'"
  auto_open_tray_menu || { gui_fail "tray menu a fourth time"; return; }
  gui_check "unchecked" gui_wait_log '^tray-menu Automatic profiles$' 5
  # A profile chosen by hand (the keys pass over the separators): loaded, sent, remembered.
  gui_choose_menu_item_from_bottom 9
  gui_check "Profile_2 chosen" gui_wait_log '^profile-choice Profile_2$' 5
  gui_check "and sent" gui_wait_log '^save-done$' 15
  gui_check "the profile in use" [ "$(auto_current_profile)" = Profile_2 ]
  gui_check "the one to come back to" bash -c \
    "iconv -f UTF-16 -t UTF-8 '$GUI_APP/autoprofiles.ini' | tr -d '\r' | grep -qx 'HandProfile=Profile_2'"
  auto_open_tray_menu || { gui_fail "tray menu a fifth time"; return; }
  gui_check "checked in the menu" gui_wait_log '^tray-menu Profile_2 \[x\]$' 5
  xdotool key Escape
  # With an unsaved edit a choice by hand is refused with a balloon; the edit stays.
  xdotool mousemove --window "$window" 800 40 click 1
  sleep 0.4
  xdotool mousemove --window "$window" 780 248 click 1
  gui_wait_log '^page dpi-enable 2 0$' 5 || { gui_fail "the edit"; return; }
  sleep 2.5  # past the last Save's busy time
  auto_open_tray_menu || { gui_fail "tray menu a sixth time"; return; }
  gui_choose_menu_item_from_bottom 8
  gui_check "Profile_3 refused" gui_wait_log '^profile-choice-refused Profile_3$' 5
  gui_check "a balloon says why" gui_wait_log \
    '^balloon Info\|Save or cancel your changes before choosing another profile.\|5000$' 5
  gui_check "Profile_2 still in use" [ "$(auto_current_profile)" = Profile_2 ]
  gui_check "nothing sent" bash -c "! grep -q '^save' '$GUI_APP/ui.txt'"
}

gui_run_scenario auto-profiles-follow-notepad scenario_mouse_follows_notepad
gui_run_scenario auto-profiles-tray-menu scenario_tray_menu_in_five_languages
gui_run_scenario auto-profiles-start-with-windows scenario_start_with_windows_and_switching_off
