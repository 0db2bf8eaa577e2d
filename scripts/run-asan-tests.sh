#!/usr/bin/env bash
# Runs the test suite of a ZINGBOARD_SANITIZE=address,undefined build: any report of AddressSanitizer,
# UndefinedBehaviorSanitizer or LeakSanitizer fails the test that caused it.
# Usage: run-asan-tests.sh <asan build dir> [ctest arguments...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:fast_unwind_on_malloc=0:check_initialization_order=1:strict_init_order=1}"
# Leaks of the libraries below us (Qt plugins, GLib, fontconfig, GStreamer) only; never our own code.
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$here/lsan-suppressions.txt:print_suppressions=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
exec "$here/run-tests.sh" "$@"
