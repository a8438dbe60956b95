# The mouse pulled out in the middle of a Save's transfers, then plugged in again.
# shellcheck shell=bash

# The data of the output reports of the last Save in the trace, one line of hex per block.
gui_last_save_blocks() {
  awk '/^set-feature 00 02 /{data=""; n=0} /^write 00 /{sub(/^write 00 /, ""); data=data $0 (n % 2 ? "\n" : " "); n++} END{printf "%s", data}' \
    "$GUI_APP/trace.txt"
}

scenario_unplug_during_save() {
  gui_start
  local window
  window=$(gui_window) || { gui_fail "window"; return; }
  gui_wait_log '^full-draw$' || { gui_fail "full draw"; return; }
  xdotool mousemove --window "$window" 950 618 click 1
  # Out once the key table is sent: amid the macro blocks.
  gui_eventually 20 grep -q '^set-feature 00 0d ' "$GUI_APP/trace.txt" || { gui_fail "key table"; return; }
  gui_send "unplug"
  # Taken at once (the control file is read every 50 ms), long before the last of the 19
  # macro blocks, which take 220 ms each.
  local sent_before
  sent_before=$(wc -l <"$GUI_APP/trace.txt")
  gui_check "the Save ends" gui_wait_log '^save-done$' 30
  # The last macro block not sent by the time of the unplug (and, the job ending at the next
  # report, never sent by this Save).
  gui_check "unplugged before the last macro block" \
    bash -c "! head -n '$sent_before' '$GUI_APP/trace.txt' | grep -q '^set-feature 00 0f 13 80 '"
  gui_check "the user is told the mouse is gone" \
    gui_wait_log '^balloon Warning\|The system did not detect the gaming mouse!\|100$'
  gui_check "window hidden" gui_wait_log '^window-hidden$'
  gui_screenshot unplugged-during-save
  gui_check "configuration file whole" [ "$(stat -c %s "$GUI_APP/config0.bin")" -eq 2855 ]
  gui_check "configuration file is the saved one" \
    [ "$(head -c 1 "$GUI_APP/config0.bin" | od -An -tu1 | tr -d ' ')" = 1 ]
  gui_check "still running" kill -0 "$GUI_PID"

  gui_send "plug"
  gui_check "mouse detected again" gui_wait_log '^balloon Info\|The system detect the gaming mouse.\|100$'
  gui_tray_click 1
  window=$(gui_window 10) || { gui_fail "window after plugging in"; return; }
  gui_wait_log '^(full-draw|relayout)$' 10
  xdotool mousemove --window "$window" 950 618 click 1
  gui_check "second Save ends" gui_eventually 30 gui_count_is ui.txt '^save-done$' 2
  gui_check "the whole sequence sent" \
    gui_eventually 5 grep -q '^set-feature 00 0f 13 80 ' "$GUI_APP/trace.txt"
  # What the second Save sent is what the configuration file gives, block for block.
  local expected
  expected=$(cd "$GUI_APP" && wine "$GM_ROOT/build/win64/gm900ctl.exe" encode config0.bin |
    tr -d "\r" | sed "s/^macro-block [0-9]* //; s/^[a-z-]* //")
  gui_check "sent blocks match the file" [ "$(gui_last_save_blocks)" = "$expected" ]
  # The mouse answers with what it was sent: stage 3's DPI read back is the file's.
  local stage3
  stage3=$(od -An -tu1 -j 10 -N 1 "$GUI_APP/config0.bin" | tr -d ' ')
  gui_send "dpi 3"
  gui_check "the mouse holds the settings" \
    gui_wait_log "^balloon Info\\|Switch DPI into the third stage $((stage3 * 100))\\|5000\$"
}

gui_run_scenario unplug-during-save scenario_unplug_during_save
