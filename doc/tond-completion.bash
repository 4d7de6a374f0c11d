# bash completion for tond: commands, their options, and files by extension.

_tond_files() {
    # Folders, and files whose extension (in any case) is one of $1 (a|b|c).
    local IFS=$'\n'
    compopt -o filenames 2>/dev/null
    COMPREPLY=($(compgen -d -- "$cur"))
    local file
    while IFS= read -r file; do
        [[ -n $file ]] && COMPREPLY+=("$file")
    done < <(shopt -s extglob nocasematch nocaseglob; compgen -f -X "!*.@($1)" -- "$cur")
}

_tond() {
    local cur prev command i
    COMPREPLY=()
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD - 1]}
    command=
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
            render | info | midi | import | play | kit | devices)
                command=${COMP_WORDS[i]}
                break
                ;;
        esac
    done

    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W '--help --version' -- "$cur"))
        else
            COMPREPLY=($(compgen -W 'render info midi import play kit devices' -- "$cur"))
            local commands=("${COMPREPLY[@]}")
            _tond_files 'blp|pat|kit'
            COMPREPLY=("${commands[@]}" "${COMPREPLY[@]}")
        fi
        return
    fi

    case $prev in
        --kit) _tond_files 'kit'; return ;;
        --interpolation) COMPREPLY=($(compgen -W 'truncate linear quadratic' -- "$cur")); return ;;
        --folder | --random) compopt -o filenames 2>/dev/null; COMPREPLY=($(compgen -d -- "$cur")); return ;;
        --slice) _tond_files 'wav'; return ;;
        --pattern | --patterns | --loops | --volume | --seconds | --tempo | --threshold | --seed | --device)
            return ;;
        -o | --output)
            case $command in
                render) _tond_files 'wav' ;;
                midi) _tond_files 'mid|midi' ;;
                import) _tond_files 'pat' ;;
                kit) _tond_files 'kit' ;;
            esac
            return
            ;;
    esac

    local options
    case $command in
        render) options='--kit --pattern --patterns --loops --interpolation --volume --no-normalize -o --output --help' ;;
        play) options='--kit --pattern --seconds --volume --device --record --help' ;;
        midi) options='--kit --pattern -o --output --help' ;;
        import) options='--tempo --threshold -o --output --help' ;;
        kit) options='--folder --random --seed --slice --replace --add --kit -o --output --help' ;;
        info | devices) options='--help' ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    case $command in
        render | play | midi) _tond_files 'blp|pat' ;;
        import) _tond_files 'jpg|jpeg|gif|bmp|png|tif|tiff|webp' ;;
        info) _tond_files 'blp|pat|kit|wav' ;;
        kit) _tond_files 'wav' ;;
    esac
}

complete -F _tond tond
