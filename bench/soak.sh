#!/usr/bin/env bash
# bench/soak.sh [SECONDS [DRIVER ARGUMENTS...]]: the soak of the real program (bench/soak/),
# for SECONDS (default 600, the long form) on the program of ${BUILD_DIR:-build}, built first
# when it is missing. Prints the driver's one summary line last; exit status 0 when every check
# passed. Example, the short form CI runs: bench/soak.sh 60 --seed 1
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
seconds=${1:-600}
shift || true
if [ ! -x "$build_dir/app/tallyrun" ]; then
  BUILD_DIR=$build_dir BUILD_TARGET=tallyrun ./scripts/build.sh >/dev/null
fi
# The sanitizers' own suppressions (the Qt and system libraries' known reports), as CI uses.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/support/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# Qt is not built with the thread sanitizer: the memory its own threads hand each other (the
# X11 event reader, the file dialog's file-information thread) would be reported through the
# free() Qt calls, and checking every such report against the suppressions stalled the window
# for seconds; accesses from uninstrumented libraries are left out instead.
export TSAN_OPTIONS=${TSAN_OPTIONS:-suppressions=$PWD/tests/support/tsan.supp:ignore_noninstrumented_modules=1}
# A sanitizer build runs several times slower: the driver waits longer for its dialogs.
scale=1
if grep -q '^TALLYRUN_SANITIZE:[A-Z]*=.' "$build_dir/CMakeCache.txt" 2>/dev/null; then
  scale=4
fi
exec python3 bench/soak/tallyrun-soak --program "$build_dir/app/tallyrun" --seconds "$seconds" \
  --time-scale "$scale" "$@"
