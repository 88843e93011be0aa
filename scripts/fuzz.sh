#!/usr/bin/env bash
# Builds every libFuzzer target (fuzz/<area>/) with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/ (or the build folder BUILD names) and runs each for SECONDS (default 30) on its
# seed corpus, as many at a time as there are processors (a fuzzer uses one). Exits 0 without
# doing anything when clang is not installed; exits 1 when a fuzzer finds a crash, a leak or
# undefined behaviour (the reproducer is in the build folder).
# Usage: fuzz.sh [SECONDS] [BUILD]
set -euo pipefail
seconds=${1:-30}
root=$(cd "$(dirname "$0")/.." && pwd)
if ! command -v clang++ >/dev/null 2>&1 || ! command -v clang >/dev/null 2>&1; then
  echo "fuzz: clang not installed, skipped"
  exit 0
fi
# With a second argument the fuzzers come from that build folder, configured already with clang,
# the sanitizers and -fsanitize=fuzzer-no-link (the test command's instrumented build); else
# from build-fuzz/, configured here.
build=${2:-"$root/build-fuzz"}
if [ -z "${2:-}" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DQZ_BUILD_TESTS=OFF -DQZ_BUILD_BENCH=OFF -DQZ_SANITIZE=ON \
    -DCMAKE_C_FLAGS="-fsanitize=fuzzer-no-link -fno-sanitize-recover=undefined" \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link -fno-sanitize-recover=undefined" >/dev/null
fi
# Build-time tools run under the sanitizers too; their few unreleased bytes at exit are no finding.
ASAN_OPTIONS=detect_leaks=0 cmake --build "$build" -j2 --target qz_fuzzers >/dev/null

# fuzz NAME BINARY SEEDER SEEDS: seeds the corpus, runs the fuzzer and leaves its verdict in
# NAME.result ("ok" and the number of inputs, or "found") for the report below.
fuzz() {
  local name=$1 binary=$2 seeder=$3 seeds=$4
  local corpus="$build/corpus/$name" log="$build/$name.log" runs
  mkdir -p "$corpus"
  [ -z "$seeder" ] || "$seeder" "$name" "$corpus"
  [ -z "$seeds" ] || cp -r "$seeds"/. "$corpus"/
  if (cd "$build" && "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 "$corpus" >"$log" 2>&1); then
    runs=$(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$' || echo '?')
    echo "ok $runs" >"$build/$name.result"
  else
    echo found >"$build/$name.result"
  fi
}

parallel=$(nproc)
names=()
running=0
while IFS='|' read -r name binary seeder seeds; do
  [ -n "$name" ] || continue
  names+=("$name")
  rm -f "$build/$name.result"
  fuzz "$name" "$binary" "$seeder" "$seeds" &
  running=$((running + 1))
  if [ "$running" -ge "$parallel" ]; then
    wait -n || true
    running=$((running - 1))
  fi
done <"$build/fuzzers.txt"
wait

failed=0
for name in "${names[@]}"; do
  verdict=lost
  [ ! -f "$build/$name.result" ] || read -r verdict runs <"$build/$name.result"
  if [ "$verdict" = ok ]; then
    echo "fuzz: $name ran $runs inputs in ${seconds}s, no findings"
  elif [ "$verdict" = lost ]; then
    echo "fuzz: $name did not run: its seeds could not be made"
    failed=1
  else
    echo "fuzz: $name FOUND A PROBLEM, log follows"
    tail -n 60 "$build/$name.log"
    failed=1
  fi
done
exit $failed
