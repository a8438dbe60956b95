# The mouse's events and hot-plug, through the virtual mouse's control channel.
# shellcheck shell=bash

scenario_dpi_stage_balloon() {
  gui_start
  gui_window >/dev/null || { gui_fail "window"; return; }
  gui_send "dpi 3"
  # Stage 3 of the mouse's settings block is 0x0E: 1500 DPI, read back from the mouse.
  gui_check "DPI balloon" gui_wait_log '^balloon Info\|Switch DPI into the third stage 1500\|5000$'
  gui_check "settings block read back" gui_eventually 5 grep -q '^set-feature 00 8c' "$GUI_APP/trace.txt"
  gui_send "macro 2"
  gui_check "macro balloon" gui_wait_log '^balloon Info\|Switch to macro key2\|5000$'
  gui_send "report 05 07 01 03"
  gui_send "macro 0"
  gui_send "dpi 2"
  gui_check "next DPI balloon" gui_wait_log 'second stage'
  gui_check "reports not 06 07 and macro key 0 show nothing" \
    [ "$(grep -c '^balloon' "$GUI_APP/ui.txt")" -eq 3 ]
}

scenario_unplug_and_plug() {
  gui_start
  local window
  window=$(gui_window) || { gui_fail "window"; return; }
  gui_wait_log '^window-shown$'
  # A function list open when the mouse goes: it closes, and stays closed after the replug
  # (it was decided on the record the replug reads again).
  xdotool mousemove --window "$window" 100 117 click 1  # "Button Assignment"
  gui_wait_log '^layout' || { gui_fail "page opened"; return; }
  sleep 0.3
  xdotool mousemove --window "$window" 185 157 click 1  # row 1
  gui_wait_log '^menu open 1$' || { gui_fail "list of button 1"; return; }
  gui_send "unplug"
  gui_check "the list closed with the mouse gone" gui_wait_log '^menu close 1$'
  gui_check "warning balloon" \
    gui_wait_log '^balloon Warning\|The system did not detect the gaming mouse!\|100$'
  gui_check "window hidden" gui_wait_log '^window-hidden$'
  gui_check "no window" gui_window_gone 10
  local balloons
  balloons=$(gui_count ui.txt '^balloon Warning')
  gui_tray_click 1
  gui_check "tray click repeats the warning" \
    gui_eventually 10 gui_count_is ui.txt '^balloon Warning' $((balloons + 1))
  sleep 0.5
  gui_check "window stays hidden" gui_window_gone 1
  gui_send "plug"
  gui_check "detected balloon" gui_wait_log '^balloon Info\|The system detect the gaming mouse.\|100$'
  gui_check "connect sequence sent again" \
    gui_eventually 10 gui_count_is trace.txt '^set-feature 00 01 fc' 2
  gui_tray_click 1
  gui_check "window shown again from the icon" gui_window 10
  gui_send "dpi 1"
  gui_check "listener runs after plugging in" gui_wait_log 'first stage'
  gui_check "no list open after the replug" \
    [ "$(grep -E '^menu (open|close) ' "$GUI_APP/ui.txt" | tail -n 1)" = "menu close 1" ]
  window=$(gui_window 10) || return
  sleep 0.5
  xdotool mousemove --window "$window" 185 157 click 1  # row 1 again: a fresh list
  gui_check "row 1 opens its list again" \
    gui_eventually 10 gui_count_is ui.txt '^menu open 1$' 2
}

scenario_close_hides_and_icon_shows() {
  gui_start
  local window
  window=$(gui_window) || { gui_fail "window"; return; }
  xdotool mousemove --window "$window" 500 300 key alt+F4
  gui_check "hidden on close" gui_wait_log '^window-hidden$'
  gui_check "no window after close" gui_window_gone 10
  gui_tray_click 1
  gui_check "shown from the icon" gui_window 10
}

gui_run_scenario dpi-stage-balloon scenario_dpi_stage_balloon
gui_run_scenario unplug-and-plug scenario_unplug_and_plug
gui_run_scenario close-hides scenario_close_hides_and_icon_shows
