#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# desktop_bench.sh VERBALOMATIC [SECONDS] [RUNS]
# On a private X server: the time from start to the first shown window and
# to the loaded built-in base (first run, no settings file; median of RUNS),
# then the resident set size while auto-generation runs at count 124 for
# SECONDS (default 60), sampled every 5 s.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
XRUN=$HERE/../tests/e2e/xrun
if [ "${1:-}" != --inner ]; then
  [ $# -ge 1 ] || { echo "usage: $0 VERBALOMATIC [SECONDS] [RUNS]"; exit 2; }
  exec "$XRUN" "$0" --inner "$(readlink -f "$1")" "${2:-60}" "${3:-9}"
fi
BIN=$2
DURATION=$3
RUNS=$4
DIR=$(mktemp -d -t vm-bench.XXXXXX)
P=
trap '[ -n "$P" ] && kill "$P" 2>/dev/null; wait 2>/dev/null; rm -rf "$DIR"' EXIT
cp "$BIN" "$DIR/verbalomatic"
cd "$DIR"

now_ms() { echo $(($(date +%s%N) / 1000000)); }
main_window() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$P" 2>/dev/null); do
    xwininfo -id "$w" | grep -q 'Width: 592' && { echo "$w"; return 0; }
  done
  return 1
}
median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

shown=()
loaded=()
for run in $(seq "$RUNS"); do
  rm -f verbalomatic.cfg
  t0=$(now_ms)
  ./verbalomatic 2>/dev/null &
  P=$!
  until WID=$(main_window); do sleep 0.002; done
  t1=$(now_ms)
  until xdotool getwindowname "$WID" | grep -q 'фраз'; do sleep 0.002; done
  t2=$(now_ms)
  shown+=($((t1 - t0)))
  loaded+=($((t2 - t0)))
  kill "$P"; wait "$P"; P=
done
echo "first window shown: median $(printf '%s\n' "${shown[@]}" | median) ms  (runs: ${shown[*]})"
echo "built-in base loaded: median $(printf '%s\n' "${loaded[@]}" | median) ms  (runs: ${loaded[*]})"

rm -f verbalomatic.cfg
./verbalomatic 2>/dev/null &
P=$!
until WID=$(main_window); do sleep 0.01; done
until xdotool getwindowname "$WID" | grep -q 'фраз'; do sleep 0.01; done
eval "$(xdotool getwindowgeometry --shell "$WID")"
# Right release over "9" (count 124) switches auto-generation on.
xdotool mousemove $((X + 2 + 58 * 8 + 28)) $((Y + 236 + 12)) click 3
rss() { awk '/^VmRSS/ { print $2 }' "/proc/$P/status"; }
samples=()
for t in $(seq 0 5 "$DURATION"); do
  [ "$t" -gt 0 ] && sleep 5
  samples+=($(rss))
done
cpu=$(awk '{ print ($14 + $15) / 100 }' "/proc/$P/stat")
echo "RSS with auto-generation at 124 over ${DURATION} s (kB, every 5 s): ${samples[*]}"
echo "RSS first/last/max: ${samples[0]} / ${samples[-1]} / $(printf '%s\n' "${samples[@]}" | sort -n | tail -1) kB; CPU time used: ${cpu} s"
