#!/usr/bin/env bash
# Times a recursive folder total of DIR (with a progress bar and a log that keeps every line)
# against `du -s --apparent-size -B1` on the same DIR, warm cache, RUNS times each
# (alternating), and prints the medians. When DIR does not exist, the reproducible benchmark
# tree (about 300,000 files in 30,000 folders) is generated there first. Builds what it needs
# in build-bench/ (or $BUILD_DIR).
#
#   bench/scan_vs_du.sh DIR
#   ... last line: ratio=R scan_s=S du_s=D files=N peak_rss_kb=K
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 DIR" >&2
  exit 2
fi
dir=$1
runs=${RUNS:-5}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}

if [ ! -x "$build/bench/bench_folder_total" ] || [ ! -x "$build/bench/make_bench_tree" ]; then
  [ -x "$(command -v cmake)" ] || "$root/scripts/setup.sh"
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALLYRUN_TESTS=OFF >/dev/null
fi
# Always bring the two programs up to date with the sources.
cmake --build "$build" -j2 --target bench_folder_total make_bench_tree >/dev/null

if [ ! -e "$dir" ]; then
  echo "generating the benchmark tree in $dir"
  "$build/bench/make_bench_tree" "$dir"
fi

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
elapsed() { awk -v a="$1" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.4f", b - a }'; }

# Warm the cache with one untimed run of each.
du -s --apparent-size -B1 "$dir" >/dev/null
"$build/bench/bench_folder_total" "$dir" >/dev/null

scan_times=() du_times=() files=0 rss=0
for ((i = 1; i <= runs; i++)); do
  # Both are timed the same way, as whole processes from the outside.
  start=$EPOCHREALTIME
  du -s --apparent-size -B1 "$dir" >/dev/null
  du_times+=("$(elapsed "$start")")

  start=$EPOCHREALTIME
  out=$("$build/bench/bench_folder_total" "$dir")
  scan_times+=("$(elapsed "$start")")
  echo "run $i: du_s=${du_times[-1]} process_s=${scan_times[-1]} $out"
  files=$(sed -n 's/.*files=\([0-9]*\).*/\1/p' <<<"$out")
  run_rss=$(sed -n 's/.*peak_rss_kb=\([0-9]*\).*/\1/p' <<<"$out")
  [ "$run_rss" -gt "$rss" ] && rss=$run_rss
done

scan_s=$(printf '%s\n' "${scan_times[@]}" | median)
du_s=$(printf '%s\n' "${du_times[@]}" | median)
ratio=$(awk -v s="$scan_s" -v d="$du_s" 'BEGIN { print s / d }')
printf 'ratio=%.3f scan_s=%.3f du_s=%.3f files=%s peak_rss_kb=%s\n' "$ratio" "$scan_s" "$du_s" \
  "$files" "$rss"
