# Shared by scripts/run and scripts/test: packages, builds and the Wine prefix.
# shellcheck shell=bash

GM_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
GM_PACKAGES=(cmake make g++ googletest libgtest-dev libgmock-dev
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev wine wine64
  xvfb xdotool x11-utils imagemagick librsvg2-bin python3 python3-jsonschema libhidapi-dev
  nlohmann-json3-dev fonts-liberation fonts-wqy-microhei fonts-dejavu-core clang
  libclang-rt-14-dev dpkg-dev lintian)

gm_log() { printf '== %s\n' "$*" >&2; }

# Installs whatever Debian package the build, the tests or the run need and is missing.
gm_ensure_packages() {
  local missing=()
  local package
  for package in "${GM_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  gm_log "installing ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq >&2 &&
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
      "${missing[@]}" >&2
}

gm_jobs() { nproc 2>/dev/null || echo 2; }

gm_build_native() {
  cmake -S "$GM_ROOT" -B "$GM_ROOT/build/native" -DGM_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug \
    >/dev/null &&
    cmake --build "$GM_ROOT/build/native" -j "$(gm_jobs)"
}

gm_build_win64() {
  cmake -S "$GM_ROOT" -B "$GM_ROOT/build/win64" \
    -DCMAKE_TOOLCHAIN_FILE="$GM_ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null &&
    cmake --build "$GM_ROOT/build/win64" -j "$(gm_jobs)"
}

# The fuzz targets (tests/fuzz): clang with libFuzzer and the sanitizers.
GM_FUZZ_TARGETS=(ini_text config_files macro_store command_link listener control_lines
  config_document remote_request)

gm_build_fuzz() {
  cmake -S "$GM_ROOT/tests/fuzz" -B "$GM_ROOT/build/fuzz" -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=Debug >/dev/null &&
    cmake --build "$GM_ROOT/build/fuzz" -j "$(gm_jobs)"
}

# Longest input a target is given: the configuration files need room for three files.
gm_fuzz_max_len() {
  case "$1" in
    config_files) echo 16384 ;;
    *) echo 4096 ;;
  esac
}

# True when the Wine prefix $1 has its system DLLs: a wineboot that failed half-way leaves
# system32 empty, and every program then fails to load kernel32.dll.
gm_wine_prefix_complete() {
  local dll
  for dll in kernel32.dll ntdll.dll user32.dll gdi32.dll cmd.exe; do
    [ -f "$1/drive_c/windows/system32/$dll" ] || return 1
  done
}

# True when the Wine prefix $1 works: complete, and a trivial program runs in it (cmd.exe
# answering with an exit status of its own choosing).
gm_wine_prefix_works() {
  gm_wine_prefix_complete "$1" || return 1
  WINEPREFIX="$1" timeout 120 wine cmd /c exit 7 >/dev/null 2>&1
  local status=$?
  WINEPREFIX="$1" wineserver -w
  [ "$status" -eq 7 ]
}

