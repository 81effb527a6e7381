#!/usr/bin/env bash
# with-small-drive.sh LETTER SIZE CMD [ARG...]
#
# Runs CMD inside a Wine session (scripts/wine-session.sh) with the drive
# LETTER: of the session's prefix mapped to a fresh tmpfs of SIZE (e.g. 2m),
# so that Windows programs see a disk that fills up. Wine's mount manager
# learns its drives when its server starts, so the session's server is
# restarted after the drive is mapped: use a session of its own, which
# nothing else shares meanwhile (run_case.cmake does). The drive is unmapped
# and the tmpfs unmounted when CMD ends, however it ends; CMD's exit code is
# returned.
#
# When no tmpfs can be mounted (not root, or a container without the right
# to mount), CMD does not run: a line starting with "SKIPPED:" gives the
# reason and the exit code is 77.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/child_command.sh"

if [ "$#" -lt 3 ]; then
  echo "usage: $0 LETTER SIZE CMD [ARG...]" >&2
  exit 2
fi
letter="${1,,}"
size="$2"
shift 2

if [ -z "${TIDEMARK_WINE_SESSION:-}" ] || [ ! -d "${WINEPREFIX:-}/dosdevices" ]; then
  echo "with-small-drive: run me inside scripts/wine-session.sh" >&2
  exit 2
fi
drive_link="$WINEPREFIX/dosdevices/$letter:"
if [ -e "$drive_link" ] || [ -L "$drive_link" ]; then
  echo "with-small-drive: drive $letter: is already mapped in $WINEPREFIX" >&2
  exit 2
fi

mount_dir="$(mktemp -d "${TMPDIR:-/tmp}/tidemark-drive-$letter.XXXXXX")"
mounted=0
cleanup() {
  rm -f -- "$drive_link"
  if [ "$mounted" -eq 1 ]; then
    # A program of the session may still hold a file there; detach lazily
    # then, so that the mount goes as soon as it lets go.
    umount "$mount_dir" 2>/dev/null || umount -l "$mount_dir" || true
  fi
  rmdir -- "$mount_dir" 2>/dev/null || true
}

trap cleanup EXIT

if ! reason="$(mount -t tmpfs -o "size=$size,mode=0755" tmpfs "$mount_dir" 2>&1)"; then
  reason="${reason//$'\n'/ }"
  echo "SKIPPED: cannot mount a $size tmpfs for drive ${letter^^}: (${reason:-mount failed}); this needs root and the right to mount" >&2
  exit 77
fi
mounted=1
ln -s -- "$mount_dir" "$drive_link"
WINEPREFIX="$WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
WINEPREFIX="$WINEPREFIX" wineserver -w >/dev/null 2>&1 || true
# As wine-session.sh starts it: one server for the rest of the session, and
# the background services started away from CMD's output.
wineserver -p </dev/null >/dev/null 2>&1
wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true

run_child "$@"
