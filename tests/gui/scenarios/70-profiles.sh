# The profile manager opened from the Config button: names added, copied, renamed, deleted and
# chosen, the ProfileList it writes at the close and the configuration the main window uses
# then, import and export through its menu, and its texts in other languages.
# shellcheck shell=bash

PROFILES_MAIN=""
PROFILES_WINDOW=""
PROFILES_LINE=17

profiles_start() {
  gui_start
  PROFILES_MAIN=$(gui_window) || { gui_fail "window"; return 1; }
  gui_wait_log '^window-shown$' || { gui_fail "full draw"; return 1; }
}

# Clicks the Config button and finds the profile manager's window by its title.
profiles_open() {  # title
  : >"$GUI_APP/ui.txt"
  xdotool mousemove --window "$PROFILES_MAIN" 78 619 click 1
  gui_wait_log '^profiles-open$' 5 || { gui_fail "profile manager opened"; return 1; }
  local i
  for i in $(seq 50); do
    PROFILES_WINDOW=$(xdotool search --onlyvisible --name "^${1:-Configuration}\$" 2>/dev/null | head -n 1)
    [ -n "$PROFILES_WINDOW" ] && break
    sleep 0.1
  done
  [ -n "$PROFILES_WINDOW" ] || { gui_fail "profile manager window"; return 1; }
  PROFILES_LINE=$(sed -n 's/^profiles-line-height \([0-9]*\)$/\1/p' "$GUI_APP/ui.txt" | tail -n 1)
  sleep 0.3
}

profiles_line_y() { echo $((31 + $1 * PROFILES_LINE + PROFILES_LINE / 2)); }  # line from 0

profiles_click_line() { xdotool mousemove --window "$PROFILES_WINDOW" 100 "$(profiles_line_y "$1")" click 1; }

# Item k (1 = Delete, 2 = Edit, 3 = Copy, 4 = Load, 5 = Save) of the context menu over line n.
profiles_menu() {  # line item
  xdotool mousemove --window "$PROFILES_WINDOW" 100 "$(profiles_line_y "$1")" click 3
  gui_wait_log '^profiles-menu$' 5 || { gui_fail "context menu"; return 1; }
  sleep 0.4
  local k
  for k in $(seq "$2"); do xdotool key Down 2>/dev/null; done
  xdotool key Return 2>/dev/null
  sleep 0.3
}

profiles_close() {
  xdotool mousemove --window "$PROFILES_WINDOW" 247 15 click 1
  gui_wait_log '^profiles-close$' 5 || gui_fail "closed"
}

profiles_key() { ini_value "$GUI_APP/str.ini" Profile "$1"; }

# The value of a key of a UTF-16 INI file.
ini_value() {  # file section key
  python3 - "$@" <<'PY'
import sys
path, section, key = sys.argv[1:]
inside = False
for line in open(path, encoding='utf-16').read().splitlines():
    s = line.strip()
    if s.startswith('['):
        inside = s[1:-1].lower() == section.lower()
    elif inside and '=' in s and s.split('=', 1)[0].strip().lower() == key.lower():
        print(s.split('=', 1)[1].strip())
        break
PY
}

flag_of() { head -c 1 "$1" | od -An -tu1 | tr -d ' '; }

# The value of a key of the automatic profiles' rules file.
rules_key() { ini_value "$GUI_APP/autoprofiles.ini" AutoProfiles "$1"; }

