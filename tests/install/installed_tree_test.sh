#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop and a package see there:
# exactly the expected files, a valid menu entry, autostart entry and AppStream record that name the installed
# icon, icons of the size their folder claims, a program that starts from the prefix and finds its clips
# there, and an uninstall that leaves nothing of its own behind.
# Usage: installed_tree_test.sh <build folder> <app id> <expected file list>
set -euo pipefail
build=$1 app_id=$2 expected=$3

scratch=$(mktemp -d "${TMPDIR:-/tmp}/zingboard-install.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
prefix="$scratch/prefix"
fail() { echo "FAIL: $*" >&2; exit 1; }

# Its own component manifest, so a developer's `make install` manifest in the build folder stays as it was.
cmake --install "$build" --prefix "$prefix" --component Unspecified >/dev/null
manifest="$build/install_manifest_Unspecified.txt"

diff -u <(sed "s/@APP_ID@/$app_id/g" "$expected" | sort) <(cd "$prefix" && find . -type f -o -type l | sort) ||
  fail "the installed files differ from $expected (left: expected, right: installed)"

desktop="$prefix/share/applications/$app_id.desktop"
autostart="$prefix/share/zingboard/autostart/$app_id.desktop"
metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
desktop-file-validate "$desktop" || fail "menu entry"
desktop-file-validate "$autostart" || fail "autostart entry"
appstreamcli validate --no-net --no-color "$metainfo" >"$scratch/appstream.log" ||
  { cat "$scratch/appstream.log" >&2; fail "AppStream record"; }

# Everything points at the one id, and that icon is installed.
entry() { sed -n "s/^$2=//p" "$1"; }
for file in "$desktop" "$autostart"; do
  [ "$(entry "$file" Icon)" = "$app_id" ] || fail "$file: Icon is not $app_id"
  [ "$(entry "$file" Exec)" = zingboard ] || fail "$file: Exec is not the program on the PATH"
done
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" || fail "metainfo launchable"
grep -q "<id>$app_id</id>" "$metainfo" || fail "metainfo id"
[ -f "$prefix/share/icons/hicolor/scalable/apps/$app_id.svg" ] || fail "no scalable icon"

# A PNG's width and height are the big-endian words at bytes 16 and 20.
for png in "$prefix"/share/icons/hicolor/*x*/apps/"$app_id.png"; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
    awk '{ printf "%d %d\n", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }')
  [ "${width}x${height}" = "$size" ] || fail "$png is ${width}x${height}"
done

# The installed program, in a home of its own, polls the demo source and finds the clips of its prefix.
mkdir -p "$scratch/config" "$scratch/data" "$scratch/runtime"
chmod 700 "$scratch/runtime"
run() {
  XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" XDG_RUNTIME_DIR="$scratch/runtime" \
    QT_QPA_PLATFORM=offscreen "$prefix/bin/zingboard" "$@"
}
poll=$(run headless --demo --once --json --mute) || fail "headless run from the prefix: exit $?"
grep -q '"lastError":null' <<<"$poll" || fail "headless poll: $poll"
grep -q '"demo":{' <<<"$poll" || fail "no demo figures: $poll"
status=$(run status --json) || fail "status from the prefix"
grep -qF "\"builtInSounds\":\"$prefix/share/zingboard/sounds\"" <<<"$status" ||
  fail "the installed program does not use its own clips: $status"

# Uninstalling removes every installed file and the program's own folders, nothing else.
cmake -DMANIFEST="$manifest" -P "$(dirname "$0")/../../cmake/uninstall.cmake" >/dev/null
left=$(cd "$prefix" && find . -type f -o -type l -o -path ./share/zingboard)
[ -z "$left" ] || fail "left after uninstall: $left"
echo "installed tree OK"
