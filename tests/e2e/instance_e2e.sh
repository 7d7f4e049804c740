#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# instance_e2e.sh VERBALOMATIC
# The running instance answers later starts, on a private X server with a
# tray host: --help and --version without a display; "--generate 10" starts
# the program in the tray with a text of 10 to 14 phrases on the clipboard,
# and asks the running one for a new text; a plain start brings the window
# out of the tray with the focus; after kill -9 the socket and lock left
# behind do not stop the next start; of two starts at once one runs the
# window and the other hands its request over.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
if [ "${1:-}" != --inner ]; then
  [ $# -eq 1 ] || { echo "usage: $0 VERBALOMATIC"; exit 2; }
  for option in --help --version; do
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$1" $option) && [ -n "$out" ] ||
      { echo "FAIL: $option without a display"; exit 1; }
  done
  env -u DISPLAY "$1" --generate 3 2>/dev/null
  [ $? -eq 2 ] || { echo "FAIL: --generate 3 is no usage error"; exit 1; }
  for tool in Xvfb trayer xdotool xclip xwininfo xdpyinfo; do
    command -v $tool >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
  exec "$HERE/xrun" --tray "$0" --inner "$(readlink -f "$1")"
fi
BIN=$2

. "$HERE/common.sh"
e2e_folder vm-instance
trap '{ for p in $P ${A:-} ${B:-}; do kill -9 "$p"; done; wait; } 2>/dev/null; rm -rf "$DIR"' EXIT

# A base of one-word phrases (LF line ends) and settings that choose it with
# every distortion off: the words of a text are its phrases.
for c in Б В Г Д Ж З К Л М Н; do for v in А О У; do echo "$c${v}Р"; done; done >source_one.txt
printf '\x03\x00\x00\x00\x00\x00\x00\x00\x0e\x00source_one.txt\x00\x00' >verbalomatic.cfg

windows() { for w in $(xdotool search --pid "$1" 2>/dev/null); do
  xwininfo -id "$w" | grep -q 'Width: 592' && echo "$w"; done; }
shown() { WID=$(windows "$P") && [ -n "$WID" ] && xwininfo -id "$WID" | grep -q IsViewable; }
docked() { xwininfo -root -tree | grep -A4 '("panel" "trayer")' | grep -q '"verbalomatic"'; }
clip() { timeout 5 xclip -o -selection clipboard; }
# phrases MIN MAX: the clipboard holds a text of MIN to MAX phrases of the base.
phrases() {
  local words n
  words=$(clip | tr -s ' \r\n' '\n' | grep .)
  n=$(grep -c . <<<"$words")
  [ "$n" -ge "$1" ] && [ "$n" -le "$2" ] && ! LC_ALL=C.UTF-8 grep -qv '^[БВГДЖЗКЛМН][АОУ]Р$' <<<"$words" ||
    fail "no text of $1 to $2 phrases on the clipboard: $(clip)"
}

# No instance yet: --generate starts one in the tray and the text is there.
./verbalomatic --generate 10 2>>stderr.log & P=$!
until_ok 10 docked || fail "--generate did not start the program in the tray"
until_ok 10 clip || fail "nothing on the clipboard"
phrases 10 14
if shown; then fail "--generate showed the window"; fi

# It runs: --generate asks it for a new text and ends at once.
FIRST=$(clip)
timeout 10 ./verbalomatic --generate 10 2>>stderr.log || fail "second --generate: status $?"
[ "$(clip)" != "$FIRST" ] || fail "no new text on the clipboard"
phrases 10 14
kill -0 "$P" || fail "the running instance ended"

# A plain start brings the window out of the tray, focused.
timeout 10 ./verbalomatic 2>>stderr.log || fail "second start: status $?"
until_ok 5 shown || fail "window not brought out of the tray"
until_ok 5 test "$(xdotool getwindowfocus)" = "$WID" || fail "window without the focus"
until_ok 5 sh -c "! xwininfo -root -tree | grep -A4 '(\"panel\" \"trayer\")' | grep -q '\"verbalomatic\"'" ||
  fail "icon still in the tray"
timeout 10 ./verbalomatic --generate 1 2>>stderr.log || fail "--generate with the window shown"
phrases 1 5

# kill -9 leaves the socket and the lock behind; the next start takes over.
{ kill -9 "$P"; wait "$P"; } 2>/dev/null
ls "$XDG_RUNTIME_DIR"/verbalomatic-* >/dev/null 2>&1 || fail "no socket left behind to test with"
./verbalomatic --generate 5 2>>stderr.log & P=$!
until_ok 10 clip || fail "no text from the start after kill -9"
phrases 5 9
kill -TERM "$P"; wait "$P" || fail "exit status after SIGTERM"

# Two starts at once: one runs the window, the other hands its text over.
./verbalomatic --generate 15 2>>stderr.log & A=$!
./verbalomatic --generate 15 2>>stderr.log & B=$!
until_ok 10 sh -c "! kill -0 $A 2>/dev/null || ! kill -0 $B 2>/dev/null" || fail "both starts keep running"
if kill -0 "$A" 2>/dev/null; then P=$A; wait "$B" || fail "messenger status $?"
else P=$B; wait "$A" || fail "messenger status $?"; fi
A= B=
until_ok 10 clip || fail "no text after two starts"
phrases 15 19
sleep 1
kill -0 "$P" || fail "no instance left running"
kill -TERM "$P"; wait "$P" || fail "exit status after SIGTERM"
P=

if grep -v -e 'QStandardPaths' -e '^$' stderr.log; then fail "unexpected messages on stderr"; fi
echo "PASS: later starts reach the running instance"
