# The language follows the Lan key of the caption file in use.
# shellcheck shell=bash

scenario_german_balloons() {
  gui_set_ini str0.ini Skins Lan GER
  gui_start
  gui_window >/dev/null || { gui_fail "window"; return; }
  gui_send "dpi 3"
  gui_check "German DPI balloon" \
    gui_wait_log '^balloon Info\|DPI-Schalter auf der dritten Stufe 1500\|5000$'
  gui_tray_click 3
  gui_check "German exit item" gui_wait_log '^tray-menu Aussteigen $'
  xdotool key Escape
}

scenario_chinese_balloons() {
  gui_set_ini str0.ini Skins Lan CHS
  gui_start
  gui_window >/dev/null || { gui_fail "window"; return; }
  gui_send "unplug"
  gui_check "Chinese warning balloon" gui_wait_log '^balloon Warning\|系统没有检测到游戏鼠标！\|100$'
}

gui_run_scenario german-balloons scenario_german_balloons
gui_run_scenario chinese-balloons scenario_chinese_balloons
