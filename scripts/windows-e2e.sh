#!/usr/bin/env bash
# The Windows game end to end under Wine and a virtual X server of its own:
#  1. qz.exe draws its main menu pixel for pixel as the Linux build (build/bin/qz) does;
#  2. "Gegen den Computer" with one computer player (qz-bot.exe) against the private
#     qz-server.exe: after "Zurück" from its lobby no program of the game is left; started
#     again it reaches a running game, and after leaving that none is left either;
#  3. the installer installs silently, the installed game starts from its Start-menu entry,
#     and the uninstaller removes the program and leaves the player's saves.
# Screenshots go to BUILD-FOLDER/e2e/. Usage: windows-e2e.sh BUILD-FOLDER LINUX-BIN-FOLDER
# Exits 77 (skipped) when no virtual display can be had.
set -euo pipefail
out=$(cd "$1" && pwd)
linux=$(cd "$2" && pwd)
shots="$out/e2e"
rm -rf "$shots"
mkdir -p "$shots"

for tool in Xvfb xdotool import compare; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed"
    exit 77
  fi
done

work=$(mktemp -d)
export PATH="/usr/lib/wine:$PATH"
export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
export SDL_AUDIODRIVER=dummy
# The run compares and clicks the German screens: no language of the machine may choose another,
# nor Wine's display language, which the Windows game follows when no variable is set.
unset LANGUAGE LC_ALL LC_MESSAGES
export LANG=C.UTF-8
xvfb=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display number nobody uses.
display=""
for n in $(seq 77 120); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
    display=$n
    break
  fi
done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$display"
for _ in $(seq 1 50); do
  xdotool getmouselocation >/dev/null 2>&1 && break
  sleep 0.1
done
if ! xdotool getmouselocation >/dev/null 2>&1; then
  echo "SKIP: the virtual X server did not start"
  exit 77
fi
wine64 wineboot --init >/dev/null 2>&1 || true
wineserver -p 2>/dev/null || true

# The failure, with the window's picture as it was then.
fail() {
  echo "FAIL: $*"
  [ -z "${w:-}" ] || import -window "$w" "$shots/fehler.png" 2>/dev/null || true
  exit 1
}

# window PID: the id of the game's window, once it is there (at most 60 s).
window() {
  local w=""
  for _ in $(seq 1 600); do
    w=$(xdotool search --name "QZ" 2>/dev/null | head -n 1 || true)
    [ -n "$w" ] && break
    sleep 0.1
  done
  echo "$w"
}

# drawn WINDOW: waits until the main menu's first button is drawn (at most 60 s).
drawn() {
  local mean
  for _ in $(seq 1 300); do
    mean=$(import -window "$1" -crop 434x25+156+218 +repage -colorspace Gray -format "%[fx:mean]" info: 2>/dev/null || echo 0)
    if awk -v m="$mean" 'BEGIN { exit !(m > 0.05) }'; then return 0; fi
    sleep 0.2
  done
  return 1
}

# The game reads the held buttons once per pass: a press lasts long enough to be seen.
click() {
  xdotool mousemove --window "$1" "$2" "$3"
  sleep 0.3
  xdotool mousedown 1
  sleep 0.3
  xdotool mouseup 1
}

# picture WINDOW: a digest of the window's 1024 x 768 picture, empty while it is black (Wine
# shows a black window for a moment while it draws anew).
picture() {
  local mean
  mean=$(import -window "$1" -crop 1024x768+0+0 +repage -colorspace Gray -format "%[fx:mean]" info: 2>/dev/null || echo 0)
  awk -v m="$mean" 'BEGIN { exit !(m > 0.005) }' || return 0
  import -window "$1" -crop 1024x768+0+0 +repage rgb:- 2>/dev/null | sha1sum | cut -c1-40
}

# press WINDOW X Y WHAT: clicks and waits until the picture changed; a click the game did not
# see (on a loaded machine a press can fall between two of its passes) is given again, at
# most three times.
press() {
  local before now
  before=$(picture "$1")
  for _ in 1 2 3; do
    click "$1" "$2" "$3"
    for _ in $(seq 1 25); do
      sleep 0.2
      now=$(picture "$1")
      if [ -n "$now" ] && [ "$now" != "$before" ]; then return 0; fi
    done
  done
  fail "nothing happened on a click on $4"
}

# until_true SECONDS WHAT COMMAND...: waits for the command to succeed.
until_true() {
  local seconds=$1 what=$2
  shift 2
  for _ in $(seq 1 $((seconds * 5))); do
    "$@" && return 0
    sleep 0.2
  done
  fail "$what"
}

