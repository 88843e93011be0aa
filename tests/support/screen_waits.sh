# Driving the real game under a virtual X server (sourced by the end-to-end scripts): every step
# waits for what it looks for on the screen, with a deadline, instead of a fixed pause, so a slow
# machine only takes longer and a fast one does not wait for nothing. Regions are given as
# width height x y.

# The checksum of the region's pixels.
screen_sum() {
    import -window root -crop "$1x$2+$3+$4" +repage -format "%#" info: 2>/dev/null || echo none
}

# Waits until the region is drawn (not black), at most $5 seconds.
drawn() {
    local deadline=$((SECONDS + $5)) mean
    while [ "$SECONDS" -le "$deadline" ]; do
        mean=$(import -window root -crop "$1x$2+$3+$4" +repage -colorspace Gray -format "%[fx:mean]" info: 2>/dev/null || echo 0)
        if awk -v m="$mean" 'BEGIN { exit !(m > 0.05) }'; then return 0; fi
    done
    return 1
}

# Waits until the region no longer has the checksum $5, at most $6 seconds.
changed() {
    local deadline=$((SECONDS + $6))
    while [ "$(screen_sum "$1" "$2" "$3" "$4")" = "$5" ]; do
        [ "$SECONDS" -le "$deadline" ] || return 1
    done
}

# Waits until the region shows the same picture twice in a row, at most $5 seconds: the game
# has drawn what the last step asked for.
settled() {
    local deadline=$((SECONDS + $5)) before now
    before=$(screen_sum "$1" "$2" "$3" "$4")
    while [ "$SECONDS" -le "$deadline" ]; do
        now=$(screen_sum "$1" "$2" "$3" "$4")
        [ "$now" = "$before" ] && return 0
        before=$now
    done
    return 1
}

# Waits for the game's window, at most 20 seconds; sets $window.
find_window() {
    local deadline=$((SECONDS + 20))
    window=""
    while [ -z "$window" ] && [ "$SECONDS" -le "$deadline" ]; do
        window=$(xdotool search --name "QZ" 2>/dev/null | head -n1 || true)
        [ -n "$window" ] || sleep 0.1  # the poll's interval
    done
    [ -n "$window" ]
}

# The screen above the status bar, where every step of the scripts shows its answer.
kScreen="1024 640 0 0"

# Runs the xdotool command "$@" on a still screen (every step ends on one) and waits until the
# game answers with a changed screen that comes to rest, at most 30 seconds each. The game keeps
# a press and a release that fall between two of its passes as a click, and a short key tap as
# held for one pass.
answered() {
    local before
    # shellcheck disable=SC2086
    before=$(screen_sum $kScreen)
    xdotool "$@"
    # shellcheck disable=SC2086
    changed $kScreen "$before" 30 && settled $kScreen 30
}

# A click at (x, y) that changes the screen.
click() {
    xdotool mousemove --window "$window" "$1" "$2"
    answered mousedown 1 mouseup 1
}

# A key that changes the screen.
press() {
    answered key "$1"
}
