#!/usr/bin/env bash
# Tournament of the computer player's levels: whole two-player games on a local qz-server,
# "schwer" against "mittel", "mittel" against "leicht" and "schwer" against "leicht", GAMES
# games per pairing, the hosting seat alternating between the levels; PARALLEL games run at
# once. Each qz-bot plays MINUTES minutes (--minutes) on a fresh map its host generates.
#
# The winner of a game is the player owning more systems at the end, as the server's own
# database records the owners (read every 10 s; the last reading while both seats are still
# in the channel counts); equal counts are a tie. Prints each game, then the wins per pairing.
# Not part of the test command. Usage: tournament.sh [BUILD_DIR] [MINUTES] [GAMES] [PARALLEL];
# with QZ_TOURNAMENT_LOGS=DIR the bots' and the server's logs are kept there, and with
# QZ_TOURNAMENT_PAIRINGS="schwer leicht,mittel leicht" only those pairings are played.
set -euo pipefail
bin=${1:-build/bin}
minutes=${2:-8}
games=${3:-4}
parallel=${4:-3}
for tool in "$bin/qz-server" "$bin/qz-bot"; do
  [ -x "$tool" ] || { echo "missing $tool (build the targets qz-server and qz-bot)" >&2; exit 1; }
done
command -v sqlite3 > /dev/null || { echo "needs sqlite3 (apt-get install sqlite3)" >&2; exit 1; }
IFS=, read -ra pairings <<< "${QZ_TOURNAMENT_PAIRINGS:-schwer mittel,mittel leicht,schwer leicht}"
for pairing in "${pairings[@]}"; do
  read -r a b rest <<< "$pairing"
  for level in "$a" "$b"; do
    case "$level" in leicht|mittel|schwer) ;; *) echo "unknown level in pairing '$pairing'" >&2; exit 1 ;; esac
  done
  [ -z "$rest" ] || { echo "a pairing is two levels: '$pairing'" >&2; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  if [ -n "${QZ_TOURNAMENT_LOGS:-}" ]; then mkdir -p "$QZ_TOURNAMENT_LOGS" && cp "$work"/*.log "$QZ_TOURNAMENT_LOGS"/ 2>/dev/null || true; fi
  # The bots first (each game's subshell notes their ids), then the games, sampler and server.
  local all=("${pids[@]}")
  [ -f "$work/bots.pids" ] && mapfile -t -O "${#all[@]}" all < "$work/bots.pids"
  for pid in "${all[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

free_port() {
  local port
  while :; do
    port=$(( (RANDOM % 20000) + 30000 ))
    (echo > "/dev/tcp/127.0.0.1/$port") 2>/dev/null || { echo "$port"; return; }
  done
}
# wait_for SECONDS COMMAND...: polls the command every 0.2 s until it succeeds or time is up.
wait_for() {
  local deadline=$(( SECONDS + $1 ))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}
listening() { (echo > "/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

port=$(free_port)
db="$work/turnier.db"
# Every bot comes from the loopback address: lift the per-address limits on accounts and
# channels, which guard a public server against one sender.
"$bin/qz-server" --bind 127.0.0.1 --port "$port" --db "$db" --hash-cost minimum --log-level warn \
  --max-registrations 100000 --max-channel-creations 100000 --max-open-channels 1000 \
  --max-failed-logins 100000 --max-logins 100000 --max-logins-per-name 100000 --hash-queue 1000 \
  2> "$work/server.log" &
pids+=($!)
wait_for 20 listening "$port" || { echo "qz-server did not start" >&2; cat "$work/server.log" >&2; exit 1; }

# The server's record of who owns how many systems, per started channel and seat.
sample() {
  sqlite3 -cmd '.timeout 2000' "$db" \
    "SELECT c.name, s.name, (SELECT COUNT(*) FROM systems y WHERE y.sid = c.sid AND y.owner = s.slot)
     FROM channels c JOIN slots s ON s.sid = c.sid WHERE c.started = 1 AND s.name <> '' ORDER BY c.name, s.slot;" \
    2>/dev/null || true
}
sampler() {
  while :; do
    sample > "$work/sample.txt"
    # Keep a channel's reading only while both seats are there.
    for ch in $(cut -d'|' -f1 "$work/sample.txt" | sort | uniq -d); do
      grep "^$ch|" "$work/sample.txt" > "$work/result-$ch.txt"
    done
    sleep 10
  done
}
sampler &
pids+=($!)

# play ID LEVEL_HOST LEVEL_GUEST: one game on channel tID; the host creates it with two seats.
play() {
  local id=$1 host=$2 guest=$3 ch="t$1"
  mkdir -p "$work/home-$id"
  HOME="$work/home-$id" QZ_BOT_PASSWORD="turnier" "$bin/qz-bot" --server "127.0.0.1:$port" --channel "$ch" \
    --level "$host" --name "$host$id" --create 2 --minutes "$minutes" 2> "$work/bot-$id-host.log" &
  local host_pid=$!
  echo "$host_pid" >> "$work/bots.pids"
  if ! wait_for 120 grep -qs "creates channel" "$work/bot-$id-host.log"; then
    echo "game $id: the host did not create its channel" >&2
    cat "$work/bot-$id-host.log" >&2
    kill "$host_pid" 2>/dev/null || true
    return
  fi
  HOME="$work/home-$id" QZ_BOT_PASSWORD="turnier" "$bin/qz-bot" --server "127.0.0.1:$port" --channel "$ch" \
    --level "$guest" --name "$guest$id" --minutes "$minutes" 2> "$work/bot-$id-guest.log" &
  local guest_pid=$!
  echo "$guest_pid" >> "$work/bots.pids"
  wait "$guest_pid" || true
  wait "$host_pid" || true
}

jobs_running=0
id=0
for pairing in "${pairings[@]}"; do
  read -r a b <<< "$pairing"
  for g in $(seq 1 "$games"); do
    id=$((id + 1))
    if (( g % 2 )); then play "$id" "$a" "$b" & else play "$id" "$b" "$a" & fi
    pids+=($!)
    jobs_running=$((jobs_running + 1))
    if (( jobs_running >= parallel )); then
      wait -n "${pids[@]:2}" 2>/dev/null || true
      jobs_running=$((jobs_running - 1))
    fi
  done
done
for pid in "${pids[@]:2}"; do wait "$pid" 2>/dev/null || true; done
sleep 1

echo "games of $minutes minutes, winner: more systems owned at the end (server's record)"
declare -A wins ties
for i in $(seq 1 "$id"); do
  f="$work/result-t$i.txt"
  if [ ! -s "$f" ]; then
    echo "game $i: no result"; tail -3 "$work/bot-$i-host.log" "$work/bot-$i-guest.log" 2>/dev/null
    continue
  fi
  mapfile -t rows < "$f"
  IFS='|' read -r _ n1 c1 <<< "${rows[0]}"
  IFS='|' read -r _ n2 c2 <<< "${rows[1]}"
  l1=${n1%"$i"}
  l2=${n2%"$i"}
  key=$(printf '%s\n%s\n' "$l1" "$l2" | sort | tr '\n' ' ')
  if (( c1 > c2 )); then w=$l1; elif (( c2 > c1 )); then w=$l2; else w=""; fi
  if [ -n "$w" ]; then wins["$key$w"]=$(( ${wins["$key$w"]:-0} + 1 )); else ties["$key"]=$(( ${ties["$key"]:-0} + 1 )); fi
  echo "game $i: $l1 $c1 systems, $l2 $c2 systems -> ${w:-tie}"
  for side in host guest; do
    grep -h "systems,.*ships" "$work/bot-$i-$side.log" | tail -1 | sed "s/^/    $side: /" || true
  done
done
echo "summary:"
for pairing in "${pairings[@]}"; do
  read -r a b <<< "$pairing"
  key=$(printf '%s\n%s\n' "$a" "$b" | sort | tr '\n' ' ')
  echo "  $a ${wins["$key$a"]:-0} : ${wins["$key$b"]:-0} $b (ties ${ties["$key"]:-0})"
done
