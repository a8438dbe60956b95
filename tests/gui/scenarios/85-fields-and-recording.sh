# Number fields that give way to the user, the record button redrawn cleanly in German,
# Ctrl+Break ending a recording without being recorded, with the hint shown while recording, no
# rename of the macro during a recording,
# and a control line written before the program started acted on in the program's language.
# shellcheck shell=bash

# Opens the macro manager from the main window; its window in FR_MANAGER.
fr_open_manager() {
  gui_start
  GUI_WINDOW=$(gui_window 60) || { gui_fail "main window"; return 1; }
  gui_wait_log '^full-draw$' || { gui_fail "full draw"; return 1; }
  gui_click "$GUI_WINDOW" 30 150 # the "Macro Manager" header
  gui_wait_log '^macro-manager open' || { gui_fail "manager opened"; return 1; }
  FR_MANAGER=$(fr_eventually_print xdotool search --onlyvisible --name '^Macro Manager$') ||
    { gui_fail "manager window"; return 1; }
  sleep 0.5
}

fr_eventually_print() {
  local i out
  for i in $(seq 100); do
    out=$("$@" 2>/dev/null | head -n 1)
    [ -n "$out" ] && { echo "$out"; return 0; }
    sleep 0.1
  done
  return 1
}

# True when record.ini holds the text $1 (newlines as dots).
fr_record_ini_has() {
  iconv -f UTF-16 -t UTF-8 "$GUI_APP/record.ini" | tr -d '\r' | tr '\n' '.' | grep -qF -- "$1"
}

# The region ($2 = WxH+X+Y) of window $1 as a picture file $3.
fr_grab() {
  import -window root -crop "$(fr_screen_crop "$1" "$2")" +repage "$3" 2>/dev/null
}

# Turns a crop relative to a window into one relative to the screen.
fr_screen_crop() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  local size="${2%%+*}" rest="${2#*+}"
  echo "$size+$((X + ${rest%%+*}))+$((Y + ${rest#*+}))"
}

# True when two pictures are the same, pixel for pixel (one step of tolerance).
fr_same_picture() {
  [ "$(compare -metric AE -fuzz 1% "$1" "$2" null: 2>&1)" = "0" ]
}

scenario_scroll_lines_cleared_then_typed() {
  gui_start
  GUI_WINDOW=$(gui_window 60) || { gui_fail "main window"; return; }
  gui_wait_log '^full-draw$' || { gui_fail "full draw"; return; }
  gui_click "$GUI_WINDOW" 855 167 # Scroll Speed
  gui_wait_log '^layout ' || { gui_fail "page opened"; return; }
  sleep 0.5
  gui_click "$GUI_WINDOW" 905 199 # the lines box
  sleep 0.3
  xdotool key --window "$GUI_WINDOW" --delay 100 End BackSpace
  gui_check "cleared box counts 1" gui_wait_log '^page scroll-lines 1$'
  xdotool key --window "$GUI_WINDOW" 7
  gui_check "the next digit replaces the 1" gui_wait_log '^page scroll-lines 7$'
}

scenario_loop_count_cleared_then_typed() {
  fr_open_manager || return
  local w="$FR_MANAGER"
  gui_click "$w" 40 378 # New
  gui_check "Macro_0 created" gui_wait_log '^macro-new Macro_0$'
  gui_click "$w" 303 321 # loop box: the count field opens for typing
  gui_click "$w" 338 339 # the field
  sleep 0.3
  xdotool key --window "$w" --delay 100 End BackSpace 7
  gui_check "count 7 stored" gui_eventually 5 fr_record_ini_has 'MacroLoopTimes=7'
}

scenario_record_button_redrawn_cleanly_in_german() {
  gui_set_ini str0.ini Skins Lan GER
  fr_open_manager || return
  local w="$FR_MANAGER" area="146x28+266+85"
  gui_click "$w" 40 378 # Neu
  gui_check "new macro" gui_wait_log '^macro-new Macros_0$'
  xdotool mousemove --window "$w" 240 400
  sleep 0.4
  fr_grab "$w" "$area" "$GUI_WORK/record-before.png"
  gui_click "$w" 340 99 # Aufnahme Starten
  gui_check "recording" gui_wait_log '^macro-recording$'
  gui_click "$w" 340 99 # Aufnahme Beenden
  gui_check "stopped" gui_wait_log '^macro-recorded$'
  xdotool mousemove --window "$w" 240 400
  sleep 0.4
  fr_grab "$w" "$area" "$GUI_WORK/record-after.png"
  gui_check "the button looks as before, nothing of the longer text left" \
    fr_same_picture "$GUI_WORK/record-before.png" "$GUI_WORK/record-after.png"
}

