# Shared by the server load benchmarks (sourced): their arguments, free ports, waiting for a
# listener, wrk rounds that keep the best requests per second, and CPU time per request.

# load_arguments [BUILD_DIR] [SECONDS] [ROUNDS]: sets build, bin, seconds, rounds and
# connections, and stops when wrk, nginx or the programs to drive are missing.
load_arguments() {
  build=${1:-$root/build}
  seconds=${2:-10}
  rounds=${3:-3}
  connections=${QZ_LOAD_CONNECTIONS:-32}
  bin=$build/bin
  local tool
  for tool in wrk nginx; do
    command -v "$tool" >/dev/null || { echo "missing $tool (scripts/setup.sh tools installs it)" >&2; exit 1; }
  done
  [ -x "$bin/qz-server" ] && [ -x "$bin/qz_server_load_prepare" ] || { echo "build qz-server and qz_server_load_prepare first" >&2; exit 1; }
}

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

# require_game_reply FILE: stops unless FILE holds a game reply; a refused request would be
# measured as a quick error reply.
require_game_reply() {
  grep -q '^CODE:#BES-' "$1" || { echo "the prepared request is refused: $(head -c 200 "$1")" >&2; exit 1; }
}

# write_script NAME PATH: wrk's Lua script that POSTs the body file to PATH and asks the
# server to close after each reply.
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

# write_motion_script NAME PATH: as write_script, but the requests take body.txt and moved.txt
# in turn, so that every one changes the ships the server holds.
write_motion_script() {
  cat > "$work/$1.lua" <<LUA
local function read(name)
  local f = io.open(name, "rb")
  local body = f:read("*a")
  f:close()
  return body
end
local bodies = { read("$work/body.txt"), read("$work/moved.txt") }
local sent = 0
wrk.method = "POST"
wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
wrk.headers["Connection"] = "close"
request = function()
  sent = sent + 1
  return wrk.format("POST", "$2", nil, bodies[sent % 2 + 1])
end
LUA
}

# CPU ticks (user + system) of the given processes.
cpu_ticks() {
  local total=0 pid
  for pid in "$@"; do total=$((total + $(awk '{print $14 + $15}' "/proc/$pid/stat"))); done
  echo "$total"
}

# run_wrk NAME PORT PID...: one round; keeps the best requests per second of NAME in
# $work/NAME.best as "rps p99 cpu-us-per-request", and adds the round's CPU time per
# request to $work/NAME.cpu.
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
  echo "$(( (after - before) * 1000000 / $(getconf CLK_TCK) / requests ))" >> "$work/$name.cpu"
  if [ ! -f "$work/$name.best" ] || awk -v a="$rps" -v b="$(cut -d' ' -f1 "$work/$name.best")" 'BEGIN { exit !(a > b) }'; then
    echo "$rps $(awk '$1 == "99%" {print $2}' "$work/$name.out") $(( (after - before) * 1000000 / $(getconf CLK_TCK) / requests ))" > "$work/$name.best"
  fi
}

# nginx_common [WORKERS]: the top of an nginx configuration that keeps its files in $work,
# up to the open "http {" block.
nginx_common() {
  mkdir -p "$work/nginx"
  cat <<CONF
daemon off;
worker_processes ${1:-2};
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
CONF
}
