# The first full draw compared with the skin's own pixels at the layout's rectangles, a skin
# without its logo, the skin's text colour, and the window in the five languages.
# shellcheck shell=bash

SKIN_DIR=Skins/Default

# "r g b a" of pixel (x, y) of a PNG file.
gui_png_pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)] %[fx:int(255*p{$2,$3}.g+0.5)] %[fx:int(255*p{$2,$3}.b+0.5)] %[fx:int(255*p{$2,$3}.a+0.5)]" info:
}

# True when the screenshot's pixel at window point (wx, wy) matches pixel (ix, iy) of the skin
# image drawn at (wx - ix, wy - iy), within 1 per channel; the image pixel must be opaque.
gui_matches_skin() {  # shot image ix iy wx wy
  local shot="$GUI_WORK/$1.png" X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$GUI_WINDOW")"
  read -r r g b a <<<"$(gui_png_pixel "$GUI_APP/$SKIN_DIR/$2" "$3" "$4")"
  read -r sr sg sb sa <<<"$(gui_png_pixel "$shot" $((X + $5)) $((Y + $6)))"
  [ "$a" -eq 255 ] || { echo "image pixel not opaque"; return 1; }
  local d
  for d in $((sr - r)) $((sg - g)) $((sb - b)); do
    [ "${d#-}" -le 1 ] || { echo "expected $r $g $b, found $sr $sg $sb"; return 1; }
  done
}

# Number of pixels of colour r,g,b (within 40) in the window rectangle l t r b of a screenshot.
gui_count_colour() {  # shot l t r b red green blue
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$GUI_WINDOW")"
  convert "$GUI_WORK/$1.png" -crop "$(($4 - $2))x$(($5 - $3))+$((X + $2))+$((Y + $3))" +repage \
    -fuzz 16% -fill black +opaque "rgb($6,$7,$8)" -fill white -opaque "rgb($6,$7,$8)" \
    -format "%[fx:int(mean*w*h+0.5)]" info:
}

gui_start_drawn() {
  gui_start
  GUI_WINDOW=$(gui_window) || { gui_fail "window"; return 1; }
  gui_wait_log '^window-shown$' || { gui_fail "full draw"; return 1; }
}

scenario_first_draw_matches_the_skin() {
  gui_start_drawn || return
  gui_screenshot first-draw
  gui_check "Save button at (923, 604)" gui_matches_skin first-draw button-save-normal.png 3 3 926 607
  gui_check "Reset button at (673, 604)" gui_matches_skin first-draw button-cancel-normal.png 3 3 676 607
  gui_check "Config button at (18, 604)" gui_matches_skin first-draw button-config-normal.png 3 3 21 607
  gui_check "DPI header at (734, 32)" gui_matches_skin first-draw ItemBK.png 1 10 735 42
  gui_check "Gesture header at (734, 205)" gui_matches_skin first-draw ItemBK.png 1 10 735 215
  gui_check "Macro Manager header at (20, 132)" gui_matches_skin first-draw MacroManagementBK.png 1 20 21 152
  gui_check "selected Front button" gui_matches_skin first-draw button-mouse-leave.png 2 2 439 529
  gui_check "Side button" gui_matches_skin first-draw button-mouse-normal.png 2 2 502 529
  gui_check "logo at (20, 32)" gui_matches_skin first-draw Logo.png 30 20 50 52
  gui_check "white texts on the bottom buttons" \
    [ "$(gui_count_colour first-draw 673 604 793 634 255 255 255)" -gt 20 ]
}

scenario_skin_without_logo() {
  rm "$GUI_APP/$SKIN_DIR/Logo.png"
  gui_start_drawn || return
  gui_screenshot no-logo
  gui_check "main.png where the logo was" gui_matches_skin no-logo main.png 50 52 50 52
  gui_check "the rest as usual" gui_matches_skin no-logo button-save-normal.png 3 3 926 607
  gui_check "no message box" [ "$(xdotool search --onlyvisible --class '^ql-gm900.exe$' | wc -l)" -eq 1 ]
}

scenario_skin_text_colour() {
  gui_set_ini str0.ini Skins RColor 255
  gui_set_ini str0.ini Skins GColor 255
  gui_set_ini str0.ini Skins BColor 0
  gui_start_drawn || return
  gui_screenshot yellow-text
  gui_check "yellow button texts" [ "$(gui_count_colour yellow-text 673 604 793 634 255 255 0)" -gt 20 ]
  gui_check "yellow header texts" [ "$(gui_count_colour yellow-text 744 32 976 52 255 255 0)" -gt 20 ]
  gui_check "no white left in the texts" \
    [ "$(gui_count_colour yellow-text 673 604 793 634 255 255 255)" -lt 3 ]
}

