# bash completion for vaviviv-cli: subcommands, the codes (as the program
# lists them), each subcommand's options, and file names where a file goes.
_vaviviv_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
    local subordenes="calcular masivo verificar codigos help"
    # Positional words before the cursor, options and their values aside; the first is the subcommand.
    local i sub= posicion=0
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
            --sucursal | --cuenta | --importe | --fecha | --archivo | -o | --salida) ((i++)) ;;
            -*) ;;
            *)
                ((posicion++))
                [[ $posicion == 1 ]] && sub=${COMP_WORDS[i]}
                ;;
        esac
    done
    COMPREPLY=()
    case $prev in
        -o | --salida | --archivo)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            return
            ;;
        --sucursal | --cuenta | --importe | --fecha) return ;;
    esac
    if [[ $cur == -* ]]; then
        local opciones="-h --help -q --silencioso"
        case $sub in
            calcular) opciones+=" --sucursal --cuenta --importe --fecha" ;;
            verificar) opciones+=" --sucursal --cuenta --importe --fecha --archivo -o --salida" ;;
            masivo) opciones+=" -o --salida" ;;
            "") opciones+=" --version" ;;
        esac
        mapfile -t COMPREPLY < <(compgen -W "$opciones" -- "$cur")
        return
    fi
    case $posicion:$sub in
        0:*) mapfile -t COMPREPLY < <(compgen -W "$subordenes" -- "$cur") ;;
        1:calcular | 1:masivo | 1:verificar)
            mapfile -t COMPREPLY < <(compgen -W "$("${COMP_WORDS[0]}" codigos 2>/dev/null)" -- "$cur")
            ;;
        1:help) mapfile -t COMPREPLY < <(compgen -W "$subordenes" -- "$cur") ;;
        2:masivo)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            ;;
    esac
}
complete -F _vaviviv_cli vaviviv-cli
