#!/bin/sh
# Installs the build into a temporary prefix with `cmake --install` and checks the desktop
# integration there. Exits 77 (skipped) without desktop-file-validate or appstreamcli.
set -eu
build=$1
for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "$tool is missing"; exit 77; }
done
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
"$(dirname "$0")/check_layout.sh" "$prefix"
