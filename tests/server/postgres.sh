#!/usr/bin/env bash
# A throw-away PostgreSQL server for the server tests, on a free loopback port.
#   postgres.sh start DIR    makes the cluster on first use (initdb) and starts it; writes
#                            its address (postgresql://qz@127.0.0.1:PORT) to DIR/url
#   postgres.sh stop DIR     stops it, keeping its data (a restart follows with start)
#   postgres.sh destroy DIR  stops it and removes everything
# PostgreSQL refuses to run as root: as root the server runs as the system user postgres
# (Debian's package makes it), else as nobody.
set -euo pipefail
action=$1
dir=$2
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1 || true)
if [ -z "$bin" ] || [ ! -x "$bin/pg_ctl" ]; then
  echo "PostgreSQL is not installed (scripts/setup.sh installs the package postgresql)" >&2
  exit 1
fi

as_owner() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u "$(cat "$dir/owner")" -- "$@"
  else
    "$@"
  fi
}

free_port() {
  local port
  while :; do
    port=$(( (RANDOM % 20000) + 20000 ))
    (echo > "/dev/tcp/127.0.0.1/$port") 2>/dev/null || { echo "$port"; return; }
  done
}

start() {
  mkdir -p "$dir"
  if [ ! -f "$dir/datadir" ]; then
    local owner data
    owner=$(id -un)
    if [ "$(id -u)" -eq 0 ]; then
      owner=nobody
      id postgres >/dev/null 2>&1 && owner=postgres
    fi
    echo "$owner" > "$dir/owner"
    # The data lives under /tmp, which the unprivileged owner can reach whatever the build folder allows.
    data=$(mktemp -d /tmp/qz-postgres-XXXXXX)
    chmod 700 "$data"
    [ "$(id -u)" -eq 0 ] && chown "$(cat "$dir/owner")" "$data"
    as_owner "$bin/initdb" -D "$data" -A trust -U qz -E UTF8 --locale=C --no-sync >"$dir/initdb.log" 2>&1 || {
      cat "$dir/initdb.log" >&2; rm -rf "$data"; exit 1; }
    echo "$data" > "$dir/datadir"
  fi
  local data port attempt
  data=$(cat "$dir/datadir")
  port=$(cat "$dir/port" 2>/dev/null || free_port)
  for attempt in 1 2 3 4 5; do
    # Durability settings are off: the cluster lives only as long as the test run.
    if as_owner "$bin/pg_ctl" -D "$data" -l "$data/server.log" -w -t 60 start -o \
        "-c listen_addresses=127.0.0.1 -p $port -c unix_socket_directories=$data -c max_connections=300 -c fsync=off -c synchronous_commit=off -c full_page_writes=off" \
        >/dev/null; then
      echo "$port" > "$dir/port"
      echo "postgresql://qz@127.0.0.1:$port" > "$dir/url"
      echo "PostgreSQL $(basename "$(dirname "$bin")") runs on 127.0.0.1:$port as $(cat "$dir/owner")"
      return
    fi
    [ -f "$dir/port" ] && break  # a restart keeps its port
    port=$(free_port)
  done
  echo "PostgreSQL did not start:" >&2
  tail -n 20 "$data/server.log" >&2 || true
  exit 1
}

stop() {
  [ -f "$dir/datadir" ] || return 0
  rm -f "$dir/url"
  as_owner "$bin/pg_ctl" -D "$(cat "$dir/datadir")" -m "${1:-fast}" -w stop >/dev/null 2>&1 || true
}

case $action in
  start) start ;;
  stop) stop fast ;;
  destroy)
    stop immediate
    [ -f "$dir/datadir" ] && rm -rf "$(cat "$dir/datadir")"
    rm -rf "$dir" ;;
  *) echo "usage: postgres.sh start|stop|destroy DIR" >&2; exit 2 ;;
esac
