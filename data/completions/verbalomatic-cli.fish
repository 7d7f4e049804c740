# fish completion for verbalomatic-cli

set -l commands generate load rhymes format import
set -l with_base '__fish_seen_subcommand_from generate load rhymes'

function __verbalomatic_cli_boxes
    printf '%s\n' \
        'punctuation	". , ?!": commas, dashes and sentence ends' \
        'nocaps	"Aa": lower case' \
        'cache	"Кэш": avoid recently used phrases' \
        'omsk	"Омск": shuffle the words of every phrase' \
        'breaks	"§": line and paragraph breaks' \
        'latin	"а < a": Latin look-alike letters' \
        'markup	"Разметка": tags like [b][i][u]' \
        'classictags	"Куклотеги": classic tags' \
        'lyrics	"Лирика": rhymed couplets' \
        'entropy	"Энтропия": roll the boxes for every text' \
        'chaos	"Хаос": invented pseudo-words' \
        'iq	"IQ?": speech defects' \
        'morph	"@": words turned into others' \
        'mixedcase	"аАа": random case' \
        'typos	"Опечатки": typos'
end

complete -c verbalomatic-cli -f
complete -c verbalomatic-cli -s h -l help -d 'Show what every option does'
complete -c verbalomatic-cli -n "not __fish_seen_subcommand_from $commands" -l version -d 'Show the version'
complete -c verbalomatic-cli -n "not __fish_seen_subcommand_from $commands" -a generate -d 'Print generated texts'
complete -c verbalomatic-cli -n "not __fish_seen_subcommand_from $commands" -a load -d 'Load a base and print the load report'
complete -c verbalomatic-cli -n "not __fish_seen_subcommand_from $commands" -a rhymes -d 'Rhyming words or lines from the base'
complete -c verbalomatic-cli -n "not __fish_seen_subcommand_from $commands" -a format -d 'Clean a base file'
complete -c verbalomatic-cli -n "not __fish_seen_subcommand_from $commands" -a import -d 'Create bases from text files'

complete -c verbalomatic-cli -n $with_base -s b -l base -r -F -d 'Base file, - for standard input'
complete -c verbalomatic-cli -n $with_base -l builtin -x -a 'standard trash' -d 'Built-in base'
complete -c verbalomatic-cli -n '__fish_seen_subcommand_from generate rhymes import' -l rng-seed -x -d 'Random seed'

complete -c verbalomatic-cli -n '__fish_seen_subcommand_from generate' -s n -l count -x -d 'Phrase count, 0 to 1000'
complete -c verbalomatic-cli -n '__fish_seen_subcommand_from generate' -s o -l options -x -a '(__fish_complete_list , __verbalomatic_cli_boxes)' -d 'Ticked option boxes'
complete -c verbalomatic-cli -n '__fish_seen_subcommand_from generate' -s s -l seed -x -d "Seed text, as the window's S command"
complete -c verbalomatic-cli -n '__fish_seen_subcommand_from generate' -l repeat -x -d 'Number of texts'
complete -c verbalomatic-cli -n '__fish_seen_subcommand_from generate' -l json -d 'One JSON object per text'
complete -c verbalomatic-cli -n '__fish_seen_subcommand_from generate' -l print-seed -d "Write each text's seed to standard error"

complete -c verbalomatic-cli -n '__fish_seen_subcommand_from rhymes' -l lines -d 'Rhyming lines instead of words'
complete -c verbalomatic-cli -n '__fish_seen_subcommand_from format' -l yes -d 'Rewrite the file'
complete -c verbalomatic-cli -n '__fish_seen_subcommand_from format import' -F
complete -c verbalomatic-cli -n '__fish_seen_subcommand_from import' -l into -x -a '(__fish_complete_directories)' -d 'Folder for the new bases'
