#!/usr/bin/env bash
# Runs the real scribane under Xvfb with the accessibility bus, in a folder of
# its own, and drives it with fumee.py. Usage: fumee.sh BIN_DIR PDF_DIR
set -u
bin=${1:?dossier des programmes}
pdf=${2:?dossier des PDF}
ici=$(cd "$(dirname "$0")" && pwd)

for outil in xvfb-run dbus-run-session xdotool /usr/libexec/at-spi-bus-launcher; do
    command -v "$outil" >/dev/null || { echo "fumee: $outil manque" >&2; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "fumee: python3-pyatspi manque" >&2; exit 1; }

travail=$(mktemp -d /tmp/scribane-fumee-XXXXXX)
trap 'rm -rf "$travail"' EXIT
mkdir -p "$travail/programme" "$travail/home"
cp "$bin/scribane" "$bin"/libBoutonKiv_W9x.so* "$travail/programme/"

cat >"$travail/session.sh" <<FIN
#!/usr/bin/env bash
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
sleep 1
cd "$ici"
/usr/bin/python3 fumee.py "$travail/programme" "$pdf" ScribaneTest
code=\$?
if [[ \$code -ne 0 ]]; then
    import -window root "$travail/echec.png" 2>/dev/null && cp "$travail/echec.png" "$pdf/../fumee-echec.png"
    echo "--- journal de scribane ---"; cat "$travail/programme/scribane.log" 2>/dev/null
fi
exit \$code
FIN
chmod +x "$travail/session.sh"

# Everything the user sees is French; no window manager, as the harshest case.
export HOME="$travail/home" LANG=fr_FR.UTF-8 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export QT_QPA_PLATFORM=xcb
unset QT_QPA_PLATFORM_PLUGIN_PATH
timeout --kill-after=10 240 xvfb-run -a -s "-screen 0 1280x1024x24" \
    dbus-run-session -- "$travail/session.sh"
code=$?
[[ $code -eq 124 ]] && echo "fumee: ÉCHEC : délai dépassé (240 s)" >&2
exit $code