scenario_ctrl_break_stops_recording() {
  fr_open_manager || return
  local w="$FR_MANAGER" title="400x31+15+0"
  gui_click "$w" 40 378 # New
  gui_check "Macro_0 created" gui_wait_log '^macro-new Macro_0$'
  fr_grab "$w" "$title" "$GUI_WORK/title-idle.png"
  gui_click "$w" 340 99 # Start Recording
  gui_check "recording" gui_wait_log '^macro-recording$'
  xdotool mousemove --window "$w" 340 220
  sleep 0.3
  fr_grab "$w" "$title" "$GUI_WORK/title-recording.png"
  gui_check "the hint replaces the title while recording" \
    eval '! fr_same_picture "$GUI_WORK/title-idle.png" "$GUI_WORK/title-recording.png"'
  gui_screenshot macro-manager-recording
  xdotool key --delay 80 a ctrl+Pause
  gui_check "Ctrl+Break stopped the recording" gui_wait_log '^macro-recorded$'
  gui_check "only the key is stored" gui_eventually 5 fr_record_ini_has \
    'ItemCount=2.Item0=A   Dn.Item1=A   Up'
  fr_grab "$w" "$title" "$GUI_WORK/title-stopped.png"
  gui_check "the title is back" fr_same_picture "$GUI_WORK/title-idle.png" \
    "$GUI_WORK/title-stopped.png"
}

# Two double-clicks on the selected macro during a recording open no rename editor: what is typed
# next is recorded, and the name stays. The list's double-click notices are posted as it sends
# them: a click on the list would end the recording first here (the list also reports a click on
# the line already selected as a change of selection).
scenario_no_rename_while_recording() {
  cp "$GM_ROOT/build/win64/gui_tool.exe" "$GUI_APP/"
  fr_open_manager || return
  local w="$FR_MANAGER" notice
  notice=$(((2 << 16) | 151)) # LBN_DBLCLK from the macro list
  gui_click "$w" 40 378 # New
  gui_check "Macro_0 created" gui_wait_log '^macro-new Macro_0$'
  gui_click "$w" 340 99 # Start Recording
  gui_check "recording" gui_wait_log '^macro-recording$'
  xdotool mousemove --window "$w" 340 220
  local i
  for i in 1 2; do
    gui_check "double-click $i posted" wine "$GUI_APP/gui_tool.exe" post QLGM900MacroManager \
      0x111 "$notice" 1
  done
  sleep 0.5
  xdotool key --delay 80 x Return ctrl+Pause
  gui_check "stopped" gui_wait_log '^macro-recorded$'
  gui_check "no name editor opened" eval '! grep -q "^macro-editor" "$GUI_APP/ui.txt"'
  gui_check "the name kept" fr_record_ini_has '[Macro_0].'
  gui_check "the keys are the recording" gui_eventually 5 fr_record_ini_has 'Item0=X   Dn.'
}

# True when the shell log has the window shown before any balloon.
fr_shown_before_balloon() {
  grep -m1 -E '^(window-shown|balloon )' "$GUI_APP/ui.txt" | grep -q '^window-shown$'
}

scenario_control_line_before_start() {
  gui_set_ini str0.ini Skins Lan GER
  gui_send "dpi 3"
  gui_start
  gui_window 60 >/dev/null || { gui_fail "window"; return; }
  gui_check "the balloon in German, after the start" \
    gui_wait_log '^balloon Info\|DPI-Schalter auf der dritten Stufe 1500\|5000$'
  gui_check "read once the program had started" fr_shown_before_balloon
}

gui_run_scenario scroll-lines-cleared scenario_scroll_lines_cleared_then_typed
gui_run_scenario loop-count-cleared scenario_loop_count_cleared_then_typed
gui_run_scenario record-button-german scenario_record_button_redrawn_cleanly_in_german
gui_run_scenario ctrl-break scenario_ctrl_break_stops_recording
gui_run_scenario no-rename-while-recording scenario_no_rename_while_recording
gui_run_scenario control-line-before-start scenario_control_line_before_start
