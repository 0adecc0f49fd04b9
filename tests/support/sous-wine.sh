#!/usr/bin/env bash
# Runs a GoogleTest program of the Windows build under Wine. A case counts as passed only
# when the program says so: a crash under Wine may end the process with status 0.
#   sous-wine.sh LANCEUR PROGRAMME [--un-par-un] [--sauf CAS:CAS...]
# --un-par-un runs each case in a process of its own, with a time limit: under Wine, the
# control's cases that open popups and modal boxes can wait forever on what an earlier case
# left behind. --sauf leaves out cases Wine cannot run (named with their reason where
# they are listed).
set -uo pipefail
lanceur=$1 programme=$2; shift 2
un_par_un=0 sauf=""
while [[ $# -gt 0 ]]; do
    case $1 in
        --un-par-un) un_par_un=1 ;;
        --sauf) sauf=$2; shift ;;
    esac
    shift
done
sortie=$(mktemp)
trap 'rm -f "$sortie"' EXIT

# Runs the cases FILTER selects; succeeds when all ran and passed.
lancer() {
    timeout "$2" "$lanceur" "$programme" --gtest_brief=1 --gtest_filter="$1" >"$sortie" 2>&1
    local statut=$?
    tr -d '\r' <"$sortie" | grep -q '^\[  PASSED  \]' &&
        ! tr -d '\r' <"$sortie" | grep -q '^\[  FAILED  \]' && [[ $statut -eq 0 ]]
}

negatif=${sauf:+-$sauf}
if [[ $un_par_un -eq 0 ]]; then
    lancer "${negatif:-*}" 1800 && { tr -d '\r' <"$sortie" | tail -3; exit 0; }
    cat "$sortie"; echo "$programme : échec ou arrêt en cours de route"; exit 1
fi
mapfile -t cas < <("$lanceur" "$programme" --gtest_list_tests 2>/dev/null | tr -d '\r' |
    awk '/^[^ ]/ { suite = $1 } /^  / { print suite $1 }')
[[ ${#cas[@]} -gt 0 ]] || { echo "aucun cas trouvé dans $programme"; exit 1; }
echoues=() sautes=0
for c in "${cas[@]}"; do
    if [[ ":$sauf:" == *":$c:"* ]]; then sautes=$((sautes + 1)); continue; fi
    lancer "$c" 120 || { cat "$sortie"; echoues+=("$c"); }
done
echo "${#cas[@]} cas, $sautes laissés de côté, ${#echoues[@]} en échec${echoues[*]:+ : ${echoues[*]}}"
[[ ${#echoues[@]} -eq 0 ]]
