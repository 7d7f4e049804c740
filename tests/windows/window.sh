#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# window.sh WINE_SH PORTABLE_ZIP DROP_FILES_EXE [SCREENSHOT]: the Win32
# window, unpacked from the portable zip into a scratch folder, under Wine on
# a private X server with a tray host. The window shows with its caption and
# load report; Ctrl+A, Ctrl+C in the output box and a digit key with "CP"
# ticked put texts on the X clipboard, the console's S command the very text
# of the Linux build for the same seed text; the main menu
# shows the about text; a file dropped on the output box becomes a base
# (DROP_FILES_EXE drops it as the shell does: no X drag source reaches Wine
# here), which the formatter rewrites after its question, the old base going
# to the desktop's trash under its own path; a double click on the picture
# puts the icon in the tray, whose menu generates a text onto the clipboard;
# a second start ends at once and brings the window up.
set -u
NEEDS="trayer unzip" XRUN=--tray MISSING_STATUS=1  # a failure: scripts/setup --windows installs them
. "$(dirname "$0")/../e2e/common.sh"
WINE=$2 ZIP=$3 DROP=$4 SHOT=${5:-}
TOP=$(mktemp -d -t vm-win32.XXXXXX)
unzip -q "$ZIP" -d "$TOP" || fail "cannot unpack $ZIP"
DIR=$(echo "$TOP"/verbalomatic-*)
for f in verbalomatic.exe verbalomatic-cli.exe README.txt LICENSE.txt; do
  [ -f "$DIR/$f" ] || fail "the zip lacks $f"
done
export XDG_DATA_HOME=$TOP/data; mkdir "$XDG_DATA_HOME"
P=
# The prefix's server came up without a display: start one on this one, and
# end it again before the display goes.
"$WINE" kill
export VM_WINE_DISPLAY=$DISPLAY
trap '{ [ -n "$P" ] && kill "$P"; wait; "$WINE" kill; } 2>/dev/null; rm -rf "$TOP"' EXIT
# The program's windows, by caption (one may vanish while xdotool reads it).
ours() { xdotool search --name '^(Verbalomatic|.*фраз.*)' 2>/dev/null; }
window() { WID=$(ours | head -1); [ -n "$WID" ]; }
caption_has() { xdotool getwindowname "$WID" | grep -q "$1"; }
at() { xdotool mousemove --window "$WID" "$1" "$2"; sleep 0.3; xdotool click 1; sleep 0.5; }

