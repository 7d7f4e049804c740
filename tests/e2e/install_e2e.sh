#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# install_e2e.sh BUILD_DIR
# Installed with `cmake --install` into a prefix owned by an ordinary user
# (nobody, when run as root) and run by that user with a fresh home on a
# private X server: settings in ~/.config/verbalomatic, bases and journal in
# ~/.local/share/verbalomatic (the bases found there offered), a later start
# answered, and nothing written anywhere else: not the prefix, not the
# working folder.
NEEDS="trayer" XRUN=--tray
. "$(dirname "$0")/common.sh"
WORK=$(mktemp -d -t vm-install.XXXXXX) P=
trap '{ [ -n "$P" ] && kill -9 "$P"; wait; } 2>/dev/null; rm -rf "$WORK"' EXIT
chmod 755 "$WORK"
PREFIX=$WORK/prefix U_HOME=$WORK/home CWD=$WORK/cwd RT=$WORK/rt DATA=$WORK/home/.local/share/verbalomatic
cmake --install "$BIN" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 || { cat "$WORK/install.log"; fail "install"; }
mkdir -p "$DATA" "$CWD" && mkdir -m 700 "$RT"
printf 'кот идет\nпес летит\nмышь спит\n' >"$DATA/source_home.txt"
AS=()
if [ "$(id -u)" = 0 ]; then
  chown -R nobody: "$PREFIX" "$U_HOME" "$CWD" "$RT"
  AS=(runuser -u nobody --)
fi
# The program itself: runuser's child.
program() { if [ ${#AS[@]} -gt 0 ]; then pgrep -P "$P"; else echo "$P"; fi; }
listing() { (cd "$1" && find . -printf '%p %s %T@\n' | sort); }
BEFORE=$(listing "$PREFIX")
RUN=("${AS[@]}" env -i HOME="$U_HOME" DISPLAY="$DISPLAY" XDG_RUNTIME_DIR="$RT" PATH=/usr/bin:/bin
     "$PREFIX/bin/verbalomatic")

(cd "$CWD" && exec "${RUN[@]}") 2>>"$WORK/stderr.log" & P=$!
window
until_ok 10 title_has 'фраз' || fail "no base loaded"
menu Down Right Down Down Return  # Сменить базу: the file of the data folder
until_ok 5 title_has '3 фраз' || fail "the base of the data folder not chosen: $(xdotool getwindowname "$WID")"
menu Down Down Down Down Down Down Return  # Сохранить в "+out.txt"
until_ok 5 test -s "$DATA/+out.txt" || fail "journal not in the data folder"
(cd "$CWD" && exec timeout 10 "${RUN[@]}" --generate 10) 2>>"$WORK/stderr.log" ||
  fail "--generate: status $?"
until_ok 5 sh -c 'timeout 5 xclip -o -selection clipboard | grep -q "[КПМ]"' || fail "no text on the clipboard"
kill -TERM "$(program)"
wait "$P" || fail "exit status $?"
P=

[ "$(stat -c %a "$U_HOME/.config/verbalomatic")" = 700 ] || fail "settings folder not private"
# The instance lock went with the program.
[ "$(cd "$U_HOME" && find . -mindepth 1 | sort | xargs)" = "./.config ./.config/verbalomatic \
./.config/verbalomatic/verbalomatic.cfg ./.local ./.local/share ./.local/share/verbalomatic \
./.local/share/verbalomatic/+out.txt ./.local/share/verbalomatic/source_home.txt" ] ||
  fail "files in the home: $(cd "$U_HOME" && find . -mindepth 1 | sort | xargs)"
[ -z "$(ls -A "$CWD")" ] || fail "files in the working folder: $(ls -A "$CWD")"
[ "$(listing "$PREFIX")" = "$BEFORE" ] || fail "the prefix changed: $(diff <(echo "$BEFORE") <(listing "$PREFIX"))"
passed "$WORK/stderr.log" "installed, the program keeps to ~/.config and ~/.local/share"
