# The scroll thumb (the image button made from PNG resource 184): dragged along its track, it
# stays within its bounds and reports each new top. Runs in a test window of its own.
# shellcheck shell=bash

thumb_pixel() {  # x y: "r g b" of the screen
  import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
    sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' | head -n 1
}

thumb_is_accent() {  # x y: red clearly above green and blue
  local r g b
  read -r r g b <<<"$(thumb_pixel "$1" "$2")"
  [ -n "$r" ] && [ "$r" -gt 150 ] && [ "$r" -gt $((g + 80)) ] && [ "$r" -gt $((b + 60)) ]
}

thumb_not_accent() { ! thumb_is_accent "$@"; }

thumb_last_move() { tail -n 1 "$GUI_APP/thumb.txt" 2>/dev/null | tr -d '\r'; }

thumb_move() {  # window y [steps]: move the pointer there in that many steps
  local from="$THUMB_Y" steps="${3:-4}" step
  for step in $(seq "$steps"); do
    xdotool mousemove --window "$1" 987 $((from + ($2 - from) * step / steps))
  done
  THUMB_Y=$2
}

thumb_last_is() { [ "$(thumb_last_move)" = "$1" ]; }

scenario_thumb_drag() {
  cp "$GM_ROOT/build/win64/gui_thumb_host.exe" "$GUI_APP/"
  (cd "$GUI_APP" && exec wine ./gui_thumb_host.exe thumb.txt >>"$GUI_APP/wine.log" 2>&1) &
  GUI_PID=$!
  local w
  w=$(gm_wait_window gui_thumb_host.exe $((20 * GUI_PATIENCE))) || { gui_fail "test window"; return; }
  gui_check "thumb drawn at the top" gui_eventually 10 thumb_is_accent 987 52

  # The drag goes on once the thumb reports its first move: until the press has been handled,
  # the moves would reach the window under the pointer instead of the captured thumb.
  THUMB_Y=62
  xdotool mousemove --window "$w" 987 60 mousedown 1
  xdotool mousemove --window "$w" 987 62
  gui_check "the press took the thumb" gui_eventually 10 thumb_last_is "moved 34"
  thumb_move "$w" 150
  gui_check "dragged 90 down" gui_eventually 10 thumb_last_is "moved 122"
  thumb_move "$w" 5 1    # in one jump: the top would be -23
  thumb_move "$w" 640 1  # the bottom would be 726
  gui_check "stopped at the last accepted place" thumb_last_is "moved 122"
  thumb_move "$w" 500
  gui_check "dragged to 472" gui_eventually 10 thumb_last_is "moved 472"
  xdotool mouseup 1
  thumb_move "$w" 300
  gui_check "released: no more moves" thumb_last_is "moved 472"
  gui_check "thumb drawn at its new place" gui_eventually 10 thumb_is_accent 987 500
  gui_check "track uncovered at the top" gui_eventually 10 thumb_not_accent 987 52
}

gui_run_scenario thumb-drag scenario_thumb_drag
