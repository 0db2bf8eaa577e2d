#!/usr/bin/env bash
# Installs the Debian 12 packages Zingboard needs. Idempotent: checks each package with dpkg and only
# touches apt (update + install) when something is missing.
# Usage: install-deps.sh [build|run|test|all]...   (default: all)
set -euo pipefail

build_pkgs=(g++ cmake ninja-build pkg-config make qt6-base-dev qt6-base-dev-tools qcoro-qt6-dev libsecret-1-dev
  qt6-multimedia-dev qt6-svg-dev libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev)
run_pkgs=(libqt6network6 libqt6multimedia6 gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  fonts-noto-color-emoji sound-theme-freedesktop qt6-qpa-plugins)
test_pkgs=(dbus dbus-x11 gnome-keyring libsecret-tools xvfb xauth xcompmgr pulseaudio espeak-ng sox chromium curl)

groups=("$@")
[ ${#groups[@]} -eq 0 ] && groups=(all)
wanted=()
for g in "${groups[@]}"; do
  case "$g" in
    build) wanted+=("${build_pkgs[@]}") ;;
    run) wanted+=("${run_pkgs[@]}") ;;
    test) wanted+=("${test_pkgs[@]}") ;;
    all) wanted+=("${build_pkgs[@]}" "${run_pkgs[@]}" "${test_pkgs[@]}") ;;
    *) echo "install-deps: unknown group '$g' (build, run, test, all)" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${wanted[@]}"; do
  # No pipe here: under pipefail, grep -q quitting early would fail dpkg with SIGPIPE on long records.
  [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" = "install ok installed" ] || missing+=("$p")
done
# ccache speeds rebuilds when present; never required.
[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}"
SUDO=()
[ "$(id -u)" -ne 0 ] && SUDO=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
