#!/usr/bin/env bash
# The game's rest between frames, measured on the real program under a virtual X server:
# the processor time of the whole process (every thread) as a share of one core, over
# SECONDS each in the main menu, in the credits and in a busy sandbox (qz_busy_sandbox: the
# same program in a running game of 200 systems and 500 ships), and the start-up time from
# the launch to the first drawn main menu (qz_first_frame preloaded; median of five starts,
# with the processor time until then, which a busy machine does not stretch).
# Sound runs on SDL's dummy driver, so the music is decoded and mixed as on a real machine.
# Usage: frame_pacing.sh [BIN_DIR [SECONDS [DISPLAY]]]   defaults: build/bin, 20, :99
set -euo pipefail

bin=$(cd "${1:-build/bin}" && pwd)
sekunden=${2:-20}
anzeige=${3:-:99}
for tool in Xvfb xdotool awk; do
    command -v "$tool" >/dev/null || { echo "frame_pacing.sh needs $tool" >&2; exit 1; }
done
export DISPLAY=$anzeige SDL_AUDIODRIVER=dummy
Xvfb "$anzeige" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
protokoll=$(mktemp)
pid=""  # the game being measured, ended with the script whatever happens
aufraeumen() {
    if [ -n "$pid" ]; then kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; fi
    kill $xvfb 2>/dev/null && wait $xvfb
    rm -f "$protokoll"
}
trap 'aufraeumen || true' EXIT
for _ in $(seq 1 50); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.1
done
cd "$bin"  # the game finds material/ and sound/ beside itself

takte() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }  # user and system time, all threads
hz=$(getconf CLK_TCK)

# anteil NAME TARGET PROGRAM [y of the main-menu button to click]
anteil() {
    local name=$1 ziel=$2 programm=$3 knopf=${4:-}
    "./$programm" >/dev/null 2>&1 &
    pid=$!
    local fenster
    fenster=$(timeout 30 xdotool search --sync --name QZ | head -n1)
    [ -n "$fenster" ] || { echo "$programm opened no window" >&2; exit 1; }
    sleep 2
    if [ -n "$knopf" ]; then
        xdotool mousemove --window "$fenster" 512 "$knopf" mousedown 1
        sleep 0.2
        xdotool mouseup 1
    fi
    xdotool mousemove --window "$fenster" 512 400  # resting on the map, away from its edges
    sleep 2
    local a t0 b t1
    a=$(takte $pid)
    t0=$(date +%s.%N)
    sleep "$sekunden"
    b=$(takte $pid)
    t1=$(date +%s.%N)
    kill $pid
    wait $pid 2>/dev/null || true
    pid=""
    awk -v n="$name" -v a="$a" -v b="$b" -v hz="$hz" -v t0="$t0" -v t1="$t1" -v z="$ziel" \
        'BEGIN { printf "%-40s %5.1f %% of one core (target at most %d %%)\n", n, 100 * (b - a) / hz / (t1 - t0), z }'
}

anteil "main menu" 10 qz
anteil "credits" 10 qz 400
anteil "sandbox, 200 systems and 500 ships" 25 qz_busy_sandbox

zeiten=()
rechenzeiten=()
for _ in 1 2 3 4 5; do
    t0=$(date +%s.%N)
    LD_PRELOAD="$bin/libqz_first_frame.so" ./qz 2>"$protokoll" &
    pid=$!
    for _ in $(seq 1 200); do
        grep -q 'first frame' "$protokoll" && break
        sleep 0.05
    done
    kill $pid
    wait $pid 2>/dev/null || true
    pid=""
    t1=$(sed -n 's/^first frame at \([0-9.]*\) .*/\1/p' "$protokoll")
    if [ -z "$t1" ]; then
        echo "a start showed no frame within 10 s; not counted" >&2
        continue
    fi
    zeiten+=("$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }')")
    rechenzeiten+=("$(sed -n 's/.* after \([0-9.]*\) s .*/\1/p' "$protokoll" | awk '{ printf "%.3f", $1 }')")
done
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
echo "start-up to the first drawn main menu      $(median "${zeiten[@]}") s median of ${zeiten[*]} (target under 0.3 s)"
echo "  processor time until then                $(median "${rechenzeiten[@]}") s median of ${rechenzeiten[*]}"