scenario_delete_new_and_switch() {
  # Rules follow their profile through the close: a deleted profile's rule goes with a balloon.
  python3 - "$GUI_APP/autoprofiles.ini" <<'PY'
import sys
text = ("[AutoProfiles]\r\nEnabled=1\r\nRuleCount=2\r\nProgram0=a.exe\r\nProfile0=Profile_3\r\n"
        "Program1=b.exe\r\nProfile1=Profile_6\r\n")
open(sys.argv[1], 'wb').write(b'\xff\xfe' + text.encode('utf-16-le'))
PY
  profiles_start || return
  profiles_open || return
  gui_screenshot profiles-english
  profiles_click_line 2
  profiles_menu 2 1  # Delete Profile_3
  gui_check "Delete posts nothing" [ "$(grep -c '^profiles-post' "$GUI_APP/ui.txt")" -eq 0 ]
  xdotool mousemove --window "$PROFILES_WINDOW" 150 586 click 1  # New
  sleep 0.3
  xdotool mousemove --window "$PROFILES_MAIN" 78 619 click 1  # Config again: already open
  sleep 0.5
  gui_check "one profile manager" [ "$(grep -c '^profiles-open$' "$GUI_APP/ui.txt")" -eq 1 ]
  profiles_close
  gui_check "reload asked for" gui_wait_log '^profiles-post 2 0$' 2
  gui_check "main window reloaded" gui_wait_log '^relayout$' 5
  gui_check "six names" [ "$(profiles_key ItemCount)" = 6 ]
  gui_check "Profile_4 moved up" [ "$(profiles_key Item2)" = Profile_4 ]
  gui_check "new name after Profile_6" [ "$(profiles_key Item5)" = Name_7 ]
  gui_check "the new name is in use" [ "$(profiles_key CurProfileName)" = Name_7 ]
  gui_check "the dialog is gone" gui_no_window_named Configuration
  gui_check "a.exe's rule went with Profile_3" [ "$(rules_key RuleCount)" = 1 ]
  gui_check "the drop is said" gui_wait_log '^rule-dropped a.exe$' 2
  gui_check "b.exe's rule still names Profile_6" \
    [ "$(rules_key Program0)/$(rules_key Profile0)" = b.exe/Profile_6 ]
  gui_check "the chosen profile is the hand profile" [ "$(rules_key HandProfile)" = Name_7 ]
  # A Save now goes to the files of position 5.
  xdotool mousemove --window "$PROFILES_MAIN" 950 618 click 1
  gui_check "Save finished" gui_wait_log '^save-done$' 15
  gui_check "config5.bin saved" [ "$(flag_of "$GUI_APP/config5.bin")" = 1 ]
  gui_check "config0.bin untouched" cmp -s "$GUI_APP/config0.bin" "$GUI_DIST/config0.bin"
}

gui_no_window_named() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }

scenario_rename_copy_and_limit() {
  profiles_start || return
  profiles_open || return
  xdotool mousemove --window "$PROFILES_WINDOW" 150 586 click 1  # New with six names
  local box="" i
  for i in $(seq 50); do
    box=$(xdotool search --onlyvisible --name '^Warning$' 2>/dev/null | head -n 1)
    [ -n "$box" ] && break
    sleep 0.1
  done
  gui_check "limit message" [ -n "$box" ]
  [ -n "$box" ] && xdotool key --window "$box" Return
  sleep 0.3
  # A double-click on a line opens the editor over it.
  xdotool mousemove --window "$PROFILES_WINDOW" 100 "$(profiles_line_y 1)" click --repeat 2 --delay 80 1
  gui_check "editor open" gui_wait_log '^profiles-editing 1$' 5
  sleep 0.3
  xdotool key End shift+Home 2>/dev/null
  xdotool type --delay 30 "Gaming" 2>/dev/null
  gui_screenshot profiles-editing
  xdotool key Return 2>/dev/null
  gui_check "renamed" gui_wait_log '^profiles-renamed Gaming$' 5
  profiles_click_line 3
  profiles_menu 3 1  # Delete Profile_4: room for a copy
  profiles_click_line 0
  profiles_menu 0 3  # Copy Profile_1
  profiles_close
  gui_check "renamed line kept its place" [ "$(profiles_key Item1)" = Gaming ]
  gui_check "Profile_4 deleted" [ "$(profiles_key Item3)" = Profile_5 ]
  gui_check "copy appended" [ "$(profiles_key Item5)" = "Copy Profile_1" ]
  gui_check "the line clicked last is in use" [ "$(profiles_key CurProfileName)" = Profile_1 ]
}

# True when the profile manager's top-left corner is the main window's.
profiles_at_main_origin() {
  local main dialog
  main=$(xdotool getwindowgeometry --shell "$PROFILES_MAIN" 2>/dev/null | grep -E '^[XY]=')
  dialog=$(xdotool getwindowgeometry --shell "$PROFILES_WINDOW" 2>/dev/null | grep -E '^[XY]=')
  [ -n "$main" ] && [ "$main" = "$dialog" ]
}

profiles_main_at() {  # x y
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$PROFILES_MAIN" 2>/dev/null)"
  [ "${X:-}" = "$1" ] && [ "${Y:-}" = "$2" ]
}

