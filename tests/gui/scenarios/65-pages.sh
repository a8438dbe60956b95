# The settings pages: their controls clicked at the layout's rectangles, each edit seen in the
# log of what was redrawn and, after a Save, in the configuration file's bytes; the colour
# dialog, the scroll lines box, the pages of a scrolled column; screenshots in three languages.
# shellcheck shell=bash

pages_start() {
  gui_start
  GUI_WINDOW=$(gui_window) || { gui_fail "window"; return 1; }
  gui_wait_log '^window-shown$' || { gui_fail "full draw"; return 1; }
}

# Clicks at window point ($1, $2) and waits a moment for the redraw.
pages_click() {
  xdotool mousemove --window "$GUI_WINDOW" "$1" "$2" click 1
  sleep 0.4
}

# Byte $1 of the SettingsRecord as config0.bin holds it (the file's first byte is the flag).
pages_record_byte() {
  od -An -tu1 -j $(($1 + 1)) -N 1 "$GUI_APP/config0.bin" | tr -d ' '
}

pages_save() {
  local saves
  saves=$(grep -c '^save-done$' "$GUI_APP/ui.txt")
  pages_click 950 618
  for _ in $(seq 150); do
    [ "$(grep -c '^save-done$' "$GUI_APP/ui.txt")" -gt "$saves" ] && return 0
    sleep 0.1
  done
  gui_fail "Save did not finish"
  return 1
}

pages_expect_byte() {  # offset value what
  local found
  found=$(pages_record_byte "$1")
  [ "$found" = "$2" ] || gui_fail "$3: record byte $1 is $found, expected $2"
}

# "r,g,b" of window point ($2, $3) in screenshot $1.
pages_pixel() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$GUI_WINDOW")"
  convert "$GUI_WORK/$1.png" -format \
    "%[fx:int(255*p{$((X + $2)),$((Y + $3))}.r+0.5)],%[fx:int(255*p{$((X + $2)),$((Y + $3))}.g+0.5)],%[fx:int(255*p{$((X + $2)),$((Y + $3))}.b+0.5)]" info:
}

# Number of pixels brighter than 200 in every channel in the window rectangle l t r b.
pages_bright_pixels() {  # shot l t r b
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$GUI_WINDOW")"
  convert "$GUI_WORK/$1.png" -crop "$(($4 - $2))x$(($5 - $3))+$((X + $2))+$((Y + $3))" +repage \
    -colorspace gray -threshold 78% -format "%[fx:int(mean*w*h+0.5)]" info:
}

# Answers the colour dialog with a key (Return confirms black, Escape cancels).
pages_colour_dialog() {
  local dialog
  gui_wait_log '^colour-dialog$' 5 || { gui_fail "no colour dialog"; return 1; }
  for _ in $(seq 50); do
    dialog=$(xdotool search --onlyvisible --name '^(Color|Colour)$' 2>/dev/null | head -n 1)
    [ -n "$dialog" ] && break
    sleep 0.1
  done
  [ -n "$dialog" ] || { gui_fail "colour dialog window"; return 1; }
  sleep 0.3
  xdotool key --window "$dialog" "$1"
  sleep 0.5
}

scenario_dpi_page() {
  pages_start || return
  pages_click 800 40                 # DPI Setting
  pages_click 748 203                # stage 1 bar, its foot: 100 DPI
  gui_check "stage 1 at 100 DPI" gui_wait_log '^page dpi-level 1 1$'
  pages_click 958 84                 # stage 7 bar near its top: 12000 DPI
  gui_check "stage 7 at 12000 DPI" gui_wait_log '^page dpi-level 7 120$'
  pages_click 780 248                # stage 2 enable box
  gui_check "stage 2 off" gui_wait_log '^page dpi-enable 2 0$'
  pages_click 815 268                # stage 3 swatch: cancel the dialog
  pages_colour_dialog Escape
  gui_check "cancelled" gui_wait_log '^colour-dialog cancelled$'
  pages_click 850 268                # stage 4 swatch: confirm the dialog's black
  pages_colour_dialog Return
  gui_check "stage 4 black" gui_wait_log '^page dpi-colour 4 0 0 0$'
  sleep 0.3
  gui_screenshot dpi-page
  gui_check "stage 3 swatch keeps its yellow" \
    [ "$(pages_pixel dpi-page 817 270)" = "255,255,0" ]
  gui_check "stage 4 swatch black" [ "$(pages_pixel dpi-page 852 270)" = "0,0,0" ]
  gui_check "stage 5 swatch cyan" [ "$(pages_pixel dpi-page 887 270)" = "0,255,255" ]
  gui_check "the value 12000 under stage 7" [ "$(pages_bright_pixels dpi-page 945 226 970 237)" -gt 10 ]
  pages_save || return
  pages_expect_byte 7 1 "stage 1 DPI"
  pages_expect_byte 13 120 "stage 7 DPI"
  pages_expect_byte 16 0 "stage 2 enabled"
  pages_expect_byte 29 255 "stage 3 red"
  pages_expect_byte 30 255 "stage 3 green"
  pages_expect_byte 31 0 "stage 3 blue"
  pages_expect_byte 32 0 "stage 4 red"
  # Settings bytes 0x54-0x64: stages 1 and 7 are 0x00 and 0x77 now, the mask lacks stage 2.
  gui_check "settings block sent with the new stages" grep -q \
    '^write 00 .*00 07 0f 1f 3f 4f 77 77 00 07 0f 1f 3f 4f 77 77 7d ' "$GUI_APP/trace.txt"
}