# shot WINDOW FILE: the window's 1024 x 768 picture.
shot() { import -window "$1" -crop 1024x768+0+0 +repage "$2"; }

running() { ps -eo args | grep -v grep | grep -ci "$1" || true; }

# 1. The main menu, Linux and Windows.
mkdir -p "$work/linux/home"
(cd "$work/linux" && HOME="$work/linux/home" XDG_DATA_HOME="$work/linux/data" XDG_CONFIG_HOME="$work/linux/config" \
  XDG_STATE_HOME="$work/linux/state" exec "$linux/qz" >/dev/null 2>&1) &
qz=$!
w=$(window)
[ -n "$w" ] || fail "the Linux game's window did not appear"
drawn "$w" || fail "the Linux game drew no main menu"
sleep 1
xdotool mousemove 1200 1000
sleep 0.5
shot "$w" "$shots/hauptmenue-linux.png"
kill "$qz" 2>/dev/null || true
wait "$qz" 2>/dev/null || true
# Its window must be gone: the Windows game's window has the same name and place.
for _ in $(seq 1 50); do
  [ -z "$(xdotool search --name "QZ" 2>/dev/null || true)" ] && break
  sleep 0.1
done
[ -z "$(xdotool search --name "QZ" 2>/dev/null || true)" ] || fail "the Linux game's window stays"

mkdir -p "$work/start"
(cd "$work/start" && wine64 "$out/bin/qz.exe" >/dev/null 2>&1) &
w=$(window)
[ -n "$w" ] || fail "qz.exe's window did not appear"
drawn "$w" || fail "qz.exe drew no main menu"
sleep 1
xdotool mousemove 1200 1000
sleep 0.5
shot "$w" "$shots/hauptmenue-wine.png"
title=$(xdotool getwindowname "$w")
[ "$title" = "ORN´s QZ" ] || fail "the window title is '$title', not 'ORN´s QZ'"
differ=$(compare -metric AE "$shots/hauptmenue-linux.png" "$shots/hauptmenue-wine.png" null: 2>&1 || true)
[ "$differ" = 0 ] || fail "the main menu under Wine differs from Linux's in $differ pixels"
echo "main menu: identical to the Linux build's, title '$title'"

# 2. A game against one computer player.
# The computer player's seat shows its colour once it sits (the first seat below the player's).
seated() {
  local mean
  mean=$(import -window "$w" -crop 16x12+332+506 +repage -colorspace Gray -format "%[fx:mean]" info: 2>/dev/null || echo 0)
  awk -v m="$mean" 'BEGIN { exit !(m > 0.1) }'
}
# The menus leave the window black beside their panel; the star map fills it.
map_shown() {
  local mean
  mean=$(import -window "$w" -crop 300x768+0+0 +repage -colorspace Gray -format "%[fx:mean]" info: 2>/dev/null || echo 0)
  awk -v m="$mean" 'BEGIN { exit !(m > 0.01) }'
}
both_running() { [ "$(running 'qz-server.exe')" -ge 1 ] && [ "$(running 'qz-bot.exe')" -ge 1 ]; }
none_left() { [ "$(running 'qz-server.exe')" -eq 0 ] && [ "$(running 'qz-bot.exe')" -eq 0 ]; }
press "$w" 512 230 '"Sandkasten"'
press "$w" 500 338 '"Gegen den Computer"'
press "$w" 469 313 'one computer player instead of two'
# What this screen shows, to know it again: a press held while the screen changes can count on
# the next one too, so where "Zurück" leads is looked at, not assumed.
region() { import -window "$w" -crop "$1" +repage rgb:- 2>/dev/null | sha1sum | cut -c1-40; }
label=150x22+437+274 # the second button's label, "Computerspieler"
count=110x24+457+301 # the number of computer players, 1
computer_label=$(region $label) one=$(region $count)
# First only into the lobby and out again with "Zurück": the private server and the computer
# player end with it.
press "$w" 512 461 '"Spiel Starten"'
until_true 60 "the private qz-server.exe and a qz-bot.exe did not start" both_running
[ "$(running 'qz-bot.exe')" -eq 1 ] || fail "not exactly one qz-bot.exe runs"
until_true 60 "the computer player took no seat" seated
press "$w" 512 230 '"Zurück"'
until_true 30 "a qz-server.exe or qz-bot.exe is left after Zurück" none_left
echo "after Zurück: no qz-server.exe, no qz-bot.exe"
# Then into a game, with one computer player again.
sleep 1
[ "$(region $label)" = "$computer_label" ] || press "$w" 500 338 '"Gegen den Computer"'
[ "$(region $count)" = "$one" ] || press "$w" 469 313 'one computer player instead of two'
press "$w" 512 461 '"Spiel Starten"'
until_true 60 "the private qz-server.exe and a qz-bot.exe did not start again" both_running
[ "$(running 'qz-bot.exe')" -eq 1 ] || fail "not exactly one qz-bot.exe runs in the second game"
until_true 60 "the computer player took no seat" seated
press "$w" 467 405 'a colour'
press "$w" 500 461 '"Bereit"'
# "Spiel Starten" where "Bereit" was: the first press may only have been taken as the button
# changing its label.
for _ in 1 2 3; do
  press "$w" 512 461 '"Spiel Starten"'
  for _ in $(seq 1 100); do
    map_shown && break 2
    sleep 0.2
  done
