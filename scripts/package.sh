#!/usr/bin/env bash
# Builds the Debian packages qz (the game with its server program), qz-data (its pictures and
# sounds) and qz-server (the public service) into build-package/ and checks them with lintian. The build uses Debian's hardening flags and installs under /usr.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build-package"
bash "$root/scripts/setup.sh" tools
# Every hardening feature; CMake does not read CPPFLAGS, so the preprocessor's (fortify) go
# along with the compiler flags.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
eval "$(dpkg-buildflags --export=sh)"
cmake -S "$root" -B "$out" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_C_FLAGS="$CPPFLAGS $CFLAGS" -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" \
  -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" -DCMAKE_STRIP="$root/packaging/debian/strip" \
  -DQZ_BUILD_TESTS=OFF -DQZ_BUILD_BENCH=OFF >/dev/null
cmake --build "$out" -j2
rm -f "$out"/*.deb
(cd "$out" && cpack -G DEB >/dev/null)
for deb in "$out"/*.deb; do
  echo "== $(basename "$deb")"
  lintian --tag-display-limit 0 "$deb" || true
done
# lintian's exit code also counts warnings; only errors fail the packaging.
if lintian "$out"/*.deb | grep -q '^E:'; then
  echo "lintian reports errors" >&2
  exit 1
fi
ls -l "$out"/*.deb
