#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The golden transcripts of tests/golden through the Windows program under
# Wine, against the same .expected files as the Linux build. The *_posix
# tables (FIFOs, devices, /dev/full) belong to Linux alone.
here=$(cd "$(dirname "$0")" && pwd)
cases=()
for c in "$here"/../golden/*.cases; do
  case $c in *_posix.cases) ;; *) cases+=("$c") ;; esac
done
exec "$here/../golden/run.sh" "$here/wine-cli" "${cases[@]}"
