# Shared by the real-window tests; sourced after the script has re-run itself
# under xrun. e2e_folder PREFIX: a fresh program folder holding a copy of $BIN
# (so its folder is the program folder), removed with the program at exit.
fail() { echo "FAIL: $*"; exit 1; }

# until_ok SECONDS CMD...: retries CMD every 0.1 s.
until_ok() {
  local limit=$1; shift
  local end=$((SECONDS + limit))
  while ! "$@" >/dev/null 2>&1; do
    [ $SECONDS -ge $end ] && return 1
    sleep 0.1
  done
}

e2e_folder() {
  DIR=$(mktemp -d -t "$1.XXXXXX")
  P=
  trap '{ [ -n "$P" ] && kill -9 "$P"; wait; } 2>/dev/null; rm -rf "$DIR"' EXIT
  cp "$BIN" "$DIR/verbalomatic"
  cd "$DIR" || exit 1
}
