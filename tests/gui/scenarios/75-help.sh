# The help panel under the help icon, its link, and the firmware updater started by message
# 0xB13 from another program.
# shellcheck shell=bash

HELP_X=786
HELP_Y=25

# "r g b" of pixel (x, y) of an image file; for a PNG with alpha also the alpha.
help_pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)] %[fx:int(255*p{$2,$3}.g+0.5)] %[fx:int(255*p{$2,$3}.b+0.5)] %[fx:int(255*p{$2,$3}.a+0.5)]" info:
}

# True when the screenshot shows, at main-window point (wx, wy), pixel (ix, iy) of a skin image.
help_shows_skin() {  # shot image ix iy wx wy
  local X Y WIDTH HEIGHT SCREEN WINDOW r g b a sr sg sb sa d
  eval "$(xdotool getwindowgeometry --shell "$HELP_WINDOW")"
  read -r r g b a <<<"$(help_pixel "$GUI_APP/Skins/Default/$2" "$3" "$4")"
  read -r sr sg sb sa <<<"$(help_pixel "$GUI_WORK/$1.png" $((X + $5)) $((Y + $6)))"
  for d in $((sr - r)) $((sg - g)) $((sb - b)); do
    [ "${d#-}" -le 1 ] || { echo "expected $r $g $b, found $sr $sg $sb"; return 1; }
  done
}

# True when two screenshots agree at main-window point (wx, wy).
help_same_pixel() {  # shot1 shot2 wx wy
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$HELP_WINDOW")"
  [ "$(help_pixel "$GUI_WORK/$1.png" $((X + $3)) $((Y + $4)))" = \
    "$(help_pixel "$GUI_WORK/$2.png" $((X + $3)) $((Y + $4)))" ]
}

# Number of dark (text) pixels in a band of the panel: main-window rectangle l t r b.
help_dark_pixels() {  # shot l t r b
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$HELP_WINDOW")"
  convert "$GUI_WORK/$1.png" -crop "$(($4 - $2))x$(($5 - $3))+$((X + $2))+$((Y + $3))" +repage \
    -colorspace gray -threshold 35% -negate -format "%[fx:int(mean*w*h+0.5)]" info:
}

help_start() {
  gui_start
  HELP_WINDOW=$(gui_window) || { gui_fail "window"; return 1; }
  gui_wait_log '^window-shown$' || { gui_fail "full draw"; return 1; }
}

help_click_icon() { xdotool mousemove --window "$HELP_WINDOW" 944 12 click 1; }

scenario_help_opens_and_closes() {
  help_start || return
  gui_screenshot help-before
  help_click_icon
  gui_check "opened" gui_wait_log '^help-open$' 5
  sleep 0.5
  gui_screenshot help-english
  gui_check "panel background at (786, 25)" \
    help_shows_skin help-english Help/HelpWindow.png 2 12 $((HELP_X + 2)) $((HELP_Y + 12))
  gui_check "bottom edge of the panel" \
    help_shows_skin help-english Help/HelpWindow.png 80 76 $((HELP_X + 80)) $((HELP_Y + 76))
  gui_check "link text" [ "$(help_dark_pixels help-english 786 25 952 50)" -gt 30 ]
  gui_check "update text" [ "$(help_dark_pixels help-english 786 51 952 74)" -gt 30 ]
  gui_check "version text" [ "$(help_dark_pixels help-english 786 75 952 102)" -gt 30 ]
  help_click_icon
  gui_check "a second click on the icon closes it" gui_wait_log '^help-close$' 5
  sleep 0.5
  gui_screenshot help-closed
  local point
  for point in "788 37" "866 62" "950 101"; do
    # shellcheck disable=SC2086
    gui_check "main window as before at $point" help_same_pixel help-before help-closed $point
  done

  help_click_icon
  gui_check "opened again" gui_wait_log '^help-open$' 5
  : >"$GUI_APP/ui.txt"
  xdotool mousemove --window "$HELP_WINDOW" 600 20 click 1
  gui_check "a click elsewhere closes it" gui_wait_log '^help-close$' 5
}

