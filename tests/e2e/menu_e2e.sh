#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# menu_e2e.sh VERBALOMATIC
# The base tools from the window's main menu on a private X server: switching
# to a base file, formatting it (answering the question with Yes), saving the
# shown text to the journal and switching back to a built-in base.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
if [ "${1:-}" != --inner ]; then
  [ $# -ge 1 ] || { echo "usage: $0 VERBALOMATIC"; exit 2; }
  for tool in Xvfb trayer xdotool xwininfo xdpyinfo iconv; do
    command -v $tool >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
  exec "$HERE/xrun" --tray "$0" --inner "$(readlink -f "$1")"
fi
BIN=$2

. "$HERE/common.sh"
e2e_folder vm-menu
export XDG_DATA_HOME=$DIR/data
printf 'кот, пошел!\r\nкот, пошел!\r\nпес летит' | iconv -t WINDOWS-1251 > source_test.txt

title_has() { xdotool getwindowname "$WID" | grep -q "$1"; }
main_window() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$P" 2>/dev/null); do
    if xwininfo -id "$w" | grep -q 'Width: 592'; then echo "$w"; return 0; fi
  done
  return 1
}
# menu KEY...: opens the main menu over the picture box and types the keys.
menu() {
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  xdotool mousemove $((X + 559)) $((Y + 216)) click 3
  sleep 0.5
  xdotool key --delay 120 "$@"
  sleep 0.5
}
# answer KEY: the message box titled Verbalomatic takes KEY.
answer() {
  local box
  until_ok 5 xdotool search --onlyvisible --name '^Verbalomatic$' || fail "no message box"
  box=$(xdotool search --onlyvisible --name '^Verbalomatic$' | head -1)
  xdotool windowfocus --sync "$box"
  xdotool key "$1"
}

./verbalomatic 2>>stderr.log & P=$!
until_ok 10 main_window || fail "no window"
WID=$(main_window)
until_ok 10 title_has '3000 фраз' || fail "built-in base not loaded: $(xdotool getwindowname "$WID")"

# Сменить базу -> the third entry of the submenu (after the separator): the file.
menu Down Right Down Down Return
until_ok 5 title_has '3 фраз' || fail "base file not chosen: $(xdotool getwindowname "$WID")"

# Форматировать файл: the third entry now that a base file is loaded; Yes.
menu Down Down Down Return
answer Return
until_ok 5 sh -c "iconv -f WINDOWS-1251 source_test.txt | grep -q 'ПЕС ЛЕТИТ'" || fail "base not rewritten"
[ "$(iconv -f WINDOWS-1251 source_test.txt)" = "$(printf 'КОТ ПОШЕЛ\r\nПЕС ЛЕТИТ')" ] ||
  fail "formatted base: $(iconv -f WINDOWS-1251 source_test.txt | od -c | head)"
ls "$XDG_DATA_HOME"/Trash/files/source_test.txt* >/dev/null 2>&1 || fail "old base not in the trash"
until_ok 5 title_has '2 фраз' || fail "formatted base not reloaded"

# Сохранить в "+out.txt": the sixth entry.
menu Down Down Down Down Down Down Return
until_ok 5 test -s +out.txt || fail "journal not written"
head -c 16 +out.txt | od -An -tx1 | grep -q '97 97 97' || fail "journal rule is not 0x97"

# Back to the built-in standard base.
menu Down Down Down Down Right Return
until_ok 10 title_has '3000 фраз' || fail "standard base not loaded"

kill -TERM "$P"; wait "$P"; rc=$?; P=
[ $rc -eq 0 ] || fail "exit status $rc"
grep -v '^$' stderr.log | grep -vi 'qt\.qpa\|xdg_runtime' && fail "unexpected messages on stderr"
echo "PASS: menu switching, formatting, journal"
