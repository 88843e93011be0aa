#!/usr/bin/env bash
# Installs what is missing, builds, runs the whole test suite, then a short run of every fuzzer
# (when clang is installed). Fails when the build changed a tracked file.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
(cd "$root/build" && ctest --output-on-failure -j2)
bash "$root/scripts/fuzz.sh" 30
if [ -d "$root/.git" ] && [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
  echo "The build changed tracked files:" >&2
  git -C "$root" status --short --untracked-files=no >&2
  exit 1
fi
