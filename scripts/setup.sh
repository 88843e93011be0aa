#!/usr/bin/env bash
# Installs the Debian packages listed in scripts/packages.txt that are missing, and with the
# argument "tools" also those of scripts/packages-tools.txt (benchmarks, packaging), with
# "windows" those of scripts/packages-windows.txt (the Windows build and its tests).
# As root it installs them; as any other user it names the command to run and stops.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
lists=("$here/packages.txt")
case "${1:-}" in
  tools) lists+=("$here/packages-tools.txt") ;;
  windows) lists+=("$here/packages-windows.txt") ;;
esac
wanted=$(grep -hvE '^\s*(#|$)' "${lists[@]}")
missing=()
for p in $wanted; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages; run: sudo apt-get install ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q >/dev/null
apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
