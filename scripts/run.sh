#!/usr/bin/env bash
# Starts Zingboard on the demo source: the desktop program when there is a display, the headless runner otherwise.
set -euo pipefail
build="${1:-build}"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$build/src/zingboard" --demo
fi
exec "$build/src/zingboard" headless --demo
