# Helpers of the GUI tests: a fresh copy of the program per scenario, started under Wine on the
# harness's own Xvfb display with the virtual mouse; checks on windows, files, the virtual
# mouse's trace and the log of what the program hands to the shell.
# shellcheck shell=bash

# Every time limit of a wait is multiplied by this: a wait ends as soon as what it waits for
# happens, so a generous limit costs nothing, and a loaded machine still passes.
GUI_PATIENCE=${GUI_PATIENCE:-3}

# After this many scenarios in a row whose program never started, the run stops: the cause
# (Wine, the prefix, the build) is not one a further scenario would get past.
GUI_START_LIMIT=${GUI_START_LIMIT:-3}
# Seconds (times the patience) that a start has to show a sign of the program.
GUI_START_WAIT=${GUI_START_WAIT:-15}

GUI_PASSED=0
GUI_FAILED=0
GUI_CURRENT=""
GUI_APP=""
GUI_PID=""
GUI_START_FAILURES=0  # scenarios in a row whose program did not start
GUI_NOT_STARTED=0     # this scenario's program did not start
GUI_STARTED=""        # this scenario's program started at least once

gui_fail() {
  printf 'FAIL %s: %s\n' "$GUI_CURRENT" "$*"
  GUI_SCENARIO_FAILED=1
}

gui_check() {  # description, command...
  local what="$1"
  shift
  if ! "$@" >/dev/null; then gui_fail "$what"; fi
}

# A fresh copy of the distribution folder; the program runs from there.
gui_fresh_app() {
  GUI_APP="$GUI_WORK/app-$1"
  rm -rf "$GUI_APP"
  cp -a "$GUI_DIST" "$GUI_APP"
}

# Starts the program with the virtual mouse; extra arguments are passed on.
# Now and then (about one start in a few hundred, right after the previous scenario's Wine
# server was killed) Wine hangs a new process before its first window exists: nothing reaches
# the trace or the log. Such a start is ended and made once more; a program that never starts
# still fails its scenario.
# Every scenario gets the retry (the hang comes at random); once a start of a scenario has
# failed, its later starts fail at once. Scenarios whose program never started are counted, one
# each however often they tried, and the run stops after GUI_START_LIMIT of them in a row
# instead of waiting each one out.
gui_start() {
  local attempt
  [ "$GUI_NOT_STARTED" -eq 0 ] || return 1
  for attempt in 1 2; do
    (cd "$GUI_APP" && exec wine ./QL-GM900.exe --virtual-mouse --trace trace.txt \
      --control control.txt --ui-log ui.txt "$@" >>"$GUI_APP/wine.log" 2>&1) &
    GUI_PID=$!
    if gui_eventually "$GUI_START_WAIT" gui_program_began; then
      GUI_STARTED=1
      return 0
    fi
    echo "gui_start: no sign of the program after attempt $attempt" >>"$GUI_APP/wine.log"
    gui_stop
  done
  GUI_NOT_STARTED=1
  gui_fail "the program did not start"
  return 1
}

# After a scenario: counts the scenarios in a row whose program did not start, and stops the
# run at the limit. A scenario that started the program ends the row; one that never tried
# leaves it as it was.
gui_count_start_failure() {
  if [ "$GUI_NOT_STARTED" -eq 0 ]; then
    [ -n "$GUI_STARTED" ] && GUI_START_FAILURES=0
    return 0
  fi
  GUI_START_FAILURES=$((GUI_START_FAILURES + 1))
  [ "$GUI_START_FAILURES" -lt "$GUI_START_LIMIT" ] && return 0
  echo "gui: stopped: the program did not start in $GUI_START_FAILURES scenarios in a row" \
    "(last: $GUI_APP/wine.log)"
  echo "gui: $GUI_PASSED passed, $GUI_FAILED failed"
  exit 1
}

# The program's first step is the connect sequence (the trace) or its log.
gui_program_began() { [ -s "$GUI_APP/trace.txt" ] || [ -s "$GUI_APP/ui.txt" ]; }

# Waits for a visible window titled $1 (up to $2 seconds); prints its id.
gui_wait_titled() { gm_wait_search $((${2:-10} * GUI_PATIENCE)) --name "^$1\$"; }

# Nothing to wait for once gui_start has given up.
gui_window() {
  [ "$GUI_NOT_STARTED" -eq 0 ] || return 1
  gm_wait_window ql-gm900.exe $((${1:-20} * GUI_PATIENCE))
}

# True once no window of the program is visible, within $1 seconds. Wine without a window
# manager takes up to about 2 s to take a hidden window off the screen.
gui_window_gone() {
  local seconds="${1:-10}" i
  for i in $(seq $((seconds * 10 * GUI_PATIENCE))); do
    xdotool search --onlyvisible --class '^ql-gm900.exe$' >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}

# Waits up to $1 seconds for a command to succeed (asked once more at the end).
gui_eventually() {
  local seconds="$1" i
  shift
  for i in $(seq $((seconds * 10 * GUI_PATIENCE))); do
    "$@" && return 0
    sleep 0.1
  done
  "$@"
}

