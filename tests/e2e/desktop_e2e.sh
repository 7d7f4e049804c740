#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# desktop_e2e.sh VERBALOMATIC [SCREENSHOT.png]
# Drives the real desktop program on a private X server with a tray host:
# generation by key with the clipboard read back in both encodings, the
# double click into the tray, shutdown by SIGTERM and the settings file it
# leaves, a restart into the tray, a click on the icon, the single instance,
# a stale lock after kill -9 and the window's return when the tray host ends.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
if [ "${1:-}" != --inner ]; then
  [ $# -ge 1 ] || { echo "usage: $0 VERBALOMATIC [SCREENSHOT]"; exit 2; }
  for tool in Xvfb trayer xdotool xclip xwininfo xdpyinfo import iconv xxd; do
    command -v $tool >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
  BIN=$(readlink -f "$1")
  SHOT=${2:+$(readlink -f "$(dirname "$2")")/$(basename "$2")}
  exec "$HERE/xrun" --tray "$0" --inner "$BIN" "$SHOT"
fi
BIN=$2
SHOT=${3:-}

. "$HERE/common.sh"
e2e_folder vm-e2e

mapped() { [ -n "$1" ] && xwininfo -id "$1" | grep -q 'Map State: IsViewable'; }
unmapped() { ! mapped "$1"; }
shown() { WID=$(main_window) && mapped "$WID"; }
docked() { xwininfo -root -tree | grep -A4 '("panel" "trayer")' | grep -q '"verbalomatic"'; }
undocked() { ! docked; }
clip() { timeout 5 xclip -o -selection clipboard "$@"; }
base_loaded() { xdotool getwindowname "$WID" | grep -q 'фраз'; }
start() {
  ./verbalomatic 2>>stderr.log &
  P=$!
  until_ok 10 xdotool search --pid "$P" || fail "no window appeared"
  WID=$(main_window)
}
# The program's main window, the one of its size, once it exists.
main_window() {
  local w
  for w in $(xdotool search --pid "$P" 2>/dev/null); do
    if xwininfo -id "$w" | grep -q 'Width: 592'; then echo "$w"; return 0; fi
  done
  return 1
}
stop() {
  kill -TERM "$P"
  wait "$P"
  local rc=$?
  P=
  [ $rc -eq 0 ] || fail "exit status $rc after SIGTERM"
}
window_origin() { eval "$(xdotool getwindowgeometry --shell "$WID")"; }

# First start: the window shows; "3" generates and copies (box 0 "CP" is ticked).
start
until_ok 10 shown || fail "window not shown"
until_ok 10 base_loaded || fail "base not loaded: $(xdotool getwindowname "$WID")"
xdotool windowfocus --sync "$WID"
xdotool key 3
until_ok 5 clip || fail "nothing on the clipboard after releasing 3"
TEXT=$(clip)
[ -n "$TEXT" ] && [ "$TEXT" != "Я ОБКАКАЛСЯ. ПОЧЕМУ?" ] || fail "unexpected text: $TEXT"
clip -t TARGETS | grep -q UTF8_STRING || fail "no Unicode text offered"
if clip -t TARGETS | grep -q 'charset=windows-1251'; then fail "8-bit text offered in Unicode mode"; fi
echo "generated: ${TEXT:0:60}..."

# Box 1 "UTF-8" off: the 8-bit text, offered in Windows-1251 as well.
window_origin
xdotool mousemove $((X + 535)) $((Y + 35)) click 1
xdotool windowfocus --sync "$WID"
xdotool key 5
until_ok 5 sh -c "timeout 5 xclip -o -selection clipboard -t TARGETS | grep -q 'charset=windows-1251'" ||
  fail "no Windows-1251 text after unticking UTF-8"
EIGHT=$(clip -t 'text/plain;charset=windows-1251' | iconv -f WINDOWS-1251 -t UTF-8)
PLAIN=$(clip)
[ -n "$EIGHT" ] && [ "$EIGHT" = "$PLAIN" ] || fail "8-bit text differs: '$EIGHT' / '$PLAIN'"
xdotool mousemove $((X + 535)) $((Y + 35)) click 1
if [ -n "$SHOT" ]; then
  xdotool mousemove 700 500
  sleep 2  # the life grid fills
  import -window "$WID" "$SHOT" || fail "no screenshot"
fi

# A right release over "9" switches auto-generation on; holding Ctrl pauses it.
xdotool mousemove $((X + 2 + 58 * 8 + 28)) $((Y + 236 + 12)) click 3
changes() {  # changes SECONDS: true when the clipboard changes within that time
  local first
  first=$(clip | md5sum)
  until_ok "$1" sh -c "[ \"\$(timeout 5 xclip -o -selection clipboard | md5sum)\" != '$first' ]"
}
changes 3 || fail "auto-generation does not run"
xdotool keydown ctrl
sleep 0.3
if changes 1; then fail "auto-generation goes on while Ctrl is held"; fi
xdotool keyup ctrl
changes 3 || fail "auto-generation does not resume after Ctrl"
xdotool mousemove $((X + 2 + 58 * 8 + 28)) $((Y + 236 + 12)) click 3
sleep 0.3
if changes 1; then fail "auto-generation goes on after switching it off"; fi

# A double click on the picture box sends the window to the tray.
# On a loaded machine the two clicks may arrive too far apart: try again.
for attempt in 1 2 3; do
  xdotool mousemove $((X + 550)) $((Y + 200)) click --repeat 2 --delay 80 1
  until_ok 3 unmapped "$WID" && break
done
until_ok 5 unmapped "$WID" || fail "window still shown after the double click"
until_ok 5 docked || fail "no icon in the tray"

# SIGTERM runs the normal shutdown: the settings say "in the tray".
stop
undocked || fail "icon left behind"
EXPECTED="5f800000000000000a005b564d3a20f2f0e5f85d0000"
GOT=$(xxd -p verbalomatic.cfg | tr -d '\n')
[ "$GOT" = "$EXPECTED" ] || fail "settings file: $GOT, expected $EXPECTED"

# A restart goes straight back into the tray; a second start ends at once.
start
until_ok 10 docked || fail "restart did not dock the icon"
sleep 1
if shown; then fail "restart showed the window"; fi
timeout 5 ./verbalomatic 2>>stderr.log || fail "second instance did not end at once"
kill -0 "$P" || fail "first instance gone"

# A right click on the icon opens the tray menu; a left click brings the
# window back and removes the icon.
ICON=$(xwininfo -root -tree | grep -A4 '("panel" "trayer")' | grep '"verbalomatic"' | head -1)
read -r IX IY < <(echo "$ICON" | sed -E 's/.*\+([0-9]+)\+([0-9]+)$/\1 \2/')
echo "icon at $IX,$IY"
popups() { xdotool search --onlyvisible --pid "$P" 2>/dev/null | wc -l; }
BEFORE=$(popups)
xdotool mousemove $((IX + 10)) $((IY + 10)) click 3
until_ok 5 test "$(popups)" -gt "$BEFORE" || fail "no tray menu"
xdotool key Escape
until_ok 5 test "$(popups)" -eq "$BEFORE" || fail "tray menu did not close"
if shown; then fail "the tray menu showed the window"; fi
xdotool mousemove $((IX + 10)) $((IY + 10)) click 1
until_ok 5 shown || fail "window not restored by the icon"
until_ok 5 undocked || fail "icon still docked after restore"

# kill -9 leaves a stale lock behind that does not block the next start.
{ kill -9 "$P"; wait "$P"; } 2>/dev/null
P=
start
until_ok 10 docked || fail "no start after kill -9"
kill -0 "$P" || fail "start after kill -9 ended"

# The tray host goes away for good while the window is in the tray: the
# window comes back by itself.
kill "$XRUN_TRAY_PID"
until_ok 20 shown || fail "window not shown after the tray host went away"
stop

if grep -v -e 'QStandardPaths' -e '^$' stderr.log; then fail "unexpected messages on stderr"; fi
echo PASS
