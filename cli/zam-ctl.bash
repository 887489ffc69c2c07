# bash completion for zam-ctl: subcommands, options, ports and settings files.

_zam_ctl_ports()
{
    local d ports=()
    for d in /dev/serial/by-id/* /dev/ttyUSB* /dev/ttyACM* /dev/ttyS*; do
        [ -e "$d" ] && ports+=("$d")
    done
    ports+=("tcp://" "ws://")
    COMPREPLY=($(compgen -W "${ports[*]}" -- "$1"))
}

_zam_ctl()
{
    local cur prev sub word i
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=""
    [ "$COMP_CWORD" -gt 0 ] && prev=${COMP_WORDS[COMP_CWORD - 1]}
    local subcommands="ports doctor detect status send save load diff serve"
    local options="-p --port -b --baud -c --camera --no-init --api-token-file -h --help --version"

    case $prev in
    --api-token-file)
        COMPREPLY=($(compgen -f -- "$cur"))
        compopt -o filenames 2>/dev/null
        return 0
        ;;
    -p | --port)
        _zam_ctl_ports "$cur"
        compopt -o nospace 2>/dev/null
        return 0
        ;;
    -b | --baud)
        COMPREPLY=($(compgen -W "9600 19200 38400" -- "$cur"))
        return 0
        ;;
    -c | --camera)
        COMPREPLY=($(compgen -W "1 2 3 4 5 6 7" -- "$cur"))
        return 0
        ;;
    esac

    # The subcommand is the first word that is neither an option nor its value.
    sub=""
    for ((i = 1; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        case $word in
        -p | --port | -b | --baud | -c | --camera | --api-token-file) ((i++)) ;;
        -*) ;;
        *)
            sub=$word
            break
            ;;
        esac
    done

    if [ -z "$sub" ]; then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "$options" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "$subcommands" -- "$cur"))
        fi
        return 0
    fi

    local flags=""
    case $sub in
    status | doctor) flags="--json" ;;
    load) flags="--dry-run" ;;
    serve) flags="--api --osc --api-allow-origin --api-allow-raw" ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$flags $options" -- "$cur"))
        return 0
    fi
    case $sub in
    save | load | diff)
        # Settings files, and folders to reach them.
        local IFS=$'\n'
        COMPREPLY=($(compgen -f -X '!*.json' -- "$cur") $(compgen -d -- "$cur"))
        compopt -o filenames 2>/dev/null
        ;;
    esac
    return 0
}
complete -F _zam_ctl zam-ctl
