# bash completion for tintwell-cli
_tintwell_cli()
{
    local cur prev words cword
    _init_completion || return
    local commands="devices identify measure compare standards settings records spectral stdcolor journal report db history"
    local global="--device --simulate --json --lang --help --version"
    case $prev in
        --simulate) COMPREPLY=($(compgen -W "TX310 TX420 TX430 TX450 TX460 TX470" -- "$cur")); return ;;
        --lang) COMPREPLY=($(compgen -W "zh en" -- "$cur")); return ;;
        --mode) COMPREPLY=($(compgen -W "hazet haze t lab lch yxy hazetlab" -- "$cur")); return ;;
        --format) COMPREPLY=($(compgen -W "csv json cgats cxf xlsx" -- "$cur")); return ;;
        --formula) COMPREPLY=($(compgen -W "ab uv 94 cmc2:1 cmc1:1 cmc1.4:1 00" -- "$cur")); return ;;
        --standard) COMPREPLY=($(compgen -W "measure" -- "$cur") $(compgen -f -- "$cur")); return ;;
        --sample) COMPREPLY=($(compgen -W "measure key" -- "$cur") $(compgen -f -- "$cur")); return ;;
        --verdict) COMPREPLY=($(compgen -W "pass ng" -- "$cur")); return ;;
        --ca) _filedir; return ;;
        --device) COMPREPLY=($(compgen -W "serial: path:" -- "$cur")); compopt -o nospace; return ;;
        -o|--output) _filedir; return ;;
    esac
    local first="" second="" i
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            -*) ;;
            *) if [[ -z $first ]]; then first=${words[i]}; elif [[ -z $second ]]; then second=${words[i]}; fi ;;
        esac
    done
    local options=""
    case $first in
        "") COMPREPLY=($(compgen -W "$commands $global" -- "$cur")); return ;;
        settings) [[ -z $second ]] && { COMPREPLY=($(compgen -W "get set" -- "$cur")); return; }
                  [[ $second == set ]] && options="--haze-tolerance --t-tolerance --threshold --formula --mode" ;;
        records) [[ -z $second ]] && { COMPREPLY=($(compgen -W "export" -- "$cur")); return; }
                  options="--format -o" ;;
        report) [[ -z $second ]] && { COMPREPLY=($(compgen -W "batch" -- "$cur")); return; }
                  options="--session --since --standard -o" ;;
        spectral) [[ -z $second ]] && { COMPREPLY=($(compgen -W "export colour compare indices" -- "$cur")); return; }
                  case $second in
                      export) options="--format -o" ;;
                      compare) options="--standard --sample --illuminants --observer" ;;
                      *) options="--illuminant --observer" ;;
                  esac
                  if [[ $second != export && $cur != -* ]]; then _filedir '@(xlsx|ti3|txt|cxf|csv)'; return; fi ;;
        journal) [[ -z $second ]] && { COMPREPLY=($(compgen -W "export" -- "$cur")); return; }
                  options="--since --mode --format -o" ;;
        stdcolor) [[ -z $second ]] && { COMPREPLY=($(compgen -W "upload" -- "$cur")); return; }
                  _filedir '@(xlsx|ti3|txt|cxf)'; return ;;
        db) [[ -z $second ]] && { COMPREPLY=($(compgen -W "migrate configure add-station add-manager add-editor" -- "$cur")); return; }
                  options="--server --port --database --user --ca --password-stdin"
                  [[ $second == configure ]] && options+=" --station --test"
                  [[ $second == add-station ]] && options+=" --role --new-password-stdin"
                  [[ $second == add-manager || $second == add-editor ]] && options+=" --new-password-stdin" ;;
        history) options="--server --port --database --user --ca --password-stdin --from --to --at --model --standard --name --verdict --stats" ;;
        measure) options="--mode --readings --median" ;;
        compare) options="--standard --standard-name --standard-code --fail-on-warning --sample --count --readings --median --tolerance --wait --mode" ;;
        standards) [[ -z $second ]] && { COMPREPLY=($(compgen -W "list show add set share remove import export" -- "$cur")); return; }
                  case $second in
                      add|set) options="--lab --haze --t --code --note --tolerance --warn --shared-set" ;;
                      share) options="--tolerance --warn" ;;
                      export) options="--model" ;;
                  esac
                  options+=" --server --port --database --user --ca --password-stdin"
                  if [[ ($second == import || $second == export) && $cur != -* ]]; then _filedir '@(csv|ti3|txt|cxf|xlsx)'; return; fi ;;
    esac
    COMPREPLY=($(compgen -W "$options $global" -- "$cur"))
}
complete -F _tintwell_cli tintwell-cli
