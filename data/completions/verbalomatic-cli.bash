# bash completion for verbalomatic-cli

_verbalomatic_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
  local boxes="punctuation nocaps cache omsk breaks latin markup classictags lyrics entropy
               chaos iq morph mixedcase typos"
  local command="" word
  for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
    case $word in generate | load | rhymes | format | import) command=$word && break ;; esac
  done

  case $prev in
    -b | --base)
      compopt -o filenames 2>/dev/null
      COMPREPLY=($(compgen -f -- "$cur"))
      return
      ;;
    --builtin)
      COMPREPLY=($(compgen -W "standard trash" -- "$cur"))
      return
      ;;
    --into)
      compopt -o filenames 2>/dev/null
      COMPREPLY=($(compgen -d -- "$cur"))
      return
      ;;
    -o | --options)
      # A comma-separated list: complete its last name.
      local head="" last=$cur
      if [[ $cur == *,* ]]; then
        head=${cur%,*},
        last=${cur##*,}
      fi
      compopt -o nospace 2>/dev/null
      COMPREPLY=($(compgen -P "$head" -W "$boxes" -- "$last"))
      return
      ;;
    -n | --count | --repeat | --rng-seed | -s | --seed) return ;;
  esac

  local options="--help"
  case $command in
    "") options="generate load rhymes format import --help --version" ;;
    generate) options="--base -b --builtin --count -n --options -o --seed -s --rng-seed --repeat
                       --json --print-seed --help" ;;
    load) options="--base -b --builtin --help" ;;
    rhymes) options="--base -b --builtin --rng-seed --lines --help" ;;
    format) options="--yes --help" ;;
    import) options="--into --rng-seed --help" ;;
  esac
  if [[ $cur == -* || -z $command ]]; then
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
  elif [[ $command == format || $command == import ]]; then
    compopt -o filenames 2>/dev/null
    COMPREPLY=($(compgen -f -- "$cur"))
  fi
}
complete -F _verbalomatic_cli verbalomatic-cli
