# The window answers while the mouse is written: a page opened 0.8 s into a Save is drawn
# while the Save's reports still go out, the Save button shows the progress, and the Save's
# trace is that of a Save left alone. Screenshots of the progress in the five languages.
# shellcheck shell=bash

# The trace lines of Save number $1 (from 1): from its 0x02 to the line before the next 0x02.
live_save_trace() {
  awk -v n="$1" '/^set-feature 00 02 /{k++} k==n' "$GUI_APP/trace.txt"
}

scenario_page_opened_during_save() {
  gui_start
  local window
  window=$(gui_window) || { gui_fail "window"; return; }
  gui_wait_log '^window-shown$' || { gui_fail "full draw"; return; }
  xdotool mousemove --window "$window" 950 618 click 1
  sleep 0.8
  xdotool mousemove --window "$window" 800 40 click 1   # DPI Setting
  gui_check "the page is drawn" gui_wait_log '^layout top R1\+' 5
  gui_check "while the Save still sends" bash -c "! grep -q '^set-feature 00 0f 13 80 ' '$GUI_APP/trace.txt'"
  gui_check "and before its end" bash -c "! grep -q '^apply-done$' '$GUI_APP/ui.txt'"
  sleep 0.3
  import -window root "$GUI_WORK/save-live-page.png"
  gui_check "the Save ends" gui_wait_log '^save-done$' 15
  gui_check "progress rises to 100" bash -c \
    "grep -o '^apply-progress [0-9]*' '$GUI_APP/ui.txt' | cut -d' ' -f2 | sort -n -c &&
     [ \"\$(grep -c '^apply-progress' '$GUI_APP/ui.txt')\" -gt 10 ] &&
     grep -q '^apply-progress 100$' '$GUI_APP/ui.txt'"
  gui_check "apply-done before save-done" bash -c \
    "grep -E '^(apply-done|save-done)$' '$GUI_APP/ui.txt' | tr '\n' ' ' | grep -q '^apply-done save-done $'"
  # The same record saved again with nothing touched: the same reports and pauses.
  sleep 2.2
  xdotool mousemove --window "$window" 950 618 click 1
  gui_check "second Save ends" gui_eventually 15 gui_count_is ui.txt '^save-done$' 2
  sleep 0.5
  gui_check "the Save's trace is unchanged" [ "$(live_save_trace 1)" = "$(live_save_trace 2)" ]
  gui_check "65 reports and 4612 ms of pauses" bash -c \
    "[ \"\$(awk -v n=1 '/^set-feature 00 02 /{k++} k==n' '$GUI_APP/trace.txt' | grep -cE '^(set-feature|write) ')\" -eq 65 ] &&
     [ \"\$(awk '/^set-feature 00 02 /{k++} k==1 && /^pause /{s+=\$2} END{print s}' '$GUI_APP/trace.txt')\" -eq 4612 ]"
}

# Cancel and the managers are refused while the mouse is written; the progress in each
# language, photographed halfway.
scenario_progress_in_five_languages() {
  local code window word
  for code in ENG CHS CHT GER RUS; do
    case "$code" in
      ENG) word=Saving ;; CHS) word=正在保存 ;; CHT) word=正在儲存 ;; GER) word=Speichern ;;
      RUS) word=Сохранение ;;
    esac
    gui_fresh_app "save-live-$code"
    [ "$code" = ENG ] || gui_set_ini str0.ini Skins Lan "$code"
    gui_start
    window=$(gui_window) || { gui_fail "$code: window"; return; }
    gui_wait_log '^window-shown$' || { gui_fail "$code: full draw"; return; }
    xdotool mousemove --window "$window" 950 618 click 1
    gui_wait_log '^apply-progress [4-9][0-9]$' 10 || { gui_fail "$code: no progress"; return; }
    import -window root "$GUI_WORK/save-progress-$code.png"
    xdotool mousemove --window "$window" 850 618 click 1   # Cancel
    gui_check "$code: Cancel refused while saving" gui_wait_log '^cancel-refused$' 5
    gui_check "$code: the tray tip says it" gui_wait_log "^tray-tip .* - $word [0-9]+%\$" 5
    gui_check "$code: the Save ends" gui_wait_log '^save-done$' 15
    gui_check "$code: window still shown" bash -c "! grep -q '^window-hidden$' '$GUI_APP/ui.txt'"
    gui_stop
  done
}

# Exit from the tray while the mouse is written: the Save ends whole, then the program.
scenario_exit_during_save() {
  gui_start
  local window
  window=$(gui_window) || { gui_fail "window"; return; }
  gui_wait_log '^window-shown$' || { gui_fail "full draw"; return; }
  xdotool mousemove --window "$window" 950 618 click 1
  gui_wait_log '^apply-progress' 10 || { gui_fail "no progress"; return; }
  gui_tray_click 3
  gui_check "menu shows Exit" gui_wait_log '^tray-menu Exit$'
  sleep 0.3
  gui_choose_menu_item_from_bottom 1
  gui_check "process ended" gui_exited 15
  gui_check "the Save ended before the exit" bash -c \
    "grep -E '^(save-done|exit)$' '$GUI_APP/ui.txt' | tr '\n' ' ' | grep -q '^save-done exit $'"
  gui_check "all 19 macro blocks sent" grep -q '^set-feature 00 0f 13 80 ' "$GUI_APP/trace.txt"
  gui_check "configuration saved with flag 1" \
    [ "$(head -c 1 "$GUI_APP/config0.bin" | od -An -tu1 | tr -d ' ')" = 1 ]
}

gui_run_scenario page-during-save scenario_page_opened_during_save
gui_run_scenario save-progress-languages scenario_progress_in_five_languages
gui_run_scenario exit-during-save scenario_exit_during_save
