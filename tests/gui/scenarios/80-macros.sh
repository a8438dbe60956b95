# The macro manager from the main window's "Macro Manager" header: a new macro, recorded with
# real keys, a mouse click inserted from the event list's menu, OK and Save, checked on
# record.ini and on the virtual mouse's trace; Cancel keeps record.ini's edits but not the
# record's; the macro picker in its test program. Screenshots in English, German and Russian.
# shellcheck shell=bash

# Opens the manager from the main window; its window in MM_WINDOW.
mm_open() {
  gui_start
  GUI_WINDOW=$(gui_window) || { gui_fail "main window"; return 1; }
  gui_wait_log '^window-shown$' || { gui_fail "full draw"; return 1; }
  gui_click "$GUI_WINDOW" 30 150  # the "Macro Manager" header
  gui_wait_log '^macro-manager open' || { gui_fail "manager opened"; return 1; }
  MM_WINDOW=$(gui_wait_titled "Macro Manager") || { gui_fail "manager window"; return 1; }
  sleep 0.5
}

# record.ini as text.
mm_record_ini() { iconv -f UTF-16 -t UTF-8 "$GUI_APP/record.ini" | tr -d '\r'; }

# The bytes of the first data report sent after the command that starts macro block $1.
mm_sent_block() {
  awk -v start="$(printf 'set-feature 00 0f %02x 80 ' "$1")" '
    index($0, start) == 1 { found = 1; next }
    found && /^write / { print substr($0, 7); exit }' "$GUI_APP/trace.txt"
}

# True when the data report of macro block $1 begins with the bytes $2.
mm_sent_block_starts() { [[ "$(mm_sent_block "$1")" == "$2"* ]]; }

# True when record.ini holds the text $1 (newlines as dots).
mm_record_ini_has() { mm_record_ini | tr '\n' '.' | grep -qF -- "$1"; }

scenario_macro_recorded_and_saved() {
  mm_open || return
  local w="$MM_WINDOW"
  gui_click "$w" 40 378  # New
  gui_check "Macro_0 created" gui_wait_log '^macro-new Macro_0$'
  gui_click "$w" 340 99  # Start Recording
  gui_check "recording" gui_wait_log '^macro-recording$'
  xdotool mousemove --window "$w" 340 220
  sleep 0.2
  xdotool key --delay 80 a b
  sleep 0.3
  gui_check "window text while recording" \
    xdotool search --onlyvisible --name '^Press Ctrl\+Break key to stop recording$'
  gui_click "$w" 340 99  # Stop Recording
  gui_check "recording stopped" gui_wait_log '^macro-recorded$'
  gui_check "recording stored" mm_record_ini_has 'ItemCount=4'

  # The event list's menu: its second item inserts a left click after the selected last item.
  gui_click "$w" 200 200 3
  gui_check "menu opened" gui_wait_log '^macro-menu$'
  sleep 0.5
  gui_screenshot macro-manager-menu-en
  xdotool key --delay 150 Down Down Return
  gui_check "six items stored" gui_eventually 5 mm_record_ini_has 'ItemCount=6'
  gui_check "keys and the click in order" mm_record_ini_has \
    'Item0=A   Dn.Item1=A   Up.Item2=B   Dn.Item3=B   Up.Item4=L-Button   Dn.Item5=L-Button   Up'
  xdotool mousemove --window "$w" 300 408  # over OK
  sleep 0.4
  gui_screenshot macro-manager-en

  gui_click "$w" 300 408  # OK
  gui_check "closed with OK" gui_wait_log '^macro-manager ok$'
  sleep 0.5
  xdotool mousemove --window "$GUI_WINDOW" 950 618 click 1  # Save
  gui_check "saved" gui_wait_log '^save-done$' 15
  # Repeat count 1; each key with the 50 ms of a list without delays; the last release too.
  gui_check "macro block 0 sent with the macro" gui_eventually 5 mm_sent_block_starts 1 \
    "00 00 01 05 04 85 04 05 05 85 05 05 f0 85 f0 00 "
}

