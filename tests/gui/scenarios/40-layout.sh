# The main window's columns: toggling pages, the right column's fit rule, the scroll thumb,
# the views; screenshots checked at the layout's rectangles.
# shellcheck shell=bash

# Colour of a pixel of the screenshot $1 at window point ($2, $3): "r,g,b".
gui_pixel() {
  local geometry x y
  eval "$(xdotool getwindowgeometry --shell "$GUI_WINDOW")"
  convert "$GUI_WORK/$1.png" -format "%[fx:int(255*p{$((X + $2)),$((Y + $3))}.r)],%[fx:int(255*p{$((X + $2)),$((Y + $3))}.g)],%[fx:int(255*p{$((X + $2)),$((Y + $3))}.b)]" info:
}

# Clicks at window point ($1, $2) and waits a moment for the redraw.
gui_window_click() {
  xdotool mousemove --window "$GUI_WINDOW" "$1" "$2" click 1
  sleep 0.4
}

gui_last_layout() { grep '^layout' "$GUI_APP/ui.txt" | tail -n 1; }

scenario_fit_rule_and_thumb() {
  gui_start
  GUI_WINDOW=$(gui_window) || { gui_fail "window"; return; }
  gui_check "window shown" gui_wait_log '^window-shown$'
  gui_window_click 800 40    # DPI Setting
  gui_window_click 800 320   # USB Report Rate, below the open DPI page
  gui_eventually 10 bash -c "[ \"\$(grep -c '^layout' '$GUI_APP/ui.txt')\" -ge 2 ]"
  local line
  line=$(gui_last_layout)
  gui_check "DPI + USB Report Rate hide R4-R8 ($line)" \
    bash -c "[[ '$line' == 'layout top R1+32 R2-'*' R3+'*' R4-x R5-x R6-x R7-x R8-x' ]]"
  gui_screenshot fit-rule
  # Drag the thumb down past half of the track: Mouse Speed comes to the top.
  gui_check "thumb pressed" gui_drag_thumb "$GUI_WINDOW" 80 300
  gui_check "scrolled: R4 at the top" \
    gui_wait_log '^layout scrolled R1\+x R2-x R3\+x R4-32 R5-57 R6-82 R7-107 R8-132$'
  gui_screenshot scrolled
  # Back up: the top again.
  gui_check "thumb pressed again" gui_drag_thumb "$GUI_WINDOW" 400 -300
  gui_check "top again" \
    bash -c "for i in \$(seq 100); do grep '^layout' '$GUI_APP/ui.txt' | tail -n 1 |
      grep -q '^layout top R1+32 ' && exit 0; sleep 0.1; done; exit 1"
}

scenario_lighting_alone_and_one_page_thumb() {
  gui_start
  GUI_WINDOW=$(gui_window) || { gui_fail "window"; return; }
  gui_wait_log '^window-shown$' || { gui_fail "window shown"; return; }
  gui_window_click 800 65    # Lighting
  gui_wait_log '^layout' || { gui_fail "Lighting opens"; return; }
  local line
  line=$(gui_last_layout)
  gui_check "Lighting alone draws every header ($line)" \
    bash -c "[[ '$line' != *x* ]]"
  gui_check "thumb pressed" gui_drag_thumb "$GUI_WINDOW" 80 300
  # Lighting again closes its page: once that is logged, the whole drag has been handled.
  gui_window_click 800 65
  gui_check "Lighting closes" gui_eventually 10 \
    bash -c "[ \"\$(grep -c '^layout' '$GUI_APP/ui.txt')\" -ge 2 ]"
  gui_check "one open page: the thumb changes nothing" \
    bash -c "[ \"\$(grep -c '^layout' '$GUI_APP/ui.txt')\" -eq 2 ]"
}

scenario_views_and_left_column() {
  gui_start
  GUI_WINDOW=$(gui_window) || { gui_fail "window"; return; }
  gui_wait_log '^window-shown$' || { gui_fail "full draw"; return; }
  gui_window_click 100 115   # Button Assignment
  gui_screenshot front-rows
  gui_window_click 530 540   # Side
  gui_check "side view" gui_wait_log '^view side$'
  gui_screenshot side-rows
  gui_window_click 470 540   # Front
  gui_check "front view" gui_wait_log '^view front$'
}

gui_run_scenario fit-rule-and-thumb scenario_fit_rule_and_thumb
gui_run_scenario lighting-alone scenario_lighting_alone_and_one_page_thumb
gui_run_scenario views-and-left-column scenario_views_and_left_column
