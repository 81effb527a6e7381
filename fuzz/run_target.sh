#!/usr/bin/env bash
# Runs one fuzz target: PROGRAM SECONDS WORK-CORPUS SEEDS ARTIFACT-PREFIX.
# New inputs go to WORK-CORPUS, never to the committed SEEDS. One input may
# take at most 10 s, and an allocation over 512 MiB is a finding: no input
# here is large enough to justify one.
set -euo pipefail
program="$1" seconds="$2" work="$3" seeds="$4" artifacts="$5"
mkdir -p "$work"
exec "$program" -max_total_time="$seconds" -timeout=10 -malloc_limit_mb=512 -print_final_stats=1 \
  -artifact_prefix="$artifacts" "$work" "$seeds"
