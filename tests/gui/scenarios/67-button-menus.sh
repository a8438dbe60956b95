# The button assignment page's menus in the real program: a row's function list, the four
# sub-lists under the pointer, picks that reach the row, the caption file and, after Save, the
# key table the virtual mouse receives; the key dialogs and the macro picker opened from the
# list; the left-click guard; hover and leave leaving the window as it was. Screenshots of every
# sub-list in English, German and Russian.
# shellcheck shell=bash

ba_start() {
  gui_start
  GUI_WINDOW=$(gui_window 40) || { gui_fail "window"; return 1; }
  gui_wait_log '^window-shown$' || { gui_fail "window shown"; return 1; }
}

ba_move() { xdotool mousemove --window "$GUI_WINDOW" "$1" "$2"; }
ba_click() { xdotool mousemove --window "$GUI_WINDOW" "$1" "$2" click 1; }

# The number of log lines matching $1 grows beyond $2 within a few seconds.
ba_wait_more() {
  local pattern="$1" before="$2" i
  for i in $(seq 100); do
    [ "$(grep -cE -- "$pattern" "$GUI_APP/ui.txt")" -gt "$before" ] && return 0
    sleep 0.1
  done
  return 1
}

ba_open_page() {
  ba_click 100 117  # "Button Assignment"
  gui_wait_log '^layout' || { gui_fail "page opened"; return 1; }
  sleep 0.3
}

ba_side_view() {
  ba_click 530 540
  gui_wait_log '^view side$' || { gui_fail "side view"; return 1; }
  sleep 0.3
}

# Clicks row $1's drop-down box and waits for button $2's list; BA_H is its item height.
ba_open_row() {
  local before
  before=$(grep -c "^menu open $2\$" "$GUI_APP/ui.txt")
  ba_click 185 $((137 + 20 * $1))
  ba_wait_more "^menu open $2\$" "$before" || { gui_fail "list of button $2"; return 1; }
  BA_H=$(grep -E '^function-list [0-9]+$' "$GUI_APP/ui.txt" | tail -n 1 | cut -d' ' -f2)
  BA_ROW=$1
  sleep 0.2
}

# The middle of item $1 of the open function list.
ba_item_y() { echo $((130 + 20 * BA_ROW + BA_H * $1 + BA_H / 2)); }

ba_hover_item() {  # item [sub-list name]
  ba_move 320 "$(ba_item_y "$1")"
  if [ -n "${2:-}" ]; then
    gui_wait_log "^sublist open $2\$" 5 || { gui_fail "$2 list"; return 1; }
  fi
  sleep 0.3
}

# Top of sub-list $1 opened by its item of the function list; the three lists that end at
# their item are as high as their 8, 10 and 7 items and the border.
ba_sub_top() {
  local list_top=$((129 + 20 * BA_ROW))
  case "$1" in
    dpi) echo $((list_top + 6 * BA_H)) ;;
    media) echo $((list_top + 8 * BA_H - (8 * BA_H + 2))) ;;
    hotkey) echo $((list_top + 9 * BA_H - (10 * BA_H + 2))) ;;
    windows) echo $((list_top + 10 * BA_H - (7 * BA_H + 2))) ;;
  esac
}

# Hovers item $2 of sub-list $1 (opened by function item $3) and leaves the pointer there.
ba_hover_sub() {  # list position item
  ba_hover_item "$3" "$1" || return 1
  local x=430 y
  [ "$1" = dpi ] && x=415
  ba_move "$x" "$(ba_item_y "$3")"  # across, into the sub-list
  sleep 0.2
  y=$(($(ba_sub_top "$1") + 1 + BA_H * $2 + BA_H / 2))
  ba_move "$x" "$y"
  sleep 0.3
}

ba_pick_sub() {  # list position item button label
  ba_hover_sub "$1" "$2" "$3" || return 1
  xdotool click 1
  gui_wait_log "^pick $4 $5\$" 5 || { gui_fail "pick of $5 for button $4"; return 1; }
  sleep 0.2
}

