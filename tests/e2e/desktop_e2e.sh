#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# desktop_e2e.sh VERBALOMATIC CLIPBOARD_OWNERS
# The real window on a private X server with a tray host. One key press, one
# action: Return on a main-menu entry runs only that entry, a held digit makes
# one text (CLIPBOARD_OWNERS counts the texts put on the clipboard). The
# clipboard in both encodings; a base chosen and formatted from the main
# menu; auto-generation paused by Ctrl; the double click into the tray;
# SIGTERM and the settings it writes; a restart into the tray, the tray menu
# and icon; the window's return when the tray host ends for good.
NEEDS="trayer iconv cmp" XRUN=--tray
. "$(dirname "$0")/common.sh"
[ -x "${3:-}" ] || { echo "SKIP: no clipboard_owners helper (libxfixes-dev at build time)"; exit 77; }
e2e_folder vm-e2e
export XDG_DATA_HOME=$DIR/data
printf 'кот, пошел!\r\nкот, пошел!\r\nпес летит' | iconv -t WINDOWS-1251 >source_test.txt
"$3" >owners.txt & EXTRA=$!
puts() { wc -l <owners.txt; }
clip_is() { [ "$(clip)" = "$SEED" ]; }
clip_differs() { local text; text=$(clip) && [ "$text" != "$SEED" ]; }
CONSOLE="220 276" OUTPUT="260 115" SEED_BUTTON="509 275" NINE="494 248"

start
window
until_ok 10 title_has '3000 фраз' || fail "built-in base not loaded: $(xdotool getwindowname "$WID")"
xdotool windowfocus --sync "$WID"
# S on the console text "kot" ("CP" is on) puts the seed text on the clipboard.
at $CONSOLE
xdotool type kot
at $SEED_BUTTON
until_ok 5 clip || fail "no seed text"
SEED=$(clip)
clip -t TARGETS | grep -q UTF8_STRING || fail "no Unicode text offered"

# Return on "О программе" (the fifth entry with a built-in base), the focus in
# the console line and then in the output box: the shown text (Ctrl+A Ctrl+C)
# is the about text, not the seed text of S run again by the Return release.
for focus in "$CONSOLE" "$OUTPUT"; do
  at $SEED_BUTTON
  until_ok 5 clip_is || fail "S did not put the seed text back"
  at $focus
  menu Down Down Down Down Down Return
  at $OUTPUT
  xdotool key ctrl+a ctrl+c
  until_ok 5 clip_differs || fail "Return on a menu entry ran the last console command too (focus at $focus)"
done

# "3" held for three seconds in the output box makes one text; Return in the
# console then runs S, whose text comes after every text of the held key.
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

# Box 1 "UTF-8" off: the 8-bit text, offered in Windows-1251 as well.
at 535 35
at $OUTPUT
xdotool key 5
until_ok 5 sh -c "timeout 5 xclip -o -selection clipboard -t TARGETS | grep -q 'charset=windows-1251'" ||
  fail "no Windows-1251 text after unticking UTF-8"
EIGHT=$(clip -t 'text/plain;charset=windows-1251' | iconv -f WINDOWS-1251 -t UTF-8)
[ -n "$EIGHT" ] && [ "$EIGHT" = "$(clip)" ] || fail "8-bit text differs: '$EIGHT' / '$(clip)'"
at 535 35

# Сменить базу -> the file (after the two built-in bases and the separator).
menu Down Right Down Down Return
until_ok 5 title_has '3 фраз' || fail "base file not chosen: $(xdotool getwindowname "$WID")"
# Форматировать файл, answered Yes: the old base into the trash.
menu Down Down Down Return
until_ok 5 xdotool search --onlyvisible --name '^Verbalomatic$' || fail "no message box"
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Verbalomatic$' | head -1)"
xdotool key Return
until_ok 5 sh -c "iconv -f WINDOWS-1251 source_test.txt | grep -q 'ПЕС ЛЕТИТ'" || fail "base not rewritten"
[ "$(iconv -f WINDOWS-1251 source_test.txt)" = "$(printf 'КОТ ПОШЕЛ\r\nПЕС ЛЕТИТ')" ] ||
  fail "formatted base: $(iconv -f WINDOWS-1251 source_test.txt | od -c | head)"
ls "$XDG_DATA_HOME"/Trash/files/source_test.txt* >/dev/null 2>&1 || fail "old base not in the trash"
until_ok 5 title_has '2 фраз' || fail "formatted base not reloaded"

# A right release over "9" switches auto-generation on; holding Ctrl pauses it.
changes() {  # changes SECONDS: true when the clipboard changes within that time
  local first
  first=$(clip | md5sum)
  until_ok "$1" sh -c "[ \"\$(timeout 5 xclip -o -selection clipboard | md5sum)\" != '$first' ]"
}
at $NINE 3
changes 3 || fail "auto-generation does not run"
xdotool keydown ctrl
sleep 0.3
if changes 1; then fail "auto-generation goes on while Ctrl is held"; fi
xdotool keyup ctrl
changes 3 || fail "auto-generation does not resume after Ctrl"
at $NINE 3
sleep 0.3
if changes 1; then fail "auto-generation goes on after switching it off"; fi

# A double click on the picture box sends the window to the tray.
to_tray

# SIGTERM runs the normal shutdown: the settings say "in the tray".
stop
undocked || fail "icon left behind"
printf '\x5f\x80\0\0\0\0\0\0\x0f\0source_test.txt\x03\0kot' | cmp - verbalomatic.cfg ||
  fail "settings file: $(od -c verbalomatic.cfg)"

# A restart goes straight back into the tray; a right click on the icon opens
# the tray menu, a left click brings the window back and removes the icon.
start
until_ok 10 docked || fail "restart did not dock the icon"
sleep 1
if shown; then fail "restart showed the window"; fi
read -r IX IY < <(xwininfo -root -tree | grep -A4 '("panel" "trayer")' | grep '"verbalomatic"' |
  head -1 | sed -E 's/.*\+([0-9]+)\+([0-9]+)$/\1 \2/')
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
# The tray host going away for good brings the window in the tray back.
to_tray
kill "$XRUN_TRAY_PID"
until_ok 20 shown || fail "window not shown after the tray host went away"
stop
passed stderr.log "keys, clipboard, menu tools, auto mode, tray, shutdown"
