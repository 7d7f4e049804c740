#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# wayland_e2e.sh VERBALOMATIC WESTON_KEYS_MODULE
# The window on Wayland, under weston's headless backend (QT_QPA_PLATFORM=
# wayland): it starts and shows the load report (Ctrl+A, Ctrl+C in the
# output box, read back with wl-paste); restarted, it generates on the key
# "3" and puts the text on the clipboard while it has the focus; a later
# start is answered; SIGTERM ends it cleanly. The module gives weston a keyboard and presses keys on SIGUSR2.
# Skipped (77) only where weston cannot start.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
[ $# -eq 2 ] || { echo "usage: $0 VERBALOMATIC WESTON_KEYS_MODULE"; exit 2; }
for tool in weston wl-paste; do
  command -v $tool >/dev/null || { echo "SKIP: $tool is not installed (weston, wl-clipboard)"; exit 77; }
done
[ -f "$2" ] || { echo "SKIP: no weston key module (libweston-10-dev was missing at build time)"; exit 77; }
BIN=$(readlink -f "$1")
MODULE=$(readlink -f "$2")

. "$HERE/common.sh"
e2e_folder vm-wayland
export XDG_RUNTIME_DIR=$DIR/rt VM_WESTON_KEYS=$DIR/keys WAYLAND_DISPLAY=vm-wayland
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --socket=$WAYLAND_DISPLAY --idle-time=0 \
       --modules="$MODULE" --log=weston.log & W=$!
trap '{ [ -n "$P" ] && kill -9 "$P"; kill "$W"; wait; } 2>/dev/null; rm -rf "$DIR"' EXIT
until_ok 10 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ||
  { echo "SKIP: weston cannot start here:"; tail -5 weston.log; exit 77; }
export QT_QPA_PLATFORM=wayland
unset DISPLAY

for c in Б В Г Д Ж З К Л М Н; do for v in А О У; do echo "$c${v}Р"; done; done >source_one.txt
printf '\x03\x00\x00\x00\x00\x00\x00\x00\x0e\x00source_one.txt\x00\x00' >verbalomatic.cfg

# keys CODE...: Linux key codes pressed together (29 Ctrl, 30 A, 46 C, 4 "3").
keys() { echo "$*" >"$VM_WESTON_KEYS"; kill -USR2 "$W"; sleep 0.2; }
paste() { timeout 5 wl-paste -n 2>/dev/null; }
stop() { kill -TERM "$P"; wait "$P" || fail "exit status $? after SIGTERM"; P=; }
# wl-paste takes the focus for a moment and does not give it back: wait
# until the window stands (it listens for later starts then), keys, paste.
start() {
  rm -f "$XDG_RUNTIME_DIR"/verbalomatic-*
  ./verbalomatic 2>>stderr.log & P=$!
  until_ok 10 sh -c 'ls "$XDG_RUNTIME_DIR"/verbalomatic-*' ||
    fail "the window did not come up: $(cat stderr.log; tail -3 weston.log)"
  sleep 0.5
}

# The first load shows the about text one time in five: start again then.
for attempt in 1 2 3 4 5 6; do
  start
  keys 29 30
  keys 29 46
  REPORT=$(paste)
  stop
  grep -q DONE <<<"$REPORT" && break
done
[ "$(tr -d '\r' <<<"$REPORT" | sed -n '2p;3p;5p;12p' | tr '\n' ' ')" = "Файл: source_one.txt 30 DONE " ] ||
  fail "load report: $REPORT"

# Restarted, the window has the focus: "3" makes a text and copies it.
start
keys 4
paste >/dev/null || fail "no text on the clipboard after the key 3"
WORDS=$(paste | tr -s ' \r\n' '\n' | grep .)
N=$(grep -c . <<<"$WORDS")
[ "$N" -ge 10 ] && [ "$N" -le 14 ] && ! LC_ALL=C.UTF-8 grep -qv '^[БВГДЖЗКЛМН][АОУ]Р$' <<<"$WORDS" ||
  fail "no text of 10 to 14 phrases of the base: $(paste)"
timeout 10 ./verbalomatic 2>>stderr.log || fail "a later start got no answer"
stop
test -s verbalomatic.cfg || fail "no settings written"

if grep -v -e '^$' stderr.log; then fail "unexpected messages on stderr"; fi
echo "PASS: the window on Wayland (weston, headless)"