scenario_macro_cancel_keeps_record_ini_only() {
  mm_open || return
  gui_click "$MM_WINDOW" 40 378  # New
  gui_check "Macro_0 created" gui_wait_log '^macro-new Macro_0$'
  gui_click "$MM_WINDOW" 372 408  # Cancel
  gui_check "closed with Cancel" gui_wait_log '^macro-manager cancel$'
  gui_check "record.ini keeps the new macro" mm_record_ini_has '[Macro_0]'
  sleep 0.5
  xdotool mousemove --window "$GUI_WINDOW" 950 618 click 1  # Save
  gui_check "saved" gui_wait_log '^save-done$' 15
  gui_check "macro block 0 still empty" gui_eventually 5 mm_sent_block_starts 1 \
    "00 00 00 00 00 00 00 00 "
}

# True when window $1 shows in the region $2 (WxH+X+Y) what the manager's skin picture has there:
# no text reaches into it.
mm_shows_skin() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  local size="${2%%+*}" rest="${2#*+}"
  import -window root -crop "$size+$((X + ${rest%%+*}))+$((Y + ${rest#*+}))" +repage \
    "$GUI_WORK/shown.png" 2>/dev/null
  convert "$GUI_APP/Skins/Default/MacroManagement/MacroManagement.png" -crop "$2" +repage \
    "$GUI_WORK/skin.png"
  [ "$(compare -metric AE -fuzz 2% "$GUI_WORK/shown.png" "$GUI_WORK/skin.png" null: 2>&1)" = "0" ]
}

scenario_macro_manager_german() {
  gui_set_ini str0.ini Skins Lan GER
  mm_open || return
  gui_click "$MM_WINDOW" 40 378  # Neu
  gui_check "German base name" gui_wait_log '^macro-new Macros_0$'
  gui_click "$MM_WINDOW" 303 321  # loop box
  xdotool mousemove --window "$MM_WINDOW" 106 378  # over löschen
  sleep 0.4
  gui_screenshot macro-manager-de
  # The record options' lines keep clear of the lines above them (y 124 and 290).
  gui_check "delay option clear of its line" mm_shows_skin "$MM_WINDOW" 100x10+280+120
  gui_check "loop option clear of its line" mm_shows_skin "$MM_WINDOW" 100x10+290+286
  gui_click "$MM_WINDOW" 452 28  # close box
  gui_check "closed" gui_wait_log '^macro-manager cancel$'
}

# Writes record.ini (UTF-16 with BOM) with one macro of one key press per name given.
mm_write_record_ini() {
  python3 - "$GUI_APP/record.ini" "$@" <<'PY'
import sys
sections = ''.join(f'[{n}]\r\nDelayTimeSelStatus=1\r\nLoopTimeSelStatus=1\r\nMacroLoopTimes=1\r\n'
                   f'ItemCount=1\r\nItem0={k}   Dn\r\n' for n, k in zip(sys.argv[2:], 'ABCDEFGH'))
open(sys.argv[1], 'w', encoding='utf-16', newline='').write(sections)
PY
}

# Russian: "Макро_1" renamed to "макро_0", the name of the other macro in another case, is
# refused with a message; both macros stay in record.ini as they were.
scenario_macro_rename_refused_in_another_case() {
  gui_set_ini str0.ini Skins Lan RUS
  mm_write_record_ini Макро_0 Макро_1
  mm_open || return
  local w="$MM_WINDOW" box
  # The rename editor opens on the second double-click on the same macro.
  xdotool mousemove --window "$w" 60 110 click --repeat 2 --delay 80 1
  sleep 0.8  # longer than the double-click time: the next two clicks make a double-click anew
  xdotool click --repeat 2 --delay 80 1
  gui_check "rename editor" gui_wait_log '^macro-editor name$'
  xdotool key --delay 80 End BackSpace 0 Home shift+Right
  xdotool type --delay 120 'м'
  sleep 0.3
  gui_screenshot macro-rename-typed-ru
  xdotool key Return
  box=$(gui_wait_titled "Предупреждение") || { gui_fail "refusal shown"; return; }
  sleep 0.3
  gui_screenshot macro-rename-refused-ru
  xdotool key --window "$box" Return
  gui_check "refusal closed" gui_eventually 5 bash -c "! xdotool search --onlyvisible \
    --name '^Предупреждение\$' >/dev/null"
  gui_screenshot macro-rename-after-ru
  gui_check "both macros intact, in their order" mm_record_ini_has \
    '[Макро_0].DelayTimeSelStatus=1.LoopTimeSelStatus=1.MacroLoopTimes=1.ItemCount=1.Item0=A   Dn.[Макро_1].DelayTimeSelStatus=1.LoopTimeSelStatus=1.MacroLoopTimes=1.ItemCount=1.Item0=B   Dn.'
  gui_check "no third section" [ "$(mm_record_ini | grep -c '^\[')" -eq 2 ]
  gui_click "$w" 372 408  # Отмена
  gui_check "closed" gui_wait_log '^macro-manager cancel$'
}

