#!/usr/bin/env bash
# bench/startup_time.sh [RUNS]
#
# Times the start-up, from launching the process to the main window shown with the first
# analysis finished, on a private Xvfb, with a temporary home whose desktop directory holds
# 1,000 files (make_test_tree). Prints each run's line from startup_time and, last, the medians:
#   total_ms=T analysis_ms=A outside_ms=O cpu_ms=C outside_share=S
# Goal: outside_ms (start-up work other than the analysis run) under 1,000 ms.
set -euo pipefail
runs=${1:-5}
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
if [ ! -x "$build/bench/startup_time" ] || [ ! -x "$build/bench/make_test_tree" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" -j2 --target startup_time make_test_tree >/dev/null
fi
work=$(mktemp -d)
xvfb=''
cleanup() { [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
"$build/bench/make_test_tree" "$work/home/Desktop" 1000 >/dev/null

n=90
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
run() {
  HOME=$work/home XDG_CONFIG_HOME=$work/home/.config QT_QPA_PLATFORM=xcb DISPLAY=":$n" \
    "$build/bench/startup_time" "$(date +%s%N)" 2>/dev/null
}
run >/dev/null  # warm the cache
: >"$work/lines"
for _ in $(seq "$runs"); do run | tee -a "$work/lines"; done
field() { sed -E "s/.*$1=([0-9.]+).*/\\1/" "$work/lines" | median; }
t=$(field total_ms); a=$(field analysis_ms); o=$(field outside_ms); c=$(field cpu_ms)
echo "median: total_ms=$t analysis_ms=$a outside_ms=$o cpu_ms=$c" \
  "outside_share=$(awk -v o="$o" -v t="$t" 'BEGIN { printf "%.2f", o / t }')"
