#!/usr/bin/env bash
# harness_test.sh WINE_PROBE.exe
# Checks the Wine harness from the outside: exit codes pass through, a crash
# ends the program without a dialog, a session keeps its files inside its
# own prefix and leaves nothing behind.
set -uo pipefail

probe="$1"
scripts="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../scripts" && pwd)"
state="$(mktemp -d)"
trap 'rm -rf -- "$state"' EXIT
failures=0

check() {
  local what="$1"
  shift
  if "$@"; then
    echo "ok: $what"
  else
    echo "FAILED: $what"
    failures=$((failures + 1))
  fi
}

# One fresh session: note what it set up, then run the probe in it.
"$scripts/wine-session.sh" bash -c '
  echo "$WINEPREFIX" >"$1/prefix"
  echo "${DISPLAY#:}" >"$1/display"
  desktop="$WINEPREFIX/drive_c/users/$(id -un)/Desktop"
  [ -d "$desktop" ] && [ ! -L "$desktop" ] && touch "$1/desktop-inside"
  grep -q "\"ShowCrashDialog\"=dword:00000000" "$WINEPREFIX/user.reg" && touch "$1/no-crash-dialog"
  "$2/wine-exec.sh" "$3" exit 7
' harness "$state" "$scripts" "$probe"
session_rc=$?

check "the session returns its command's exit code" test "$session_rc" -eq 7
check "the session uses a prefix of its own" test -n "$(cat "$state/prefix")"
check "the session's prefix is removed afterwards" test ! -e "$(cat "$state/prefix")"
check "the session's display is stopped afterwards" \
  test ! -e "/tmp/.X11-unix/X$(cat "$state/display")"
check "the user's Desktop is a folder inside the prefix" test -e "$state/desktop-inside"
check "crash dialogs are off" test -e "$state/no-crash-dialog"

# Outside any session the emulator makes one of its own.
env -u TIDEMARK_WINE_SESSION "$scripts/wine-exec.sh" "$probe" exit 3
check "the emulator alone returns the exit code" test "$?" -eq 3

# Inside the session running this test: a crash ends the program at once
# with the access violation's code (0xC0000005, of which Unix keeps the low
# byte), every time; an automatic debugger would sometimes report 0.
crash_codes=""
for attempt in 1 2 3; do
  timeout 60 "$scripts/wine-exec.sh" "$probe" crash >/dev/null 2>&1
  crash_codes+=" $?"
done
check "a crash ends the program with its exception code (exit codes:$crash_codes)" \
  test "$crash_codes" = " 5 5 5"

exit $((failures > 0))
