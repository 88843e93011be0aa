#!/usr/bin/env bash
# Tournament of the computer player's levels: whole two-player games on a local qz-server,
# "schwer" against "mittel", "mittel" against "leicht" and "schwer" against "leicht", MAPS
# maps per pairing, each map played twice with the seats swapped (the host's --seed makes the
# same map again), so a home that happens to be shut in or open falls to each level once;
# PARALLEL games run at once. Each qz-bot plays MINUTES minutes (--minutes).
#
# The winner of a game is the player owning more systems at the end, as the server's own
# database records the owners (read every 10 s; the last reading while both seats are still
# in the channel counts); equal counts are a tie. The winner of a map is the level that owned
# more systems over its two games. Prints each game, then per pairing the wins by map and by
# game. Not part of the test command.
# Usage: tournament.sh [BUILD_DIR] [MINUTES] [MAPS] [PARALLEL]; with QZ_TOURNAMENT_LOGS=DIR the
# bots' and the server's logs are kept there, with QZ_TOURNAMENT_PAIRINGS="schwer leicht,mittel
# leicht" only those pairings are played, and QZ_TOURNAMENT_SEED=N numbers the maps from N on
# (the default draws N, and prints it, so a run can be repeated map for map).
set -euo pipefail
bin=${1:-build/bin}
minutes=${2:-8}
maps=${3:-2}
parallel=${4:-3}
first_seed=${QZ_TOURNAMENT_SEED:-$(( (RANDOM << 15 | RANDOM) % 2000000000 + 1 ))}
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

db="$work/turnier.db"
# Listening, or ended (then there is nothing to wait for).
server_up() { listening "$port" || ! kill -0 "$server_pid" 2>/dev/null; }
# Every bot comes from the loopback address: lift the per-address limits on accounts and
# channels, which guard a public server against one sender. A port that looked free can be
# taken before the server binds it (another run's connections come and go): then another.
for attempt in 1 2 3 4 5; do
  port=$(free_port)
  "$bin/qz-server" --bind 127.0.0.1 --port "$port" --db "$db" --hash-cost minimum --log-level warn \
    --max-registrations 100000 --max-channel-creations 100000 --max-open-channels 1000 \
    --max-failed-logins 100000 --max-logins 100000 --max-logins-per-name 100000 --hash-queue 1000 \
    2> "$work/server.log" &
  server_pid=$!
  wait_for 20 server_up && listening "$port" && break
  kill "$server_pid" 2>/dev/null || true
  wait "$server_pid" 2>/dev/null || true
  [ "$attempt" -lt 5 ] || { echo "qz-server did not start" >&2; cat "$work/server.log" >&2; exit 1; }
done
pids+=("$server_pid")

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

# play ID LEVEL_HOST LEVEL_GUEST SEED: one game on channel tID; the host creates it with two
# seats on the map of SEED.
play() {
  local id=$1 host=$2 guest=$3 seed=$4 ch="t$1"
  mkdir -p "$work/home-$id"
  HOME="$work/home-$id" QZ_BOT_PASSWORD="turnier" "$bin/qz-bot" --server "127.0.0.1:$port" --channel "$ch" \
    --level "$host" --name "$host$id" --create 2 --seed "$seed" --minutes "$minutes" 2> "$work/bot-$id-host.log" &
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

echo "maps from seed $first_seed on"
jobs_running=0
id=0
seed=$first_seed
for pairing in "${pairings[@]}"; do
  read -r a b <<< "$pairing"
  for m in $(seq 1 "$maps"); do
    for hosts in "$a $b" "$b $a"; do
      read -r host guest <<< "$hosts"
      id=$((id + 1))
      echo "$seed" > "$work/seed-$id"
      play "$id" "$host" "$guest" "$seed" &
      pids+=($!)
      jobs_running=$((jobs_running + 1))
      if (( jobs_running >= parallel )); then
        wait -n "${pids[@]:2}" 2>/dev/null || true
        jobs_running=$((jobs_running - 1))
      fi
    done
    seed=$((seed + 1))
  done
done
last_seed=$((seed - 1))
for pid in "${pids[@]:2}"; do wait "$pid" 2>/dev/null || true; done
sleep 1

echo "games of $minutes minutes, winner: more systems owned at the end (server's record)"
declare -A wins ties mapwins mapties
declare -A owned   # "seed level" -> systems over the map's two games
for i in $(seq 1 "$id"); do
  f="$work/result-t$i.txt"
  seed=$(cat "$work/seed-$i")
  if [ ! -s "$f" ]; then
    echo "game $i (map $seed): no result"; tail -3 "$work/bot-$i-host.log" "$work/bot-$i-guest.log" 2>/dev/null
    owned["$seed none"]=1
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
  owned["$seed $l1"]=$(( ${owned["$seed $l1"]:-0} + c1 ))
  owned["$seed $l2"]=$(( ${owned["$seed $l2"]:-0} + c2 ))
  owned["$seed key"]=$key
  echo "game $i (map $seed): $l1 $c1 systems, $l2 $c2 systems -> ${w:-tie}"
  for side in host guest; do
    grep -h "systems,.*ships" "$work/bot-$i-$side.log" | tail -1 | sed "s/^/    $side: /" || true
  done
done
# A map counts only when both its games have a result.
for seed in $(seq "$first_seed" "$last_seed"); do
  [ -z "${owned["$seed none"]:-}" ] && [ -n "${owned["$seed key"]:-}" ] || continue
  key=${owned["$seed key"]}
  read -r x y <<< "$key"
  sx=${owned["$seed $x"]:-0}
  sy=${owned["$seed $y"]:-0}
  echo "map $seed: $x $sx systems, $y $sy systems over both games"
  if (( sx > sy )); then mapwins["$key$x"]=$(( ${mapwins["$key$x"]:-0} + 1 ))
  elif (( sy > sx )); then mapwins["$key$y"]=$(( ${mapwins["$key$y"]:-0} + 1 ))
  else mapties["$key"]=$(( ${mapties["$key"]:-0} + 1 )); fi
done
echo "summary:"
for pairing in "${pairings[@]}"; do
  read -r a b <<< "$pairing"
  key=$(printf '%s\n%s\n' "$a" "$b" | sort | tr '\n' ' ')
  echo "  maps:  $a ${mapwins["$key$a"]:-0} : ${mapwins["$key$b"]:-0} $b (ties ${mapties["$key"]:-0})"
  echo "  games: $a ${wins["$key$a"]:-0} : ${wins["$key$b"]:-0} $b (ties ${ties["$key"]:-0})"
done
