# Sourced by the real-window scripts. Those on X set NEEDS (tools) and XRUN
# (xrun options, maybe none) first: called as `SCRIPT ARG...`, the script
# re-runs itself under xrun (77, a skip, or MISSING_STATUS when a tool is
# missing); inside, the arguments (paths made absolute) follow --inner: ARG1
# is $BIN, then $3...
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [ -n "${XRUN+set}" ] && [ "${1:-}" != --inner ]; then
  [ $# -ge 1 ] || { echo "usage: $0 ARG..."; exit 2; }
  for tool in Xvfb xdotool xclip xwininfo xdpyinfo $NEEDS; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit "${MISSING_STATUS:-77}"; }
  done
  args=()
  for a in "$@"; do [ -e "$a" ] && a=$(readlink -f "$a"); args+=("$a"); done
  exec "$HERE/xrun" $XRUN "$0" --inner "${args[@]}"
fi
[ -n "${XRUN+set}" ] && BIN=$2
fail() { echo "FAIL: $*"; exit 1; }
# until_ok SECONDS CMD...: retries CMD every 0.1 s.
until_ok() {
  local end=$((SECONDS + $1))
  shift
  while ! "$@" >/dev/null 2>&1; do
    [ $SECONDS -ge $end ] && return 1
    sleep 0.1
  done
}
# e2e_folder PREFIX: a fresh program folder holding a copy of $BIN, removed
# with the program (and the PIDs in $EXTRA, with their children) at exit.
e2e_folder() {
  DIR=$(mktemp -d -t "$1.XXXXXX") P= EXTRA=
  trap '{ for p in $P $EXTRA $DOG; do pkill -9 -P $p; kill -9 $p; done; wait; } 2>/dev/null; rm -rf "$DIR"' EXIT
  cp "$BIN" "$DIR/verbalomatic"
  cd "$DIR" || exit 1
  # Well before ctest's limit, a stuck script says where its programs stand.
  # (read, not sleep: no child left holding ctest's pipe after the script ends).
  mkfifo .dog
  { read -rt "${E2E_LIMIT:-120}" <>.dog; echo "FAIL: still running after ${E2E_LIMIT:-120} s"; where_stuck; kill $$; } &
  DOG=$!
}
# where_stuck: the stacks of the programs running in $DIR.
where_stuck() {
  local p
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/cwd" 2>/dev/null)" = "$DIR" ] && [ "${p#/proc/}" != $$ ] && [ "${p#/proc/}" != "$BASHPID" ] || continue
    echo "-- $(tr '\0' ' ' <"$p/cmdline") (pid ${p#/proc/}, $(cut -d' ' -f3 "$p/stat"))"
    command -v gdb >/dev/null &&
      gdb -batch -p "${p#/proc/}" -ex 'thread apply all bt 12' 2>/dev/null | grep -e '^#' -e '^Thread'
  done
}
# (Nothing started here writes to the script's own output: ctest waits for
# every holder of it to end.)
start() { ./verbalomatic "$@" >>stdout.log 2>>stderr.log & P=$!; }
# The main window (the one 592 pixels wide) of $P, or of the process PROGRAM prints.
main_window() {
  local w pid=$P
  [ "$(type -t program)" = function ] && pid=$(program)
  for w in $(xdotool search --pid "$pid" 2>/dev/null); do
    xwininfo -id "$w" | grep -q 'Width: 592' && { echo "$w"; return 0; }
  done
  return 1
}
window() { until_ok 10 main_window || fail "no window appeared"; WID=$(main_window); }
shown() { WID=$(main_window) && xwininfo -id "$WID" | grep -q 'Map State: IsViewable'; }
hidden() { ! shown; }
docked() { xwininfo -root -tree | grep -A4 '("panel" "trayer")' | grep -q '"verbalomatic"'; }
undocked() { ! docked; }
title_has() { xdotool getwindowname "$WID" | grep -q "$1"; }
clip() { timeout 5 xclip -o -selection clipboard "$@"; }
# at X Y [CLICK OPTIONS] [BUTTON]: a click at that point of the window.
at() {
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  local x=$((X + $1)) y=$((Y + $2))
  shift 2
  [ $# -gt 0 ] || set -- 1
  xdotool mousemove $x $y click "$@"
}
# to_tray: a double click on the picture box (again when the clicks came too far apart).
to_tray() {
  for attempt in 1 2 3; do
    at 550 200 --repeat 2 --delay 80 1
    until_ok 3 hidden && break
  done
  until_ok 5 docked || fail "no icon in the tray after the double click"
  if shown; then fail "window still shown after the double click"; fi
}
# menu KEY...: opens the main menu over the picture box and types the keys.
menu() { at 559 216 3; sleep 0.5; xdotool key --delay 120 "$@"; sleep 0.5; }
stop() {
  kill -TERM "$P"
  until_ok 20 sh -c "! kill -0 $P || grep -q '^[0-9]* ([^)]*) Z' /proc/$P/stat" ||
    { echo "FAIL: no exit 20 s after SIGTERM"; where_stuck; exit 1; }
  wait "$P" || fail "exit status $? after SIGTERM"
  P=
}
# one_word_base: a base of one-word phrases, chosen by the settings with every
# distortion off; phrases MIN MAX TEXT: TEXT is MIN to MAX of its phrases.
one_word_base() {
  for c in Б В Г Д Ж З К Л М Н; do for v in А О У; do echo "$c${v}Р"; done; done >source_one.txt
  printf '\x03\0\0\0\0\0\0\0\x0e\0source_one.txt\0\0' >verbalomatic.cfg
}
phrases() {
  local words
  words=$(tr -s ' \r\n' '\n' <<<"$3" | grep .)
  [ "$(grep -c . <<<"$words")" -ge "$1" ] && [ "$(grep -c . <<<"$words")" -le "$2" ] &&
    ! LC_ALL=C.UTF-8 grep -qv '^[БВГДЖЗКЛМН][АОУ]Р$' <<<"$words" ||
    fail "no text of $1 to $2 phrases of the base: $3"
}
# passed LOG MESSAGE: nothing unexpected on the program's stderr.
passed() {
  if grep -v -e QStandardPaths -e qt.qpa -e '^$' "$1"; then fail "unexpected messages on stderr"; fi
  echo "PASS: $2"
}
