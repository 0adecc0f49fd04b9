#!/usr/bin/env bash
# The real scribane under Xvfb with a window manager (openbox), which places
# windows mapped anew wherever it likes unless told: the configuration window
# opens wholly on the screen, and the main window comes back where it was each
# time the configuration window closes.
# Usage: placement.sh BIN_DIR. ECRAN_NUMERO chooses the X display (default: a free one).
set -u
. "$(dirname "$0")/sous-xvfb.sh"
preparer placement "${1:?dossier des programmes}" xwininfo openbox

cat >"$travail/session.sh" <<'FIN'
#!/usr/bin/env bash
set -u
echec() { echo "placement: ÉCHEC : $*" >&2; kill "$pid" 2>/dev/null; exit 1; }
# A window's inside on the screen, X Y WIDTH HEIGHT: xwininfo's absolute
# figures (xdotool's are off by the frame under a reparenting manager).
place() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /Width:/ {w=$NF} /Height:/ {h=$NF} END {print "X=" x " Y=" y " WIDTH=" w " HEIGHT=" h}'
}
openbox >/dev/null 2>&1 &
sleep 1
cd "$TRAVAIL/programme"
./scribane >scribane.log 2>&1 &
pid=$!
principale=$(xdotool search --sync --onlyvisible --name "^     Scribane imprime " | head -1)
[[ -n $principale ]] || echec "la fenêtre principale n'est pas venue"
# The main window pushed towards the bottom-right corner of the 1280 × 800 screen.
xdotool windowmove --sync "$principale" 600 400
sleep 0.5
eval "$(place "$principale")"
avant="$X,$Y"
for tour in 1 2 3; do
    xdotool mousemove --window "$principale" 140 10 click 1 # "Configuration et Options"
    configuration=$(xdotool search --sync --onlyvisible --name "^  Configuration de l" | head -1)
    [[ -n $configuration ]] || echec "la configuration ne s'est pas ouverte"
    sleep 0.5
    eval "$(place "$configuration")"
    ((X >= 0 && Y >= 0 && X + WIDTH <= 1280 && Y + HEIGHT <= 800)) ||
        echec "tour $tour : la configuration déborde de l'écran : $X,$Y ${WIDTH}×$HEIGHT"
    xdotool windowactivate --sync "$configuration" key alt+F4
    principale=$(xdotool search --sync --onlyvisible --name "^     Scribane imprime " | head -1)
    sleep 0.5
    eval "$(place "$principale")"
    [[ "$X,$Y" == "$avant" ]] || echec "tour $tour : la fenêtre principale est passée de $avant à $X,$Y"
done
echo "ok : la configuration s'ouvre sur l'écran, la fenêtre principale reste à $avant"
kill "$pid"
wait "$pid" 2>/dev/null
exit 0
FIN
lancer 1280x800
