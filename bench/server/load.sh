#!/usr/bin/env bash
# Load benchmark of qz-server: wrk posts a realistic four-player "spiel" request (200 ships
# per player) over loopback, a new connection per request, first to qz-server and then to
# nginx serving a static reply of the same size. Prints requests per second, p99 latency
# and the ratio, and each server's CPU time per request. The two take turns for ROUNDS rounds
# and the best round of each counts, so a busy machine disturbs both alike. Then the cost of
# recording games, in the same rounds: the same request against a second qz-server with
# --keep-recordings 0, and a player whose fleets move at every poll (two bodies in turn, so
# every request is recorded) against both; prints the least CPU time per request of each
# over the rounds and the ratios. Not part of the test command.
# Usage: load.sh [BUILD_DIR] [SECONDS] [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=bench/server/load_common.sh
source "$root/bench/server/load_common.sh"
load_arguments "$@"

work=$(mktemp -d)
server_pid=""
plain_pid=""
nginx_pid=""
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null || true
  [ -n "$plain_pid" ] && kill "$plain_pid" 2>/dev/null && wait "$plain_pid" 2>/dev/null || true
  [ -n "$nginx_pid" ] && kill "$nginx_pid" 2>/dev/null && wait "$nginx_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

server_port=$(free_port)
"$bin/qz-server" --bind 127.0.0.1 --port "$server_port" --db "$work/load.db" --hash-cost minimum --admin-listen off \
  --log-level warn 2>"$work/server.log" &
server_pid=$!
wait_listening "$server_port"
session=$("$bin/qz_server_load_prepare" "$server_port" "$work/body.txt" "$work/reply.txt" "$work/moved.txt")
require_game_reply "$work/reply.txt"
write_script server "/games/qz/datenabfrage.php?PHPSESSID=$session"
write_motion_script server_recording "/games/qz/datenabfrage.php?PHPSESSID=$session"

plain_port=$(free_port)
"$bin/qz-server" --bind 127.0.0.1 --port "$plain_port" --db "$work/plain.db" --hash-cost minimum --admin-listen off \
  --log-level warn --keep-recordings 0 2>"$work/plain.log" &
plain_pid=$!
wait_listening "$plain_port"
plain_session=$("$bin/qz_server_load_prepare" "$plain_port" "$work/plain_body.txt" "$work/plain_reply.txt")
write_script server_plain "/games/qz/datenabfrage.php?PHPSESSID=$plain_session"
write_motion_script server_unrecorded "/games/qz/datenabfrage.php?PHPSESSID=$plain_session"
echo "request body $(wc -c < "$work/body.txt") bytes, reply $(wc -c < "$work/reply.txt") bytes"

nginx_port=$(free_port)
mkdir -p "$work/www/games/qz"
cp "$work/reply.txt" "$work/www/games/qz/datenabfrage.php"
{ nginx_common; cat <<CONF; } > "$work/nginx.conf"
  types { text/html php; }
  server {
    listen 127.0.0.1:$nginx_port;
    root $work/www;
    # A POST to a static file is answered 405; turn that into the file itself.
    error_page 405 =200 \$uri;
  }
}
CONF
chmod -R a+rX "$work"
nginx -c "$work/nginx.conf" 2>"$work/nginx/stderr.log" &
nginx_pid=$!
wait_listening "$nginx_port"
nginx_workers=$(pgrep -P "$nginx_pid" | tr '\n' ' ')
write_script nginx "/games/qz/datenabfrage.php?PHPSESSID=$session"
if ! curl -s -X POST --data-binary "@$work/body.txt" "http://127.0.0.1:$nginx_port/games/qz/datenabfrage.php" | cmp -s - "$work/reply.txt"; then
  echo "nginx does not serve the reference reply" >&2
  exit 1
fi

for round in $(seq 1 "$rounds"); do
  echo "round $round"
  run_wrk server "$server_port" "$server_pid"
  # shellcheck disable=SC2086
  run_wrk nginx "$nginx_port" $nginx_workers
  run_wrk server_plain "$plain_port" "$plain_pid"
  run_wrk server_recording "$server_port" "$server_pid"
  run_wrk server_unrecorded "$plain_port" "$plain_pid"
done

read -r server_rps server_p99 server_cpu < "$work/server.best"
read -r nginx_rps nginx_p99 nginx_cpu < "$work/nginx.best"
echo "best of $rounds rounds of ${seconds} s, $connections connections, a new connection per request:"
echo "qz-server: $server_rps requests/s, p99 $server_p99, $server_cpu us CPU per request"
echo "nginx:     $nginx_rps requests/s, p99 $nginx_p99, $nginx_cpu us CPU per request"
awk -v s="$server_rps" -v n="$nginx_rps" 'BEGIN { printf "qz-server / nginx: %.2fx\n", s / n }'
# The least CPU time of each over the rounds: what the work takes when the machine disturbs least.
least() { sort -n "$work/$1.cpu" | head -1; }
compare() {
  echo "$1, least of $rounds rounds: $2 us CPU per request recording games, $3 us with --keep-recordings 0"
  awk -v r="$2" -v u="$3" 'BEGIN { printf "  recording / not: %.2fx (budget 1.10x)\n", r / u }'
}
compare "the same request" "$(least server)" "$(least server_plain)"
compare "fleets moving at every request" "$(least server_recording)" "$(least server_unrecorded)"
