#!/bin/sh
# Runs one Windows program under Wine for ctest: run-under-wine.sh LOADER PROGRAM [ARGS...].
# The program's output goes to a file that is printed afterwards, never straight to ctest's pipe:
# a Wine process that inherits the pipe keeps it open and ctest waits for it. The exit code is the
# program's. A program still running after TOVALIN_WINE_TIMEOUT seconds (default 120) is killed.
#
# The caller provides DISPLAY (an X server: scripts/test-windows.sh starts Xvfb) and WINEPREFIX
# (default: build/wine-prefix of this checkout, which scripts/test-windows.sh prepares).
set -u
loader=$1
shift
if [ -z "${DISPLAY:-}" ]; then
  echo "run-under-wine.sh: DISPLAY is not set; run scripts/test-windows.sh or start Xvfb" >&2
  exit 1
fi
here=$(cd "$(dirname "$0")" && pwd)
: "${WINEPREFIX:=$here/../../build/wine-prefix}"
: "${WINEDEBUG:=-all}"
: "${WINEDLLOVERRIDES:=mscoree,mshtml=}"
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
if [ ! -d "$WINEPREFIX" ]; then
  echo "run-under-wine.sh: no Wine prefix at $WINEPREFIX; run scripts/test-windows.sh" >&2
  exit 1
fi
log=$(mktemp "${TMPDIR:-/tmp}/tovalin-wine.XXXXXX")
trap 'rm -f "$log"' EXIT
timeout -k 10 "${TOVALIN_WINE_TIMEOUT:-120}" "$loader" "$@" </dev/null >"$log" 2>&1
status=$?
# Wine writes CR LF; ctest shows the text better without the CRs.
tr -d '\r' <"$log"
[ "$status" -eq 124 ] && echo "run-under-wine.sh: killed after ${TOVALIN_WINE_TIMEOUT:-120} s" >&2
exit "$status"
