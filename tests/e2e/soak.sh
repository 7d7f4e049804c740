#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# [SOAK_SECONDS=N] soak.sh VERBALOMATIC
# Auto-generation left running in the tray for SOAK_SECONDS (default 10; 600
# for a ten-minute run): every box ticked but Entropy and Chaos, auto mode on
# "9" (124 phrases). Once a second the clipboard must hold a new text (a beat
# every 120 ms makes several a second; at most SOAK_MAX_REPEATS, default 2,
# reads may repeat) and the resident set, after the first third of the run,
# must stay within 5 % of its value then; SIGTERM ends the program cleanly
# with its settings written.
NEEDS="trayer xxd" XRUN=--tray
. "$(dirname "$0")/common.sh"
DURATION=${SOAK_SECONDS:-10}
[[ $DURATION =~ ^[0-9]+$ ]] && [ "$DURATION" -ge 6 ] || fail "SOAK_SECONDS must be 6 or more"
e2e_folder vm-soak
# Boxes 0..7, 8..14 without 11 and 12, 15 and 16; window shown; empty texts.
printf '\xff\x67\x03\x00\x00\x00\x00\x00\x00\x00\x00\x00' >verbalomatic.cfg
rss() { awk '/^VmRSS:/ { print $2 }' "/proc/$P/status" 2>/dev/null; }

start
window
until_ok 20 title_has 'фраз' || fail "base not loaded: $(xdotool getwindowname "$WID")"
rm verbalomatic.cfg  # written anew at shutdown
at 494 248 3
until_ok 5 clip || fail "auto-generation put nothing on the clipboard"
to_tray
xdotool mousemove 10 700

PREV=$(clip) repeats=0 samples=()
begin=$(date +%s%N)
for ((t = 1; t <= DURATION; t++)); do
  sleep "$(awk -v ns=$((begin + t * 1000000000 - $(date +%s%N))) 'BEGIN { print (ns > 0 ? ns / 1e9 : 0) }')"
  kb=$(rss)
  [ -n "$kb" ] && ! grep -q '^State:.*Z' "/proc/$P/status" || fail "the program ended after $t s"
  samples+=("$kb")
  TEXT=$(clip) && [ -n "$TEXT" ] || fail "no text on the clipboard after $t s"
  [ "$TEXT" = "$PREV" ] && repeats=$((repeats + 1))
  PREV=$TEXT
done
base=${samples[$((DURATION / 3 - 1))]}
read -r min max < <(printf '%s\n' "${samples[@]:$((DURATION / 3))}" | sort -n | sed -n '1p;$p' | xargs)
echo "SOAK: $DURATION s, $repeats repeated reads, RSS kB first ${samples[0]}, after warm-up $base, then $min..$max"
[ $repeats -le "${SOAK_MAX_REPEATS:-2}" ] || fail "$repeats clipboard reads repeated the one before: generation stalls"
[ $((max * 100)) -le $((base * 105)) ] && [ $((min * 100)) -ge $((base * 95)) ] ||
  fail "resident set left 5 % around $base kB: $min..$max kB"

kill -TERM "$P"
until_ok 5 sh -c '! grep -q "^State:[^Z]*$" /proc/$1/status' _ "$P" || fail "still running 5 s after SIGTERM"
stop
[ "$(head -c 4 verbalomatic.cfg | xxd -p)" = ffe70300 ] || fail "settings option bytes, expected ffe70300"
passed stderr.log "soak"
