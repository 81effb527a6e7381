#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan and UBSan) in build/fuzz and runs
# each for SECONDS, one after another, starting from the committed seeds in
# fuzz/corpus/<target>. Prints per target the executions, the corpus size
# and the findings, whose inputs are kept in build/fuzz/findings.
#
#   scripts/fuzz.sh SECONDS [TARGET...]     (default: every target)
#
# Exits non-zero when a target found something or did not run.
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/trees.sh"

seconds="${1:?usage: scripts/fuzz.sh SECONDS [TARGET...]}"
shift
targets=("$@")
[ "${#targets[@]}" -gt 0 ] ||
  targets=(load_installer item_sequence install_log file_line product_description)

findings="$fuzz_build/findings"

configure_fuzz || exit 1
note "build fuzz targets"
cmake --build "$fuzz_build" -j "$jobs" --target fuzz_targets || exit 1
mkdir -p "$findings"

summary=()
status=0
for target in "${targets[@]}"; do
  log="$findings/$target.log"
  before="$(ls "$findings" | grep -c "^$target-" || true)"
  note "fuzz $target for ${seconds}s"
  "$repo_root/fuzz/run_target.sh" "$fuzz_build/bin/${target}_fuzz" "$seconds" \
    "$fuzz_build/corpus/$target" "$repo_root/fuzz/corpus/$target" "$findings/$target-" >"$log" 2>&1
  rc=$?
  runs="$(grep -Eo 'stat::number_of_executed_units: [0-9]+' "$log" | grep -Eo '[0-9]+$' || true)"
  corpus="$(ls "$fuzz_build/corpus/$target" | wc -l)"
  after="$(ls "$findings" | grep -c "^$target-" || true)"
  found=$((after - before))
  if [ "$rc" -ne 0 ] || [ "$found" -gt 0 ]; then
    status=1
    grep -E '^(FAULT|SUMMARY|==[0-9]+==ERROR)' "$log" | head -n 3 >&2
  fi
  summary+=("$(printf '%-20s %12s executions  %6s corpus  %3s findings  (exit %s)' \
    "$target" "${runs:-?}" "$corpus" "$found" "$rc")")
done

echo "fuzzing, ${seconds}s per target:"
printf '  %s\n' "${summary[@]}"
[ "$status" -eq 0 ] || echo "findings and logs: $findings"
exit "$status"
