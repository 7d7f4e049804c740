#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The manual pages render without a warning, and they and the completion
# scripts know every option and option box that the command line's help
# lists. Usage: docs_test.sh CLI MAN_DIR COMPLETIONS_DIR
set -uo pipefail
CLI=$1 MAN=$2 COMP=$3
failed=0
fail() { echo "FAIL: $*"; failed=1; }
export LC_ALL=C.UTF-8 MANWIDTH=250
have_fish=$(command -v fish >/dev/null && echo 1 || echo 0)

complete_bash() {
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _verbalomatic_cli
           echo "${COMPREPLY[*]}"' _ "$COMP/verbalomatic-cli.bash" verbalomatic-cli "$@"
}
complete_fish() {
  [ "$have_fish" = 1 ] || return 0
  fish -c "source $COMP/verbalomatic-cli.fish; complete -C 'verbalomatic-cli $*'" | cut -f1
}

declare -A page
for name in verbalomatic verbalomatic-cli; do
  warnings=$(man --warnings -l "$MAN/$name.6" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$name.6: $warnings"
  page[$name]=$(man -l "$MAN/$name.6" 2>/dev/null | tr -s ' ')
  [ -n "${page[$name]}" ] || fail "$name.6 renders empty"
done

# Every box of the help, as `name — "caption":`, in both pages and in -o's
# completions.
boxes=$("$CLI" generate --help | sed -n 's/^  \([a-z]*\) *\(— ".*":\).*/\1 \2/p')
[ "$(wc -l <<<"$boxes")" -eq 15 ] || fail "the help lists $(wc -l <<<"$boxes") option boxes"
offered="$(complete_bash generate -o '') $(complete_fish generate -o '')"
while read -r line; do
  box=${line%% *}
  for name in verbalomatic verbalomatic-cli; do
    grep -qF -- "$line" <<<"${page[$name]}" || fail "$name.6 lacks: $line"
  done
  grep -qw -- "$box" "$COMP/_verbalomatic-cli" || fail "zsh lacks the box $box"
  [ "$(grep -c -- "^$box\$" <<<"${offered// /$'\n'}")" -eq $((1 + have_fish)) ] ||
    fail "-o does not offer $box"
done <<<"$boxes"

# Every long option of every command: in the CLI page, offered by the bash
# and fish completions, known to the zsh one.
for command in generate load rhymes format import; do
  offered="$(complete_bash $command --) $(complete_fish $command --)"
  for option in $("$CLI" $command --help | sed -n '/^Options:/,/^$/p' | grep -o -- ' --[a-z-]*'); do
    grep -qF -- "$option" <<<"${page[verbalomatic-cli]}" || fail "verbalomatic-cli.6 lacks $option"
    grep -qF -- "$option" "$COMP/_verbalomatic-cli" || fail "zsh lacks $command $option"
    [ "$(grep -c -- "^$option\$" <<<"${offered// /$'\n'}")" -eq $((1 + have_fish)) ] ||
      fail "$command $option is not offered"
  done
done

bash -n "$COMP/verbalomatic-cli.bash" || fail "bash syntax"
! command -v zsh >/dev/null || zsh -n "$COMP/_verbalomatic-cli" || fail "zsh syntax"
[ "$have_fish" = 0 ] || fish -n "$COMP/verbalomatic-cli.fish" || fail "fish syntax"
[ "$(complete_bash ge)" = generate ] || fail "bash: ge -> $(complete_bash ge)"
[ "$(complete_bash generate -o punctuation,ly)" = punctuation,lyrics ] || fail "bash: -o punctuation,ly"
[ "$(complete_bash generate --builtin s)" = standard ] || fail "bash: --builtin s"
[ "$have_fish" = 0 ] || [ "$(complete_fish generate -o omsk,ent)" = omsk,entropy ] ||
  fail "fish: -o omsk,ent -> $(complete_fish generate -o omsk,ent)"
exit $failed
