# Start-up, single instance, hide and show from the notification area, Exit.
# shellcheck shell=bash

scenario_start_shows_window_and_icon() {
  gui_start
  gui_check "main window shown" gui_window >/dev/null
  gui_check "icon added with the tip" gui_wait_log '^tray-add QUILLON QL-GM900 Gaming Mouse$'
}

scenario_second_instance_exits_at_once() {
  gui_start
  gui_window >/dev/null || { gui_fail "first window"; return; }
  local status
  (cd "$GUI_APP" && wine ./QL-GM900.exe --virtual-mouse --ui-log ui2.txt >/dev/null 2>&1)
  status=$?
  gui_check "second instance exit code 0 (was $status)" [ "$status" -eq 0 ]
  gui_check "second instance shows no icon" bash -c "! grep -q tray-add '$GUI_APP/ui2.txt'"
  gui_check "one main window" [ "$(xdotool search --onlyvisible --class '^ql-gm900.exe$' | wc -l)" -eq 1 ]
}

scenario_exit_from_tray_menu() {
  gui_start
  gui_window >/dev/null || { gui_fail "window"; return; }
  gui_tray_click 3
  gui_check "menu shows Exit" gui_wait_log '^tray-menu Exit$'
  sleep 0.5
  gui_choose_menu_item_from_bottom 1
  gui_check "icon removed" gui_wait_log '^tray-delete$'
  gui_check "process ended" gui_exited 10
}

gui_run_scenario start-shows-window scenario_start_shows_window_and_icon
gui_run_scenario second-instance scenario_second_instance_exits_at_once
gui_run_scenario exit-from-tray scenario_exit_from_tray_menu
