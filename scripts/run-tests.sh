#!/usr/bin/env bash
# Runs every test with no display, a throw-away home and a real, unlocked Secret Service of its own.
set -euo pipefail
build=$(realpath "${1:-build}")
shift || true

scratch=$(mktemp -d "${TMPDIR:-/tmp}/zingboard-test.XXXXXX")
trap 'pkill -P $$ >/dev/null 2>&1 || true; rm -rf "$scratch"' EXIT
mkdir -p "$scratch/home" "$scratch/config" "$scratch/data" "$scratch/runtime"
chmod 700 "$scratch/runtime"
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data"
export XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=offscreen
export ZINGBOARD_TEST_SCRATCH="$scratch"

# gnome-keyring only serves collections once unlocked; the password comes from standard input.
# Not exec'd: the EXIT trap above must still run to remove the scratch home and keyring.
dbus-run-session -- bash -c '
  printf zingboard-test | gnome-keyring-daemon --unlock --components=secrets >/dev/null
  ctest --test-dir "$0" --output-on-failure -j "$(nproc)" "$@"
' "$build" "$@"
