#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# instance_e2e.sh VERBALOMATIC
# Later starts reach the running instance (a private X server, a tray host):
# --help and --version need no display; "--generate 10" starts the program
# in the tray with a text of 10 to 14 phrases on the clipboard and asks a
# running one for a new text; a plain start brings the window out of the tray
# with the focus; the socket and lock left by kill -9 stop no start; of two
# starts at once one runs the window and the other hands its request over.
if [ "${1:-}" != --inner ]; then
  for option in --help --version; do
    [ -n "$(env -u DISPLAY -u WAYLAND_DISPLAY "$1" $option)" ] || { echo "FAIL: $option"; exit 1; }
  done
  env -u DISPLAY "$1" --generate 3 2>/dev/null
  [ $? -eq 2 ] || { echo "FAIL: --generate 3 is no usage error"; exit 1; }
fi
NEEDS=trayer XRUN=--tray
. "$(dirname "$0")/common.sh"
e2e_folder vm-instance
one_word_base

start --generate 10
until_ok 10 docked || fail "--generate did not start the program in the tray"
until_ok 10 clip || fail "nothing on the clipboard"
phrases 10 14 "$(clip)"
if shown; then fail "--generate showed the window"; fi
FIRST=$(clip)
timeout 10 ./verbalomatic --generate 10 2>>stderr.log || fail "second --generate: status $?"
[ "$(clip)" != "$FIRST" ] || fail "no new text on the clipboard"
phrases 10 14 "$(clip)"
kill -0 "$P" || fail "the running instance ended"

timeout 10 ./verbalomatic 2>>stderr.log || fail "second start: status $?"
until_ok 5 shown || fail "window not brought out of the tray"
until_ok 5 test "$(xdotool getwindowfocus)" = "$WID" || fail "window without the focus"
until_ok 5 undocked || fail "icon still in the tray"
timeout 10 ./verbalomatic --generate 1 2>>stderr.log || fail "--generate with the window shown"
phrases 1 5 "$(clip)"

{ kill -9 "$P"; wait "$P"; } 2>/dev/null
ls "$XDG_RUNTIME_DIR"/verbalomatic-* >/dev/null 2>&1 || fail "no socket left behind to test with"
start --generate 5
until_ok 10 clip || fail "no text from the start after kill -9"
phrases 5 9 "$(clip)"
stop

./verbalomatic --generate 15 >>stdout.log 2>>stderr.log & A=$!
./verbalomatic --generate 15 >>stdout.log 2>>stderr.log & B=$!
EXTRA="$A $B"
until_ok 10 sh -c "! kill -0 $A || ! kill -0 $B" || fail "both starts keep running"
P=$A M=$B
kill -0 "$A" 2>/dev/null || P=$B M=$A
wait "$M" || fail "messenger status $?"
until_ok 10 clip || fail "no text after two starts"
phrases 15 19 "$(clip)"
sleep 1
stop
passed stderr.log "later starts reach the running instance"