scenario_lighting_rate_speed() {
  pages_start || return
  pages_click 800 65                 # Lighting, origin (734, 77)
  pages_click 748 159                # Neon radio
  gui_check "neon" gui_wait_log '^page lighting-mode 3$'
  pages_click 960 130                # respiration slider, right-most pixels
  gui_check "respiration slider 6" gui_wait_log '^page lighting-slider 2 6$'
  pages_click 860 100                # brightness slider, second step
  gui_check "brightness 2" gui_wait_log '^page lighting-slider 1 2$'
  gui_screenshot lighting-page
  pages_click 800 65                 # Lighting closed
  pages_click 800 90                 # USB Report Rate, origin (734, 102): centre (855, 171)
  pages_click 805 181                # lower left: 250 Hz
  gui_check "250 Hz" gui_wait_log '^page report-rate 4$'
  pages_click 875 171                # in the dial's hole: nothing
  pages_click 800 255                # Mouse Speed below it, origin (734, 267)
  pages_click 855 298                # 60 pixels straight above the dial's centre
  gui_check "mouse speed 7" gui_wait_log '^page mouse-speed 7$'
  pages_click 855 363                # below the centre: nothing
  gui_screenshot rate-and-speed
  gui_check "one report-rate edit" [ "$(grep -c '^page report-rate' "$GUI_APP/ui.txt")" -eq 1 ]
  gui_check "one speed edit" [ "$(grep -c '^page mouse-speed' "$GUI_APP/ui.txt")" -eq 1 ]
  pages_save || return
  pages_expect_byte 47 3 "lighting mode"
  pages_expect_byte 48 2 "brightness"
  pages_expect_byte 49 6 "respiration period"
  pages_expect_byte 5 4 "report rate code"
  pages_expect_byte 53 7 "pointer speed"
  gui_check "report rate 250 Hz sent" grep -q '^set-feature 00 03 00 04 ' "$GUI_APP/trace.txt"
}

scenario_scroll_angle_gesture() {
  pages_start || return
  pages_click 800 165                # Scroll Speed, origin (734, 177)
  pages_click 748 232                # Scroll one screen
  gui_check "one screen" gui_wait_log '^page scroll-one-screen 1$'
  gui_screenshot scroll-one-screen
  pages_click 748 195                # The number of rows
  gui_check "rows" gui_wait_log '^page scroll-one-screen 0$'
  pages_click 928 195                # up arrow: 3 -> 4
  gui_check "4 lines" gui_wait_log '^page scroll-lines 4$'
  pages_click 928 203                # down arrow: 4 -> 3
  gui_check "3 lines" gui_wait_log '^page scroll-lines 3$'
  # A quick pair of clicks on an arrow is two steps: 3 -> 5, then back to 3.
  xdotool mousemove --window "$GUI_WINDOW" 928 195 click --repeat 2 --delay 80 1
  gui_check "quick pair up" gui_wait_log '^page scroll-lines 5$'
  xdotool mousemove --window "$GUI_WINDOW" 928 203 click --repeat 2 --delay 80 1
  gui_check "quick pair down" gui_eventually 5 gui_count_is ui.txt '^page scroll-lines 3$' 2
  pages_click 905 199                # into the box, then type behind the 3
  xdotool key --window "$GUI_WINDOW" End 0
  gui_check "30 typed" gui_wait_log '^page scroll-lines 30$'
  xdotool key --window "$GUI_WINDOW" 0
  gui_check "300 becomes 1" gui_wait_log '^page scroll-lines 1$' 3
  pages_click 800 265                # Angle Snap, origin (734, 278)
  pages_click 760 298                # On
  gui_check "angle snap on" gui_wait_log '^page angle-snap 1$'
  pages_click 800 330                # Gesture Correction below it, origin (734, 343)
  pages_click 779 378                # gesture slider under "-2"
  gui_check "gesture -2" gui_wait_log '^page gesture 1$'
  gui_screenshot scroll-angle-gesture
  pages_save || return
  pages_expect_byte 52 0 "scroll one screen"
  pages_expect_byte 54 1 "scroll lines"
  pages_expect_byte 56 1 "angle snap"
  pages_expect_byte 57 1 "gesture correction"
}

