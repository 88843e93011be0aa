#!/usr/bin/env bash
# The Windows build's qz-server.exe under Wine in the place of the Linux qz-server: the Linux
# server tests start it when QZ_TEST_SERVER names this script (scripts/windows-test.sh does so).
# Absolute paths among the arguments become paths on Wine's drive Z:, which is the whole file
# system. QZ_WINDOWS_SERVER names the qz-server.exe; WINEPREFIX and the rest come from the caller.
args=()
for a in "$@"; do
  case "$a" in /*) a="Z:${a//\//\\}" ;; esac
  args+=("$a")
done
exec wine64 "$QZ_WINDOWS_SERVER" "${args[@]}"
