#!/usr/bin/env bash
# with-dpi.sh DPI CMD [ARG...]
#
# Runs CMD inside a Wine session (scripts/wine-session.sh) whose screen has
# DPI pixels per inch (96 is 100 %, 144 is 150 %). Wine takes the value from
# the user's "LogPixels" under Control Panel\Desktop when a program starts,
# and older versions from the current hardware profile's Software\Fonts;
# both are written, so every program started afterwards draws at DPI. The
# session's prefix is its own copy and is thrown away with it. CMD's exit
# code is returned.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/child_command.sh"

if [ "$#" -lt 2 ] || ! [[ "$1" =~ ^[0-9]+$ ]]; then
  echo "usage: $0 DPI CMD [ARG...]" >&2
  exit 2
fi
if [ -z "${TIDEMARK_WINE_SESSION:-}" ] || [ ! -d "${WINEPREFIX:-}/drive_c" ]; then
  echo "with-dpi: run me inside scripts/wine-session.sh" >&2
  exit 2
fi
dpi="$1"
shift

for key in 'HKCU\Control Panel\Desktop' \
  'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
  wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
done

run_child "$@"
