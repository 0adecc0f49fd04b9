#!/usr/bin/env bash
# Brings up (demarrer) or takes down (arreter) a real print queue for the
# printing tests: a cupsd of our own when none runs, and a cups-pdf queue
# whose PDF files land in DOSSIER/pdf.
set -u
action=${1:?demarrer ou arreter}
dossier=${2:?dossier de travail}
file=ScribaneTest
conf=/etc/cups/cups-pdf-$file.conf

echouer() { echo "file-cups: $*" >&2; exit 1; }

case "$action" in
demarrer)
    [[ $(id -u) -eq 0 ]] || echouer "il faut être root pour créer une file d'impression CUPS"
    command -v cupsd >/dev/null || echouer "cupsd est absent (paquet cups)"
    [[ -f /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ]] || echouer "pilote cups-pdf absent (paquet printer-driver-cups-pdf)"
    mkdir -p "$dossier/pdf" && chmod 777 "$dossier" "$dossier/pdf"
    rm -f "$dossier/pdf/"*
    if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
        cupsd -f >"$dossier/cupsd.log" 2>&1 &
        echo $! >"$dossier/cupsd.pid"
        for _ in $(seq 1 50); do
            lpstat -r 2>/dev/null | grep -q 'is running' && break
            sleep 0.2
        done
        lpstat -r 2>/dev/null | grep -q 'is running' ||
            echouer "cupsd n'a pas démarré : $(tail -5 "$dossier/cupsd.log" 2>/dev/null)"
    fi
    echo "Out $dossier/pdf" >"$conf" || echouer "impossible d'écrire $conf"
    # pdftocairo keeps the fonts as real text, so that pdftotext can read the words back.
    lpadmin -p "$file" -E -v "cups-pdf:/$file" -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd \
        -o pdftops-renderer-default=pdftocairo 2>/dev/null || echouer "lpadmin a échoué"
    lpstat -p "$file" >/dev/null 2>&1 || echouer "la file $file n'existe pas après sa création"
    echo "file-cups: file $file prête, PDF dans $dossier/pdf"
    ;;
arreter)
    lpadmin -x "$file" 2>/dev/null
    rm -f "$conf"
    if [[ -f "$dossier/cupsd.pid" ]]; then
        kill "$(cat "$dossier/cupsd.pid")" 2>/dev/null
        rm -f "$dossier/cupsd.pid"
    fi
    echo "file-cups: file $file retirée"
    ;;
*)
    echouer "action inconnue « $action »"
    ;;
esac
