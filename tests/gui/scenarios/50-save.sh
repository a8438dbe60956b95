# Save, Cancel and Reset from the main window's buttons, checked on the virtual mouse's trace
# and the files.
# shellcheck shell=bash

scenario_save_once_within_two_seconds() {
  gui_start
  local window
  window=$(gui_window) || { gui_fail "window"; return; }
  gui_wait_log '^window-shown$' || { gui_fail "full draw"; return; }
  xdotool mousemove --window "$window" 950 618 click 1 click 1
  gui_check "Save finished" gui_wait_log '^save-done$' 15
  sleep 2.5
  gui_check "one Save for two clicks" [ "$(grep -c '^set-feature 00 02 ' "$GUI_APP/trace.txt")" -eq 1 ]
  gui_check "all 19 macro blocks sent" grep -q '^set-feature 00 0f 13 80 ' "$GUI_APP/trace.txt"
  gui_check "configuration saved with flag 1" \
    [ "$(head -c 1 "$GUI_APP/config0.bin" | od -An -tu1 | tr -d ' ')" = 1 ]
  xdotool mousemove --window "$window" 950 618 click 1
  gui_check "a Save more than 2 s later runs" gui_wait_log 'save-done' 15
  sleep 1
  gui_check "second Save sent" [ "$(grep -c '^set-feature 00 02 ' "$GUI_APP/trace.txt")" -eq 2 ]
}

scenario_cancel_hides_and_reloads_on_open() {
  gui_start
  local window
  window=$(gui_window) || { gui_fail "window"; return; }
  gui_wait_log '^window-shown$' || { gui_fail "full draw"; return; }
  xdotool mousemove --window "$window" 850 618 click 1
  gui_check "hidden by Cancel" gui_wait_log '^window-hidden$'
  gui_tray_click 1
  gui_check "shown again" gui_window 5
  gui_check "pages redrawn after the reload" gui_wait_log '^relayout$'
}

scenario_reset_applies_factory_settings() {
  gui_start
  local window
  window=$(gui_window) || { gui_fail "window"; return; }
  gui_wait_log '^window-shown$' || { gui_fail "full draw"; return; }
  # A double click: the second press waits while the first Reset blocks the window, and then
  # finds its guard set.
  xdotool mousemove --window "$window" 700 618 click --repeat 2 --delay 80 1
  gui_check "Reset sends the configuration" \
    bash -c "for i in \$(seq 100); do grep -q '^set-feature 00 0f 13 80' '$GUI_APP/trace.txt' && exit 0; sleep 0.1; done; exit 1"
  gui_check "config0.bin written" \
    bash -c "for i in \$(seq 50); do [ \"\$(head -c 1 '$GUI_APP/config0.bin' | od -An -tu1 | tr -d ' ')\" = 1 ] && exit 0; sleep 0.1; done; exit 1"
  gui_check "the second press found Reset busy" gui_wait_log '^reset-busy$' 10
  sleep 1
  gui_check "one key table for a double click" gui_count_is trace.txt '^set-feature 00 0d ' 1
  sleep 2
  xdotool mousemove --window "$window" 700 618 click 1
  gui_check "a Reset after the guard runs" \
    gui_eventually 15 gui_count_is trace.txt '^set-feature 00 0d ' 2
}

# The factory file replaced by 2,855 random bytes (report-rate code 0xC1 among them): Reset
# names it as damaged and sends none of its values; the settings in use go to the mouse and
# to config0.bin as they were.
scenario_reset_with_damaged_factory_file() {
  python3 -c "import random; r = random.Random(2855); b = bytearray(r.randrange(256) for _ in range(2855)); b[6] = 0xC1; open('$GUI_APP/config.bin', 'wb').write(b)"
  cp "$GUI_APP/config0.bin" "$GUI_WORK/config0-before.bin"
  gui_start
  local window
  window=$(gui_window) || { gui_fail "window"; return; }
  gui_wait_log '^window-shown$' || { gui_fail "full draw"; return; }
  xdotool mousemove --window "$window" 700 618 click 1
  gui_eventually 15 bash -c "xdotool search --onlyvisible --class '^ql-gm900.exe\$' | grep -vqx '$window'" ||
    { gui_fail "a message names the damaged file"; return; }
  gui_screenshot damaged-factory-file
  xdotool key Return
  gui_check "Reset sends the configuration" \
    gui_eventually 15 grep -q '^set-feature 00 0f 13 80' "$GUI_APP/trace.txt"
  gui_check "no report-rate code 0xC1" bash -c "! grep -q '^set-feature 00 03 .. c1' '$GUI_APP/trace.txt'"
  gui_check "the settings kept in config0.bin" \
    gui_eventually 10 bash -c "cmp -s <(tail -c +3 '$GUI_WORK/config0-before.bin') <(tail -c +3 '$GUI_APP/config0.bin')"
}

gui_run_scenario save-once scenario_save_once_within_two_seconds
gui_run_scenario cancel-reloads scenario_cancel_hides_and_reloads_on_open
gui_run_scenario reset-applies scenario_reset_applies_factory_settings
gui_run_scenario reset-damaged-factory scenario_reset_with_damaged_factory_file
