#!/usr/bin/env bash
# Runs the fuzz programs of a ZINGBOARD_FUZZ build, each for a bounded time, and fails on any finding.
# Usage: run-fuzzers.sh <fuzz build dir> <seconds per target> [target name...]   (default: every target)
# The corpus each run grows is kept under <build>/fuzz-work/corpus/<name>; a finding is saved under
# <build>/fuzz-work/artifacts/<name>/ and its log printed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "$1")
seconds=$2
shift 2
manifest="$build/fuzz/fuzzers.txt"
[ -f "$manifest" ] || { echo "run-fuzzers: no $manifest (configure with -DZINGBOARD_FUZZ=ON)" >&2; exit 2; }

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$here/lsan-suppressions.txt:print_suppressions=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
export QT_QPA_PLATFORM=offscreen

work="$build/fuzz-work"
status=0
ran=0
while IFS='|' read -r name binary seed_path; do
  [ -n "$name" ] || continue
  if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then
    continue
  fi
  ran=$((ran + 1))
  corpus="$work/corpus/$name"
  artifacts="$work/artifacts/$name"
  log="$work/$name.log"
  mkdir -p "$corpus" "$artifacts"
  seeds=()
  IFS=':' read -r -a candidates <<<"$seed_path"
  for dir in "${candidates[@]}"; do
    [ -d "$dir" ] && seeds+=("$dir")
  done
  rc=0
  "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$corpus" "${seeds[@]}" >"$log" 2>&1 || rc=$?
  execs=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$log" | tail -1)
  if [ "$rc" -ne 0 ]; then
    status=1
    echo "FAIL  $name (exit $rc, ${execs:-?} executions); log $log:"
    tail -n 60 "$log"
  else
    printf 'ok    %-26s %10s executions in %ss\n' "$name" "${execs:-?}" "$seconds"
  fi
done <"$manifest"
if [ "$ran" -eq 0 ]; then
  echo "run-fuzzers: no target matched: $*" >&2
  exit 2
fi
exit $status
