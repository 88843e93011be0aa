#!/usr/bin/env bash
# Installs what is missing, builds, runs the whole test suite, runs it once more built with
# AddressSanitizer and UndefinedBehaviorSanitizer, then a short run of every fuzzer (when clang
# is installed). A test that fails is run once more before it counts: a few tests time real
# round trips and can miss on a machine busy with the parallel run. When it ends, successful or
# not, it prints the wall and processor time of each phase that ran.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

timings=$(mktemp)
report() {
  local status=$?
  if [ -s "$timings" ]; then
    echo
    awk -F'|' '
      function clock(s) { return sprintf("%d:%02d", int(s / 60), int(s % 60)) }
      BEGIN { printf "%-18s %8s %10s\n", "phase", "wall", "processor" }
      { printf "%-18s %8s %10s\n", $1, clock($2), clock($3 + $4); wall += $2; cpu += $3 + $4 }
      END { printf "%-18s %8s %10s\n", "total", clock(wall), clock(cpu) }' "$timings"
  fi
  rm -f "$timings"
  exit $status
}
trap report EXIT

# phase NAME COMMAND...: runs the command and notes its wall time and the processor time of
# everything it started, in seconds.
phase() {
  local name=$1
  shift
  local TIMEFORMAT="$name|%R|%U|%S"
  local status=0
  # The failure is caught inside the group: set -e would otherwise leave before the time of the
  # failed phase reached the table.
  { time "$@" 2>&3 || status=$?; } 3>&2 2>>"$timings"
  return "$status"
}

in_folder() { (cd "$1" && shift && "$@"); }

phase packages bash "$root/scripts/setup.sh"

# Ninja keeps both processors busy across the library layers, where make waits for a library's
# last object before it starts on the next one. A build folder made earlier keeps its generator.
if command -v ninja >/dev/null 2>&1; then
  export CMAKE_GENERATOR=${CMAKE_GENERATOR:-Ninja}
fi
phase build bash "$root/scripts/build.sh"
phase tests in_folder "$root/build" ctest --output-on-failure -j2 --repeat until-pass:2

# One instrumented build serves the sanitizer tests and the fuzzers: with clang it is also built
# for libFuzzer's coverage, so the fuzzers need no build of their own. A reported undefined
# behaviour ends the program, except the dynamic-type check, which clang's runtime reports
# wrongly inside Boost.System once a process has used up its file descriptors (the test of the
# server out of descriptors does exactly that); it is reported and the run goes on, as it does
# with gcc. The build takes the pictures and sounds the plain build generated: the same
# generator would only make the same files again, many times slower.
sanitizer_options=()
if command -v clang++ >/dev/null 2>&1 && command -v clang >/dev/null 2>&1; then
  instrumented="-fsanitize=fuzzer-no-link -fno-sanitize-recover=undefined -fsanitize-recover=vptr"
  sanitizer_options=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
    "-DCMAKE_C_FLAGS=$instrumented" "-DCMAKE_CXX_FLAGS=$instrumented")
fi
phase sanitizer-build bash -c '
  root=$1
  shift
  cmake -S "$root" -B "$root/build-asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQZ_SANITIZE=ON \
    -DQZ_BUILD_BENCH=OFF -DQZ_ASSETS_FROM="$root/build/bin" "$@" >/dev/null
  cmake --build "$root/build-asan" -j2 >/dev/null' - "$root" "${sanitizer_options[@]}"
phase sanitizer-tests in_folder "$root/build-asan" ctest --output-on-failure -j2 --repeat until-pass:2

if [ ${#sanitizer_options[@]} -gt 0 ]; then
  phase fuzzers bash "$root/scripts/fuzz.sh" 30 "$root/build-asan"
else
  phase fuzzers bash "$root/scripts/fuzz.sh" 30
fi

# The Windows build, cross-compiled and tested under Wine, then packaged and played end to end
# under Wine and a virtual X server (scripts/windows.sh all). A machine that
# cannot have its packages or Debian's source packages (exit code 3) skips it with a message;
# a failed build or test fails the run.
phase windows bash -c '
  status=0
  bash "$1/scripts/windows.sh" all || status=$?
  if [ "$status" -eq 3 ]; then
    echo "windows: skipped, the packages or source packages it needs cannot be had here"
    status=0
  fi
  exit "$status"' - "$root"
