#!/usr/bin/env bash
# The Windows installer and zip of a cross build (called by scripts/windows.sh package):
# BUILD-FOLDER/qz-<version>-setup.exe (NSIS) and BUILD-FOLDER/qz-<version>-windows-x64.zip,
# both holding qz.exe, qz-bot.exe and qz-server.exe with material\, sound\ and locale\ (the
# catalogues of po/, not the test language qps) beside them.
#   windows-package.sh BUILD-FOLDER
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(cd "$1" && pwd)
version=$(sed -n 's/^QZ_PACKAGE_VERSION:STRING=//p' "$out/CMakeCache.txt")
stage="$out/stage/QZ"
rm -rf "$out/stage"
mkdir -p "$stage"
for exe in qz qz-bot qz-server; do
  x86_64-w64-mingw32-strip -o "$stage/$exe.exe" "$out/bin/$exe.exe"
done
cp -r "$out/bin/material" "$out/bin/sound" "$stage/"
mkdir -p "$stage/locale"
for po in "$root"/po/*.po; do
  code=$(basename "$po" .po)
  cp -r "$out/bin/locale/$code" "$stage/locale/"
done

zip="$out/qz-$version-windows-x64.zip"
rm -f "$zip"
(cd "$out/stage" && zip -q -r -9 "$zip" QZ)

setup="$out/qz-$version-setup.exe"
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$setup" "$root/packaging/windows/qz.nsi"
ls -l "$setup" "$zip"