# Reset, Cancel and Save come before the panel's own test: Save runs and the panel stays.
scenario_help_stays_open_over_save() {
  help_start || return
  help_click_icon
  gui_wait_log '^help-open$' 5 || { gui_fail "opened"; return; }
  xdotool mousemove --window "$HELP_WINDOW" 950 618 click 1
  gui_check "Save ran" gui_wait_log '^save-done$' 15
  gui_check "panel still open" [ "$(grep -c '^help-close$' "$GUI_APP/ui.txt")" -eq 0 ]
}

scenario_help_link_and_languages() {
  local code
  for code in GER RUS CHS; do
    gui_fresh_app "help-$code"
    gui_set_ini str0.ini Skins Lan "$code"
    help_start || return
    help_click_icon
    gui_check "$code: opened" gui_wait_log '^help-open$' 5
    sleep 0.5
    gui_screenshot "help-$code"
    gui_check "$code: link text" [ "$(help_dark_pixels "help-$code" 786 25 952 50)" -gt 30 ]
    gui_check "$code: version text" [ "$(help_dark_pixels "help-$code" 786 75 952 102)" -gt 30 ]
    if [ "$code" = GER ]; then
      # The browser the system starts is a script that writes down the address it was given.
      printf '#!/bin/sh\necho "$1" >>"%s/browser.txt"\n' "$GUI_APP" >"$GUI_APP/browser.sh"
      chmod +x "$GUI_APP/browser.sh"
      wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$GUI_APP/browser.sh" /f \
        >/dev/null 2>&1
      xdotool mousemove --window "$HELP_WINDOW" $((HELP_X + 80)) $((HELP_Y + 12)) click 1
      gui_check "the link opens the address in capitals" gui_wait_log '^shell-open WWW\.QUILLON\.COM$' 5
      gui_check "the browser gets the site" \
        bash -c "for i in \$(seq 100); do grep -qi 'www\.quillon\.com' '$GUI_APP/browser.txt' 2>/dev/null && exit 0; sleep 0.1; done; exit 1"
      gui_check "the panel stays open" [ "$(grep -c '^help-close$' "$GUI_APP/ui.txt")" -eq 0 ]
      xdotool mousemove --window "$HELP_WINDOW" $((HELP_X + 80)) $((HELP_Y + 40)) click 1
      sleep 0.5
      gui_check "the update line is no link" [ "$(grep -c '^shell-open' "$GUI_APP/ui.txt")" -eq 1 ]
    fi
    gui_stop
  done
}

scenario_updater_by_message() {
  cp "$GM_ROOT/build/win64/gui_tool.exe" "$GUI_APP/Update/X64/FwUpdate.exe"
  cp "$GM_ROOT/build/win64/gui_tool.exe" "$GUI_APP/Update/X86/FwUpdate.exe"
  cp "$GM_ROOT/build/win64/gui_tool.exe" "$GUI_APP/"
  help_start || return
  local tool="$GUI_APP/gui_tool.exe"
  gui_check "message with wParam 1 posted" wine "$tool" post KX512OEMNewGMClass 0xB13 1
  sleep 2
  gui_check "wParam 1 starts nothing" [ ! -e "$GUI_APP/Update/X64/started.txt" ]
  gui_check "message with wParam 0 posted" wine "$tool" post KX512OEMNewGMClass 0xB13 0
  gui_check "64-bit updater started" \
    bash -c "for i in \$(seq 100); do [ -s '$GUI_APP/Update/X64/started.txt' ] && exit 0; sleep 0.1; done; exit 1"
  gui_check "by its full path" gui_wait_log '^shell-open .*\\Update\\X64\\FwUpdate\.exe$' 2
  gui_check "not the 32-bit one" [ ! -e "$GUI_APP/Update/X86/started.txt" ]
}

gui_run_scenario help-opens-closes scenario_help_opens_and_closes
gui_run_scenario help-over-save scenario_help_stays_open_over_save
gui_run_scenario help-link-languages scenario_help_link_and_languages
gui_run_scenario updater-by-message scenario_updater_by_message
