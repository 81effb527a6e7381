# Sourced by the scripts that prepare something around a command and must
# undo it however the command ends (their EXIT trap does the undoing).
#
# run_child CMD [ARG...]: runs CMD in the background, so that a signal to the
# script is handled at once; INT, TERM and HUP are passed on to CMD, which
# is waited for, and the script then exits with the signal's code. Exits the
# script with CMD's exit code otherwise.
child_pid=""

stop_child() {
  trap - INT TERM HUP
  if [ -n "$child_pid" ]; then
    kill -TERM "$child_pid" 2>/dev/null || true
    wait "$child_pid" 2>/dev/null || true
  fi
  exit "$1"
}

run_child() {
  trap 'stop_child 130' INT
  trap 'stop_child 143' TERM
  trap 'stop_child 129' HUP
  local rc
  set +e
  "$@" <&0 &
  child_pid=$!
  wait "$child_pid"
  rc=$?
  child_pid=""
  set -e
  exit "$rc"
}
