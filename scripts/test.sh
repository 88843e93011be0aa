#!/usr/bin/env bash
# Installs what is missing, builds, runs the whole test suite, then a short run of every fuzzer
# (when clang is installed).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
(cd "$root/build" && ctest --output-on-failure -j2)
bash "$root/scripts/fuzz.sh" 30
