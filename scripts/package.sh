#!/usr/bin/env bash
# Builds the Debian packages qz (the game) and qz-server (the server) into build-package/ and
# checks both with lintian. The build uses Debian's hardening flags and installs under /usr.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build-package"
bash "$root/scripts/setup.sh"
eval "$(dpkg-buildflags --export=sh)"
cmake -S "$root" -B "$out" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DQZ_BUILD_TESTS=OFF -DQZ_BUILD_BENCH=OFF >/dev/null
cmake --build "$out" -j2
rm -f "$out"/*.deb
(cd "$out" && cpack -G DEB >/dev/null)
for deb in "$out"/*.deb; do
  echo "== $(basename "$deb")"
  lintian --no-tag-display-limit "$deb" || true
done
# lintian's exit code also counts warnings; only errors fail the packaging.
if lintian "$out"/*.deb | grep -q '^E:'; then
  echo "lintian reports errors" >&2
  exit 1
fi
ls -l "$out"/*.deb
