#!/usr/bin/env bash
# Starts Zingboard on the demo source: the desktop program when there is a display, the headless runner otherwise.
# Its settings, documents and own clips live under <build>/run, so the user's real configuration stays as it is.
set -euo pipefail
build="${1:-build}"
run="$(realpath "$build")/run"
mkdir -p "$run/config" "$run/data"
export XDG_CONFIG_HOME="$run/config" XDG_DATA_HOME="$run/data"
echo "make run: settings and documents in $run/config/zingboard" >&2
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$build/src/zingboard" --demo
fi
exec "$build/src/zingboard" headless --demo
