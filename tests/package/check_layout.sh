#!/bin/sh
# Checks an installed Tallyrun under PREFIX (/usr in a package, ~/.local for a user) where the
# desktop looks for it: the program in bin/, a menu entry that passes desktop-file-validate and
# names the program and the icon, the icon at every size of the hicolor theme, AppStream
# metadata that passes `appstreamcli validate` and launches that menu entry, the man page and
# the copyright file.
#   check_layout.sh PREFIX
set -eu
prefix=$1
id=io.github.tallyrun.Tallyrun
fail() { echo "check_layout: $*" >&2; exit 1; }

test -x "$prefix/bin/tallyrun" || fail "no program $prefix/bin/tallyrun"

desktop=$prefix/share/applications/$id.desktop
test -f "$desktop" || fail "no menu entry $desktop"
desktop-file-validate "$desktop"
grep -qx "Exec=tallyrun" "$desktop" || fail "the menu entry does not start tallyrun"
grep -qx "Icon=$id" "$desktop" || fail "the menu entry does not name the icon $id"

for size in 16 24 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  test -f "$icon" || fail "no icon $icon"
  # A PNG keeps its width in bytes 16 to 19, big-endian.
  width=$(od -An -tu1 -j16 -N4 "$icon" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }')
  [ "$width" -eq "$size" ] || fail "$icon is $width pixels wide"
done

metainfo=$prefix/share/metainfo/$id.metainfo.xml
test -f "$metainfo" || fail "no AppStream metadata $metainfo"
appstreamcli validate --no-net "$metainfo"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "the metadata does not launch $id.desktop"

man=$prefix/share/man/man1/tallyrun.1.gz
test -f "$man" || fail "no man page $man"
gzip -t "$man" || fail "$man is not a gzip file"
test -f "$prefix/share/doc/tallyrun/copyright" || fail "no copyright file"
echo "check_layout: $prefix holds the program, menu entry, icons, metadata and man page"
