# Keys captured from real key presses: the combination dialog takes a modifier from its list
# and a key per box, the single-key dialog the last key event, and Enter and Esc close
# neither; the macro recorder lists presses and releases with their delays, a held key once.
# Each runs in a test program of its own; screenshots of the dialogs in several languages.
# shellcheck shell=bash

kd_result() { tr -d '\r' <"$GUI_APP/result.txt" 2>/dev/null; }

kd_start() {  # kind language: starts the dialog; its window in KD_WINDOW
  cp "$GM_ROOT/build/win64/gui_key_capture_host.exe" "$GUI_APP/"
  rm -f "$GUI_APP/result.txt"
  (cd "$GUI_APP" && exec wine ./gui_key_capture_host.exe "$1" "$2" result.txt \
    >>"$GUI_APP/wine.log" 2>&1) &
  GUI_PID=$!
  KD_WINDOW=$(gm_wait_window gui_key_capture_host.exe $((20 * GUI_PATIENCE))) || return 1
  sleep 0.5
}

kd_key() {  # window key...: types with the pointer over the dialog (focus follows it)
  local w="$1"
  shift
  xdotool mousemove --window "$w" 200 60
  sleep 0.1
  xdotool key --delay 80 "$@"
  sleep 0.3
}

kd_expect_result() {  # expected line
  local i
  for i in $(seq 50); do
    [ -s "$GUI_APP/result.txt" ] && break
    sleep 0.1
  done
  [ "$(kd_result)" = "$1" ] || gui_fail "result '$(kd_result)', expected '$1'"
}

kd_window_gone() { gui_exited 5; }

scenario_combo_dialog() {
  kd_start combo "$1" || { gui_fail "dialog window"; return; }
  local w="$KD_WINDOW"
  gui_click "$w" 90 127  # first key box
  sleep 0.2
  kd_key "$w" Tab
  gui_click "$w" 90 177  # second key box
  sleep 0.2
  kd_key "$w" b
  gui_click "$w" 60 77  # the modifier box opens the list
  sleep 0.3
  xdotool mousemove --window "$w" 70 95 # the first item, selected under the pointer
  sleep 0.3
  gui_screenshot "combo-$1-list"
  xdotool click 1
  sleep 0.3
  kd_key "$w" Return Escape
  gui_check "Enter and Esc leave the dialog open" kill -0 "$GUI_PID"
  xdotool mousemove --window "$w" 279 262  # over OK
  sleep 0.4
  gui_screenshot "combo-$1"
  xdotool click 1
  kd_expect_result "$(printf 'confirmed\tLeft Ctrl\tTab\tB')"
  gui_check "closed" kd_window_gone
}

scenario_single_dialog() {
  kd_start single "$1" || { gui_fail "dialog window"; return; }
  local w="$KD_WINDOW"
  kd_key "$w" a shift+a Return
  gui_check "Enter leaves the dialog open" kill -0 "$GUI_PID"
  kd_key "$w" Escape
  gui_check "Esc leaves the dialog open" kill -0 "$GUI_PID"
  kd_key "$w" F5
  xdotool mousemove --window "$w" 273 262  # over OK
  sleep 0.4
  gui_screenshot "single-$1"
  xdotool click 1
  kd_expect_result "$(printf 'confirmed\tF5')"
}

scenario_single_dialog_cancel_and_drag() {
  kd_start single ENG || { gui_fail "dialog window"; return; }
  local w="$KD_WINDOW" x0 y0 x1 y1
  eval "$(xdotool getwindowgeometry --shell "$w")"
  x0=$X y0=$Y
  # A press off the buttons moves the frameless window.
  xdotool mousemove --window "$w" 120 200 mousedown 1
  sleep 0.2
  xdotool mousemove_relative --sync 20 10
  sleep 0.1
  xdotool mousemove_relative --sync 20 10
  sleep 0.2
  xdotool mouseup 1
  sleep 0.4
  eval "$(xdotool getwindowgeometry --shell "$w")"
  x1=$X y1=$Y
  gui_check "dragged by 40,20 (from $x0,$y0 to $x1,$y1)" [ $((x1 - x0)) -eq 40 -a $((y1 - y0)) -eq 20 ]
  kd_key "$w" x
  gui_click "$w" 349 262  # Cancel
  kd_expect_result "$(printf 'cancelled\tX')"
}

scenario_recorder() {
  kd_start record ENG || { gui_fail "recorder window"; return; }
  local w="$KD_WINDOW" held
  kd_key "$w" a
  xdotool keydown b
  sleep 1.2 # long enough for the key to repeat
  xdotool keyup b
  sleep 0.2
  kd_key "$w" ctrl+c # xdotool lets go of Ctrl first
  gui_click "$w" 250 150 # beside the list: stop
  kd_expect_result "$(printf 'recorded\tA   Dn\t%s ms\tA   Up\t%s ms\tB   Dn\t%s ms\tB   Up\t%s ms\tCtrl   Dn\t%s ms\tC   Dn\t%s ms\tCtrl   Up\t%s ms\tC   Up' \
    $(kd_result | grep -oE '[0-9]+ ms' | cut -d' ' -f1))"
  held=$(kd_result | cut -f7 | cut -d' ' -f1)
  gui_check "B held for about 1.2 s, recorded once ($held ms)" [ "${held:-0}" -ge 1000 ]
}

gui_run_scenario combo-dialog-english scenario_combo_dialog ENG
gui_run_scenario combo-dialog-chinese scenario_combo_dialog CHS
gui_run_scenario single-dialog-german scenario_single_dialog GER
gui_run_scenario single-dialog-russian scenario_single_dialog RUS
gui_run_scenario single-dialog-cancel-drag scenario_single_dialog_cancel_and_drag
gui_run_scenario macro-recorder scenario_recorder
