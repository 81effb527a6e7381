#!/usr/bin/env bash
# with-locked-file.sh PATH SOURCE CMD [ARG...]
#
# Runs CMD inside a Wine session (scripts/wine-session.sh) with a copy of
# SOURCE at PATH below the prefix's drive C (a Unix path such as
# "Program Files/App/app.exe") that nobody may write: Windows programs see
# it with the read-only attribute, and, since Wine run as root writes any
# file whatever its mode, it is made immutable too, as unwritable as
# Windows keeps a read-only file. The file is made writable again when CMD
# ends, however it ends, so that the prefix can be removed; CMD's exit code
# is returned.
#
# When the file system cannot make files immutable, CMD does not run: a
# line starting with "SKIPPED:" gives the reason and the exit code is 77.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/child_command.sh"

if [ "$#" -lt 3 ]; then
  echo "usage: $0 PATH SOURCE CMD [ARG...]" >&2
  exit 2
fi
if [ -z "${TIDEMARK_WINE_SESSION:-}" ] || [ ! -d "${WINEPREFIX:-}/drive_c" ]; then
  echo "with-locked-file: run me inside scripts/wine-session.sh" >&2
  exit 2
fi
locked="$WINEPREFIX/drive_c/$1"
source_file="$2"
shift 2

immutable=0
cleanup() {
  [ "$immutable" -eq 1 ] && chattr -i -- "$locked" 2>/dev/null || true
}

trap cleanup EXIT

mkdir -p -- "$(dirname -- "$locked")"
cp -- "$source_file" "$locked"
chmod a-w -- "$locked"
if ! reason="$(chattr +i -- "$locked" 2>&1)"; then
  reason="${reason//$'\n'/ }"
  echo "SKIPPED: cannot make $1 immutable (${reason:-chattr failed}); this needs root and a file system with the immutable flag" >&2
  exit 77
fi
immutable=1

run_child "$@"
