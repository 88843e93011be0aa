#!/usr/bin/env bash
# The game for 64-bit Windows 10 and later, cross-built on Debian 12 and tested under Wine.
#   bash scripts/windows.sh           installs the packages (scripts/packages-windows.txt),
#                                     builds the libraries once and the game into build-windows/
#   bash scripts/windows.sh test      the same, then the Windows tests under Wine
#   bash scripts/windows.sh package   the same, then build-windows/qz-<version>-setup.exe and
#                                     build-windows/qz-<version>-windows-x64.zip
#   bash scripts/windows.sh e2e       the same as package, then the game end to end under Wine
#                                     and a virtual X server (scripts/windows-e2e.sh)
#   bash scripts/windows.sh all       test, then e2e: what the test command's windows phase runs
# The libraries come from Debian's source packages at the versions Debian ships, built by
# scripts/windows-libs.sh into $QZ_WINDOWS_LIBS/<key> (default ~/.cache/qz-windows), where <key>
# names those versions and that script: a later run with the same versions reuses them.
# The pictures, sounds and the font come from the native build in build/ (made when missing).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build-windows"
what=${1:-build}
case "$what" in build | test | package | e2e | all) ;; *)
  echo "usage: $0 [build|test|package|e2e|all]" >&2
  exit 2
  ;;
esac

# Exit code 3: what the build needs cannot be had on this machine (packages, source packages).
bash "$root/scripts/setup.sh" windows || exit 3

# The source packages come from the Debian archive the machine already installs from: its
# entries again as deb-src, in files of their own (one per format of apt's source lists).
add_deb_src() {
  local stanzas=/etc/apt/sources.list.d/qz-deb-src.sources lines=/etc/apt/sources.list.d/qz-deb-src.list
  local want_stanzas want_lines f
  want_stanzas=$(for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] && [ "$f" != "$stanzas" ] || continue
    awk 'BEGIN { RS = ""; ORS = "\n\n" }
      /(^|\n)Types:[^\n]*deb/ && /(^|\n)URIs:[^\n]*debian/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$f"
  done)
  want_lines=$(for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -e "$f" ] && [ "$f" != "$lines" ] || continue
    sed -n 's/^deb \(.*debian.*\)$/deb-src \1/p' "$f"
  done)
  if [ -z "$want_stanzas$want_lines" ]; then
    echo "No Debian archive among the machine's package sources: cannot fetch source packages" >&2
    exit 3
  fi
  if [ "$(cat "$stanzas" 2>/dev/null)" = "$want_stanzas" ] && [ "$(cat "$lines" 2>/dev/null)" = "$want_lines" ] &&
    apt-cache showsrc --only-source zlib 2>/dev/null | grep '^Version:' >/dev/null; then
    return
  fi
  if [ "$(id -u)" -ne 0 ]; then
    echo "Debian's source packages are needed: as root, add deb-src entries and run apt-get update" >&2
    exit 3
  fi
  rm -f "$stanzas" "$lines"
  [ -z "$want_stanzas" ] || printf '%s\n' "$want_stanzas" >"$stanzas"
  [ -z "$want_lines" ] || printf '%s\n' "$want_lines" >"$lines"
  apt-get update -q >/dev/null || exit 3
}

# Source package -> the folder name windows-libs.sh knows it by is the package's own name.
sources=(zlib libpng1.6 libsdl2 libsdl2-mixer sqlite3 libsodium googletest)

# The versions of a source package the archive offers, newest first in Debian's order.
versions() {
  local all t i j
  mapfile -t all < <(apt-cache showsrc --only-source "$1" | awk '/^Version:/ { print $2 }' | sort -u)
  for ((i = 0; i < ${#all[@]}; i++)); do
    for ((j = i + 1; j < ${#all[@]}; j++)); do
      if dpkg --compare-versions "${all[j]}" gt "${all[i]}"; then
        t=${all[i]} all[i]=${all[j]} all[j]=$t
      fi
    done
  done
  [ ${#all[@]} -eq 0 ] || printf '%s\n' "${all[@]}"
}

libs_base=${QZ_WINDOWS_LIBS:-${XDG_CACHE_HOME:-$HOME/.cache}/qz-windows}
add_deb_src
chosen=()
for p in "${sources[@]}"; do chosen+=("$p=$(versions "$p" | sed -n 1p)"); done
key=$( (printf '%s\n' "${chosen[@]}" "$(x86_64-w64-mingw32-g++-posix --version | sed -n 1p)" \
  "$(dpkg-query -W -f='${Version}' libboost-dev)" "$(dpkg -S /usr/include/boost/version.hpp | cut -d: -f1 |
    xargs dpkg-query -W -f='${source:Version}')"; cat "$root/scripts/windows-libs.sh" \
  "$root/packaging/windows/toolchain.cmake") | sha256sum | cut -c1-16)
prefix="$libs_base/$key"
if [ ! -e "$prefix/.complete" ]; then
  echo "Building the Windows libraries from Debian's sources into $prefix"
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/src"
  for p in "${sources[@]}"; do
    got=
    # The newest version first; an archive that lists a version but no longer serves its
    # files (a security update's sources) leaves the next one.
    for v in $(versions "$p"); do
      if (cd "$work" && apt-get source -qq "$p=$v" >/dev/null 2>&1); then
        got=$v
        break
      fi
    done
    if [ -z "$got" ]; then
      echo "Cannot fetch the source package $p" >&2
      exit 3
    fi
    dir=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name "$p-*" | sed -n 1p)
    mv "$dir" "$work/src/$p"
    echo "  $p $got"
  done
  rm -rf "$prefix"
  bash "$root/scripts/windows-libs.sh" "$prefix" "$work/src"
  touch "$prefix/.complete"
  rm -rf "$work"
  trap - EXIT
fi

# The native pieces: the font generator and the generated pictures and sounds, and for the
# tests the Linux server tests, which drive qz-server.exe under Wine.
native=(qz_make_font qz_assets)
case "$what" in test | all) native+=(qz_server_http_tests) ;; esac
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build" -j2 --target "${native[@]}" >/dev/null

export QZ_WINDOWS_PREFIX=$prefix
# Libraries of other versions: the configuration found those, so it starts anew.
if [ "$(cat "$out/libraries" 2>/dev/null)" != "$prefix" ]; then
  rm -f "$out/CMakeCache.txt"
  mkdir -p "$out"
  echo "$prefix" >"$out/libraries"
fi
export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig" PKG_CONFIG_PATH=
cmake -S "$root" -B "$out" -DCMAKE_TOOLCHAIN_FILE="$root/packaging/windows/toolchain.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$prefix" -DQZ_BUILD_BENCH=OFF \
  -DQZ_ASSETS_FROM="$root/build/bin" -DQZ_MAKE_FONT="$root/build/platform/qz_make_font" >/dev/null
cmake --build "$out" -j2

case "$what" in test | all) bash "$root/scripts/windows-test.sh" "$out" "$root/build/bin" ;; esac
# The end-to-end run installs and uninstalls the installer, so it is built first.
case "$what" in package | e2e | all) bash "$root/scripts/windows-package.sh" "$out" ;; esac
case "$what" in e2e | all) bash "$root/scripts/windows-e2e.sh" "$out" "$root/build/bin" ;; esac
