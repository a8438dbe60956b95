# A DLL planted beside the programs under the name of a system DLL they use is never loaded:
# hid.dll, which both reach while they look for the mouse among the system's HID devices.
# shellcheck shell=bash

scenario_planted_dll_is_not_loaded() {
  cp "$GM_ROOT/build/win64/planted/hid.dll" "$GM_ROOT/build/win64/gm900ctl.exe" "$GUI_APP/"
  local status=0
  (cd "$GUI_APP" && wine ./gm900ctl.exe info >ctl.txt 2>&1) || status=$?
  gui_check "gm900ctl looked for the mouse" [ "$status" -eq 2 ]
  gui_check "gm900ctl did not load it" [ ! -e "$GUI_APP/planted-dll-loaded.txt" ]

  # Without the virtual mouse the program walks the system's HID devices at start-up, before
  # it adds its icon.
  (cd "$GUI_APP" && exec wine ./QL-GM900.exe --ui-log ui.txt >>wine.log 2>&1) &
  GUI_PID=$!
  gui_check "the program started and looked for the mouse" \
    gui_wait_log '^tray-add ' 30
  gui_check "the program did not load it" [ ! -e "$GUI_APP/planted-dll-loaded.txt" ]
}

gui_run_scenario planted-dll scenario_planted_dll_is_not_loaded
