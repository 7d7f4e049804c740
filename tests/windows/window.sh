#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# window.sh WINE_SH VERBALOMATIC_EXE [SCREENSHOT]: the Win32 window under Wine
# on a private X server. The window shows with its caption and load report;
# Ctrl+A, Ctrl+C in the output box and a digit key with "CP" ticked put
# texts on the X clipboard; a double click on the picture hides the window
# in the tray, and a second start ends at once and brings it up. Skips (77)
# without the X tools.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
if [ "${1:-}" != --inner ]; then
  for tool in Xvfb xdotool xclip xwininfo xdpyinfo; do
    command -v $tool >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
  exec "$HERE/../e2e/xrun" "$0" --inner "$@"
fi
WINE=$2 EXE=$3 SHOT=${4:-}
DIR=$(mktemp -d -t vm-win32.XXXXXX)
cp "$EXE" "$DIR/verbalomatic.exe"
P=
# The prefix's server came up without a display: start one on this one, and
# end it again before the display goes.
"$WINE" kill
export VM_WINE_DISPLAY=$DISPLAY
trap '{ [ -n "$P" ] && kill "$P"; wait; "$WINE" kill; } 2>/dev/null; rm -rf "$DIR"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
clip() { timeout 5 xclip -o -selection clipboard 2>/dev/null; }
wait_for() { local i; for i in $(seq 150); do "$@" && return 0; sleep 0.2; done; return 1; }
window() { WID=$(xdotool search --name '^(Verbalomatic|.*фраз.*)' 2>/dev/null | head -1); [ -n "$WID" ]; }
loaded() { xdotool getwindowname "$WID" | grep -q 'фраз'; }
at() { xdotool mousemove --window "$WID" "$1" "$2"; sleep 0.3; xdotool click 1; sleep 0.5; }

"$WINE" run "$DIR/verbalomatic.exe" & P=$!
wait_for window || fail "no window"
wait_for loaded || fail "no load report in the caption: $(xdotool getwindowname "$WID")"
echo "caption: $(xdotool getwindowname "$WID")"
sleep 1
[ -n "$SHOT" ] && command -v import >/dev/null && import -window root "$SHOT"

# The output box: Ctrl+A, Ctrl+C copy its text through the program.
at 100 100
xdotool key ctrl+a ctrl+c; sleep 0.5
clip | grep -q . || fail "Ctrl+A, Ctrl+C copied nothing"
# "CP" (ticked by design) cleared, the digit 1 makes a text but leaves the
# clipboard; ticked again, the digit 2 puts its text there.
before=$(clip)
at 540 11
xdotool key 1; sleep 1
[ "$(clip)" = "$before" ] || fail "digit key without CP changed the clipboard"
at 540 11
xdotool key 2; sleep 1
after=$(clip)
[ -n "$after" ] && [ "$after" != "$before" ] || fail "digit key with CP: no new text on the clipboard"
echo "digit key: ${#after} characters on the clipboard"

# A right click on the picture opens the main menu; its last entry, "О
# программе", shows the about text (Return's release goes to nobody).
xdotool mousemove --window "$WID" 560 200; sleep 0.3; xdotool click 3; sleep 1
xdotool key Up Return; sleep 1
at 100 100
xdotool key ctrl+a ctrl+c; sleep 0.5
about=$(clip)
[ "$about" != "$after" ] && [ "$(printf '%s\n' "$about" | grep -c .)" -ge 7 ] ||
  fail "main menu: no about text: $about"
echo "about: $(printf '%s\n' "$about" | grep -c .) lines"

# A double click on the picture sends the window to the tray (when Wine
# has one); a second start ends, leaves one window and brings it up.
xdotool mousemove --window "$WID" 560 200; sleep 0.3; xdotool click --repeat 2 --delay 80 1
hidden() { ! xdotool search --onlyvisible --name 'фраз' >/dev/null; }
wait_for hidden || fail "a double click on the picture did not send the window to the tray"
timeout 20 "$WINE" run "$DIR/verbalomatic.exe" || fail "second start did not end cleanly"
[ "$(xdotool search --name '^(Verbalomatic|.*фраз.*)' | wc -l)" -eq 1 ] || fail "two windows"
shown() { xdotool search --onlyvisible --name 'фраз' >/dev/null; }
wait_for shown || fail "window not shown after second start"

# Closing saves the settings beside the executable.
at 100 100
xdotool key alt+F4
for i in $(seq 50); do kill -0 "$P" 2>/dev/null || break; sleep 0.2; done
kill -0 "$P" 2>/dev/null && fail "Alt+F4 did not end the program"
wait "$P"; P=
[ -s "$DIR/verbalomatic.cfg" ] || fail "no settings file"
echo "window test passed"