scenario_xy_sensitivity() {
  pages_start || return
  pages_click 100 185                # X/Y Sensitivity Setting, origin (20, 195)
  pages_click 151 240                # X slider under "7"
  gui_check "X 7" gui_wait_log '^page x-sensitivity 7$'
  pages_click 237 300                # Y slider, right-most pixels
  gui_check "Y 11" gui_wait_log '^page y-sensitivity 11$'
  gui_screenshot xy-page
  pages_save || return
  pages_expect_byte 59 7 "X sensitivity"
  pages_expect_byte 60 11 "Y sensitivity"
}

scenario_scrolled_column() {
  pages_start || return
  pages_click 800 40                 # DPI Setting
  pages_click 800 320                # USB Report Rate below it
  gui_screenshot before-scroll
  gui_check "swatch shown while the DPI page is open" \
    [ "$(pages_pixel before-scroll 747 270)" = "255,0,0" ]
  xdotool mousemove --window "$GUI_WINDOW" 987 80 mousedown 1
  xdotool mousemove_relative --sync 0 150
  xdotool mousemove_relative --sync 0 150
  xdotool mouseup 1
  sleep 0.5
  gui_check "scrolled" gui_wait_log '^layout scrolled'
  pages_click 780 248                # where stage 2's enable box was: nothing
  pages_click 800 40                 # Mouse Speed, now at the top, origin (734, 52)
  pages_click 855 83                 # 60 pixels above its dial's centre
  gui_check "mouse speed 7 in the scrolled column" gui_wait_log '^page mouse-speed 7$'
  gui_screenshot scrolled-pages
  gui_check "no DPI edit while scrolled" [ "$(grep -c '^page dpi' "$GUI_APP/ui.txt")" -eq 0 ]
  gui_check "swatches gone with the DPI page" \
    [ "$(pages_pixel scrolled-pages 747 270)" != "255,0,0" ]
}

# Reset shows every page closed: the DPI page's swatches and the lines box go with their pages.
scenario_reset_closes_pages() {
  pages_start || return
  pages_click 800 40                 # DPI Setting
  pages_click 800 399                # Scroll Speed below it, origin (734, 409)
  gui_screenshot pages-before-reset
  gui_check "swatch of stage 1 shown" [ "$(pages_pixel pages-before-reset 747 270)" = "255,0,0" ]
  gui_check "lines box shown" [ "$(pages_pixel pages-before-reset 886 427)" = "148,148,148" ]
  pages_click 700 618                # Reset
  gui_check "layout reset" gui_wait_log '^reset-layout$' 20
  sleep 0.5
  gui_screenshot pages-after-reset
  gui_check "no swatch after Reset" [ "$(pages_pixel pages-after-reset 747 270)" != "255,0,0" ]
  gui_check "no lines box after Reset" \
    [ "$(pages_pixel pages-after-reset 886 427)" != "148,148,148" ]
}

# Screenshots of the pages in three languages; the long German label of the scroll speed page
# wraps.
scenario_languages() {
  local code
  for code in GER CHS RUS; do
    gui_fresh_app "languages-$code"
    gui_set_ini str0.ini Skins Lan "$code"
    pages_start || return
    pages_click 100 185              # X/Y Sensitivity Setting
    pages_click 800 65               # Lighting
    pages_click 800 279              # Scroll Speed, below Lighting (origin 289)
    gui_screenshot "pages-$code-1"
    pages_click 800 65               # Lighting closed
    pages_click 800 40               # DPI Setting
    gui_screenshot "pages-$code-2"
    gui_check "$code: texts drawn on the pages" \
      [ "$(pages_bright_pixels "pages-$code-1" 734 77 976 190)" -gt 30 ]
    gui_stop
  done
}

gui_run_scenario dpi-page scenario_dpi_page
gui_run_scenario lighting-rate-speed scenario_lighting_rate_speed
gui_run_scenario scroll-angle-gesture scenario_scroll_angle_gesture
gui_run_scenario xy-sensitivity scenario_xy_sensitivity
gui_run_scenario scrolled-column scenario_scrolled_column
gui_run_scenario reset-closes-pages scenario_reset_closes_pages
gui_run_scenario page-languages scenario_languages
