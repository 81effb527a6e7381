#!/usr/bin/env bash
# wine-exec.sh PROGRAM.exe [ARG...]
#
# Runs one Windows program under Wine and returns its exit code. This is the
# Windows tree's CMAKE_CROSSCOMPILING_EMULATOR. Inside a session of
# scripts/wine-session.sh it uses that session's prefix and display;
# otherwise it starts a session for this one program.
set -euo pipefail

if [ -n "${TIDEMARK_WINE_SESSION:-}" ] && [ -d "${WINEPREFIX:-}" ]; then
  export WINEDEBUG=-all
  exec wine "$@"
fi

scripts_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
exec "$scripts_dir/wine-session.sh" "$scripts_dir/wine-exec.sh" "$@"
