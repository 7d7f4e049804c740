#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# wayland_e2e.sh VERBALOMATIC WESTON_KEYS_MODULE
# The window on Wayland under weston's headless backend, which has no seat:
# the module gives it a keyboard that presses keys on SIGUSR2. Ctrl+A, Ctrl+C
# copy the shown text; the key "3" makes a text and copies it (read back with
# wl-paste); a later start is answered; SIGTERM ends it cleanly. Skipped (77)
# only where weston cannot start.
[ $# -eq 2 ] || { echo "usage: $0 VERBALOMATIC WESTON_KEYS_MODULE"; exit 2; }
for tool in weston wl-paste; do
  command -v $tool >/dev/null || { echo "SKIP: $tool is not installed (weston, wl-clipboard)"; exit 77; }
done
[ -f "$2" ] || { echo "SKIP: no weston key module (libweston-10-dev was missing at build time)"; exit 77; }
BIN=$(readlink -f "$1") MODULE=$(readlink -f "$2")
. "$(dirname "$0")/common.sh"
e2e_folder vm-wayland
export XDG_RUNTIME_DIR=$DIR/rt VM_WESTON_KEYS=$DIR/keys WAYLAND_DISPLAY=vm-wayland QT_QPA_PLATFORM=wayland
unset DISPLAY
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --socket=$WAYLAND_DISPLAY --idle-time=0 \
  --modules="$MODULE" --log=weston.log >weston.out 2>&1 & EXTRA=$!
until_ok 10 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ||
  { echo "SKIP: weston cannot start here:"; tail -5 weston.log; exit 77; }
one_word_base

# keys CODE...: Linux key codes pressed together (29 Ctrl, 30 A, 46 C, 4 "3").
keys() { echo "$*" >"$VM_WESTON_KEYS"; kill -USR2 "$EXTRA"; sleep 0.2; }
paste() { timeout 5 wl-paste -n 2>/dev/null; }
# The window stands once it listens for later starts; wl-paste takes the
# focus for a moment and does not give it back: keys, paste, start again.
up() {
  rm -f "$XDG_RUNTIME_DIR"/verbalomatic-*
  start
  until_ok 10 sh -c 'ls "$XDG_RUNTIME_DIR"/verbalomatic-*' ||
    fail "the window did not come up: $(cat stderr.log; tail -3 weston.log)"
  sleep 0.5
}
up
keys 29 30
keys 29 46
paste >/dev/null || fail "Ctrl+A, Ctrl+C put nothing on the clipboard"
stop
up
keys 4
phrases 10 14 "$(paste)"
timeout 10 ./verbalomatic 2>>stderr.log || fail "a later start got no answer"
stop
test -s verbalomatic.cfg || fail "no settings written"
passed stderr.log "the window on Wayland (weston, headless)"
