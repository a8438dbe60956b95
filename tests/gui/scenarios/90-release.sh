# What a user gets: a configuration saved by the program read back by gm900ctl show and diff,
# and the release zip unzipped into a fresh folder and started from there.
# shellcheck shell=bash

# gm900ctl.exe run in the program's folder; stdout to $GUI_WORK/$1.out, status to $1.status.
release_ctl() {  # name arguments...
  local name="$1"
  shift
  (cd "$GUI_APP" && wine "$GM_ROOT/build/win64/gm900ctl.exe" "$@") 2>"$GUI_WORK/$name.err" |
    tr -d '\r' >"$GUI_WORK/$name.out"
  echo "${PIPESTATUS[0]}" >"$GUI_WORK/$name.status"
}

release_click() {  # window x y
  xdotool mousemove --window "$1" "$2" "$3" click 1
}

# Opens or closes a page: clicks its header and waits for the new layout to be logged.
release_toggle_page() {  # window x y
  local before
  before=$(grep -c '^layout ' "$GUI_APP/ui.txt" 2>/dev/null)
  release_click "$@"
  gui_eventually 10 bash -c "[ \"\$(grep -c '^layout ' '$GUI_APP/ui.txt')\" -gt $before ]"
}

scenario_show_reads_what_save_wrote() {
  gui_start
  local window saves
  window=$(gui_window) || { gui_fail "window"; return; }
  gui_wait_log '^window-shown$' || { gui_fail "window shown"; return; }
  release_toggle_page "$window" 800 65 || { gui_fail "Lighting did not open"; return; }
  release_click "$window" 748 159    # Neon
  gui_check "neon" gui_wait_log '^page lighting-mode 3$'
  release_toggle_page "$window" 800 65 || { gui_fail "Lighting did not close"; return; }
  release_toggle_page "$window" 800 90 || { gui_fail "USB Report Rate did not open"; return; }
  release_click "$window" 805 181    # 250 Hz
  gui_check "250 Hz" gui_wait_log '^page report-rate 4$'
  saves=$(grep -c '^save-done$' "$GUI_APP/ui.txt")
  release_click "$window" 950 618    # Save
  gui_eventually 15 bash -c "[ \"\$(grep -c '^save-done$' '$GUI_APP/ui.txt')\" -gt $saves ]" ||
    { gui_fail "Save did not finish"; return; }

  release_ctl show show config0.bin --captions str0.ini --macros record.ini
  gui_check "show exits 0" [ "$(cat "$GUI_WORK/show.status")" = 0 ]
  gui_check "show: saved by the program" grep -qx '  Saved by the program: yes' "$GUI_WORK/show.out"
  gui_check "show: neon" grep -qx '  Mode: neon' "$GUI_WORK/show.out"
  gui_check "show: 250 Hz" grep -qx '  Report rate: 250 Hz' "$GUI_WORK/show.out"
  gui_check "show: a button with its caption" \
    grep -qx '  Button 1: Click (caption "Click")' "$GUI_WORK/show.out"
  release_ctl json show --json config0.bin
  gui_check "show --json" grep -q '"reportRate": 250,' "$GUI_WORK/json.out"
  release_ctl diff diff config.bin config0.bin
  gui_check "diff exits 1" [ "$(cat "$GUI_WORK/diff.status")" = 1 ]
  gui_check "diff names the report rate" grep -qx 'Report rate: 1000 Hz -> 250 Hz' "$GUI_WORK/diff.out"
  gui_check "diff names the lighting" grep -qx 'Mode: standard -> neon' "$GUI_WORK/diff.out"
}

scenario_release_starts_from_its_zip() {
  local out="$GUI_WORK/release" version zip window
  "$GM_ROOT/scripts/package" --no-build --zip-only --out "$out" >"$GUI_WORK/package.log" 2>&1 ||
    { gui_fail "scripts/package: $(tail -n 1 "$GUI_WORK/package.log")"; return; }
  version=$(cat "$GM_ROOT/build/win64/version.txt")
  zip="$out/QL-GM900-$version-win64.zip"
  gui_check "zip written" [ -f "$zip" ]
  gui_check "its checksum holds" bash -c "cd '$out' && sha256sum -c --quiet 'QL-GM900-$version-win64.zip.sha256'"
  rm -rf "$GUI_WORK/unzipped"
  python3 -m zipfile -e "$zip" "$GUI_WORK/unzipped" || { gui_fail "unzip"; return; }
  GUI_APP="$GUI_WORK/unzipped/QL-GM900"
  local file
  for file in QL-GM900.exe gm900ctl.exe README.txt config.bin config5.bin str.ini str5.ini \
    record.ini Skins/Default/main.png; do
    gui_check "$file in the zip" [ -f "$GUI_APP/$file" ]
  done
  gui_check "the Update folders in the zip" test -d "$GUI_APP/Update/X64" -a -d "$GUI_APP/Update/X86"
  gui_check "the README names the version" grep -q "QL-GM900 $version" "$GUI_APP/README.txt"

  (cd "$GUI_APP" && wine "$GM_ROOT/build/win64/gui_tool.exe" resources QL-GM900.exe) \
    2>/dev/null | tr -d '\r' >"$GUI_WORK/resources.txt"
  gui_check "version resource" grep -qx "ProductVersion $version" "$GUI_WORK/resources.txt"
  gui_check "description" grep -q '^FileDescription QL-GM900 ' "$GUI_WORK/resources.txt"
  gui_check "manifest asInvoker" grep -q 'level="asInvoker"' "$GUI_WORK/resources.txt"
  gui_check "the program icon" grep -qx 'icon-720 yes' "$GUI_WORK/resources.txt"
  gui_check "gm900ctl from the zip" \
    bash -c "cd '$GUI_APP' && wine ./gm900ctl.exe --version | tr -d '\r' | grep -qx 'gm900ctl $version'"

  gui_start
  window=$(gui_window) || { gui_fail "no window from the unzipped folder"; return; }
  gui_check "drawn" gui_wait_log '^full-draw$'
  gui_check "connected to the virtual mouse" grep -q '^set-feature 00 01 fc ' "$GUI_APP/trace.txt"
  gui_screenshot release
}

gui_run_scenario saved-show scenario_show_reads_what_save_wrote
gui_run_scenario release-zip scenario_release_starts_from_its_zip
