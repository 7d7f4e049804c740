#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tests/golden/run.sh CLI [--update] [CASES...]: runs each *.cases file through
# the command-line program in a scratch copy of tests/golden/data and compares the
# transcript with the .expected file beside it. --update rewrites the
# .expected files instead (review the diff, then commit it).
#   $ ARGS   runs CLI ARGS: its stdout, then "stderr: " lines, then "[exit N]"
#            (the load report's timings show as #)
#   % CMD    runs a bash command in the scratch folder (cat, ls, ...); "$CLI"
#            names the program there
set -u
cli=$(realpath "$1")
export CLI=$cli
update=0
[ "${2:-}" = --update ] && { update=1; shift; }
shift
here=$(cd "$(dirname "$0")" && pwd)
[ $# -gt 0 ] || set -- "$here"/*.cases
# The load report's timings vary from run to run.
mask() { sed -E 's/(^([|] )?|⏎)(I[123]: )[0-9]+/\1\3#/g; s/^(I[123]: #)\r$/\1/'; }
failed=0
for cases in "$@"; do
  cases=$(realpath "$cases")
  work=$(mktemp -d)
  cp -r "$here/data/." "$work"
  actual=$(cd "$work" && while IFS= read -r line || [ -n "$line" ]; do
    case $line in
      '$'|'$ '*) echo "$line"
             eval "set -- ${line#\$}"
             "$cli" "$@" 2>"$work/.stderr" </dev/null | mask
             code=${PIPESTATUS[0]}
             mask < "$work/.stderr" | sed 's/^/stderr: /'
             echo "[exit $code]" ;;
      '% '*) echo "$line"; (eval "${line#% }") 2>&1 | mask ;;
      *) echo "$line" ;;
    esac
  done < "$cases")
  rm -rf "$work"
  expected=${cases%.cases}.expected
  if [ $update = 1 ]; then
    printf '%s\n' "$actual" > "$expected"
  elif ! diff -u "$expected" <(printf '%s\n' "$actual") > /dev/null; then
    echo "golden: $(basename "$cases") differs:"
    diff -u "$expected" <(printf '%s\n' "$actual") | head -40
    failed=1
  fi
done
exit $failed
