#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# install_e2e.sh BUILD_DIR
# The program installed with `cmake --install` into a prefix and run by an
# ordinary user who owns it (nobody, when run as root) with a fresh home, on a private X
# server: it keeps its settings in ~/.config/verbalomatic and its bases and
# journal in ~/.local/share/verbalomatic, creating them, offers the bases it
# finds there, answers a later start, and writes nowhere else: not into the
# prefix, not into its working folder.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
if [ "${1:-}" != --inner ]; then
  [ $# -eq 1 ] || { echo "usage: $0 BUILD_DIR"; exit 2; }
  for tool in Xvfb trayer xdotool xclip xwininfo xdpyinfo iconv; do
    command -v $tool >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
  exec "$HERE/xrun" --tray "$0" --inner "$(readlink -f "$1")"
fi
BUILD=$2

. "$HERE/common.sh"
WORK=$(mktemp -d -t vm-install.XXXXXX)
P=
trap '{ [ -n "$P" ] && kill -9 "$P"; wait; } 2>/dev/null; cat "$WORK/stderr.log" 2>/dev/null; rm -rf "$WORK"' EXIT
chmod 755 "$WORK"
PREFIX=$WORK/prefix
cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 || { cat "$WORK/install.log"; fail "install"; }
U_HOME=$WORK/home CWD=$WORK/cwd RT=$WORK/rt
mkdir -p "$U_HOME/.local/share/verbalomatic" "$CWD" "$RT"
chmod 700 "$RT"
printf 'кот идет\nпес летит\nмышь спит\n' >"$U_HOME/.local/share/verbalomatic/source_home.txt"
AS=()
# The user owns the prefix, as with `cmake --install --prefix ~/.local`: its
# bin folder could be written, and must not be.
if [ "$(id -u)" = 0 ]; then
  chown -R nobody: "$PREFIX" "$U_HOME" "$CWD" "$RT"
  AS=(runuser -u nobody --)
fi
listing() { (cd "$1" && find . -printf '%p %s %T@\n' | sort); }
BEFORE=$(listing "$PREFIX")
RUN=("${AS[@]}" env -i HOME="$U_HOME" DISPLAY="$DISPLAY" XDG_RUNTIME_DIR="$RT" PATH=/usr/bin:/bin
     "$PREFIX/bin/verbalomatic")
# The program itself: runuser's child.
program() { if [ ${#AS[@]} -gt 0 ]; then pgrep -P "$P"; else echo "$P"; fi; }

main_window() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$(program)" 2>/dev/null); do
    if xwininfo -id "$w" | grep -q 'Width: 592'; then echo "$w"; return 0; fi
  done
  return 1
}
title_has() { xdotool getwindowname "$WID" | grep -q "$1"; }
menu() {
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  xdotool mousemove $((X + 559)) $((Y + 216)) click 3
  sleep 0.5
  xdotool key --delay 120 "$@"
  sleep 0.5
}

(cd "$CWD" && exec "${RUN[@]}") 2>>"$WORK/stderr.log" & P=$!
until_ok 10 main_window || fail "no window"
WID=$(main_window)
until_ok 10 title_has 'фраз' || fail "no base loaded"
# Сменить базу: the file of the data folder, after the two built-in bases.
menu Down Right Down Down Return
until_ok 5 title_has '3 фраз' || fail "the base of the data folder not chosen: $(xdotool getwindowname "$WID")"
# Сохранить в "+out.txt".
menu Down Down Down Down Down Down Return
DATA=$U_HOME/.local/share/verbalomatic
until_ok 5 test -s "$DATA/+out.txt" || fail "journal not in the data folder"
(cd "$CWD" && exec timeout 10 "${RUN[@]}" --generate 10) 2>>"$WORK/stderr.log" ||
  fail "--generate: status $?"
until_ok 5 sh -c 'timeout 5 xclip -o -selection clipboard | grep -q "[КПМ]"' || fail "no text on the clipboard"
kill -TERM "$(program)"; wait "$P" || fail "exit status $?"
P=

test -s "$U_HOME/.config/verbalomatic/verbalomatic.cfg" || fail "no settings in ~/.config/verbalomatic"
[ "$(stat -c %a "$U_HOME/.config/verbalomatic")" = 700 ] || fail "settings folder not private"
WRITTEN=$(cd "$U_HOME" && find . -mindepth 1 | sort | tr '\n' ' ')
# The instance lock went with the program.
EXPECTED="./.config ./.config/verbalomatic ./.config/verbalomatic/verbalomatic.cfg ./.local ./.local/share ./.local/share/verbalomatic ./.local/share/verbalomatic/+out.txt ./.local/share/verbalomatic/source_home.txt "
[ "$WRITTEN" = "$EXPECTED" ] || fail "files in the home: $WRITTEN"
[ -z "$(ls -A "$CWD")" ] || fail "files in the working folder: $(ls -A "$CWD")"
[ "$(listing "$PREFIX")" = "$BEFORE" ] || fail "the prefix changed: $(diff <(echo "$BEFORE") <(listing "$PREFIX"))"
if grep -v -e 'QStandardPaths' -e '^$' "$WORK/stderr.log"; then fail "unexpected messages on stderr"; fi
echo "PASS: installed, the program keeps to ~/.config/verbalomatic and ~/.local/share/verbalomatic"