# The event list's menu acts on the line it was opened on, and a recording stays with the macro
# it started on when another macro is clicked during it.
scenario_macro_menu_line_and_recording_stay_put() {
  python3 - "$GUI_APP/record.ini" <<'PY'
import sys
body = lambda items: (f'DelayTimeSelStatus=1\r\nLoopTimeSelStatus=1\r\nMacroLoopTimes=1\r\n'
                      f'ItemCount={len(items)}\r\n' +
                      ''.join(f'Item{i}={t}\r\n' for i, t in enumerate(items)))
text = '[Fire]\r\n' + body(['E   Dn', '500 ms', 'E   Up']) + '[Jump]\r\n' + body(['B   Dn'])
open(sys.argv[1], 'w', encoding='utf-16', newline='').write(text)
PY
  mm_open || return
  local w="$MM_WINDOW"
  gui_click "$w" 200 122  # the third event line, "E   Up"
  sleep 0.3
  gui_click "$w" 200 88 3  # the menu on the first line, "E   Dn"
  gui_check "menu opened" gui_wait_log '^macro-menu$'
  sleep 0.5
  gui_screenshot macro-menu-on-first-line
  xdotool key --delay 150 Down Return  # Delete
  gui_check "the line the menu was opened on deleted" gui_eventually 5 mm_record_ini_has \
    '[Fire].DelayTimeSelStatus=1.LoopTimeSelStatus=1.MacroLoopTimes=1.ItemCount=2.Item0=500 ms.Item1=E   Up.'

  gui_click "$w" 340 99  # Start Recording, on Fire
  gui_check "recording" gui_wait_log '^macro-recording$'
  xdotool mousemove --window "$w" 340 220
  sleep 0.2
  xdotool key --delay 80 a
  sleep 0.3
  gui_click "$w" 60 106  # Jump, in the middle of the recording
  gui_check "choosing another macro ended the recording" gui_wait_log '^macro-recorded$'
  xdotool mousemove --window "$w" 340 220
  sleep 0.2
  xdotool key --delay 80 x
  sleep 0.5
  gui_check "the recording stored in the macro it started on" mm_record_ini_has \
    '[Fire].DelayTimeSelStatus=1.LoopTimeSelStatus=1.MacroLoopTimes=1.ItemCount=3.Item0=A   Dn.'
  gui_check "the other macro as it was" mm_record_ini_has \
    '[Jump].DelayTimeSelStatus=1.LoopTimeSelStatus=1.MacroLoopTimes=1.ItemCount=1.Item0=B   Dn.'
  gui_check "no key of the recording in the other macro" eval '! mm_record_ini | grep -q "X   "'
  gui_screenshot macro-recording-ended-by-choice
  gui_click "$w" 372 408  # Cancel
  gui_check "closed" gui_wait_log '^macro-manager cancel$'
}

# Without record.ini the first macro creates it, UTF-16LE with its byte-order mark.
scenario_macro_first_creates_record_ini() {
  rm -f "$GUI_APP/record.ini"
  mm_open || return
  gui_click "$MM_WINDOW" 40 378  # New
  gui_check "Macro_0 created" gui_wait_log '^macro-new Macro_0$'
  gui_check "record.ini with a byte-order mark" \
    [ "$(head -c 2 "$GUI_APP/record.ini" | od -An -tx1 | tr -d ' ')" = fffe ]
  gui_check "holding the new macro" mm_record_ini_has '[Macro_0].MacroLoopTimes=1.'
  gui_click "$MM_WINDOW" 300 408  # OK
  gui_check "closed with OK" gui_wait_log '^macro-manager ok$'
}

