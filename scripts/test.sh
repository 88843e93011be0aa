#!/usr/bin/env bash
# Installs what is missing, builds, runs the whole test suite, runs it once more built with
# AddressSanitizer and UndefinedBehaviorSanitizer, then a short run of every fuzzer (when clang
# is installed). A test that fails is run once more before it counts: a few tests time real
# round trips and can miss on a machine busy with the parallel run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
(cd "$root/build" && ctest --output-on-failure -j2 --repeat until-pass:2)

cmake -S "$root" -B "$root/build-asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQZ_SANITIZE=ON -DQZ_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build-asan" -j2 >/dev/null
(cd "$root/build-asan" && ctest --output-on-failure -j2 --repeat until-pass:2)

bash "$root/scripts/fuzz.sh" 30
