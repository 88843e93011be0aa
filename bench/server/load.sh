#!/usr/bin/env bash
# Load benchmark of qz-server: wrk posts a realistic four-player "spiel" request (200 ships
# per player) over loopback, a new connection per request, first to qz-server and then to
# nginx serving a static reply of the same size. Prints requests per second, p99 latency
# and the ratio, and each server's CPU time per request. The two take turns for ROUNDS rounds
# and the best round of each counts, so a busy machine disturbs both alike. Not part of the
# test command. Usage: load.sh [BUILD_DIR] [SECONDS] [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
seconds=${2:-10}
rounds=${3:-3}
connections=${QZ_LOAD_CONNECTIONS:-32}
bin=$build/bin
for tool in wrk nginx; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/setup.sh installs it)" >&2; exit 1; }
done
[ -x "$bin/qz-server" ] && [ -x "$bin/qz_server_load_prepare" ] || { echo "build qz-server and qz_server_load_prepare first" >&2; exit 1; }

work=$(mktemp -d)
server_pid=""
nginx_pid=""
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null || true
  [ -n "$nginx_pid" ] && kill "$nginx_pid" 2>/dev/null && wait "$nginx_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

free_port() {
  local port
  while :; do
    port=$(( (RANDOM % 20000) + 30000 ))
    (echo > "/dev/tcp/127.0.0.1/$port") 2>/dev/null || { echo "$port"; return; }
  done
}

wait_listening() {
  for _ in $(seq 1 400); do
    (echo > "/dev/tcp/127.0.0.1/$1") 2>/dev/null && return 0
    sleep 0.05
  done
  echo "nothing listens on port $1" >&2
  cat "$work"/*.log "$work"/nginx/*.log 2>/dev/null >&2
  exit 1
}

# wrk's Lua script: POST the body file, ask the server to close after each reply.
write_script() {
  cat > "$work/$1.lua" <<LUA
local f = io.open("$work/body.txt", "rb")
wrk.method = "POST"
wrk.path = "$2"
wrk.body = f:read("*a")
f:close()
wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
wrk.headers["Connection"] = "close"
LUA
}

# CPU ticks (user + system) of the given processes.
cpu_ticks() {
  local total=0 pid
  for pid in "$@"; do total=$((total + $(awk '{print $14 + $15}' "/proc/$pid/stat"))); done
  echo "$total"
}

# run_wrk NAME PORT PID...: one round; keeps the best requests per second of NAME.
run_wrk() {
  local name=$1 port=$2; shift 2
  local before after requests rps
  before=$(cpu_ticks "$@")
  wrk -t1 -c"$connections" -d"${seconds}s" --latency -s "$work/$name.lua" "http://127.0.0.1:$port" > "$work/$name.out"
  after=$(cpu_ticks "$@")
  grep -E "Non-2xx|Socket errors" "$work/$name.out" || true
  rps=$(awk '/Requests\/sec/ {print $2}' "$work/$name.out")
  requests=$(awk '/requests in/ {print $1}' "$work/$name.out")
  echo "  $name: $rps requests/s, p99 $(awk '$1 == "99%" {print $2}' "$work/$name.out")," \
       "$(( (after - before) * 1000000 / $(getconf CLK_TCK) / requests )) us CPU per request"
  if [ ! -f "$work/$name.best" ] || awk -v a="$rps" -v b="$(cut -d' ' -f1 "$work/$name.best")" 'BEGIN { exit !(a > b) }'; then
    echo "$rps $(awk '$1 == "99%" {print $2}' "$work/$name.out") $(( (after - before) * 1000000 / $(getconf CLK_TCK) / requests ))" > "$work/$name.best"
  fi
}

server_port=$(free_port)
"$bin/qz-server" --bind 127.0.0.1 --port "$server_port" --db "$work/load.db" --hash-cost minimum \
  --log-level warn 2>"$work/server.log" &
server_pid=$!
wait_listening "$server_port"
session=$("$bin/qz_server_load_prepare" "$server_port" "$work/body.txt" "$work/reply.txt")
write_script server "/games/qz/datenabfrage.php?PHPSESSID=$session"
echo "request body $(wc -c < "$work/body.txt") bytes, reply $(wc -c < "$work/reply.txt") bytes"

nginx_port=$(free_port)
mkdir -p "$work/www/games/qz" "$work/nginx"
cp "$work/reply.txt" "$work/www/games/qz/datenabfrage.php"
cat > "$work/nginx.conf" <<CONF
daemon off;
worker_processes 2;
pid $work/nginx/nginx.pid;
error_log $work/nginx/error.log;
events { worker_connections 4096; }
http {
  access_log off;
  client_body_temp_path $work/nginx/body;
  proxy_temp_path $work/nginx/proxy;
  fastcgi_temp_path $work/nginx/fastcgi;
  uwsgi_temp_path $work/nginx/uwsgi;
  scgi_temp_path $work/nginx/scgi;
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
done

read -r server_rps server_p99 server_cpu < "$work/server.best"
read -r nginx_rps nginx_p99 nginx_cpu < "$work/nginx.best"
echo "best of $rounds rounds of ${seconds} s, $connections connections, a new connection per request:"
echo "qz-server: $server_rps requests/s, p99 $server_p99, $server_cpu us CPU per request"
echo "nginx:     $nginx_rps requests/s, p99 $nginx_p99, $nginx_cpu us CPU per request"
awk -v s="$server_rps" -v n="$nginx_rps" 'BEGIN { printf "qz-server / nginx: %.2fx\n", s / n }'
