#!/bin/sh
# Installs the build into a temporary prefix with `cmake --install` and checks the desktop
# integration: the program, a menu entry that passes desktop-file-validate, and the icon at
# every size of the hicolor theme. Exits 77 (skipped) without desktop-file-validate.
set -eu
build=$1
command -v desktop-file-validate >/dev/null || { echo "desktop-file-validate is missing"; exit 77; }
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
test -x "$prefix/bin/tallyrun"
desktop-file-validate "$prefix/share/applications/tallyrun.desktop"
grep -qx 'Icon=tallyrun' "$prefix/share/applications/tallyrun.desktop"
for size in 16 24 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/tallyrun.png"
  # A PNG keeps its width in bytes 16 to 19, big-endian.
  width=$(od -An -tu1 -j16 -N4 "$icon" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }')
  [ "$width" -eq "$size" ] || { echo "$icon is $width pixels wide"; exit 1; }
done