# Makes the Wine prefix $1 afresh, with the fonts a user sees.
gm_make_wine_prefix() {
  local prefix="$1"
  rm -rf "$prefix"
  mkdir -p "$prefix"
  wineboot -i >/dev/null 2>&1
  # Font replacements: Windows faces the program asks for -> fonts from Debian packages.
  # Written as a UTF-16 .reg file so that the Chinese face names survive.
  local reg="$prefix/fonts.reg"
  {
    printf '\xff\xfe'
    {
      printf 'Windows Registry Editor Version 5.00\r\n\r\n'
      printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
      local face
      for face in "Segoe UI" "Arial" "Tahoma" "Microsoft Sans Serif" "MS Shell Dlg" \
        "MS Shell Dlg 2" "Verdana" "Times New Roman"; do
        printf '"%s"="Liberation Sans"\r\n' "$face"
      done
      for face in "SimHei" "SimSun" "NSimSun" "Microsoft YaHei" "PMingLiU" "MingLiU" \
        "Microsoft JhengHei" "黑体" "宋体" "新細明體" "微软雅黑"; do
        printf '"%s"="WenQuanYi Micro Hei"\r\n' "$face"
      done
    } | iconv -f UTF-8 -t UTF-16LE
  } >"$reg"
  wine regedit "$reg" >/dev/null 2>&1
  # Font linking, as Windows has it: characters missing from the Latin face (CJK, the
  # full-width colon) come from the CJK font instead of showing as boxes.
  for face in "Liberation Sans" "Arial"; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v "$face" /t REG_MULTI_SZ /d "wqy-microhei.ttc,WenQuanYi Micro Hei" /f >/dev/null 2>&1
  done
  # The Windows test runner's windows are not handed to a window manager: without one (Xvfb)
  # Wine waits 2 s for each shown window to be withdrawn when it is destroyed, which the
  # tests that open and close windows hundreds of times cannot afford.
  wine reg add 'HKCU\Software\Wine\AppDefaults\unit_tests.exe\X11 Driver' /v Managed \
    /t REG_SZ /d N /f >/dev/null 2>&1
  wineserver -w
}

# A Wine prefix of the project's own, made once per build folder. A prefix counts as ready
# only while its system DLLs are there and a program runs in it, checked at each use (a marked
# prefix can break later); otherwise it is made again, and when the second one does not work
# either, one line says so and the status is 1: every Windows program would fail in it.
gm_wine_prefix() {
  local prefix attempt
  prefix=$(realpath -m "$1")  # Wine takes only an absolute WINEPREFIX
  export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  [ -f "$prefix/.gm-ready-3" ] && gm_wine_prefix_works "$prefix" && return 0
  for attempt in first second; do
    gm_log "making Wine prefix $prefix ($attempt try)"
    gm_make_wine_prefix "$prefix"
    if gm_wine_prefix_works "$prefix"; then
      touch "$prefix/.gm-ready-3"
      return 0
    fi
  done
  echo "Wine does not work: the prefix $prefix was made twice and neither time could it run" \
    "a program (no system DLLs, or 'wine cmd /c exit 7' failed); stopping" >&2
  return 1
}

# Counts of a GoogleTest run's log: prints "passed failed". A run that crashed before its
# summary counts as one failure.
gm_gtest_counts() {
  local log="$1"
  local passed failed
  passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$log" | tail -n 1)
  failed=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) test.*/\1/p' "$log" | tail -n 1)
  if [ -z "$passed" ] && [ -z "$failed" ]; then
    echo "0 1"
    return
  fi
  echo "${passed:-0} ${failed:-0}"
}

# Starts Xvfb on a free display for this shell and sets DISPLAY; its pid is in GM_XVFB_PID.
gm_start_xvfb() {
  local display
  for display in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] && continue
    Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    GM_XVFB_PID=$!
    export DISPLAY=":$display"
    local i
    # An X server of another root (a chroot shares the abstract socket names) answers on a
    # display whose files this root does not see: ours then exits, and the display is not ours.
    for i in $(seq 50); do
      kill -0 "$GM_XVFB_PID" 2>/dev/null || break
      if xdpyinfo >/dev/null 2>&1; then
        sleep 0.2
        kill -0 "$GM_XVFB_PID" 2>/dev/null && return 0
        break
      fi
      sleep 0.1
    done
    kill "$GM_XVFB_PID" 2>/dev/null
    wait "$GM_XVFB_PID" 2>/dev/null
  done
  return 1
}

# Waits up to $1 seconds for a visible window that `xdotool search` finds with the rest of the
# arguments; prints the first one's id.
gm_wait_search() {
  local seconds="$1" i id
  shift
  for i in $(seq $((seconds * 10))); do
    id=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -n 1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Waits up to $2 seconds for a visible top-level window of the program whose X class is $1
# (Wine names it after the executable); prints its id.
gm_wait_window() { gm_wait_search "${2:-20}" --class "^$1\$"; }
