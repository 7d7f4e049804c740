#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tests/windows/wine.sh COMMAND ...: Windows programs under Wine for the tests,
# in the scratch prefix $WINEPREFIX that one test run makes and removes.
#   start        makes the prefix (wineboot, several seconds) and keeps its
#                server up between the programs of the run
#   stop         ends that server and removes the prefix
#   test CMD...  runs CMD, or skips (exit 77) when the prefix could not start
#   kill         ends the prefix's server: the next program starts another,
#                with the caller's display (the window tests)
#   run EXE ...  runs a Windows program (with UTF-8 arguments, whatever the
#                caller's locale); on the display VM_WINE_DISPLAY names, if any
set -u
: "${WINEPREFIX:?the scratch prefix}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY
ready=$WINEPREFIX/.vm-ready
failed=$WINEPREFIX.failed

find_wine() {
  for w in "${VM_WINE:-}" /usr/lib/wine/wine64 wine64 wine; do
    [ -n "$w" ] && command -v "$w" >/dev/null && { command -v "$w"; return; }
  done
  return 1
}
wine=$(find_wine) || wine=
server=$(dirname "${wine:-/}")/wineserver64
[ -x "$server" ] || server=$(command -v wineserver || echo wineserver)

case ${1:-} in
  start)
    rm -rf "$WINEPREFIX" "$failed"
    if [ -z "$wine" ]; then
      echo "Wine is not installed (scripts/setup --windows installs it)" | tee "$failed"
      exit 77
    fi
    started=$(date +%s%N)
    # The server first, told to outlive each program by 30 s: one server
    # for the whole run, gone soon after it even if stop never comes.
    mkdir -p "$WINEPREFIX"
    if ! "$server" -p30 >"$failed" 2>&1 || ! "$wine" wineboot -i >>"$failed" 2>&1; then
      echo "Wine could not start a prefix in $WINEPREFIX:"; cat "$failed"
      exit 77
    fi
    rm -f "$failed"
    touch "$ready"
    echo "Wine prefix ready in $(( ($(date +%s%N) - started) / 1000000 )) ms: $WINEPREFIX"
    ;;
  stop)
    [ -n "$wine" ] && [ -d "$WINEPREFIX" ] && "$server" -k 2>/dev/null
    rm -rf "$WINEPREFIX" "$failed"
    ;;
  kill)
    [ -n "$wine" ] && { "$server" -k; "$server" -w; } 2>/dev/null
    exit 0
    ;;
  test)
    shift
    if [ ! -e "$ready" ]; then
      echo "skipped: Wine could not start: $(cat "$failed" 2>/dev/null || echo 'no prefix')"
      exit 77
    fi
    exec "$@"
    ;;
  run)
    shift
    [ -n "${VM_WINE_DISPLAY:-}" ] && export DISPLAY=$VM_WINE_DISPLAY
    LC_ALL=C.UTF-8 exec "$wine" "$@"
    ;;
  *)
    sed -n '2,10p' "$0" >&2
    exit 2
    ;;
esac
