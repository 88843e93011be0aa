#!/usr/bin/env bash
# Load benchmark of qz-server: wrk posts a realistic four-player "spiel" request (200 ships
# per player) over loopback, a new connection per request, first to qz-server and then to
# nginx serving a static reply of the same size. Prints requests per second, p99 latency
# and the ratio. Not part of the test command. Usage: load.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
seconds=${2:-10}
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
  for _ in $(seq 1 100); do
    (echo > "/dev/tcp/127.0.0.1/$1") 2>/dev/null && return 0
    sleep 0.05
  done
  echo "nothing listens on port $1" >&2
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

run_wrk() {
  wrk -t1 -c"$connections" -d"${seconds}s" --latency -s "$work/$1.lua" "http://127.0.0.1:$2" > "$work/$1.out"
  awk '/Requests\/sec/ {print $2}' "$work/$1.out" > "$work/$1.rps"
  awk '$1 == "99%" {print $2}' "$work/$1.out" > "$work/$1.p99"
  grep -E "Non-2xx|Socket errors" "$work/$1.out" || true
}

server_port=$(free_port)
"$bin/qz-server" --bind 127.0.0.1 --port "$server_port" --db "$work/load.db" --hash-cost minimum \
  --log-level warn 2>"$work/server.log" &
server_pid=$!
wait_listening "$server_port"
session=$("$bin/qz_server_load_prepare" "$server_port" "$work/body.txt" "$work/reply.txt")
write_script server "/games/qz/datenabfrage.php?PHPSESSID=$session"
echo "request body $(wc -c < "$work/body.txt") bytes, reply $(wc -c < "$work/reply.txt") bytes"
run_wrk server "$server_port"
kill "$server_pid"; wait "$server_pid" 2>/dev/null || true; server_pid=""

nginx_port=$(free_port)
mkdir -p "$work/www/games/qz" "$work/nginx"
cp "$work/reply.txt" "$work/www/reply.txt"
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
write_script nginx "/games/qz/datenabfrage.php?PHPSESSID=$session"
if ! curl -s -X POST --data-binary "@$work/body.txt" "http://127.0.0.1:$nginx_port/games/qz/datenabfrage.php" | cmp -s - "$work/reply.txt"; then
  echo "nginx does not serve the reference reply" >&2
  exit 1
fi
run_wrk nginx "$nginx_port"

server_rps=$(cat "$work/server.rps"); nginx_rps=$(cat "$work/nginx.rps")
echo "qz-server: $server_rps requests/s, p99 $(cat "$work/server.p99")"
echo "nginx:     $nginx_rps requests/s, p99 $(cat "$work/nginx.p99")"
awk -v s="$server_rps" -v n="$nginx_rps" 'BEGIN { printf "qz-server / nginx: %.2fx\n", s / n }'
