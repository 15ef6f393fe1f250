#!/usr/bin/env bash
# Installs what is missing, then configures and builds Tallyrun in BUILD_DIR (default: build):
# everything, or only BUILD_TARGET when it is set. Extra arguments go to the CMake configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
# Paths under the checkout are hashed relative to it, so another clone of the same code
# reuses ccache's results.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}" CCACHE_NOHASHDIR=1
# Precompiled headers are cached too when ccache may ignore their timestamps and defines.
export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}"
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-Release} "$@" >/dev/null
cmake --build "$build_dir" ${BUILD_TARGET:+--target "$BUILD_TARGET"}
