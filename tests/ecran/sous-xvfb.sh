# Shared by the real-display scripts, sourced: a scratch folder holding the
# program and a choice 1 saved ($travail), then a session script run under Xvfb.

# preparer NOM BIN_DIR OUTIL...: the tools needed, the folder, the program.
preparer() {
    nom=$1 bin=$2
    shift 2
    for outil in xvfb-run xdotool "$@"; do
        command -v "$outil" >/dev/null || { echo "$nom: $outil manque" >&2; exit 1; }
    done
    travail=$(mktemp -d "/tmp/scribane-$nom-XXXXXX")
    trap 'rm -rf "$travail"' EXIT
    mkdir -p "$travail/programme" "$travail/home"
    cp "$bin/scribane" "$bin"/libBoutonKiv_W9x.so* "$travail/programme/"
    printf '[Defaut1]\r\nImprimante=Bureau\r\nPolice=Liberation Sans\r\nTaille= 12\r\nOrientation= 1\r\n' \
        >"$travail/programme/Cheque.ini"
    printf '1,1\r\n' >"$travail/programme/Choix.cfg"
}

# lancer TAILLE: $travail/session.sh under Xvfb with a screen of TAILLE
# (1280x1024), 120 s at most; ECRAN_NUMERO chooses the display.
lancer() {
    chmod +x "$travail/session.sh"
    export HOME="$travail/home" LANG=fr_FR.UTF-8 QT_QPA_PLATFORM=xcb TRAVAIL="$travail"
    unset QT_QPA_PLATFORM_PLUGIN_PATH
    local ecran=(-a)
    [[ -n ${ECRAN_NUMERO:-} ]] && ecran=(-n "$ECRAN_NUMERO")
    timeout --kill-after=10 120 xvfb-run "${ecran[@]}" -s "-screen 0 ${1}x24" "$travail/session.sh"
    local code=$?
    [[ $code -eq 124 ]] && echo "$nom: ÉCHEC : délai dépassé (120 s)" >&2
    return $code
}
