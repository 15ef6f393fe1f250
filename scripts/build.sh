#!/usr/bin/env bash
# Installs what is missing, then configures and builds Tallyrun in BUILD_DIR (default: build).
# Extra arguments go to the CMake configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
# Paths under the checkout are hashed relative to it, so another clone of the same code
# reuses ccache's results.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}" CCACHE_NOHASHDIR=1
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-Release} "$@" >/dev/null
cmake --build "$build_dir"
