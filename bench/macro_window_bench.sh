#!/usr/bin/env bash
# How long the macro windows take under Wine with 19 full macros in record.ini (63 key events
# and 62 delays each, as many as a block holds), each against the same over three one-event
# macros: the macro manager's open and its OK (from the click to the program's log line), the
# macro picker's open (its test program, from its start), and a Save (from the click to its
# end; the pauses the protocol itself takes are summed from the virtual mouse's trace). The log is polled every
# 10 ms, so each figure is good to about 20 ms. Needs the win64 build.
# Usage: bench/macro_window_bench.sh [runs]
set -u
cd "$(dirname "$0")/.."
source scripts/lib/common.sh
source tests/gui/lib.sh
runs="${1:-3}"

GUI_DIST="$GM_ROOT/build/win64/dist/QL-GM900"
GUI_WORK="$GM_ROOT/build/macro-window-bench"
GUI_PATIENCE=3
rm -rf "$GUI_WORK"
mkdir -p "$GUI_WORK"
gm_wine_prefix "$GM_ROOT/build/wineprefix-gui-template"
cp -a "$GM_ROOT/build/wineprefix-gui-template" "$GUI_WORK/prefix"
export WINEPREFIX="$GUI_WORK/prefix"
gm_start_xvfb || { echo "no display" >&2; exit 1; }
trap 'wineserver -k 2>/dev/null; kill "$GM_XVFB_PID" 2>/dev/null' EXIT

# record.ini of $2 macros of $3 items each.
write_record() {
  python3 - "$1" "$2" "$3" <<'PY'
import sys
path, macros, items = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
text = ''
for k in range(macros):
    text += (f'[Macro_{k}]\r\nDelayTimeSelStatus=1\r\nLoopTimeSelStatus=1\r\n'
             f'MacroLoopTimes=3\r\nItemCount={items}\r\n')
    for i in range(items):
        item = f'{20 + i} ms' if i % 2 else ('A   Dn' if i % 4 == 0 else 'A   Up')
        text += f'Item{i}={item}\r\n'
open(path, 'w', encoding='utf-16', newline='').write(text)
PY
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Milliseconds from $2 until a line matching $1 is in the log (up to 60 s); empty on time-out.
until_log() {
  local i
  for i in $(seq 6000); do
    if grep -qE -- "$1" "$GUI_APP/ui.txt" 2>/dev/null; then
      echo $(($(now_ms) - $2))
      return 0
    fi
    sleep 0.01
  done
  return 1
}

# Milliseconds until a visible window titled $1 exists, from $2.
until_window() {
  local i
  for i in $(seq 3000); do
    if xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; then
      echo $(($(now_ms) - $2))
      return 0
    fi
    sleep 0.01
  done
  return 1
}

manager_and_save() {  # run macros items
  gui_fresh_app "manager-$1-$2-$3"
  write_record "$GUI_APP/record.ini" "$2" "$3"
  gui_start || return 1
  local main start opened ok pauses lines saved
  main=$(gui_window) || return 1
  gui_wait_log '^window-shown$' || return 1
  sleep 1
  start=$(now_ms)
  gui_click "$main" 30 150  # the "Macro Manager" header
  opened=$(until_log '^macro-manager open' "$start") || return 1
  local manager
  manager=$(gui_wait_titled "Macro Manager") || return 1
  sleep 1
  start=$(now_ms)
  gui_click "$manager" 300 408  # OK
  ok=$(until_log '^macro-manager ok$' "$start") || return 1
  sleep 1
  lines=$(wc -l <"$GUI_APP/trace.txt")
  start=$(now_ms)
  xdotool mousemove --window "$main" 950 618 click 1  # Save
  saved=$(until_log '^save-done$' "$start") || return 1
  pauses=$(tail -n +"$((lines + 1))" "$GUI_APP/trace.txt" | awk '/^pause / { s += $2 } END { print s + 0 }')
  gui_stop
  printf '%2d x %3d items: manager open %5d ms, OK %5d ms, Save %5d ms (%d ms of it pauses)\n' \
    "$2" "$3" "$opened" "$ok" "$saved" "$pauses"
}

picker() {  # macros items
  gui_fresh_app "picker-$1-$2"
  write_record "$GUI_APP/record.ini" "$1" "$2"
  cp "$GM_ROOT/build/win64/gui_macro_picker_host.exe" "$GUI_APP/"
  local start shown
  start=$(now_ms)
  (cd "$GUI_APP" && exec wine ./gui_macro_picker_host.exe ENG result.txt >>"$GUI_APP/wine.log" 2>&1) &
  GUI_PID=$!
  shown=$(until_window "Macro Key" "$start") || return 1
  gui_stop
  echo "$shown"
}

for run in $(seq "$runs"); do
  for shape in "19 125" "3 1"; do
    # shellcheck disable=SC2086
    manager_and_save "$run" $shape || { echo "run $run ($shape): a step did not end"; gui_stop; }
  done
  # Both starts pay for a new Wine server alike: the difference is the macros' cost.
  small=$(picker 3 1) full=$(picker 19 125)
  printf 'picker open  %5s ms with 19 full macros, %5s ms with 3 one-event macros\n' "$full" "$small"
done