ba_pick_item() {  # item button label
  ba_hover_item "$1"
  xdotool click 1
  gui_wait_log "^pick $2 $3\$" 5 || { gui_fail "pick of $3 for button $2"; return 1; }
  sleep 0.2
}

ba_save() {
  local saves
  saves=$(grep -c '^save-done$' "$GUI_APP/ui.txt")
  ba_move 300 590
  sleep 0.1
  ba_click 950 618
  ba_wait_more '^save-done$' "$saves" || { gui_fail "Save did not finish"; return 1; }
  sleep 0.5
}

# The four bytes of button $1's slot in the last key table the virtual mouse received.
ba_slot() {
  local slots=(0 1 2 5 6 3 4 8 9 10 11 16 17 18 19 20 21 22 23) s
  s=${slots[$1]}
  awk '/^set-feature 00 0d / { found = 1; data = ""; n = 0; next }
       found && /^write 00 / { data = data " " substr($0, 10); if (++n == 2) { found = 0; last = data } }
       END { print last }' "$GUI_APP/trace.txt" |
    awk -v s="$s" '{ print $(4 * s + 1), $(4 * s + 2), $(4 * s + 3), $(4 * s + 4) }'
}

ba_expect_slot() {  # button bytes
  local found
  found=$(ba_slot "$1")
  [ "$found" = "$2" ] || gui_fail "button $1 sent '$found', expected '$2'"
}

# Caption Item$1 of the caption file in use.
ba_caption() {
  iconv -f UTF-16 -t UTF-8 "$GUI_APP/str0.ini" | tr -d '\r' | grep -m1 "^Item$1=" | cut -d= -f2-
}

ba_expect_caption() {  # item text
  local found
  found=$(ba_caption "$1")
  [ "$found" = "$2" ] || gui_fail "Item$1 is '$found', expected '$2'"
}

