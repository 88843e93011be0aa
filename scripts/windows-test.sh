#!/usr/bin/env bash
# Runs the Windows test programs of a cross build under Wine, without a display, two at a
# time, each in a folder of its own; a failing program runs its failed tests once more before
# they count, as the Linux suite does. Then the server's protocol over HTTP: the Linux server
# tests (LINUX-BIN-FOLDER/qz_server_http_tests) with qz-server.exe under Wine in the Linux
# server's place. Ends with "windows: N passed, M failed".
#   windows-test.sh BUILD-FOLDER [LINUX-BIN-FOLDER]
# The Wine prefix lives in BUILD-FOLDER/wine and is made on the first run. Only failed tests
# fail the run: a program that Wine could not start at all is reported, with Wine's output.
set -euo pipefail
out=$(cd "$1" && pwd)
linux=${2:+$(cd "$2" && pwd)}
# Debian installs Wine's programs beside its libraries.
export PATH="/usr/lib/wine:$PATH"
export WINEPREFIX="$out/wine" WINEDEBUG=-all WINEARCH=win64
# No Mono and no Gecko: nothing here needs .NET or a browser, and asking for them would wait
# for a dialogue nobody answers.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
if [ ! -e "$WINEPREFIX/system.reg" ]; then
  wine64 wineboot --init >/dev/null 2>&1 || true
fi
# One Wine server for the whole run instead of one per program; ended with the run.
wineserver -p 2>/dev/null || true
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

runs=$(mktemp -d)
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$runs"' EXIT

# run NAME [FILTER]: one program in its own folder; its output in $runs/NAME.out.
run() {
  local name=$1 filter=${2:-*}
  mkdir -p "$runs/$name.dir"
  (cd "$runs/$name.dir" && timeout 600 wine64 "$out/bin/$name.exe" --gtest_brief=1 "--gtest_filter=$filter" \
    >"$runs/$name.out" 2>&1) || true
}
export -f run
export out runs

mapfile -t programs <"$out/windows-tests.txt"
printf '%s\n' "${programs[@]}" | xargs -P 2 -I{} bash -c 'run {}'

passed=0 failed=0 broken=0
for name in "${programs[@]}"; do
  count() { sed -n "s/^\[  $1  \] \([0-9]*\) tests\?.*/\1/p" "$runs/$name.out" | sed -n 1p; }
  if ! grep -q '^\[==========\] .* ran\.' "$runs/$name.out"; then
    echo "== $name did not run under Wine:"
    tail -n 20 "$runs/$name.out"
    broken=$((broken + 1))
    continue
  fi
  p=$(count PASSED) f=$(count FAILED)
  if [ -n "$f" ] && [ "$f" -gt 0 ]; then
    mapfile -t again < <(sed -n 's/^\[  FAILED  \] \([A-Za-z0-9_]*\.[A-Za-z0-9_/]*\).*/\1/p' "$runs/$name.out" | sort -u)
    echo "== $name: ${#again[@]} failed, once more: ${again[*]}"
    run "$name" "$(IFS=:; echo "${again[*]}")"
    f2=$(count FAILED)
    [ -n "$f2" ] || f2=0
    if [ "$f2" -gt 0 ]; then cat "$runs/$name.out"; fi
    p=$((${p:-0} + f - f2)) f=$f2
  fi
  echo "$name: ${p:-0} passed, ${f:-0} failed"
  passed=$((passed + ${p:-0})) failed=$((failed + ${f:-0}))
done
# The protocol tests that need neither PostgreSQL nor what Windows lacks: descriptor limits,
# the proxies, the processor time read from /proc, several instances on one port, and a stop
# by SIGTERM, which Wine answers by ending the process at once (the restart test checks that
# the server stopped cleanly).
protocol='ServerCommands.*:ClosedRegistration.*:DebugLog.*:ServerGame.*:ServerLobby.*:ServerBadInput.*:ServerReadTimeout.*:ServerIdentity.*:PrivateServer.*'
protocol+='-ServerGame.ARestartedServerContinuesTheGameExactly'
if [ -n "$linux" ] && [ -x "$linux/qz_server_http_tests" ]; then
  export QZ_TEST_SERVER="$(cd "$(dirname "$0")" && pwd)/windows-server.sh" QZ_WINDOWS_SERVER="$out/bin/qz-server.exe"
  mkdir -p "$runs/protocol.dir"
  first=$( (cd "$runs/protocol.dir" && timeout 600 "$linux/qz_server_http_tests" --gtest_brief=1 "--gtest_filter=$protocol" 2>&1) || true)
  echo "$first" >"$runs/protocol.out"
  p=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?.*/\1/p' "$runs/protocol.out" | sed -n 1p)
  mapfile -t again < <(sed -n 's/^\[  FAILED  \] \([A-Za-z0-9_]*\.[A-Za-z0-9_/]*\).*/\1/p' "$runs/protocol.out" | sort -u)
  f=0
  if [ ${#again[@]} -gt 0 ]; then
    echo "== protocol tests with qz-server.exe: ${#again[@]} failed, once more: ${again[*]}"
    (cd "$runs/protocol.dir" && timeout 600 "$linux/qz_server_http_tests" --gtest_brief=1 \
      "--gtest_filter=$(IFS=:; echo "${again[*]}")" >"$runs/protocol.again" 2>&1) || true
    f=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\?.*/\1/p' "$runs/protocol.again" | sed -n 1p)
    [ -n "$f" ] || f=0
    [ "$f" -eq 0 ] || cat "$runs/protocol.again"
    p=$((${p:-0} + ${#again[@]} - f))
  fi
  if [ -z "$p" ] && [ "$f" -eq 0 ]; then
    echo "== the protocol tests did not run:"
    tail -n 20 "$runs/protocol.out"
    broken=$((broken + 1))
  else
    echo "qz-server.exe protocol: ${p:-0} passed, $f failed"
    passed=$((passed + ${p:-0})) failed=$((failed + f))
  fi
else
  echo "windows: no Linux qz_server_http_tests beside it, qz-server.exe's protocol tests not run"
fi
[ "$broken" -eq 0 ] || echo "windows: $broken test programs could not run under Wine (not counted)"
echo "windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
