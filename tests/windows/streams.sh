#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The standard streams of the Windows program (through wine-cli): a reader
# that stops early ends the run quietly with status 0, and standard input is
# read as bytes, so a base piped in (CR LF and a ^Z byte inside) loads as the
# same file does.
set -u
cli=$(cd "$(dirname "$0")" && pwd)/wine-cli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
printf 'ОДИН ДВА\r\n\032ТРИ\r\nЧЕТЫРЕ\r\nПЯТЬ\r\n' > base.txt
failed=0
check() {  # check NAME GOT WANT
  if [ "$2" = "$3" ]; then echo "ok     $1"; else echo "FAILED $1: got [$2], want [$3]"; failed=1; fi
}
"$cli" generate --repeat 100000 --rng-seed 1 2>err.txt | head -1 > /dev/null
check "a reader that goes away" "${PIPESTATUS[0]} $(cat err.txt)" "0 "
without_name() { sed 's/"name":"[^"]*"//'; }
from_file=$("$cli" generate -b base.txt --rng-seed 3 --count 20 --json | without_name)
from_pipe=$(cat base.txt | "$cli" generate -b - --rng-seed 3 --count 20 --json | without_name)
check "a base through standard input" "$from_pipe" "$from_file"
case $from_file in *'"lines":5}'*) ;; *) check "the whole base read" "$from_file" '... "lines":5}' ;; esac
exit $failed