# A caption file the user lost or damaged: the shipped skin and, without the colour keys, the
# default (green) text colour, so the first full draw has the factory window's face; the log
# says what was missing.
scenario_damaged_caption_file() {
  local case
  for case in missing empty-path garbage no-background cut-background; do
    gui_fresh_app "captions-$case"
    case "$case" in
      missing) rm "$GUI_APP/str.ini" "$GUI_APP/str0.ini" ;;
      empty-path) gui_set_ini str0.ini Skins Path "" ;;
      garbage) head -c 3000 /dev/urandom >"$GUI_APP/str0.ini" ;;
      no-background)
        mkdir -p "$GUI_APP/Skins/Plain"
        gui_set_ini str0.ini Skins Path Plain
        ;;
      cut-background)  # a skin whose background cannot be decoded
        cp -a "$GUI_APP/$SKIN_DIR" "$GUI_APP/Skins/Cut"
        head -c 20000 "$GUI_APP/$SKIN_DIR/main.png" >"$GUI_APP/Skins/Cut/main.png"
        gui_set_ini str0.ini Skins Path Cut
        ;;
    esac
    gui_start_drawn || return
    gui_screenshot "captions-$case"
    gui_check "$case: Save button" gui_matches_skin "captions-$case" button-save-normal.png 3 3 926 607
    gui_check "$case: Config button" gui_matches_skin "captions-$case" button-config-normal.png 3 3 21 607
    gui_check "$case: DPI header" gui_matches_skin "captions-$case" ItemBK.png 1 10 735 42
    gui_check "$case: window background" gui_matches_skin "captions-$case" main.png 600 20 600 20
    gui_check "$case: logo" gui_matches_skin "captions-$case" Logo.png 30 20 50 52
    # Without its colour keys the file leaves the texts green; with them, the skin's white.
    local colour="255 255 255"
    [ "$case" = missing ] || [ "$case" = garbage ] && colour="0 255 0"
    # shellcheck disable=SC2086
    gui_check "$case: texts in $colour" \
      [ "$(gui_count_colour "captions-$case" 673 604 793 634 $colour)" -gt 20 ]
    if [ "$case" = cut-background ]; then
      gui_check "$case: said" gui_wait_log '^skin background cannot be drawn'
    else
      gui_check "$case: said" gui_wait_log '^caption file lacks a skin'
    fi
    if [ "$case" = missing ]; then
      # The caption file a Save makes has the skin keys again (factory values), so that the
      # next start draws the skin's colour.
      xdotool mousemove --window "$GUI_WINDOW" 950 618 click 1
      gui_check "$case: saved" gui_wait_log '^save-done$' 15
      gui_check "$case: skin keys written" \
        [ "$(skin_keys "$GUI_APP/str0.ini")" = "Default 255 255 255" ]
    fi
    gui_stop
  done
}

# Path and the colour keys of section Skins of a caption file (UTF-16 or ANSI).
skin_keys() {
  python3 - "$1" <<'PY'
import sys
raw = open(sys.argv[1], 'rb').read()
text = raw.decode('utf-16') if raw[:2] == b'\xff\xfe' else raw.decode('cp1252')
inside, values = False, {}
for line in text.splitlines():
    s = line.strip()
    if s.startswith('['):
        inside = s[1:-1].lower() == 'skins'
    elif inside and '=' in s:
        key, value = s.split('=', 1)
        values.setdefault(key.strip().lower(), value.strip())
print(' '.join(values.get(k, '-') for k in ('path', 'rcolor', 'gcolor', 'bcolor')))
PY
}

scenario_five_languages() {
  local code
  for code in EN CHS CHT GER RUS; do
    gui_fresh_app "lang-$code"
    gui_set_ini str0.ini Skins Lan "$code"
    gui_start_drawn || return
    xdotool mousemove --window "$GUI_WINDOW" 100 115 click 1   # Button Assignment
    sleep 0.3
    xdotool mousemove --window "$GUI_WINDOW" 800 40 click 1    # DPI Setting
    sleep 0.5
    gui_screenshot "language-$code"
    gui_check "$code: texts drawn" [ "$(gui_count_colour "language-$code" 744 32 976 52 255 255 255)" -gt 20 ]
    gui_stop
  done
}

gui_run_scenario first-draw-pixels scenario_first_draw_matches_the_skin
gui_run_scenario skin-without-logo scenario_skin_without_logo
gui_run_scenario skin-text-colour scenario_skin_text_colour
gui_run_scenario five-languages scenario_five_languages
gui_run_scenario damaged-caption-file scenario_damaged_caption_file
