#!/bin/sh
# Checks the Debian package: its control fields, lintian (no errors; the other tags are
# printed), that apt can satisfy its dependencies here, that it installs into and is removed
# again from a fresh root with dpkg, that the files land where the desktop looks for them,
# that the program finds all its libraries, and that the hand-written release notes (AppStream
# metadata, Debian changelog) name the package's version.
#   package_test.sh tallyrun_<version>_<arch>.deb
set -eu
deb=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "package_test: $*" >&2; exit 1; }

field() { dpkg-deb --field "$deb" "$1"; }
version=$(field Version)
[ "$(field Package)" = tallyrun ] || fail "the package is not called tallyrun"
[ "$(basename "$deb")" = "tallyrun_${version}_$(field Architecture).deb" ] ||
  fail "$(basename "$deb") is not named tallyrun_${version}_<arch>.deb"
for name in Maintainer Homepage Section Description; do
  [ -n "$(field "$name")" ] || fail "no $name field"
done
depends=$(field Depends)
for needed in libqt6widgets6 fonts-ipafont-gothic fonts-ipafont-mincho qt6-qpa-plugins \
  qt6-translations-l10n; do
  case ", $depends," in *", $needed"[\ ,]*) ;; *) fail "Depends lacks $needed: $depends" ;; esac
done
dpkg-deb --contents "$deb" | awk '$2 != "root/root" { bad = 1; print } END { exit bad }' ||
  fail "files not owned by root"

# No errors; warnings and information are shown so that they are seen.
status=0
report=$(lintian --fail-on error --display-info "$deb" 2>&1) || status=$?
printf '%s\n' "$report" | grep -v 'running with root privileges' || true
[ "$status" -eq 0 ] || fail "lintian reports errors"

apt-get --simulate --quiet --no-install-recommends install "$deb" >/dev/null ||
  fail "apt cannot satisfy the dependencies"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
# The fresh root holds none of the dependencies; the host has them.
dpkg --root="$root" --log=/dev/null --force-depends --force-not-root --install "$deb" \
  >/dev/null 2>&1 || fail "dpkg cannot install the package into a fresh root"
"$here/check_layout.sh" "$root/usr"
if ldd "$root/usr/bin/tallyrun" | grep 'not found'; then
  fail "the program lacks libraries"
fi

metainfo=$root/usr/share/metainfo/io.github.tallyrun.Tallyrun.metainfo.xml
newest=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n 1 | cut -d'"' -f2)
[ "$newest" = "$version" ] || fail "the metadata's newest release is $newest, not $version"
changed=$(zcat "$root/usr/share/doc/tallyrun/changelog.gz" | head -n 1 | sed 's/^[^(]*(\([^)]*\)).*/\1/')
[ "$changed" = "$version" ] || fail "the changelog's newest entry is $changed, not $version"
zcat "$root/usr/share/man/man1/tallyrun.1.gz" | grep -q "Tallyrun $version" ||
  fail "the man page does not name version $version"

dpkg --root="$root" --log=/dev/null --force-not-root --remove tallyrun >/dev/null 2>&1 ||
  fail "dpkg cannot remove the package"
left=$(find "$root" -mindepth 1 -path "$root/var" -prune -o -type f -print)
[ -z "$left" ] || fail "files left after removal: $left"
echo "package_test: $(basename "$deb") installs, checks and removes cleanly"
