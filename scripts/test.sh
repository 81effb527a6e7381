#!/usr/bin/env bash
# The test command: bootstraps, builds the native and the Windows tree, runs
# the native tests (also built with ASan and UBSan), a short run of every
# fuzz target, then the Windows tests inside one Wine session, and ends with
# one line "N passed, N failed" over all of them. Exits non-zero when a test
# failed or something did not configure or build.
#
# Extra arguments go to both ctest runs, e.g. `scripts/test.sh -R rules`.
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/trees.sh"

passed=0
failed=0
broken=()

# run_ctest LABEL LOG CMD...: runs a ctest command, shows its output and adds
# its counts to the totals.
run_ctest() {
  local label="$1" log="$2"
  shift 2
  note "test $label"
  "$@" 2>&1 | tee "$log"
  local rc="${PIPESTATUS[0]}"
  local counts total failures
  counts="$(grep -Eo '[0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)"
  if [ -n "$counts" ]; then
    failures="${counts%% *}"
    total="${counts##* }"
    passed=$((passed + total - failures))
    failed=$((failed + failures))
  elif ! grep -q 'No tests were found' "$log"; then
    broken+=("$label tests did not run")
  fi
  [ "$rc" -eq 0 ] || [ -n "$counts" ] || broken+=("$label ctest exited with $rc")
}

# set -e is off: every step runs, failures are collected and reported.
bootstrap || { echo "test: the bootstrap failed (its reason is above); nothing was built or run" >&2; exit 1; }

# configure_and_build LABEL CONFIGURE-FUNCTION DIR: fails only when the tree
# could not be configured (a tree that built in part still runs its tests).
configure_and_build() {
  local label="$1" configure="$2" dir="$3"
  if ! "$configure"; then
    broken+=("$label configure")
    return 1
  fi
  build_tree "$dir" || broken+=("$label build")
}

native_ok=1
configure_and_build native configure_native "$native_build" || native_ok=0
win_ok=1
configure_and_build Windows configure_win "$win_build" || win_ok=0

# Reproducible builds: the stub linked once more, a second later, must come
# out byte for byte the same (a link time stamp would differ). Counted as
# one test.
check_stub_reproducible() {
  note "test stub linked twice"
  local first="$bare_stub.first-link"
  cp "$bare_stub" "$first" && rm "$bare_stub" && sleep 1 &&
    cmake --build "$win_build" -j "$jobs" --target tidemark_stub >/dev/null
  if cmp "$first" "$bare_stub"; then
    passed=$((passed + 1))
  else
    echo "FAILED: two links of the stub differ" >&2
    failed=$((failed + 1))
  fi
  rm -f "$first"
}
if [ "$win_ok" -eq 1 ] && [ -f "$bare_stub" ]; then
  check_stub_reproducible
fi

common_args=(--output-on-failure -j "$jobs" "$@")
if [ "$native_ok" -eq 1 ]; then
  run_ctest native "$native_build/ctest.log" \
    ctest --test-dir "$native_build" "${common_args[@]}"
fi
# The native tests once more, built with AddressSanitizer and UBSan.
asan_build="${TIDEMARK_ASAN_BUILD:-$repo_root/build/native-asan}"
if configure_tree "$asan_build" -DTIDEMARK_SANITIZE=ON; then
  build_tree "$asan_build" || broken+=("native ASan+UBSan build")
  run_ctest "native ASan+UBSan" "$asan_build/ctest.log" \
    ctest --test-dir "$asan_build" "${common_args[@]}"
else
  broken+=("native ASan+UBSan configure")
fi
# The fuzz targets for a few seconds each from the committed seeds (long
# runs: scripts/fuzz.sh).
if configure_fuzz; then
  note "build fuzz targets"
  cmake --build "$fuzz_build" -j "$jobs" --target fuzz_targets || broken+=("fuzz targets build")
  run_ctest "fuzz smoke" "$fuzz_build/ctest.log" \
    ctest --test-dir "$fuzz_build" -L fuzz "${common_args[@]}"
else
  broken+=("fuzz tree configure")
fi
if [ "$win_ok" -eq 1 ]; then
  run_ctest Windows "$win_build/ctest.log" \
    "$repo_root/scripts/wine-session.sh" ctest --test-dir "$win_build" "${common_args[@]}"
fi

for problem in "${broken[@]}"; do
  echo "FAILED: $problem"
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "${#broken[@]}" -eq 0 ]