done
map_shown || fail "no star map after Spiel Starten"
xdotool mousemove --window "$w" 512 400
sleep 2
shot "$w" "$shots/spiel-gegen-computer.png"
echo "game against the computer: running"
# A key goes to the window with the input focus; with no window manager nobody gives it, so
# the run does, and sends the key as a real key press (a key sent to a window directly is one
# Wine may drop).
before=$(picture "$w")
changed() { local now; now=$(picture "$w"); [ -n "$now" ] && [ "$now" != "$before" ]; }
escape() {
  xdotool windowfocus "$w" 2>/dev/null || true
  sleep 0.3
  xdotool key Escape 2>/dev/null
  for _ in $(seq 1 15); do
    sleep 0.2
    changed && return 0
  done
  return 1
}
escape || escape || escape || fail "Escape opened no menu"
press "$w" 500 500 '"Spiel Beenden"'
press "$w" 440 290 '"Ja"'
until_true 30 "a qz-server.exe or qz-bot.exe is left after leaving the game" none_left
echo "after leaving the game: no qz-server.exe, no qz-bot.exe"
xdotool windowclose "$w" 2>/dev/null || true
sleep 1
wineserver -k >/dev/null 2>&1 || true
wineserver -w 2>/dev/null || true

# 3. The installer, silently, and the installed game from its Start-menu entry.
setup=$(ls "$out"/qz-*-setup.exe 2>/dev/null | head -n 1 || true)
if [ -z "$setup" ]; then
  echo "no installer in $out (bash scripts/windows.sh package makes it): installer not tested"
  exit 0
fi
wineserver -p 2>/dev/null || true
wine64 "$setup" /S >/dev/null 2>&1 || fail "the installer failed"
programs="$WINEPREFIX/drive_c/Program Files/QZ"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/QZ/QZ.lnk"
for f in qz.exe qz-bot.exe qz-server.exe uninstall.exe material/1/1.orn-games sound/Klick.mp3; do
  [ -e "$programs/$f" ] || fail "the installer did not install $f"
done
[ -e "$menu" ] || fail "no Start-menu entry"
(cd "$work/start" && wine64 start /wait /unix "$menu" >/dev/null 2>&1) &
w=$(window)
[ -n "$w" ] || fail "the installed game did not start from its Start-menu entry"
drawn "$w" || fail "the installed game drew no main menu"
sleep 1
xdotool mousemove 1200 1000
sleep 0.5
shot "$w" "$shots/hauptmenue-installiert.png"
differ=$(compare -metric AE "$shots/hauptmenue-linux.png" "$shots/hauptmenue-installiert.png" null: 2>&1 || true)
[ "$differ" = 0 ] || fail "the installed game's main menu differs in $differ pixels"
xdotool windowclose "$w" 2>/dev/null || true
sleep 2
wineserver -k >/dev/null 2>&1 || true
wineserver -w 2>/dev/null || true
# A save of the player's, which the uninstaller must leave.
saves=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Roaming 2>/dev/null | grep -v /Public/ | head -n 1)/QZ/spielstaende
mkdir -p "$saves"
echo test >"$saves/spielstand1.qz"
wineserver -p 2>/dev/null || true
wine64 "$programs/uninstall.exe" /S >/dev/null 2>&1 || fail "the uninstaller failed"
# The uninstaller copies itself away and goes on from there: wait for it.
for _ in $(seq 1 100); do
  [ ! -e "$programs/qz.exe" ] && [ ! -e "$menu" ] && break
  sleep 0.2
done
[ ! -e "$programs/qz.exe" ] || fail "the uninstaller left qz.exe"
[ ! -e "$menu" ] || fail "the uninstaller left the Start-menu entry"
[ -e "$saves/spielstand1.qz" ] || fail "the uninstaller removed the player's save"
echo "installer: installed, started from the Start menu, uninstalled; the save stays"
