#!/usr/bin/env bash
# A manual page that groff reads without a warning. Given the program, also:
# each command its --help lists has its part in the page (.SS "scribane-cli
# COMMAND ..."), and each option a command's --help lists is described in that
# part; -h and --help, and the options of the general --help, in OPTIONS.
# Usage: test_manuel.sh PAGE [CLI]
set -u
page=${1:?page de manuel}
cli=${2:-}
echecs=0
echouer() { echo "ÉCHEC : $*" >&2; echecs=$((echecs + 1)); }

avertissements=$(preconv "$page" | groff -man -ww -z 2>&1)
[[ -z $avertissements ]] || echouer "groff sur $page : $avertissements"

if [[ -n $cli ]]; then
    texte=$(sed 's/\\-/-/g' "$page") # the page as it reads: \- is a dash
    # The lines of the part whose heading line starts with $1, up to the next heading.
    partie() {
        awk -v titre="$1" '/^\.S[SH] /{ dedans = index($0, titre) == 1; next } dedans' <<<"$texte"
    }
    options() { grep -oE -- '(^|[^[:alnum:]-])--?[a-z][a-z-]*' | sed -E 's/^[^-]//' | sort -u; }
    decrite() { grep -qE -- "(^|[^[:alnum:]-])$1([^[:alnum:]-]|\$)" <<<"$2"; }

    generale=$("$cli" --help) || echouer "$cli --help a échoué"
    globales=$(partie ".SH OPTIONS")
    [[ -n $globales ]] || echouer "pas de partie OPTIONS"
    for option in $(options <<<"$generale"); do
        decrite "$option" "$globales" || echouer "$option (scribane-cli --help) manque à OPTIONS"
    done

    commandes=$(awk '/^Commandes :/{ liste = 1; next } liste && /^  [a-z]/{ print $1 } liste && /^$/{ exit }' \
        <<<"$generale")
    [[ -n $commandes ]] || echouer "aucune commande dans scribane-cli --help"
    for commande in $commandes; do
        aide=$("$cli" "$commande" --help) || echouer "scribane-cli $commande --help a échoué"
        sienne=$(partie ".SS \"scribane-cli $commande ")
        [[ -n $sienne ]] || { echouer "la commande $commande n'a pas de partie"; continue; }
        for option in $(options <<<"$aide"); do
            case $option in
            -h | --help) decrite "$option" "$globales" || decrite "$option" "$sienne" ;;
            *) decrite "$option" "$sienne" ;;
            esac || echouer "$option (scribane-cli $commande --help) manque à la partie $commande"
        done
    done
fi

[[ $echecs -eq 0 ]] && echo "page $(basename "$page") : conforme"
exit $((echecs > 0))
