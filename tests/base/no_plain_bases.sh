#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a program file shows a line of a base text (8 bytes or longer,
# as Windows-1251 or as UTF-8) among its strings, or holds the base key as
# one piece.
# usage: no_plain_bases.sh KEY_HEX BINARY TEXT...
set -eu
key=$(printf '%s' "$1" | tr 'A-F' 'a-f')
binary=$2
shift 2
if [ ! -s "$binary" ]; then
  echo "no such program file: $binary"
  exit 1
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export LC_ALL=C

for text in "$@"; do
  tr -d '\r' <"$text" | awk 'length($0) >= 8' >>"$tmp/cp1251"
done
touch "$tmp/cp1251"
iconv -f CP1251 -t UTF-8 "$tmp/cp1251" >"$tmp/utf8"
cat "$tmp/cp1251" "$tmp/utf8" >"$tmp/lines"
echo "$(wc -l <"$tmp/cp1251") base lines checked in $binary"

strings -a -e S -n 8 "$binary" >"$tmp/strings"
if [ -s "$tmp/lines" ] && grep -a -F -f "$tmp/lines" "$tmp/strings" >"$tmp/found"; then
  echo "base text in plain in $binary:"
  head -n 5 "$tmp/found"
  exit 1
fi
if od -An -v -tx1 "$binary" | tr -d ' \n' | grep -q "$key"; then
  echo "base key stored as one piece in $binary"
  exit 1
fi
echo "no base text and no base key in $binary"
