#!/usr/bin/env bash
# Installs the Debian 12 packages Zingboard needs. Idempotent: checks each package with dpkg and only
# touches apt (update + install) when something is missing.
# Usage: install-deps.sh [build|run|test|all]...   (default: all)
# One package a line, with what uses it; add new ones to the group whose step needs them.
set -euo pipefail

build_pkgs=(
  g++ make cmake ninja-build pkg-config # the build itself
  qt6-base-dev qt6-base-dev-tools       # Qt Core/Network/Gui/Widgets and moc
  qt6-multimedia-dev                    # reaction sounds (src/reactions)
  qt6-svg-dev                           # symbols and logos (src/app, src/reactions)
  qcoro-qt6-dev                         # coroutines over Qt (every asynchronous call)
  libsecret-1-dev                       # the system keyring (secret_service_credential_store)
  libgtest-dev libgmock-dev             # tests/
  libbenchmark-dev                      # benchmarks/ (make bench)
  libxcb-damage0-dev libxcb-xtest0-dev  # bench_startup: first frames on the X server, clicks through XTest
  clang libclang-rt-14-dev              # fuzz/ (make fuzz): libFuzzer and the sanitizer runtimes
  dpkg-dev                              # make package: dpkg-shlibdeps finds the package's library dependencies
)
run_pkgs=(
  libqt6network6 libqt6multimedia6 # the program's Qt libraries
  qt6-qpa-plugins                  # Qt platform plugins (xcb, wayland, offscreen for tests)
  gstreamer1.0-plugins-base        # Ogg Vorbis decoding of the built-in clips
  gstreamer1.0-plugins-good        # PulseAudio output of the clips
  fonts-noto-color-emoji           # emoji in reactions (overlay_fonts)
  sound-theme-freedesktop          # the system alert sounds offered with the built-in ones (sound_locations)
)
test_pkgs=(
  dbus-daemon      # dbus-run-session: a private session bus per test run (run-tests.sh, tests/cli); bench_startup
  gnome-keyring    # a real Secret Service behind that bus
  libsecret-tools  # secret-tool: keyring items written and read from outside (tests/model, tests/hardening)
  pulseaudio       # a null audio sink for the playback tests (tests/support/pulse_null_sink)
  chromium         # the browser of the Google sign-in test (tests/cli/google_sign_in_cli_test)
  curl             # a browser stand-in for the loopback sign-in (tests/hardening, tests/google)
  xvfb             # a private X server for the tray program (tests/desktop, benchmarks/bench_startup)
  trayer           # a system tray on that server, so the program shows its icon there
  xdotool          # clicks and keys on the tray icon, the panel and the context menu
  x11-apps         # xwd: what a window shows, for the end-to-end run of the installed program
  xcompmgr         # a compositor, so the reaction overlay's transparency is real (tests/desktop)
  desktop-file-utils # desktop-file-validate on the installed menu and autostart entries (tests/install)
  appstream          # appstreamcli validate on the installed metainfo (tests/install)
)

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
