#!/usr/bin/env bash
# The Windows installer, as a person meets it, under Wine in a fresh prefix: installed
# silently, the installed scribane-cli spells an amount and prints a cheque into a PDF whose
# words and positions are those of the Linux build, the settings go to the user's
# %LOCALAPPDATA%\Scribane, the window opens (a screenshot is kept), and uninstalling removes
# the program and keeps the user's settings and journals.
# Usage: test_installeur_windows.sh INSTALLEUR SCRIBANE_CLI_LINUX SORTIE
set -euo pipefail
installeur=$(realpath "$1") cli_linux=$(realpath "$2") sortie=$(realpath -m "$3")
ici=$(cd "$(dirname "$0")" && pwd)
wine=/usr/lib/wine/wine64
travail=$(mktemp -d)
trap 'WINEPREFIX=$travail/prefixe /usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$travail"' EXIT
export WINEPREFIX=$travail/prefixe WINEDEBUG=-all
mkdir -p "$sortie"
"$ici/../../scripts/wine-prefixe" "$WINEPREFIX" >/dev/null

echec() { echo "ÉCHEC : $*" >&2; exit 1; }

"$wine" "$installeur" /S || echec "l'installeur a échoué"
/usr/lib/wine/wineserver -w
programmes="$WINEPREFIX/drive_c/Program Files/Scribane"
for f in scribane.exe scribane-cli.exe BoutonKiv_W9x.dll bouton-regsvr.exe Qt6Core.dll \
         plugins/platforms/qwindows.dll libstdc++-6.dll Desinstaller.exe; do
    [[ -f "$programmes/$f" ]] || echec "$f n'est pas installé"
done
ls "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Scribane/"*.lnk \
    >/dev/null 2>&1 || echec "pas d'entrée dans le menu Démarrer"
"$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Scribane' \
    2>/dev/null | tr -d '\r' | grep -q 'DisplayVersion.*1\.' ||
    echec "pas de désinstallation inscrite dans les applications"

cli="C:\\Program Files\\Scribane\\scribane-cli.exe"
mots=$("$wine" "$cli" lettres "1234,56" | tr -d '\r')
[[ "$mots" == "MILLE DEUX CENT TRENTE-QUATRE EUROS et CINQUANTE-SIX CENTIMES" ]] ||
    echec "lettres a donné « $mots »"

# The same cheque from both builds, each into a folder of its own, defaults everywhere.
args=(imprimer --montant "1234,56" --destinataire "Société Générale d'Épargne" --lieu "Besançon"
      --date 05/03/2024)
"$wine" "$cli" "${args[@]}" --pdf 'C:\users\Public\windows.pdf' 2>"$travail/w.err" ||
    { cat "$travail/w.err"; echec "l'impression dans un PDF a échoué sous Windows"; }
pdf_windows="$WINEPREFIX/drive_c/users/Public/windows.pdf"
mkdir -p "$travail/linux"
QT_QPA_PLATFORM=offscreen "$cli_linux" "${args[@]}" --dossier "$travail/linux" \
    --pdf "$travail/linux.pdf" 2>/dev/null || echec "l'impression Linux a échoué"
donnees=$(find "$WINEPREFIX/drive_c/users" -path '*/AppData/Local/Scribane/Registre.sqlite' | head -1)
donnees=${donnees%/Registre.sqlite}
[[ -n "$donnees" ]] || echec "le registre n'est pas dans %LOCALAPPDATA%\\Scribane"
[[ ! -e "$programmes/Registre.sqlite" ]] || echec "les réglages sont allés dans Program Files"

# Every word, in order, at the same place within half a millimetre (1.42 pt).
mots_pdf() { pdftotext -bbox "$1" - | sed -n 's/.*xMin="\([0-9.]*\)" yMin="\([0-9.]*\)".*>\(.*\)<\/word>/\1 \2 \3/p'; }
mots_pdf "$pdf_windows" >"$travail/w.mots"
mots_pdf "$travail/linux.pdf" >"$travail/l.mots"
[[ -s "$travail/w.mots" ]] || echec "le PDF de Windows n'a aucun mot"
cp "$pdf_windows" "$sortie/cheque-windows.pdf"
paste -d' ' "$travail/w.mots" "$travail/l.mots" | awk -v n="$(wc -l <"$travail/l.mots")" '
    { if ($3 != $6) { print "mot différent : " $3 " / " $6; bad = 1 }
      dx = $1 - $4; dy = $2 - $5; if (dx < 0) dx = -dx; if (dy < 0) dy = -dy
      if (dx > m) m = dx; if (dy > m) m = dy
      if (dx > 1.42 || dy > 1.42) { print "écart de " dx " pt, " dy " pt sur " $3; bad = 1 } }
    END { if (NR != n) { print NR " mots contre " n; bad = 1 }
          printf "%d mots, écart maximal %.3f mm\n", NR, m * 25.4 / 72; exit bad }' ||
    echec "le PDF de Windows diffère de celui de Linux"

# The window, on a display of its own, with Windows' own platform.
ecran=:${SCRIBANE_ECRAN_WINE:-97}
Xvfb "$ecran" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 2
DISPLAY=$ecran "$wine" 'C:\Program Files\Scribane\scribane.exe' >/dev/null 2>&1 &
for _ in $(seq 60); do
    DISPLAY=$ecran xwininfo -root -tree 2>/dev/null | grep -q '"Scribane' && break
    sleep 1
done
sleep 3
DISPLAY=$ecran xwininfo -root -tree | grep -q '"Scribane' || { kill $xvfb; echec "la fenêtre de Scribane ne s'est pas ouverte"; }
# First start: its boxes say where to begin, each answered on its OK button.
for _ in 1 2 3 4 5; do
    w=$(DISPLAY=$ecran xdotool search --onlyvisible --name '^Scribane$' 2>/dev/null | head -1 || true)
    [[ -n "$w" ]] || break
    eval "$(DISPLAY=$ecran xdotool getwindowgeometry --shell "$w")"
    DISPLAY=$ecran xdotool mousemove $((X + WIDTH - 49)) $((Y + HEIGHT - 23)) click 1
    sleep 3
done
DISPLAY=$ecran xdotool search --onlyvisible --name 'Scribane imprime' >/dev/null ||
    { kill $xvfb; echec "la fenêtre principale de Scribane ne s'est pas ouverte"; }
DISPLAY=$ecran import -window root "$sortie/scribane-windows.png"
/usr/lib/wine/wineserver -k || true
kill $xvfb 2>/dev/null || true

contenu=$(cd "$donnees" && find . | sort)
"$wine" "C:\\Program Files\\Scribane\\Desinstaller.exe" /S || echec "la désinstallation a échoué"
/usr/lib/wine/wineserver -w
for _ in $(seq 30); do [[ -f "$programmes/scribane.exe" ]] || break; sleep 1; done
[[ ! -f "$programmes/scribane.exe" ]] || echec "le programme est resté après la désinstallation"
[[ -f "$donnees/Registre.sqlite" && "$(cd "$donnees" && find . | sort)" == "$contenu" ]] ||
    echec "la désinstallation a touché aux réglages ou aux journaux"
echo "Installeur Windows : installé, imprimé, comparé, fenêtre vue, désinstallé ; réglages gardés"
