#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# keys_e2e.sh VERBALOMATIC CLIPBOARD_OWNERS
# One key press, one action, in the real window on a private X server:
# Return on a main-menu entry runs that entry only (its release must not run
# the last console command as well), wherever the focus is; and a digit key
# held down for seconds (Xvfb repeats it) generates one text. Texts are
# counted as the program puts them on the clipboard (CLIPBOARD_OWNERS).
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
if [ "${1:-}" != --inner ]; then
  [ $# -ge 1 ] || { echo "usage: $0 VERBALOMATIC CLIPBOARD_OWNERS"; exit 2; }
  [ -x "${2:-}" ] || { echo "SKIP: no clipboard_owners helper (Xfixes)"; exit 77; }
  for tool in Xvfb xdotool xclip xwininfo xdpyinfo; do
    command -v $tool >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
  exec "$HERE/xrun" "$0" --inner "$(readlink -f "$1")" "$(readlink -f "$2")"
fi
BIN=$2
OWNERS=$3

. "$HERE/common.sh"
e2e_folder vm-keys
"$OWNERS" >owners.txt & W=$!
trap '{ [ -n "$P" ] && kill -9 "$P"; kill "$W"; wait; } 2>/dev/null; rm -rf "$DIR"' EXIT

main_window() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$P" 2>/dev/null); do
    if xwininfo -id "$w" | grep -q 'Width: 592'; then echo "$w"; return 0; fi
  done
  return 1
}
base_loaded() { xdotool getwindowname "$WID" | grep -q 'фраз'; }
clip() { timeout 5 xclip -o -selection clipboard; }
clip_is() { [ "$(clip)" = "$SEED" ]; }
clip_differs() { local text; text=$(clip) && [ "$text" != "$SEED" ]; }
puts() { wc -l <owners.txt; }
# at X Y [BUTTON]: a click at that point of the window.
at() {
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  xdotool mousemove $((X + $1)) $((Y + $2)) click "${3:-1}"
}
CONSOLE="220 276"; OUTPUT="260 115"; SEED_BUTTON="509 275"; PICTURE="559 216"

./verbalomatic 2>>stderr.log & P=$!
until_ok 10 main_window || fail "no window"
WID=$(main_window)
until_ok 10 base_loaded || fail "base not loaded: $(xdotool getwindowname "$WID")"
xdotool windowfocus --sync "$WID"

# S on the console text "kot" ("CP" is on): the seed text on the clipboard.
at $CONSOLE
xdotool type kot
at $SEED_BUTTON
until_ok 5 clip || fail "no seed text"
SEED=$(clip)

# Return on "О программе" (the fifth entry with a built-in base) in the main
# menu, with the focus in the console line and then in the output box. The
# shown text, copied with Ctrl+A Ctrl+C, must be the about text, not the
# seed text of S run again by the Return release.
for focus in "$CONSOLE" "$OUTPUT"; do
  at $SEED_BUTTON
  until_ok 5 clip_is || fail "S did not put the seed text back"
  at $focus
  at $PICTURE 3
  sleep 0.5
  xdotool key --delay 120 Down Down Down Down Down Return
  at $OUTPUT
  xdotool key ctrl+a ctrl+c
  until_ok 5 clip_differs ||
    fail "Return on a menu entry ran the last console command too (focus at $focus)"
done

# "3" held for three seconds in the output box makes one text. Return in the
# console then runs S, whose text comes after it: once it is there, every
# text of the held key has been put on the clipboard.
at $OUTPUT
BEFORE=$(puts)
xdotool keydown 3
sleep 3
xdotool keyup 3
at $CONSOLE
xdotool key Return
until_ok 5 clip_is || fail "Return in the console did not run S"
until_ok 5 test $(($(puts) - BEFORE)) -ge 2 || fail "no text from the held key"
[ $(($(puts) - BEFORE)) -eq 2 ] || fail "holding 3 made $(($(puts) - BEFORE - 1)) texts"

kill -TERM "$P"; wait "$P"; rc=$?; P=
[ $rc -eq 0 ] || fail "exit status $rc"
if grep -v -e 'QStandardPaths' -e '^$' stderr.log; then fail "unexpected messages on stderr"; fi
echo "PASS: Return on a menu entry, a held digit key"
