#!/usr/bin/env bash
# wine-session.sh CMD [ARG...]
#
# Runs CMD inside a Wine session of its own: a fresh copy of a pristine
# prefix, an Xvfb display of its own and a wineserver that lives as long as
# the session. Everything it started is stopped by PID when CMD ends (also on
# Ctrl-C or an error) and the prefix copy is removed; CMD's exit code is
# returned.
#
# Inside the session WINEPREFIX, DISPLAY, WINEDEBUG=-all and
# TIDEMARK_WINE_SESSION are exported; scripts/wine-exec.sh joins such a
# session instead of starting another one.
#
# State lives in $TIDEMARK_WINE_STATE (default: <repository>/build/_wine):
# pristine-<key>/ is made once (wineboot plus quiet settings), runs/ holds
# the per-session copies.
#
# TIDEMARK_WINE_PREFIX=DIR keeps the session's prefix in DIR (a pristine
# copy when DIR does not exist yet) and leaves it there afterwards, so that
# what the session installed can be looked at. TIDEMARK_WINE_DISPLAY=host
# shows the session on the caller's $DISPLAY instead of a private Xvfb.
set -euo pipefail

if [ "$#" -eq 0 ]; then
  echo "usage: $0 CMD [ARG...]" >&2
  exit 2
fi

scripts_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo_root="$(dirname "$scripts_dir")"
state_dir="${TIDEMARK_WINE_STATE:-$repo_root/build/_wine}"

# Wine must never prompt for Mono/Gecko nor write menu entries into the
# Unix home; -all keeps its diagnostics out of test output.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WINEARCH

xvfb_pid=""
run_prefix=""
cmd_pid=""

log() { echo "wine-session: $*" >&2; }

stop_session() {
  if [ -n "$run_prefix" ] && [ -d "$run_prefix" ]; then
    WINEPREFIX="$run_prefix" wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX="$run_prefix" wineserver -w >/dev/null 2>&1 || true
    [ -n "${TIDEMARK_WINE_PREFIX:-}" ] || rm -rf -- "$run_prefix"
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  xvfb_pid=""
  run_prefix=""
}

on_signal() {
  local code="$1"
  trap - INT TERM HUP
  # CMD runs in the background (so that this trap fires at once); pass the
  # request on and let it finish before the session goes away.
  if [ -n "$cmd_pid" ]; then
    kill -TERM "$cmd_pid" 2>/dev/null || true
    wait "$cmd_pid" 2>/dev/null || true
  fi
  exit "$code"
}

trap stop_session EXIT
trap 'on_signal 130' INT
trap 'on_signal 143' TERM
trap 'on_signal 129' HUP

display_in_use() {
  [ -e "/tmp/.X$1-lock" ] || [ -e "/tmp/.X11-unix/X$1" ]
}

# Starts Xvfb on a random free display in 100-999. Two sessions may pick
# the same number at once; the loser's Xvfb exits and the next try differs.
start_xvfb() {
  local attempt display waited
  for attempt in $(seq 1 20); do
    display=$((100 + RANDOM % 900))
    display_in_use "$display" && continue
    Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp -noreset \
      >/dev/null 2>&1 &
    xvfb_pid=$!
    for waited in $(seq 1 100); do
      if ! kill -0 "$xvfb_pid" 2>/dev/null; then
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
        break
      fi
      if [ -S "/tmp/.X11-unix/X$display" ]; then
        export DISPLAY=":$display"
        return 0
      fi
      sleep 0.05
    done
    if [ -n "$xvfb_pid" ]; then
      kill "$xvfb_pid" 2>/dev/null || true
      wait "$xvfb_pid" 2>/dev/null || true
      xvfb_pid=""
    fi
  done
  log "could not start Xvfb"
  return 1
}

# Settings that keep unattended runs quiet and their results true: a crash
# ends the program at once with the exception's code (no dialog and no
# automatic debugger, which may end the program with exit code 0), no
# hard-error boxes, no audio probing, no menu entries in the Unix home.
quiet_settings='REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]
"Auto"="1"
"Debugger"=""

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Windows]
"ErrorMode"=dword:00000002

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"=""

[HKEY_CURRENT_USER\Software\Wine\DllOverrides]
"winemenubuilder.exe"=""
"mscoree"=""
"mshtml"=""
'

# A pristine prefix belongs to one Wine version and one set of settings;
# when either changes a new one is made beside the old.
pristine_key="$( { wine --version 2>/dev/null; echo "$quiet_settings"; } | sha1sum | cut -c1-12)"
pristine="$state_dir/pristine-$pristine_key"

write_quiet_settings() {
  local reg_file="$1/quiet.reg"
  printf '%s' "$quiet_settings" >"$reg_file"
  WINEPREFIX="$1" wine regedit /S 'Z:'"${reg_file//\//\\}" >/dev/null 2>&1
  rm -f -- "$reg_file"
}

# Wine links the user's Desktop, Documents, ... to the Unix home; make them
# plain folders so that nothing a program writes leaves the prefix.
detach_user_folders() {
  local link
  while IFS= read -r -d '' link; do
    rm -f -- "$link"
    mkdir -p -- "$link"
  done < <(find "$1/drive_c/users" -type l -print0)
}

make_pristine() {
  local scratch
  scratch="$(mktemp -d "$state_dir/pristine.new.XXXXXX")"
  log "creating the pristine Wine prefix (once)"
  if ! WINEPREFIX="$scratch" wineboot -i >/dev/null 2>&1; then
    log "wineboot failed"
    rm -rf -- "$scratch"
    return 1
  fi
  write_quiet_settings "$scratch"
  # Registry changes reach the disk when the server ends.
  WINEPREFIX="$scratch" wineserver -w
  detach_user_folders "$scratch"
  mv -- "$scratch" "$pristine"
}

ensure_pristine() {
  mkdir -p "$state_dir/runs"
  [ -d "$pristine" ] && return 0
  # Several sessions may start at once; one makes the prefix, the others wait.
  exec {lock_fd}>"$state_dir/pristine.lock"
  flock "$lock_fd"
  [ -d "$pristine" ] || make_pristine
  flock -u "$lock_fd"
  exec {lock_fd}>&-
}

if [ "${TIDEMARK_WINE_DISPLAY:-}" = "host" ] && [ -n "${DISPLAY:-}" ]; then
  log "using the display $DISPLAY"
else
  start_xvfb
fi
ensure_pristine
if [ -n "${TIDEMARK_WINE_PREFIX:-}" ]; then
  run_prefix="$TIDEMARK_WINE_PREFIX"
  if [ ! -d "$run_prefix" ]; then
    mkdir -p "$run_prefix"
    cp -a "$pristine/." "$run_prefix/"
  fi
else
  run_prefix="$(mktemp -d "$state_dir/runs/prefix.XXXXXX")"
  cp -a "$pristine/." "$run_prefix/"
fi

export WINEPREFIX="$run_prefix"
export TIDEMARK_WINE_SESSION="$run_prefix"
# One server for the whole session saves its start-up on every program.
wineserver -p </dev/null >/dev/null 2>&1
# The first program of a prefix starts Wine's background services, which
# keep its standard output open; start them here, away from CMD's output,
# or a caller that reads that output (ctest) would wait for them to end.
wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true

set +e
"$@" <&0 &
cmd_pid=$!
wait "$cmd_pid"
rc=$?
cmd_pid=""
set -e
exit "$rc"
