#!/usr/bin/env bash
# Builds the Debian package tallyrun_<version>_<arch>.deb from the build in BUILD_DIR (default:
# build, built first if needed) into BUILD_DIR/package, then checks it with
# tests/package/package_test.sh. Extra arguments go to the CMake configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh --package
build_dir=${BUILD_DIR:-build}
./scripts/build.sh "$@"
rm -f "$build_dir"/package/tallyrun_*.deb
(cd "$build_dir" && cpack -G DEB)
deb=$(ls "$build_dir"/package/tallyrun_*.deb)
tests/package/package_test.sh "$deb"
echo "wrote $deb"
