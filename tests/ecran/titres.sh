#!/usr/bin/env bash
# The real scribane under Xvfb, without a window manager: each window's title
# bar reads what the window sets, nothing added; F1 brings up the guide, also
# over the modal history; quitting ends the program with the guide open.
# Usage: titres.sh BIN_DIR. ECRAN_NUMERO chooses the X display (default: a free one).
set -u
. "$(dirname "$0")/sous-xvfb.sh"
preparer titres "${1:?dossier des programmes}"

cat >"$travail/session.sh" <<'FIN'
#!/usr/bin/env bash
set -u
echec() { echo "titres: ÉCHEC : $*" >&2; kill "$pid" 2>/dev/null; exit 1; }
# The visible window whose title begins with $1 (plain ASCII: the title's
# legacy property is not UTF-8), waited for; its title must be exactly $2.
fenetre() {
    local id
    for id in $(xdotool search --sync --onlyvisible --name "$1"); do
        [[ $(xdotool getwindowname "$id") == "$2" ]] && { echo "$id"; return; }
    done
    echec "aucune fenêtre ne s'appelle exactement « $2 » ; titres : $(titres | paste -sd '|')"
}
titres() { for id in $(xdotool search --onlyvisible --name .); do xdotool getwindowname "$id"; done; }

cd "$TRAVAIL/programme"
./scribane >scribane.log 2>&1 &
pid=$!

principale=$(fenetre "^     Scribane imprime " "     Scribane imprime  vos chèques bancaires ...") || exit 1
xdotool windowfocus --sync "$principale" key F1
aide=$(fenetre "^Aide de Scribane" "Aide de Scribane") || exit 1
echo "ok : F1 dans la fenêtre principale ouvre « Aide de Scribane »"

xdotool windowfocus --sync "$principale" key alt+j h
historique=$(fenetre "^Historique des ch" "Historique des chèques") || exit 1
xdotool windowfocus --sync "$historique" key F1
[[ $(fenetre "^Aide de Scribane" "Aide de Scribane") == "$aide" ]] || echec "un second guide s'est ouvert"
echo "ok : F1 dans l'historique ramène le même guide"

# No title bar carries the program's name after the window's own title.
while read -r titre; do
    [[ $titre == *" — Scribane" || $titre == *" - Scribane" ]] && echec "titre complété : « $titre »"
done < <(titres)
echo "ok : les titres sont ceux des fenêtres"

xdotool windowfocus --sync "$historique" key Escape
xdotool windowfocus --sync "$principale" key alt+q
wait "$pid"
code=$?
[[ $code -eq 0 ]] || { cat scribane.log; echec "Scribane s'est terminé avec le code $code"; }
echo "ok : Quitter termine Scribane, guide ouvert"
FIN
lancer 1280x1024