# The picker in its test program over a record.ini of three macros: $1 language code.
scenario_macro_picker() {
  python3 - "$GUI_APP/record.ini" <<'PY'
import sys
sections = ''.join(f'[{n}]\r\nDelayTimeSelStatus=1\r\nLoopTimeSelStatus=1\r\nMacroLoopTimes=1\r\n'
                   f'ItemCount=1\r\nItem0=A   Dn\r\n'
                   for n in ('Fire', 'Jump', 'Reload', 'Nachladen und Feuer in Serie 31'))
open(sys.argv[1], 'w', encoding='utf-16', newline='').write(sections)
PY
  cp "$GM_ROOT/build/win64/gui_macro_picker_host.exe" "$GUI_APP/"
  (cd "$GUI_APP" && exec wine ./gui_macro_picker_host.exe "$1" result.txt \
    >>"$GUI_APP/wine.log" 2>&1) &
  GUI_PID=$!
  local w
  w=$(gui_wait_titled "Macro Key") || { gui_fail "picker window"; return; }
  sleep 0.5
  gui_click "$w" 100 136  # the drop-down area opens the list
  sleep 0.3
  xdotool mousemove --window "$w" 90 182  # the third line, selected under the pointer
  sleep 0.3
  gui_screenshot "macro-picker-list-$1"
  xdotool click 1
  sleep 0.3
  gui_click "$w" 228 136  # the second mode
  xdotool mousemove --window "$w" 279 262  # over OK
  sleep 0.4
  gui_screenshot "macro-picker-$1"
  xdotool click 1
  gui_check "picker ended" gui_exited 5
  gui_check "third macro, second mode" \
    [ "$(tr -d '\r' <"$GUI_APP/result.txt")" = "$(printf 'ok\t2\t1\tReload')" ]
}

# Russian: a long name in the list ends in "..." and the rename editor opens with the whole name;
# the record option's lines stay clear of the line above them.
scenario_macro_long_name_russian() {
  gui_set_ini str0.ini Skins Lan RUS
  mm_write_record_ini Огонь Перезарядка_и_огонь_очередью_31
  mm_open || return
  local w="$MM_WINDOW"
  xdotool mousemove --window "$w" 60 110 click 1
  sleep 0.5
  xdotool click --repeat 2 --delay 80 1
  sleep 0.8
  xdotool click --repeat 2 --delay 80 1
  gui_check "rename editor" gui_wait_log '^macro-editor name$'
  sleep 0.3
  gui_screenshot macro-manager-long-name-editor-ru
  xdotool key Escape
  xdotool mousemove --window "$w" 240 400
  sleep 0.4
  gui_screenshot macro-manager-long-name-ru
  gui_check "delay option clear of its line" mm_shows_skin "$MM_WINDOW" 100x10+280+120
  gui_check "the name kept" mm_record_ini_has '[Перезарядка_и_огонь_очередью_31].'
  gui_click "$w" 372 408  # Отмена
  gui_check "closed" gui_wait_log '^macro-manager cancel$'
}

gui_run_scenario macro-recorded-and-saved scenario_macro_recorded_and_saved
gui_run_scenario macro-cancel scenario_macro_cancel_keeps_record_ini_only
gui_run_scenario macro-manager-german scenario_macro_manager_german
gui_run_scenario macro-rename-refused scenario_macro_rename_refused_in_another_case
gui_run_scenario macro-menu-and-recording-stay-put scenario_macro_menu_line_and_recording_stay_put
gui_run_scenario macro-first-creates-record-ini scenario_macro_first_creates_record_ini
gui_run_scenario macro-long-name-ru scenario_macro_long_name_russian
gui_run_scenario macro-picker-en scenario_macro_picker ENG
gui_run_scenario macro-picker-ru scenario_macro_picker RUS
