#!/usr/bin/env bash
# The game as installed: `cmake --install` of the components "game" and "data" (its pictures and
# sounds, a package of their own) into a temporary prefix,
# every file and folder of it made read-only (and compared afterwards), HOME and the XDG folders
# in the temporary folder, the game started from an empty folder there, which it must leave
# empty. It must find its pictures, save a sandbox game into $XDG_DATA_HOME/qz/spielstaende, and
# a second start must load that game again and show the same map. No error report may be
# written. Every step waits for the screen to answer (tests/support/screen_waits.sh), never for
# a fixed time.
# Exits 77 (skipped) when the virtual display or its tools are not installed.
# Usage: installed_tree.sh <build folder> <folder for the screenshots>
set -euo pipefail

build=$1
shots=$2

for tool in xvfb-run xdotool import convert compare; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

waits="$(cd "$(dirname "$0")/../support" && pwd)/screen_waits.sh"
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
prefix="$work/prefix"
for component in game data; do
    cmake --install "$build" --prefix "$prefix" --component "$component" >/dev/null
done
chmod -R a-w "$prefix"
qz="$prefix/games/qz"
[ -x "$qz" ] || { echo "FAIL: $qz was not installed"; exit 1; }
# The server program of the games against the computer comes with the game.
for f in share/games/qz/material/2/1.orn-games share/games/qz/sound/Klick.mp3 share/applications/qz.desktop \
         share/icons/hicolor/48x48/apps/qz.png share/icons/hicolor/256x256/apps/qz.png \
         share/metainfo/qz.metainfo.xml share/man/man6/qz.6.gz sbin/qz-server games/qz-bot; do
    [ -f "$prefix/$f" ] || { echo "FAIL: $f was not installed"; exit 1; }
done
# Root writes through the missing write permission: what the tree holds is also compared
# before and after the runs.
tree() { (cd "$prefix" && find . -printf '%p %s %T@\n' | sort); }
before=$(tree)

export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state"
mkdir -p "$HOME"

cat >"$work/drive.sh" <<'DRIVE'
set -euo pipefail
qz=$1
shots=$2
save=$3
. "$4"

start() {
    "$qz" &
    pid=$!
    find_window || { echo "FAIL: the game window did not appear"; exit 1; }
    drawn 156 25 434 218 60 || { echo "FAIL: the main menu was not drawn"; stop; exit 1; }
    settled $kScreen 30 || { echo "FAIL: the main menu does not come to rest"; stop; exit 1; }
}
stop() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}
step() {
    "$@" || { echo "FAIL: $* changed nothing"; stop; exit 1; }
}
# The map, once the pointer rests in its middle, away from the scrolling edges.
map_ready() {
    xdotool mousemove --window "$window" 512 400
    drawn 300 25 710 667 30 || { echo "FAIL: the star map was not drawn"; stop; exit 1; }
    settled $kScreen 30 || { echo "FAIL: the map does not come to rest"; stop; exit 1; }
}

start
step click 512 230   # "Sandkasten"
step click 512 230   # "Neues Spiel"
step click 512 461   # "Spiel Starten"
map_ready
step press Escape    # the sandbox menu; the game rests from here on
step click 512 338   # "Spiel Speichern"
step click 512 335   # slot 1
deadline=$((SECONDS + 30))
until [ -s "$save" ]; do
    [ "$SECONDS" -le "$deadline" ] || { echo "FAIL: no save in $save"; stop; exit 1; }
    sleep 0.1  # the poll's interval
done
settled $kScreen 30 || { echo "FAIL: the slot screen does not come to rest"; stop; exit 1; }
step click 512 230   # "Zurück"
step click 512 446   # "Zum Spiel"
map_ready
import -window root "$shots/installed_saved.png"
stop

start
step click 512 230   # "Sandkasten"
step click 512 284   # "Spiel Laden"
step click 512 335   # slot 1: a loaded game opens on the map
map_ready
import -window root "$shots/installed_loaded.png"
stop
DRIVE

save="$XDG_DATA_HOME/qz/spielstaende/spielstand1.qz"
# Started from an empty folder of its own: the game must neither need nor write anything there.
mkdir "$work/start"
(cd "$work/start" && SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1024x768x24" \
    bash "$work/drive.sh" "$qz" "$shots" "$save" "$waits")

for report in "$XDG_STATE_HOME/qz/fehlerbericht.txt" "$work/start/fehlerbericht.txt"; do
    if [ -e "$report" ]; then
        echo "FAIL: error report: $(cat "$report")"
        exit 1
    fi
done
[ -z "$(ls -A "$work/start")" ] || { echo "FAIL: the game wrote into its working folder: $(ls -A "$work/start")"; exit 1; }
[ -s "$save" ] || { echo "FAIL: no save in $save"; exit 1; }
[ "$(tree)" = "$before" ] || { echo "FAIL: the game changed its installed tree"; exit 1; }
echo "save: $save, $(stat -c %s "$save") bytes"

# The map as saved and as loaded in a new run: the same background, systems and view. The
# status bar below (money of the day) is left out.
map() { convert "$1" -crop 1024x640+0+0 +repage "$2"; }
map "$shots/installed_saved.png" "$work/saved.png"
map "$shots/installed_loaded.png" "$work/loaded.png"
colours=$(convert "$work/loaded.png" -format "%k" info:)
differ=$(compare -metric AE -fuzz 2% "$work/saved.png" "$work/loaded.png" null: 2>&1 || true)
echo "loaded map: $colours colours, $differ pixels differ from the saved one"
awk -v c="$colours" -v d="$differ" 'BEGIN { exit !(c > 500 && d < 1024 * 640 / 100) }' || {
    echo "FAIL: the loaded game does not show the saved map"
    exit 1
}
echo "PASS"
