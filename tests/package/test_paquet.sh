#!/usr/bin/env bash
# Builds the Debian package, checks what it carries, installs it on this
# machine, runs the installed programs as a user would, and removes it.
# Usage: test_paquet.sh BUILD_DIR VERSION SCRIBANE_CLI_OF_THE_BUILD
set -uo pipefail
construction=${1:?dossier de construction}
version=${2:?version}
cli_construit=${3:?scribane-cli construit}

echouer() { echo "ÉCHEC : $*" >&2; exit 1; }
etape() { echo "-- $*"; }

if [[ $(id -u) -ne 0 ]]; then
    echo "IGNORÉ : installer le paquet demande d'être root (comme en CI)."
    exit 77
fi
if dpkg-query -W -f='${Status}' scribane 2>/dev/null | grep -q 'install ok installed'; then
    echo "IGNORÉ : un paquet scribane est déjà installé sur cette machine ; le test ne le remplace pas."
    exit 77
fi

travail=$(mktemp -d /tmp/scribane-paquet.XXXXXX)
installe=0
pid=""
nettoyer() {
    [[ -n "$pid" ]] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    [[ $installe -eq 1 ]] && dpkg -P scribane >/dev/null 2>&1
    rm -rf "$travail"
}
trap nettoyer EXIT

etape "construction du paquet"
cpack -G DEB --config "$construction/CPackConfig.cmake" -B "$travail/paquet" >"$travail/cpack.log" 2>&1 ||
    { cat "$travail/cpack.log"; echouer "cpack a échoué"; }
deb="$travail/paquet/scribane_${version}_$(dpkg --print-architecture).deb"
[[ -f "$deb" ]] || echouer "paquet attendu absent : $(basename "$deb") (présents : $(ls "$travail/paquet"))"

etape "contenu"
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || echouer "version du paquet : $(dpkg-deb -f "$deb" Version)"
contenu=$(dpkg-deb -c "$deb" | awk '{print $6}')
bureau=$(grep -E '^\./usr/share/applications/[^/]+\.desktop$' <<<"$contenu")
[[ $(wc -l <<<"$bureau") -eq 1 && -n "$bureau" ]] || echouer "une entrée de bureau attendue, trouvé : '$bureau'"
id=$(basename "$bureau" .desktop)
for f in usr/bin/scribane usr/bin/scribane-cli usr/bin/bouton-regsvr \
    usr/lib/scribane/libBoutonKiv_W9x.so \
    "usr/share/icons/hicolor/scalable/apps/$id.svg" \
    "usr/share/icons/hicolor/256x256/apps/$id.png" \
    "usr/share/metainfo/$id.metainfo.xml" \
    usr/share/man/man1/scribane-cli.1.gz usr/share/man/man1/scribane.1.gz \
    usr/share/doc/scribane/guide.html; do
    grep -qxF "./$f" <<<"$contenu" || echouer "absent du paquet : /$f"
done
depend=$(dpkg-deb -f "$deb" Depends)
for p in libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins fonts-liberation2; do
    grep -qE "(^|, )$p( |,|$)" <<<"$depend" || echouer "dépendance absente : $p (Depends: $depend)"
done
# What the package needs at run time, not what building needed.
grep -qE -- '-dev( |,|$)' <<<"$depend" && echouer "dépendance de construction dans Depends: $depend"

etape "validation de l'entrée de bureau, de l'icône et des métadonnées"
dpkg-deb -x "$deb" "$travail/racine"
r="$travail/racine"
desktop-file-validate "$r/usr/share/applications/$id.desktop" || echouer "desktop-file-validate"
grep -qx 'Categories=Office;Finance;' "$r/usr/share/applications/$id.desktop" || echouer "Categories"
grep -qx "Icon=$id" "$r/usr/share/applications/$id.desktop" || echouer "l'icône n'est pas $id"
# The PNG header gives width and height, four bytes each, after "IHDR".
taille=$(od -An -tu1 -j16 -N8 "$r/usr/share/icons/hicolor/256x256/apps/$id.png" | tr -s ' ')
[[ "$taille" == " 0 0 1 0 0 0 1 0" ]] || echouer "l'icône PNG n'est pas 256 × 256 (octets :$taille)"
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$r/usr/share/metainfo/$id.metainfo.xml" ||
        echouer "appstreamcli validate"
else
    echo "   (appstreamcli absent : métadonnées non validées)"
fi
zcat "$r/usr/share/man/man1/scribane-cli.1.gz" | grep -q '^\.TH SCRIBANE-CLI 1' || echouer "page de manuel"
zcat "$r/usr/share/man/man1/scribane.1.gz" | grep -q '^\.TH SCRIBANE 1' || echouer "page de manuel de scribane"
cmp -s "$r/usr/share/doc/scribane/guide.html" "$(dirname "$0")/../../docs/guide/guide.html" ||
    echouer "le guide installé n'est pas celui des sources"

etape "installation"
installe=1
dpkg -i "$deb" >"$travail/dpkg.log" 2>&1 || { cat "$travail/dpkg.log"; echouer "dpkg -i"; }

etape "scribane-cli installé"
attendu=$("$cli_construit" lettres 12,50)
obtenu=$(/usr/bin/scribane-cli lettres 12,50) || echouer "scribane-cli lettres a échoué"
[[ -n "$obtenu" && "$obtenu" == "$attendu" ]] || echouer "scribane-cli lettres 12,50 : « $obtenu », attendu « $attendu »"
/usr/bin/scribane-cli --version | grep -qF " $version" || echouer "scribane-cli --version : $(/usr/bin/scribane-cli --version)"

etape "premier démarrage de scribane, avec un dossier personnel neuf"
maison="$travail/maison"
mkdir -p "$maison"
env -i HOME="$maison" PATH=/usr/bin:/bin LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
    /usr/bin/scribane >"$travail/scribane.log" 2>&1 &
pid=$!
donnees="$maison/.local/share/Scribane"
pret=0
# Up when its settings folder is made under the home and the control it shows
# the amount with is the one of the package, loaded in the process.
for _ in $(seq 1 600); do
    kill -0 "$pid" 2>/dev/null || { cat "$travail/scribane.log"; echouer "scribane s'est arrêté"; }
    if [[ -d "$donnees/Journaux" ]] && grep -q '/usr/lib/scribane/libBoutonKiv_W9x' "/proc/$pid/maps" 2>/dev/null; then
        pret=1
        break
    fi
    sleep 0.2
done
[[ $pret -eq 1 ]] || { cat "$travail/scribane.log"; echouer "scribane n'est pas arrivé à sa fenêtre (dossier $donnees, contrôle chargé)"; }
grep -q '/usr/lib/scribane/libBoutonKiv_W9x.so' "$maison/.config/registre-classes.ini" ||
    echouer "le contrôle n'a pas été enregistré depuis le dossier du paquet"
[[ -f "$donnees/Scribane.lock" ]] || echouer "pas de verrou dans $donnees"
for f in Cheque.ini Choix.cfg Journaux Scribane.lock; do
    [[ ! -e "/usr/bin/$f" ]] || echouer "/usr/bin/$f écrit par le programme installé"
done
kill "$pid"
wait "$pid" 2>/dev/null
pid=""

etape "désinstallation"
dpkg -P scribane >"$travail/dpkg.log" 2>&1 || { cat "$travail/dpkg.log"; echouer "dpkg -P"; }
installe=0
[[ ! -e /usr/bin/scribane && ! -e /usr/lib/scribane ]] || echouer "des fichiers restent après la désinstallation"
echo "OK : paquet $(basename "$deb")"