# The profile manager keeps to the main window: moved, hidden and shown with it.
profiles_follow_main() {
  xdotool windowmove "$PROFILES_MAIN" 60 40
  gui_check "main window moved" gui_eventually 15 profiles_main_at 60 40
  gui_check "moved with the main window" gui_eventually 15 profiles_at_main_origin
  xdotool mousemove --window "$PROFILES_MAIN" 965 12 click 1  # minimise: the window hides
  gui_check "main window hidden" gui_wait_log '^window-hidden$' 5
  # Wine without a window manager takes about 2 s per hidden window to unmap it.
  gui_check "hidden with the main window" gui_eventually 15 gui_no_window_named Configuration
  gui_tray_click 1
  gui_check "main window shown" gui_wait_log '^window-shown$' 5
  gui_check "shown with the main window" \
    gui_eventually 15 xdotool search --onlyvisible --name '^Configuration$'
  gui_check "back at the main window's corner" gui_eventually 15 profiles_at_main_origin
}

scenario_export_and_import() {
  cp "$GUI_APP/config3.bin" "$GUI_APP/import-me.bin"
  printf 'one byte changed' | dd of="$GUI_APP/import-me.bin" bs=1 seek=100 conv=notrunc 2>/dev/null
  cp "$GUI_APP/str3.ini" "$GUI_APP/import-me.ini"
  profiles_start || return
  profiles_open || return
  profiles_follow_main
  profiles_click_line 0
  profiles_menu 0 5  # Save: export
  gui_check "export asked for" gui_wait_log '^profiles-post 1 0$' 2
  local dialog="" i
  for i in $(seq 100); do
    dialog=$(xdotool search --onlyvisible --name '^Save As$' 2>/dev/null | head -n 1)
    [ -n "$dialog" ] && break
    sleep 0.1
  done
  gui_check "save dialog" [ -n "$dialog" ]
  if [ -n "$dialog" ]; then
    sleep 0.5
    xdotool type --window "$dialog" --delay 30 "exported"
    xdotool key --window "$dialog" Return
  fi
  gui_check "exported.bin written" \
    bash -c "for i in \$(seq 50); do [ -s '$GUI_APP/exported.bin' ] && exit 0; sleep 0.1; done; exit 1"
  gui_check "exported.bin is a configuration" [ "$(stat -c %s "$GUI_APP/exported.bin")" -eq 2855 ]
  gui_check "exported.ini written" [ -s "$GUI_APP/exported.ini" ]

  profiles_menu 0 4  # Load: import
  gui_check "import asked for" gui_wait_log '^profiles-post 0 0$' 2
  dialog=""
  for i in $(seq 100); do
    dialog=$(xdotool search --onlyvisible --name '^Open$' 2>/dev/null | head -n 1)
    [ -n "$dialog" ] && break
    sleep 0.1
  done
  gui_check "open dialog" [ -n "$dialog" ]
  gui_check "the profile manager is held" gui_wait_log '^profiles-held$' 2
  gui_screenshot profiles-file-dialog
  # While the file dialog runs, the part of the profile manager it leaves free takes no
  # click: no menu for a second Load, no New (with six names: the limit message).
  local menus
  menus=$(gui_count ui.txt '^profiles-menu$')
  xdotool mousemove --window "$PROFILES_WINDOW" 100 450 click 3
  xdotool mousemove --window "$PROFILES_WINDOW" 150 586 click 1
  sleep 1
  gui_check "no menu meanwhile" gui_count_is ui.txt '^profiles-menu$' "$menus"
  gui_check "no New meanwhile" gui_no_window_named Warning
  if [ -n "$dialog" ]; then
    xdotool mousemove --window "$dialog" 300 200  # the keys go where the pointer is
    sleep 0.5
    xdotool type --window "$dialog" --delay 30 "import-me.bin"
    xdotool key --window "$dialog" Return
  fi
  gui_check "imported into config0.bin" \
    bash -c "for i in \$(seq 50); do cmp -s -i 2 '$GUI_APP/config0.bin' '$GUI_APP/import-me.bin' && exit 0; sleep 0.1; done; exit 1"
  gui_check "with flag 1" [ "$(flag_of "$GUI_APP/config0.bin")" = 1 ]
  gui_check "the profile manager answers again" gui_wait_log '^profiles-released$' 5
  profiles_close
  gui_check "the import is shown by the reload" gui_wait_log '^relayout$' 5
}

