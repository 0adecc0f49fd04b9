#!/usr/bin/env bash
# Starts or stops the X display the Windows build's window tests use under Wine.
# Usage: ecran-wine.sh demarrer|arreter :N
set -euo pipefail
action=$1 ecran=$2
fichier=${TMPDIR:-/tmp}/scribane-ecran-wine${ecran#:}.pid
case $action in
demarrer)
    [[ -f "$fichier" ]] && kill "$(cat "$fichier")" 2>/dev/null || true
    Xvfb "$ecran" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    echo $! >"$fichier"
    for _ in $(seq 50); do xdpyinfo -display "$ecran" >/dev/null 2>&1 && exit 0; sleep 0.2; done
    echo "l'écran $ecran n'a pas démarré" >&2; exit 1 ;;
arreter)
    [[ -f "$fichier" ]] && kill "$(cat "$fichier")" 2>/dev/null || true
    rm -f "$fichier" ;;
esac