# Lines of a file of the program's folder that match a regex: "count FILE REGEX".
gui_count() { grep -cE -- "$2" "$GUI_APP/$1" 2>/dev/null; }
gui_count_is() { [ "$(gui_count "$1" "$2")" -eq "$3" ]; }

# Clicks the program's icon in Wine's notification area (the first icon of its tray window).
gui_tray_click() {  # button: 1 left, 3 right
  local tray
  tray=$(xdotool search --name '^Wine System Tray$' 2>/dev/null | head -n 1)
  [ -n "$tray" ] || return 1
  xdotool mousemove --window "$tray" 8 10 click "${1:-1}"
}

gui_send() { printf '%s\n' "$*" >>"$GUI_APP/control.txt"; }

# Waits up to $2 seconds for a line matching the regex $1 in the shell log.
gui_wait_log() {
  local pattern="$1" seconds="${2:-10}" i
  for i in $(seq $((seconds * 10 * GUI_PATIENCE))); do
    grep -qE -- "$pattern" "$GUI_APP/ui.txt" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

gui_exited() {  # true when the program's process ends within $1 seconds
  local seconds="${1:-10}" i
  for i in $(seq $((seconds * 10 * GUI_PATIENCE))); do
    kill -0 "$GUI_PID" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

# Chooses item $1 (from the bottom, 1 = last; separators do not count) of the open pop-up menu
# with the keys: where the menu opens depends on its height and the pointer's place.
gui_choose_menu_item_from_bottom() {
  local k
  for k in $(seq "${1:-1}"); do xdotool key Up; done
  xdotool key Return
}

# Drags the right column's scroll thumb of window $1 from window point (987, $2) by $3 pixels.
# The press counts once the program reports the thumb moving: until then the rest of the drag
# would reach the window under the pointer instead of the captured thumb.
gui_drag_thumb() {  # window y dy
  local before step=2 moved=2
  [ "$3" -lt 0 ] && step=-2 moved=-2
  before=$(grep -c '^thumb ' "$GUI_APP/ui.txt" 2>/dev/null)
  xdotool mousemove --window "$1" 987 "$2" mousedown 1
  xdotool mousemove_relative --sync -- 0 "$step"
  gui_eventually 10 bash -c "[ \"\$(grep -c '^thumb ' '$GUI_APP/ui.txt')\" -gt $before ]" ||
    { xdotool mouseup 1; return 1; }
  while [ $((moved * moved)) -lt $(($3 * $3)) ]; do
    xdotool mousemove_relative --sync -- 0 $((step * 5))
    moved=$((moved + step * 5))
  done
  xdotool mouseup 1
}

gui_click() {  # window x y [button]
  xdotool mousemove --window "$1" "$2" "$3" click "${4:-1}"
}

# Saves the screen as $GUI_WORK/$1.png once it has settled: two captures in a row that are
# the same (up to 10 s), so that a draw still reaching the X server is never half caught.
gui_screenshot() {
  local shot="$GUI_WORK/$1.png" last="$GUI_WORK/$1.last.png" i
  import -window root "$last" 2>/dev/null
  for i in $(seq 40); do
    sleep 0.1
    import -window root "$shot" 2>/dev/null
    cmp -s <(convert "$shot" rgb:- 2>/dev/null) <(convert "$last" rgb:- 2>/dev/null) && break
    mv -f "$shot" "$last"
  done
  rm -f "$last"
}

gui_stop() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  [ -n "$GUI_PID" ] && wait "$GUI_PID" 2>/dev/null
  GUI_PID=""
}

gui_run_scenario() {  # name function [arguments of the function]
  GUI_CURRENT="$1"
  GUI_SCENARIO_FAILED=0
  GUI_NOT_STARTED=0
  GUI_STARTED=""
  gui_fresh_app "$1"
  "$2" "${@:3}"
  gui_stop
  if [ "$GUI_SCENARIO_FAILED" -eq 0 ]; then
    GUI_PASSED=$((GUI_PASSED + 1))
    printf 'ok   %s\n' "$1"
  else
    GUI_FAILED=$((GUI_FAILED + 1))
    [ -f "$GUI_APP/ui.txt" ] && sed 's/^/     ui: /' "$GUI_APP/ui.txt" | tail -n 20
  fi
  gui_count_start_failure
}

# Sets key $3 of section $2 in the UTF-16 INI file $1 (relative to the program's folder).
gui_set_ini() {
  python3 - "$GUI_APP/$1" "$2" "$3" "$4" <<'PY'
import sys
path, section, key, value = sys.argv[1:]
text = open(path, encoding='utf-16').read()
lines = text.splitlines()
out, inside, done = [], False, False
for line in lines:
    stripped = line.strip()
    if stripped.startswith('['):
        if inside and not done:
            out.append(f'{key}={value}')
            done = True
        inside = stripped[1:-1].lower() == section.lower()
    elif inside and stripped.split('=', 1)[0].strip().lower() == key.lower():
        line, done = f'{key}={value}', True
    out.append(line)
if not done:
    if not inside:
        out.append(f'[{section}]')
    out.append(f'{key}={value}')
open(path, 'w', encoding='utf-16', newline='').write('\r\n'.join(out) + '\r\n')
PY
}
