#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game from its own folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
cd "$root/build/bin"
exec ./qz
