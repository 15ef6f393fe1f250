#!/usr/bin/env bash
# Installs, builds and runs every test. Extra arguments go to the CMake configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh "$@"
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j "$(nproc)"
