#!/usr/bin/env bash
# Installs, builds and starts Tallyrun.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
exec "${BUILD_DIR:-build}/app/tallyrun"
