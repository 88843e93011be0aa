#!/usr/bin/env bash
# End-to-end smoke test of the real game under a virtual X server: main menu "Sandkasten",
# "Neues Spiel", "Spiel Starten", wait, screenshot. The game starts in an empty folder with
# HOME and the XDG folders in it, so it must find its pictures beside itself. Passes when the
# star map was drawn (a bright, many-coloured picture with the status bar) and no error report
# was written, neither in the state folder nor in the working folder. Every step waits for the
# screen to answer (tests/support/screen_waits.sh), never for a fixed time.
# Exits 77 (skipped) when the virtual display or its tools are not installed.
# Usage: sandbox_smoke.sh <qz executable> <folder with material/ and sound/> <screenshot.png>
set -euo pipefail

qz=$1
runtime=$2
screenshot=$3

for tool in xvfb-run xdotool import convert; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done
for folder in material sound; do
    if [ ! -d "$runtime/$folder" ]; then
        echo "FAIL: $runtime/$folder is missing (the asset generator did not run)"
        exit 1
    fi
done

waits="$(cd "$(dirname "$0")/../support" && pwd)/screen_waits.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/start"
export HOME="$work/home" XDG_STATE_HOME="$work/state" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"

cat >"$work/drive.sh" <<'DRIVE'
set -euo pipefail
qz=$1
screenshot=$2
. "$3"
"$qz" &
pid=$!
fail() {
    echo "FAIL: $1"
    kill "$pid" 2>/dev/null || true
    exit 1
}
find_window || fail "the game window did not appear"
# Start-up loads every picture after the window opens: wait for the first menu button.
drawn 156 25 434 218 60 || fail "the main menu was not drawn"
settled $kScreen 30 || fail "the main menu does not come to rest"
click 512 230 || fail "\"Sandkasten\" changed nothing"
click 512 230 || fail "\"Neues Spiel\" changed nothing"
click 512 461 || fail "\"Spiel Starten\" changed nothing"
# The pointer rests in the middle of the map, away from the scrolling edges.
xdotool mousemove --window "$window" 512 400
drawn 300 25 710 667 30 || fail "the status bar was not drawn"
settled $kScreen 30 || fail "the map does not come to rest"
import -window root "$screenshot"
alive=0
kill -0 "$pid" 2>/dev/null && alive=1
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
if [ "$alive" != 1 ]; then
    echo "FAIL: the game ended by itself"
    exit 1
fi
DRIVE

cd "$work/start"
SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/drive.sh" "$qz" "$screenshot" "$waits"

for report in "$work/state/qz/fehlerbericht.txt" "$work/start/fehlerbericht.txt"; do
    if [ -e "$report" ]; then
        echo "FAIL: error report: $(cat "$report")"
        exit 1
    fi
done
# The map area above the status bar: a dark but starry background with the systems on it.
mean=$(convert "$screenshot" -crop 1024x640+0+0 +repage -colorspace Gray -format "%[fx:mean]" info:)
colours=$(convert "$screenshot" -crop 1024x640+0+0 +repage -format "%k" info:)
# The status bar's two buttons sit at the bottom right of the map frame.
bar=$(convert "$screenshot" -crop 300x25+710+667 +repage -colorspace Gray -format "%[fx:mean]" info:)
echo "screenshot $screenshot: map brightness $mean with $colours colours, status bar brightness $bar"
awk -v m="$mean" -v c="$colours" -v b="$bar" 'BEGIN { exit !(m > 0.01 && c > 500 && b > 0.05) }' || {
    echo "FAIL: the star map was not drawn"
    exit 1
}
echo "PASS"
