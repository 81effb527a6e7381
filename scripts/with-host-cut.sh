#!/usr/bin/env bash
# with-host-cut.sh CMD [ARG...]
#
# Runs CMD (the UI driver of an end-to-end case) and meanwhile cuts files
# short from the Linux side when it asks: the driver's command
# "host-cut PATH LENGTH" leaves a file host-cut.request ("LENGTH PATH",
# PATH relative to the current folder) and waits for host-cut.answer ("ok",
# or the reason of the failure). The cut bypasses Wine, the way a removable
# drive or a network share goes away under a program that has the file open.
# Returns CMD's exit code.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/child_command.sh"

if [ "$#" -lt 1 ]; then
  echo "usage: $0 CMD [ARG...]" >&2
  exit 2
fi

serve_cuts() {
  local length path answer
  while :; do
    if [ -f host-cut.request ]; then
      read -r length path <host-cut.request || true
      rm -f host-cut.request
      if answer="$(truncate -s "$length" -- "$path" 2>&1)"; then answer=ok; fi
      echo "$answer" >host-cut.answer.partial
      mv host-cut.answer.partial host-cut.answer
    fi
    sleep 0.05
  done
}

server_pid=""
cleanup() {
  if [ -n "$server_pid" ]; then
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
  rm -f host-cut.request host-cut.answer host-cut.answer.partial
}
trap cleanup EXIT

serve_cuts &
server_pid=$!

run_child "$@"