# The program's visible top-level window that is not the main window (a key dialog), nor
# window $1 when given.
ba_dialog() {
  local i id
  for i in $(seq 100); do
    id=$(xdotool search --onlyvisible --class '^ql-gm900.exe$' 2>/dev/null |
      grep -vx -e "$GUI_WINDOW" -e "${1:-none}" | head -n 1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

scenario_sub_lists_and_save() {  # language screenshot-suffix
  [ "$1" = ENG ] || gui_set_ini str0.ini Skins Lan "$1"
  ba_start || return
  ba_open_page || return
  ba_open_row 1 1 || return
  sleep 0.6  # not a double click
  ba_click 185 157  # a second click closes it
  gui_check "closed by a second click" gui_wait_log '^menu close 1$'
  ba_open_row 2 2 || return
  ba_hover_sub media 6 7 || return
  gui_screenshot "menus-media-$2"
  xdotool key --delay 80 Return Escape
  sleep 0.5
  gui_check "Enter and Esc neither pick nor close" \
    [ "$(grep -cE '^(pick|menu close 2|sublist close)' "$GUI_APP/ui.txt")" -eq 0 ]
  ba_hover_sub hotkey 2 8 || return
  gui_check "the hot key list replaced the media list" gui_wait_log '^sublist close media$'
  gui_screenshot "menus-hotkey-$2"
  ba_hover_sub windows 5 9 || return
  gui_screenshot "menus-windows-$2"
  ba_hover_sub dpi 2 6 || return
  gui_screenshot "menus-dpi-$2"
  ba_hover_item 3
  gui_check "item 3 closes the sub-list" gui_wait_log '^sublist close dpi$'
  gui_screenshot "menus-function-$2"
  [ "$1" = ENG ] || return 0

  ba_pick_sub media 6 7 2 "Volume Up" || return
  gui_check "both lists closed" gui_wait_log '^menu close 2$'
  ba_open_row 5 5 && ba_pick_sub dpi 2 6 5 "DPI Loop"
  ba_open_row 3 3 && ba_pick_sub hotkey 2 8 3 "Copy"
  # Two rows in turn: the first list closes when the second opens.
  ba_open_row 1 1
  ba_open_row 4 4
  gui_check "row 1's list closed by row 4" [ "$(grep -c '^menu close 1$' "$GUI_APP/ui.txt")" -eq 2 ]
  ba_pick_item 14 4 "Left Title Scroll"
  ba_save || return
  ba_expect_slot 2 "03 00 e9 00"
  ba_expect_slot 5 "07 00 03 00"
  ba_expect_slot 3 "00 00 e0 06"
  ba_expect_slot 4 "01 00 f5 00"
  ba_expect_caption 3 "Volume Up"
  ba_expect_caption 6 "DPI Loop"
  ba_expect_caption 4 "Copy"
}

scenario_side_view_rows() {
  ba_start || return
  ba_open_page || return
  ba_side_view || return
  ba_open_row 11 18 || return
  ba_hover_sub windows 5 9 || return
  gui_screenshot menus-side-row12
  xdotool click 1
  gui_wait_log '^pick 18 Show desktop$' 5 || { gui_fail "pick of Show desktop"; return; }
  ba_open_row 0 7 && ba_pick_item 1 7 "Menu"
  ba_open_row 6 13 && ba_pick_sub media 0 7 13 "Media player"
  ba_open_row 3 10 || return
  ba_click 470 540  # "Front": the rows show other buttons, the list goes
  gui_check "view change closes the list" gui_wait_log '^menu close 10$'
  ba_open_row 3 3 || return
  ba_click 100 117  # the page closes with its list
  gui_check "closing the page closes the list" gui_wait_log '^menu close 3$'
  ba_save || return
  ba_expect_slot 18 "00 00 e3 07"
  ba_expect_slot 7 "01 00 f1 00"
  ba_expect_slot 13 "03 00 83 01"
  ba_expect_caption 19 "Show desktop"
}

scenario_key_dialogs_from_the_list() {
  ba_start || return
  ba_open_page || return
  local d X Y WIDTH HEIGHT SCREEN
  # Single key: F5.
  ba_open_row 6 6 || return
  ba_hover_item 10
  xdotool click 1
  gui_wait_log '^single-key dialog$' 5 || { gui_fail "single-key dialog"; return; }
  d=$(ba_dialog) || { gui_fail "single-key window"; return; }
  sleep 0.5
  xdotool mousemove --window "$d" 200 60
  sleep 0.1
  xdotool key --delay 80 F5
  sleep 0.3
  gui_screenshot menus-single-key
  gui_click "$d" 273 262  # OK
  gui_check "single key picked" gui_wait_log '^pick 6 Single Key-F5$'
  sleep 0.3

  # Combination: Left Ctrl + Tab + B.
  ba_open_row 4 4 || return
  ba_hover_item 11
  xdotool click 1
  gui_wait_log '^combo dialog$' 5 || { gui_fail "combo dialog"; return; }
  d=$(ba_dialog) || { gui_fail "combo window"; return; }
  sleep 0.5
  gui_click "$d" 90 127
  sleep 0.2
  xdotool key --delay 80 Tab
  sleep 0.3
  gui_click "$d" 90 177
  sleep 0.2
  xdotool key --delay 80 b
  sleep 0.3
  gui_click "$d" 60 77
  sleep 0.3
  xdotool mousemove --window "$d" 70 95
  sleep 0.3
  xdotool click 1
  sleep 0.3
  gui_click "$d" 279 262  # OK
  gui_check "combination picked" gui_wait_log '^pick 4 Combo Key-Left Ctrl\+Tab\+B$'
  sleep 0.3

  # A cancelled dialog closes the list and changes nothing.
  ba_open_row 1 1 || return
  ba_hover_item 10
  xdotool click 1
  gui_wait_log '^single-key dialog$' 5 || { gui_fail "second single-key dialog"; return; }
  d=$(ba_dialog) || { gui_fail "single-key window"; return; }
  sleep 0.5
  xdotool mousemove --window "$d" 200 60
  xdotool key --delay 80 x
  sleep 0.2
  gui_click "$d" 349 262  # Cancel
  gui_check "cancelled" gui_wait_log '^pick cancelled 1$'
  gui_check "its list closed" gui_wait_log '^menu close 1$'

  ba_save || return
  ba_expect_slot 6 "00 00 3e 00"
  ba_expect_slot 4 "00 01 2b 05"
  ba_expect_slot 1 "01 00 f1 00"
  ba_expect_caption 7 "Single Key-F5"
  ba_expect_caption 2 "Menu"
}

scenario_macro_from_the_list() {
  python3 - "$GUI_APP/record.ini" <<'PY'
import sys
sections = ''.join(f'[{n}]\r\nDelayTimeSelStatus=1\r\nLoopTimeSelStatus=1\r\nMacroLoopTimes=1\r\n'
                   f'ItemCount=1\r\nItem0=A   Dn\r\n' for n in ('Fire', 'Jump', 'Reload'))
open(sys.argv[1], 'w', encoding='utf-16', newline='').write(sections)
PY
  ba_start || return
  ba_open_page || return
  ba_open_row 2 2 || return
  ba_hover_item 12
  xdotool click 1
  local w
  w=$(gui_wait_titled "Macro Key") || { gui_fail "picker window"; return; }
  sleep 0.5
  gui_click "$w" 100 136  # the drop-down area opens the list
  sleep 0.3
  xdotool mousemove --window "$w" 90 182  # the third line
  sleep 0.3
  xdotool click 1
  sleep 0.3
  gui_click "$w" 228 136  # the second mode
  sleep 0.2
  gui_click "$w" 279 262  # OK
  gui_check "macro picked" gui_wait_log '^pick 2 Macro Key-Reload$'
  ba_save || return
  ba_expect_slot 2 "09 01 03 00"
}

scenario_last_click_button_guarded() {
  ba_start || return
  ba_open_page || return
  ba_open_row 3 3 || return
  ba_click 185 137  # row 0: button 0 is the only "Click"
  gui_check "row 3's list closed first" gui_wait_log '^menu close 3$'
  local box
  box=$(gui_wait_titled Warning) || { gui_fail "warning box"; return; }
  sleep 0.3
  gui_screenshot menus-guard
  xdotool key --window "$box" Return
  gui_check "refused" gui_wait_log '^menu refused 0$'
  sleep 0.3
  ba_open_row 1 1 && ba_pick_item 0 1 "Click"
  ba_open_row 0 0 || return  # now a second button clicks
  gui_check "no second warning" [ "$(grep -c '^menu refused' "$GUI_APP/ui.txt")" -eq 1 ]
}

# The number of the window's pixels that differ between two screenshots (by more than $3
# percent of a channel's range, 0 for exact).
ba_window_differences() {  # shot-a shot-b fuzz
  local X Y WIDTH HEIGHT SCREEN WINDOW crop
  eval "$(xdotool getwindowgeometry --shell "$GUI_WINDOW")"
  crop="${WIDTH}x${HEIGHT}+$X+$Y"
  convert "$GUI_WORK/$1.png" -crop "$crop" +repage "$GUI_WORK/$1.window.png"
  convert "$GUI_WORK/$2.png" -crop "$crop" +repage "$GUI_WORK/$2.window.png"
  compare -metric AE -fuzz "${3:-0}%" "$GUI_WORK/$1.window.png" "$GUI_WORK/$2.window.png" \
    null: 2>&1
}

ba_expect_same_window() {  # what shot-a shot-b
  local n
  n=$(ba_window_differences "$2" "$3")
  [ "$n" = 0 ] || gui_fail "$1: $n pixels differ"
}

# The pixels of window region $3 (WxH+X+Y in window pixels) that differ between two shots.
ba_region_differences() {  # shot-a shot-b region
  local X Y WIDTH HEIGHT SCREEN WINDOW size left top
  eval "$(xdotool getwindowgeometry --shell "$GUI_WINDOW")"
  size=${3%%+*}
  left=$(echo "$3" | cut -d+ -f2)
  top=$(echo "$3" | cut -d+ -f3)
  convert "$GUI_WORK/$1.png" -crop "$size+$((X + left))+$((Y + top))" +repage "$GUI_WORK/$1.region.png"
  convert "$GUI_WORK/$2.png" -crop "$size+$((X + left))+$((Y + top))" +repage "$GUI_WORK/$2.region.png"
  compare -metric AE "$GUI_WORK/$1.region.png" "$GUI_WORK/$2.region.png" null: 2>&1
}

scenario_hover() {
  ba_start || return
  ba_move 600 300
  sleep 0.5
  gui_screenshot hover-none
  ba_move 950 618  # Save
  gui_check "Save lit" gui_wait_log '^hover save$'
  sleep 0.2
  ba_move 700 618  # Reset
  gui_check "Reset lit" gui_wait_log '^hover reset$'
  gui_check "Save back" gui_wait_log '^rest save$'
  sleep 0.3
  gui_screenshot hover-reset
  ba_move 600 300  # empty space
  gui_check "Reset back" gui_wait_log '^rest reset$'
  # Every skinned button lit and put back: the window as it was, to the pixel.
  local at lit rested
  for at in "950 618 save" "700 618 reset" "850 618 cancel" "60 618 config" "944 12 help" \
    "965 12 minimise" "986 12 close"; do
    set -- $at
    lit=$(grep -c "^hover $3\$" "$GUI_APP/ui.txt")
    rested=$(grep -c "^rest $3\$" "$GUI_APP/ui.txt")
    ba_move "$1" "$2"
    ba_wait_more "^hover $3\$" "$lit" || gui_fail "$3 lit"
    ba_move 600 300
    ba_wait_more "^rest $3\$" "$rested" || gui_fail "$3 back"
  done
  sleep 0.3
  gui_screenshot hover-none-again
  ba_expect_same_window "hover and leave" hover-none hover-none-again
  ba_move 185 157  # row 1 is not hot while the page is closed
  sleep 0.5
  gui_check "closed page: no row lit" [ "$(grep -c '^hover row' "$GUI_APP/ui.txt")" -eq 0 ]

  ba_open_page || return
  ba_move 600 300
  sleep 0.5
  gui_screenshot hover-page
  ba_move 185 157
  gui_check "row 1 lit" gui_wait_log '^hover row1$'
  # The list lights button 2's part of the mouse picture; picking what the row already shows
  # leaves the label as it was.
  ba_open_row 1 1 && ba_pick_item 1 1 "Menu"
  sleep 0.5
  gui_check "the leave look stays until the pointer moves away" \
    [ "$(grep -c '^rest row1$' "$GUI_APP/ui.txt")" -eq 0 ]
  gui_screenshot hover-after-pick
  ba_move 600 300
  gui_check "row 1 back" gui_wait_log '^rest row1$'
  sleep 0.3
  gui_screenshot hover-page-again
  ba_expect_same_window "row and mouse picture part put back" hover-page hover-page-again
  # A list closed by a second click leaves its part lit while the pointer stays on the rows;
  # the next row's list puts that part back: only the open list's part is lit.
  ba_open_row 5 5 || return
  sleep 0.6  # not a double click
  ba_click 185 237
  gui_check "row 5 closed by a second click" gui_wait_log '^menu close 5$'
  ba_open_row 6 6 || return
  gui_screenshot hover-row6-open
  local n
  n=$(ba_region_differences hover-page hover-row6-open 34x18+472+294)  # button 5's part, "+"
  [ "$n" = 0 ] || gui_fail "button 5's part stays lit beside row 6's list ($n pixels)"
  sleep 0.6
  ba_click 185 257
  gui_check "row 6 closed by a second click" gui_wait_log '^menu close 6$'
  ba_move 600 300
  gui_check "row 6 back" gui_wait_log '^rest row6$'
  sleep 0.3
  gui_screenshot hover-two-rows
  ba_expect_same_window "one part lit at a time" hover-page hover-two-rows
  # The same in the side view, whose change drew the middle panel under the picture.
  ba_side_view || return
  ba_move 600 300
  sleep 0.5
  gui_screenshot hover-side
  ba_open_row 0 7 && ba_pick_item 13 7 "Button Off"
  ba_move 600 300
  gui_check "side row 0 back" gui_wait_log '^rest row0$'
  sleep 0.3
  gui_screenshot hover-side-again
  ba_expect_same_window "side view part put back" hover-side hover-side-again
}

# An arrival while the window is shown redraws what it cleared (the open list's part of the
# mouse picture, the lit row); the profile manager takes no input while a key dialog of the
# main window runs, and takes it again afterwards.
scenario_arrival_and_held_manager() {
  ba_start || return
  ba_open_page || return
  ba_move 600 300
  sleep 0.5
  gui_screenshot arrival-before
  ba_open_row 1 1 || return
  gui_check "row 1 lit" gui_wait_log '^hover row1$'
  gui_send "plug"  # Windows announces the mouse (again)
  gui_check "the arrival closed the list" gui_wait_log '^menu close 1$'
  gui_check "and redrew the window" gui_wait_log '^relayout$'
  ba_move 600 300
  sleep 0.5
  gui_screenshot arrival-after
  local region n
  for region in "400x420+300+40" "140x20+115+146"; do  # mouse picture, row 1's box
    n=$(ba_region_differences arrival-before arrival-after "$region")
    [ "$n" = 0 ] || gui_fail "after the arrival $n pixels of $region differ"
  done

  ba_open_row 4 4 || return
  xdotool mousemove --window "$GUI_WINDOW" 78 619 click 1  # Config
  gui_wait_log '^profiles-open$' 5 || { gui_fail "profile manager opened"; return; }
  local manager dialog
  manager=$(gui_wait_titled Configuration) || { gui_fail "profile manager window"; return; }
  sleep 0.3
  ba_hover_item 11
  xdotool click 1
  gui_wait_log '^combo dialog$' 5 || { gui_fail "combo dialog"; return; }
  gui_check "the manager is held under the dialog" gui_wait_log '^profiles-held$'
  dialog=$(ba_dialog "$manager") || { gui_fail "combo window"; return; }
  sleep 0.3
  xdotool mousemove --window "$manager" 100 60 click 3
  sleep 1
  gui_check "its menu does not open" gui_count_is ui.txt '^profiles-menu$' 0
  gui_click "$dialog" 349 262  # Cancel
  gui_check "cancelled" gui_wait_log '^pick cancelled 4$'
  gui_check "the manager takes input again" gui_wait_log '^profiles-released$'
  sleep 0.3
  xdotool mousemove --window "$manager" 100 60 click 3
  gui_check "its menu opens" gui_wait_log '^profiles-menu$'
  xdotool key Escape
}

gui_run_scenario menus-english scenario_sub_lists_and_save ENG en
gui_run_scenario menus-german scenario_sub_lists_and_save GER de
gui_run_scenario menus-russian scenario_sub_lists_and_save RUS ru
gui_run_scenario menus-side-view scenario_side_view_rows
gui_run_scenario menus-key-dialogs scenario_key_dialogs_from_the_list
gui_run_scenario menus-macro scenario_macro_from_the_list
gui_run_scenario menus-guard scenario_last_click_button_guarded
gui_run_scenario menus-hover scenario_hover
gui_run_scenario menus-arrival-and-manager scenario_arrival_and_held_manager
