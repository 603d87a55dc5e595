#!/usr/bin/env bash
# Cross-builds tovalin.dll and its test harness for x86_64 and i686 with mingw-w64, then runs the
# harness under Wine on a virtual X display, in a fresh Wine prefix of its own. Prints how long
# each part took. The build folders are those of `make windows`: build/windows-x64 and
# build/windows-x86, with the Wine prefix beside them in build/wine-prefix. TOVALIN_BUILD_ROOT
# names another folder for all three.
# The steps are functions that `timed` and the exit trap call.
# shellcheck disable=SC2317
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
builds=${TOVALIN_BUILD_ROOT:-$root/build}

# Installs what is missing (Wine, the cross compilers, Xvfb); a no-op when all is there.
bash scripts/install-dependencies.sh
jobs=$(nproc)

timings=()
timed() {
  local name=$1
  shift
  local start=$SECONDS
  "$@"
  timings+=("$(printf '%-34s %4d s' "$name" $((SECONDS - start)))")
}
report() {
  echo "Windows test timings:"
  printf '  %s\n' "${timings[@]}"
}

build() {
  local folder=$1 toolchain=$2
  cmake -S . -B "$folder" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVALIN_TESTS=ON >/dev/null
  cmake --build "$folder" -j "$jobs"
}

total_start=$SECONDS
timed "build x86_64" build "$builds/windows-x64" toolchain-mingw-x86_64.cmake
timed "build i686" build "$builds/windows-x86" toolchain-mingw-i686.cmake

# Everything below runs Wine; it is all taken down again on exit, whatever happens.
work=$(mktemp -d)
xvfb_pid=
export WINEPREFIX=$builds/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

start_display() {
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  local waited=0
  until [ -s "$work/display" ]; do
    if ! kill -0 "$xvfb_pid" 2>/dev/null || [ "$waited" -ge 100 ]; then
      echo "Xvfb did not start:" >&2
      cat "$work/xvfb.log" >&2
      exit 1
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  DISPLAY=:$(head -n 1 "$work/display")
  export DISPLAY
}

# Wine output goes to a file, never to this script's pipes (see tests/win32/run-under-wine.sh).
quiet_wine() {
  "$@" </dev/null >"$work/wine.log" 2>&1 || {
    cat "$work/wine.log" >&2
    return 1
  }
}

make_prefix() {
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineserver -p
  WINEARCH=win64 quiet_wine wineboot -i
  # Without a window manager each window would take seconds to close; a crash must not open a
  # dialog that waits for a user.
  quiet_wine wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
  quiet_wine wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
}

status=0
run_tests() {
  ctest --test-dir "$1" --output-on-failure -j "$jobs" || status=1
}

timed "virtual display" start_display
timed "wine prefix" make_prefix
timed "tests x86_64" run_tests "$builds/windows-x64"
timed "tests i686" run_tests "$builds/windows-x86"

# The dialogs' screenshots, as PNG for viewing.
if command -v convert >/dev/null; then
  for bmp in "$builds"/windows-x64/*.bmp "$builds"/windows-x86/*.bmp; do
    if [ -e "$bmp" ]; then convert "$bmp" "${bmp%.bmp}.png"; fi
  done
fi

timings+=("$(printf '%-34s %4d s' "total" $((SECONDS - total_start)))")
report
exit $status