"$WINE" run "$DIR/verbalomatic.exe" & P=$!
until_ok 30 window || fail "no window"
until_ok 30 caption_has 'фраз' || fail "no load report in the caption: $(xdotool getwindowname "$WID")"
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
# The console's S command puts on the clipboard the very text the Linux
# build's golden transcript holds for the same seed text.
want=$(awk '/^\$ generate --builtin trash --seed .Verbalomatic.$/ { on = 1; next }
            on && /^\[exit/ { exit } on' "$HERE/../golden/generate_files.expected")
[ -n "$want" ] || fail "no golden text for the seed text Verbalomatic"
at 100 275
xdotool type Verbalomatic; sleep 0.3
at 509 275
[ "$(clip | tr -d '\r')" = "$want" ] ||
  fail "S Verbalomatic: the clipboard differs from the Linux text: $(clip | head -c 200)"
echo "seeded S: ${#want} characters, as on Linux"

picture() { xdotool mousemove --window "$WID" 560 200; sleep 0.3; xdotool click "$@"; }
# A right click on the picture opens the main menu; the keys walk it (the
# separators are skipped).
menu() { picture 3; sleep 1; xdotool key "$@"; sleep 1; }
# Answers Yes to the program's question box, titled with the program's name.
say_yes() { local box; box=$(xdotool search --onlyvisible --name '^Verbalomatic$' 2>/dev/null | head -1)
            [ -n "$box" ] && xdotool windowfocus --sync "$box" key Return; }
# Its last entry, "О программе", shows the about text (Return's release goes
# to nobody).
menu Up Return
at 100 100
xdotool key ctrl+a ctrl+c; sleep 0.5
about=$(clip)
[ "$about" != "$after" ] && [ "$(printf '%s\n' "$about" | grep -c .)" -ge 7 ] ||
  fail "main menu: no about text: $about"
echo "about: $(printf '%s\n' "$about" | grep -c .) lines"

# A dropped file, once the question is answered, becomes the base
# source_notes.txt; chosen in the base menu and formatted, it loses its
# repeated line, and the old base goes to the trash recorded under its own
# path.
printf 'one two three\nanother line here\none two three\n' >"$DIR/notes.txt"
"$WINE" run "$DROP" 'Z:'"${DIR//\//\\}"'\notes.txt' || fail "the output box accepts no files"
until_ok 30 say_yes || fail "no import question after a drop"
base=$DIR/source_notes.txt
until_ok 30 grep -q 'ANOTHER LINE HERE' "$base" 2>/dev/null || fail "the drop made no base"
menu Down Down Down Down Right Down Down Return
until_ok 30 caption_has ' 3 фраз' || fail "source_notes.txt not loaded: $(xdotool getwindowname "$WID")"
menu Down Down Down Return
until_ok 30 say_yes || fail "no formatter question"
info=$XDG_DATA_HOME/Trash/info/source_notes.txt.trashinfo
until_ok 30 test -s "$info" || fail "the old base did not go to the trash"
grep -qx "Path=$base" "$info" || fail "the trash records another place: $(grep Path= "$info")"
[ "$(grep -c 'ONE TWO THREE' "$XDG_DATA_HOME/Trash/files/source_notes.txt")" = 2 ] ||
  fail "the trash holds no old base"
until_ok 30 test "$(grep -c . "$base")" = 2 || fail "the base was not rewritten: $(cat "$base")"
echo "drop and formatter: $(grep Path= "$info")"

# A double click on the picture puts the icon in the tray host; its menu's
# "Сгенерировать" → "1" puts a new text on the clipboard.
picture --repeat 2 --delay 80 1
hidden() { ! xdotool search --onlyvisible --name 'фраз' >/dev/null; }
until_ok 30 hidden || fail "a double click on the picture did not send the window to the tray"
docked() {
  local panel
  panel=$(xwininfo -root -tree | awk '/\("panel" "trayer"\)/ { print $1; exit }')
  [ -n "$panel" ] || return 1  # without -id xwininfo waits for a click
  ICON=$(xwininfo -tree -id "$panel" | awk '/explorer.exe/ { print $1; exit }')
  [ -n "$ICON" ]
}
until_ok 30 docked || fail "no icon in the tray host"
before=$(clip)
xdotool mousemove --window "$ICON" 5 5; sleep 0.3; xdotool click 3; sleep 1
xdotool key Down Down Right Return; sleep 1
tray=$(clip)
[ -n "$tray" ] && [ "$tray" != "$before" ] || fail "the tray menu put no new text on the clipboard"
echo "tray menu: ${#tray} characters on the clipboard"

# A second start ends, leaves one window and brings it up.
timeout 20 "$WINE" run "$DIR/verbalomatic.exe" || fail "second start did not end cleanly"
one_window() { [ "$(ours | wc -l)" -eq 1 ]; }
until_ok 30 one_window || fail "two windows"
shown() { xdotool search --onlyvisible --name 'фраз' >/dev/null; }
until_ok 30 shown || fail "window not shown after second start"

# Closing saves the settings beside the executable.
at 100 100
xdotool key alt+F4
for i in $(seq 50); do kill -0 "$P" 2>/dev/null || break; sleep 0.2; done
kill -0 "$P" 2>/dev/null && fail "Alt+F4 did not end the program"
wait "$P"; P=
[ -s "$DIR/verbalomatic.cfg" ] || fail "no settings file"
echo "window test passed"
