#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# soak.sh VERBALOMATIC
# Leaves the real desktop program generating on its own for SOAK_SECONDS
# (default 10, a short pass; SOAK_SECONDS=600 for a ten-minute run) on a private X server
# with a tray host: every option box ticked except Entropy and Chaos,
# auto-generation on the "9" button (124 phrases), the window in the tray.
# Once a second it reads the clipboard, which must hold a new, non-empty text
# each time (a beat every 120 ms makes several texts per second, so an
# unchanged clipboard means generation stalled), and samples VmRSS.
# Fails when the program dies, when more than SOAK_MAX_REPEATS reads (default
# 2) repeat the one before, when the resident set size after the first third
# of the run leaves a 5 % band around its value at the end of that third, or
# when SIGTERM does not end the program cleanly with its settings written.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
if [ "${1:-}" != --inner ]; then
  [ $# -eq 1 ] || { echo "usage: [SOAK_SECONDS=N] $0 VERBALOMATIC"; exit 2; }
  for tool in Xvfb trayer xdotool xclip xwininfo xdpyinfo xxd; do
    command -v $tool >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
  exec "$HERE/xrun" --tray "$0" --inner "$(readlink -f "$1")"
fi
BIN=$2
DURATION=${SOAK_SECONDS:-10}
MAX_REPEATS=${SOAK_MAX_REPEATS:-2}
RSS_TOLERANCE_PERCENT=5
case "$DURATION" in ''|*[!0-9]*) echo "SOAK_SECONDS must be a number of seconds"; exit 2;; esac
[ "$DURATION" -ge 6 ] || { echo "SOAK_SECONDS must be at least 6"; exit 2; }

. "$HERE/common.sh"
e2e_folder vm-soak

