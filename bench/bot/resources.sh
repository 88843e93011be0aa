#!/usr/bin/env bash
# What one computer player costs while it plays: two qz-bots play a game of 200 systems on a
# private qz-server on a loopback port; after the first minute of play the processor time of
# each bot is taken over SECONDS (default 60), as a share of one core, with the most memory
# it held (VmHWM). The limits: 5 % of one core and 64 MiB.
#   bash bench/bot/resources.sh build/bin [SECONDS]
set -euo pipefail
bin=$(cd "${1:?usage: resources.sh BIN_DIR [SECONDS]}" && pwd)
dauer=${2:-60}
tmp=$(mktemp -d)
pids=()
aufraeumen() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap aufraeumen EXIT

"$bin/qz-server" --bind 127.0.0.1 --port 0 --db "$tmp/server.db" --hash-cost minimum 2>"$tmp/server.log" &
pids+=($!)
port=""
for _ in $(seq 100); do
  port=$(sed -n 's/.*listening on 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$tmp/server.log" | head -n1)
  [ -n "$port" ] && break
  sleep 0.1
done
[ -n "$port" ] || { echo "qz-server did not start"; cat "$tmp/server.log"; exit 1; }

export XDG_CONFIG_HOME="$tmp/config"
unset QZ_BOT_PASSWORD
"$bin/qz-bot" --server "127.0.0.1:$port" --channel messung --create 2 --name messer1 --level schwer 2>"$tmp/bot1.log" &
bot1=$!; pids+=($bot1)
"$bin/qz-bot" --server "127.0.0.1:$port" --channel messung --name messer2 --level schwer 2>"$tmp/bot2.log" &
bot2=$!; pids+=($bot2)

for _ in $(seq 600); do
  grep -q "the game begins" "$tmp/bot1.log" && grep -q "the game begins" "$tmp/bot2.log" && break
  sleep 0.1
done
grep -q "the game begins" "$tmp/bot1.log" || { echo "the game did not begin"; cat "$tmp"/bot*.log; exit 1; }
grep -h "starts the game" "$tmp/bot1.log"
sleep 60

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
a1=$(ticks "$bot1"); a2=$(ticks "$bot2")
start=$(date +%s.%N)
sleep "$dauer"
ende=$(date +%s.%N)
b1=$(ticks "$bot1"); b2=$(ticks "$bot2")
for n in 1 2; do
  pid=$([ $n = 1 ] && echo "$bot1" || echo "$bot2")
  von=$([ $n = 1 ] && echo "$a1" || echo "$a2")
  bis=$([ $n = 1 ] && echo "$b1" || echo "$b2")
  hwm=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  awk -v d="$((bis - von))" -v hz="$hz" -v s="$start" -v e="$ende" -v m="$hwm" -v n="$n" 'BEGIN {
    share = d / hz / (e - s) * 100
    printf "bot %d: %.2f %% of one core over %.0f s of play, %.1f MiB at most (limits 5 %%, 64 MiB)\n", n, share, e - s, m / 1024 }'
done
tail -n 1 "$tmp/bot1.log" "$tmp/bot2.log"