scenario_german_and_russian() {
  local code title
  for code in GER RUS; do
    gui_fresh_app "profiles-$code"
    gui_set_ini str0.ini Skins Lan "$code"
    title="Konfiguration "
    [ "$code" = RUS ] && title="Настройка"
    profiles_start || return
    profiles_open "$title" || return
    profiles_click_line 1
    xdotool mousemove --window "$PROFILES_WINDOW" 100 "$(profiles_line_y 1)" click 3
    gui_wait_log '^profiles-menu$' 5 || gui_fail "$code: context menu"
    sleep 0.5
    gui_screenshot "profiles-$code"
    xdotool key Escape 2>/dev/null
    sleep 0.2
    profiles_menu 1 1  # Delete, then New: the base word of the language
    xdotool mousemove --window "$PROFILES_WINDOW" 150 586 click 1
    profiles_close
    if [ "$code" = GER ]; then
      gui_check "German new name" [ "$(profiles_key Item5)" = PROFILE_7 ]
    else
      gui_check "Russian new name" [ "$(profiles_key Item5)" = ПРОФИЛЬ_7 ]
    fi
    gui_stop
  done
}

# Gives button 4 (row 5) the function "Left Title Scroll" from its list.
profiles_edit_button() {
  xdotool mousemove --window "$PROFILES_MAIN" 100 117 click 1  # "Button Assignment"
  gui_wait_log '^layout' 5 || { gui_fail "button page"; return 1; }
  sleep 0.3
  xdotool mousemove --window "$PROFILES_MAIN" 185 217 click 1
  gui_wait_log '^menu open 4$' 5 || { gui_fail "list of button 4"; return 1; }
  local h
  h=$(sed -n 's/^function-list \([0-9]*\)$/\1/p' "$GUI_APP/ui.txt" | tail -n 1)
  sleep 0.2
  xdotool mousemove --window "$PROFILES_MAIN" 320 $((210 + h * 14 + h / 2))
  sleep 0.3
  xdotool click 1
  gui_wait_log '^pick 4 Left Title Scroll$' 5 || { gui_fail "button 4 changed"; return 1; }
}

# Button 4's slot (6) in the last key table the mouse received.
profiles_button4_slot() {
  awk '/^set-feature 00 0d / { found = 1; data = ""; n = 0; next }
       found && /^write 00 / { data = data " " substr($0, 10); if (++n == 2) { found = 0; last = data } }
       END { print last }' "$GUI_APP/trace.txt" | awk '{ print $25, $26, $27, $28 }'
}

# Looking at the profile manager and closing it keeps the window's unsaved edits; Alt+F4 is
# its close box (names written, reload, Config opens it again); another profile chosen there
# is loaded.
scenario_close_keeps_edits_and_alt_f4() {
  profiles_start || return
  profiles_edit_button || return
  profiles_open || return
  profiles_close
  gui_check "the close asked for a reload" gui_wait_log '^profiles-post 2 0$' 2
  gui_check "the dialog went" gui_eventually 10 gui_no_window_named Configuration
  gui_screenshot profiles-closed-edit-kept
  xdotool mousemove --window "$PROFILES_MAIN" 950 618 click 1
  gui_check "Save finished" gui_wait_log '^save-done$' 15
  # The reload came before the click in the window's queue: by now it would have redrawn.
  gui_check "the same profile is not read again" gui_count_is ui.txt '^relayout$' 0
  gui_check "the edit reached the mouse" [ "$(profiles_button4_slot)" = "01 00 f5 00" ]
  gui_check "and the caption file" \
    [ "$(ini_value "$GUI_APP/str0.ini" Setting-EN Item5)" = "Left Title Scroll" ]

  profiles_open || return
  profiles_click_line 1
  xdotool key --window "$PROFILES_WINDOW" alt+F4
  gui_check "Alt+F4 closes like the close box" gui_wait_log '^profiles-close$' 5
  gui_check "the dialog is gone" gui_eventually 10 gui_no_window_named Configuration
  gui_check "another profile chosen" [ "$(profiles_key CurProfileName)" = Profile_2 ]
  gui_check "and loaded" gui_wait_log '^relayout$' 5
  profiles_open || return
  gui_check "Config opens it again" gui_count_is ui.txt '^profiles-open$' 1
  profiles_close
}

gui_run_scenario profiles-delete-new-switch scenario_delete_new_and_switch
gui_run_scenario profiles-rename-copy-limit scenario_rename_copy_and_limit
gui_run_scenario profiles-close-alt-f4 scenario_close_keeps_edits_and_alt_f4
gui_run_scenario profiles-export-import scenario_export_and_import
gui_run_scenario profiles-languages scenario_german_and_russian
