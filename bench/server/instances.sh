#!/usr/bin/env bash
# Load benchmark of qz-server's storage engines and of several instances: wrk posts the
# realistic four-player "spiel" request (as load.sh) to one instance on SQLite, one on
# PostgreSQL, the same instance behind nginx as balancer, and two instances on one PostgreSQL
# database behind that balancer (with --trust-proxy, as in the README). The configurations
# take turns for ROUNDS rounds and the best round of each counts. Prints requests per second
# of each and the ratios: PostgreSQL to SQLite, two instances to one. Everything shares this
# machine's cores with wrk, nginx and PostgreSQL itself. Not part of the test command.
# Usage: instances.sh [BUILD_DIR] [SECONDS] [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=bench/server/load_common.sh
source "$root/bench/server/load_common.sh"
load_arguments "$@"

work=$(mktemp -d)
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true; done
  bash "$root/tests/server/postgres.sh" destroy "$work/postgres" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

bash "$root/tests/server/postgres.sh" start "$work/postgres"
postgres_url="$(cat "$work/postgres/url")/postgres"

# start_server NAME DATABASE: an instance on a free port; sets port_NAME and pid_NAME.
start_server() {
  local name=$1 port
  port=$(free_port)
  "$bin/qz-server" --bind 127.0.0.1 --port "$port" --db "$2" --hash-cost minimum --admin-listen off --log-level warn \
    --trust-proxy 127.0.0.1 2>"$work/$name.log" &
  pids+=($!)
  printf -v "pid_$name" '%s' $!
  printf -v "port_$name" '%s' "$port"
  wait_listening "$port"
}

start_server sqlite "$work/load.db"
start_server pg_a "$postgres_url"
start_server pg_b "$postgres_url"

# One game per database; the request body is the same for both.
session_sqlite=$("$bin/qz_server_load_prepare" "$port_sqlite" "$work/body.txt" "$work/reply.txt")
require_game_reply "$work/reply.txt"
session_pg=$("$bin/qz_server_load_prepare" "$port_pg_a" "$work/body.txt" "$work/reply.txt")
require_game_reply "$work/reply.txt"
path="/games/qz/datenabfrage.php?PHPSESSID"
write_script sqlite "$path=$session_sqlite"
write_script pg_one "$path=$session_pg"
write_script pg_one_balanced "$path=$session_pg"
write_script pg_two_balanced "$path=$session_pg"
echo "request body $(wc -c < "$work/body.txt") bytes, reply $(wc -c < "$work/reply.txt") bytes, $(nproc) cores"

# nginx as HTTP balancer: one port to the first instance alone, one to both.
balanced_one=$(free_port)
balanced_two=$(free_port)
{ nginx_common 1; cat <<CONF; } > "$work/nginx.conf"
  upstream one { server 127.0.0.1:$port_pg_a; }
  upstream two { server 127.0.0.1:$port_pg_a; server 127.0.0.1:$port_pg_b; }
  server {
    listen 127.0.0.1:$balanced_one;
    location / { proxy_pass http://one; proxy_set_header X-Forwarded-For \$remote_addr; }
  }
  server {
    listen 127.0.0.1:$balanced_two;
    location / { proxy_pass http://two; proxy_set_header X-Forwarded-For \$remote_addr; }
  }
}
CONF
chmod -R a+rX "$work"
nginx -c "$work/nginx.conf" 2>"$work/nginx/stderr.log" &
pids+=($!)
wait_listening "$balanced_two"

for round in $(seq 1 "$rounds"); do
  echo "round $round"
  run_wrk sqlite "$port_sqlite" "$pid_sqlite"
  run_wrk pg_one "$port_pg_a" "$pid_pg_a"
  run_wrk pg_one_balanced "$balanced_one" "$pid_pg_a"
  run_wrk pg_two_balanced "$balanced_two" "$pid_pg_a" "$pid_pg_b"
done

echo "best of $rounds rounds of ${seconds} s, $connections connections, a new connection per request:"
for name in sqlite pg_one pg_one_balanced pg_two_balanced; do
  read -r rps p99 cpu < "$work/$name.best"
  printf '%-16s %9s requests/s, p99 %s, %s us qz-server CPU per request\n' "$name:" "$rps" "$p99" "$cpu"
done
ratio() { awk -v a="$(cut -d' ' -f1 "$work/$1.best")" -v b="$(cut -d' ' -f1 "$work/$2.best")" 'BEGIN { printf "%.2f", a / b }'; }
echo "PostgreSQL / SQLite, one instance: $(ratio pg_one sqlite)x (target at least 0.8)"
echo "two instances / one, behind the balancer: $(ratio pg_two_balanced pg_one_balanced)x" \
     "(target at least 1.3 where each instance has cores of its own)"