main_window() {
  local w
  for w in $(xdotool search --pid "$P" 2>/dev/null); do
    if xwininfo -id "$w" | grep -q 'Width: 592'; then echo "$w"; return 0; fi
  done
  return 1
}
mapped() { [ -n "$1" ] && xwininfo -id "$1" | grep -q 'Map State: IsViewable'; }
unmapped() { ! mapped "$1"; }
shown() { WID=$(main_window) && mapped "$WID"; }
docked() { xwininfo -root -tree | grep -A4 '("panel" "trayer")' | grep -q '"verbalomatic"'; }
base_loaded() { xdotool getwindowname "$WID" | grep -q 'фраз'; }
clip() { timeout 5 xclip -o -selection clipboard; }
alive() { [ -r "/proc/$P/status" ] && ! grep -q '^State:.*Z' "/proc/$P/status"; }
rss() { awk '/^VmRSS:/ { print $2 }' "/proc/$P/status" 2>/dev/null; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Settings: byte 0 boxes 0..7 all ticked; byte 1 boxes 8..14 without 11
# (Entropy, 0x08) and 12 (Chaos, 0x10), window shown; byte 2 boxes 15 and 16;
# four empty texts (the default base).
printf '\xff\x67\x03\x00\x00\x00\x00\x00\x00\x00\x00\x00' >verbalomatic.cfg

./verbalomatic 2>>stderr.log &
P=$!
until_ok 10 main_window || fail "no window appeared"
WID=$(main_window)
until_ok 10 shown || fail "window not shown"
until_ok 20 base_loaded || fail "base not loaded: $(xdotool getwindowname "$WID")"
# The file is written anew at shutdown.
rm verbalomatic.cfg

# A right release over "9" (count 124) switches auto-generation on.
eval "$(xdotool getwindowgeometry --shell "$WID")"
xdotool mousemove $((X + 2 + 58 * 8 + 28)) $((Y + 236 + 12)) click 3
until_ok 5 clip || fail "auto-generation put nothing on the clipboard"
FIRST=$(clip)
until_ok 5 sh -c '[ "$(timeout 5 xclip -o -selection clipboard)" != "$1" ]' _ "$FIRST" ||
  fail "auto-generation does not run"
# A double click on the picture box sends the window to the tray.
# On a loaded machine the two clicks may arrive too far apart: try again.
for attempt in 1 2 3; do
  xdotool mousemove $((X + 550)) $((Y + 200)) click --repeat 2 --delay 80 1
  until_ok 3 unmapped "$WID" && break
done
until_ok 5 unmapped "$WID" || fail "window still shown after the double click"
until_ok 5 docked || fail "no icon in the tray"
xdotool mousemove 10 700

echo "soak: ${DURATION} s of auto-generation at 124 phrases in the tray"
PREV=$(clip)
texts=0 repeats=0 longest_run=0 run=0
samples=()
start=$(now_ms)
for ((t = 1; t <= DURATION; t++)); do
  wait_ms=$((start + t * 1000 - $(now_ms)))
  [ $wait_ms -gt 0 ] && sleep "$((wait_ms / 1000)).$(printf '%03d' $((wait_ms % 1000)))"
  alive || fail "the program ended after $t s (texts so far: $texts)"
  TEXT=$(clip) || fail "clipboard read failed after $t s"
  [ -n "$TEXT" ] || fail "empty text on the clipboard after $t s"
  if [ "$TEXT" = "$PREV" ]; then
    repeats=$((repeats + 1)); run=$((run + 1))
    [ $run -gt $longest_run ] && longest_run=$run
  else
    texts=$((texts + 1)); run=0
  fi
  PREV=$TEXT
  kb=$(rss)
  [ -n "$kb" ] || fail "the program ended after $t s (no VmRSS; texts so far: $texts)"
  samples+=("$kb")
  if [ $((t % 60)) -eq 0 ]; then echo "  ${t} s: texts $texts, repeats $repeats, RSS $kb kB"; fi
done
alive || fail "the program ended at the end of the run"

# Memory: the rest of the run against the value at the end of the warm-up third.
n=${#samples[@]}
warm=$((n / 3))
base=${samples[$((warm - 1))]}
min=$base max=$base
for ((i = warm; i < n; i++)); do
  [ "${samples[$i]}" -lt $min ] && min=${samples[$i]}
  [ "${samples[$i]}" -gt $max ] && max=${samples[$i]}
done
all_max=$(printf '%s\n' "${samples[@]}" | sort -n | tail -1)
pct() { awk -v a="$1" -v b="$base" 'BEGIN { printf "%+.2f", (a - b) * 100 / b }'; }
echo "SOAK: duration ${DURATION} s, texts observed $texts in $n reads (repeats $repeats," \
  "longest run $longest_run), RSS kB first ${samples[0]} / last ${samples[-1]} /" \
  "max ${all_max}; after warm-up: base $base, min $min ($(pct $min) %), max $max ($(pct $max) %)"

[ $repeats -le "$MAX_REPEATS" ] ||
  fail "$repeats clipboard reads repeated the previous one (longest run $longest_run): generation stalls"
[ $((max * 100)) -le $((base * (100 + RSS_TOLERANCE_PERCENT))) ] ||
  fail "resident set grew from $base kB to $max kB"
[ $((min * 100)) -ge $((base * (100 - RSS_TOLERANCE_PERCENT))) ] ||
  fail "resident set fell from $base kB to $min kB"

# SIGTERM: a clean exit within a few seconds that writes the settings (with
# the tray bit now set).
kill -TERM "$P"
until_ok 5 sh -c '! grep -q "^State:[^Z]*$" /proc/$1/status' _ "$P" ||
  fail "still running 5 s after SIGTERM"
wait "$P"
rc=$?
P=
[ $rc -eq 0 ] || fail "exit status $rc after SIGTERM"
[ -f verbalomatic.cfg ] || fail "no settings file written at shutdown"
GOT=$(head -c 4 verbalomatic.cfg | xxd -p)
[ "$GOT" = ffe70300 ] || fail "settings file option bytes $GOT, expected ffe70300"

if grep -v -e 'QStandardPaths' -e '^$' stderr.log; then fail "unexpected messages on stderr"; fi
echo PASS
