#!/usr/bin/env bash
# Runs every benchmark program; each prints its own ratio against a floor measured in the same run.
set -euo pipefail
build="${1:-build}"
export QT_QPA_PLATFORM=offscreen
status=0
for b in "$build"/benchmarks/bench_*; do
  # Only programs: the build leaves bench_*_autogen folders beside them.
  [ -f "$b" ] && [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" || status=1
done
exit $status
