#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# kill_format.sh CLI [RUNS]: kills "CLI format --yes" with SIGKILL at random
# moments on a large base, RUNS times (default 30). Afterwards the base file
# must hold the old content or the new one, byte for byte.
set -euo pipefail
cli=$1
runs=${2:-30}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() {
  echo "kill_format: $*" >&2
  exit 1
}

# Distinct lines that the formatter changes: commas and marks go.
seq 1 60000 | sed 's/.*/строка номер &, вот так!/' | iconv -f UTF-8 -t WINDOWS-1251 >"$dir/old"
cp "$dir/old" "$dir/new"
"$cli" format --yes "$dir/new" >/dev/null
cmp -s "$dir/old" "$dir/new" && fail "the formatter changed nothing"

# How long one whole run takes, to spread the kills over it.
cp "$dir/old" "$dir/base.txt"
started=$(date +%s%N)
"$cli" format --yes "$dir/base.txt" >/dev/null
span=$((($(date +%s%N) - started) / 1000000 + 1))

kept_old=0
kept_new=0
for ((run = 1; run <= runs; run++)); do
  rm -f "$dir"/base.txt* "$dir"/.vm-tmp-*
  cp "$dir/old" "$dir/base.txt"
  "$cli" format --yes "$dir/base.txt" >/dev/null 2>&1 &
  pid=$!
  delay=$((RANDOM * 32768 + RANDOM))
  delay=$((delay % (span + span / 5 + 1)))
  sleep "$(printf '%d.%03d' $((delay / 1000)) $((delay % 1000)))"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  if cmp -s "$dir/base.txt" "$dir/old"; then
    kept_old=$((kept_old + 1))
  elif cmp -s "$dir/base.txt" "$dir/new"; then
    kept_new=$((kept_new + 1))
  elif [ -e "$dir/base.txt" ]; then
    fail "run $run (killed after ${delay} ms of ${span} ms): the base file is a mix"
  else
    fail "run $run (killed after ${delay} ms of ${span} ms): the base file is gone"
  fi
done
echo "kill_format: $runs kills in runs of about ${span} ms: $kept_old left the old base," \
  "$kept_new the new one"
