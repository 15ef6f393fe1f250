#!/usr/bin/env bash
# bench/run_vs_du.sh DIR [RUNS]
#
# Times one analysis run of DIR through tallyrun-harness against `du -s --apparent-size -B1`
# on the same tree, both on a warm cache, RUNS times each (default 5), alternating. The last
# line is
#   ratio=R run_s=S du_s=D peak_rss_kb=K
# with the medians of run_s (the harness's own wall_s: the run itself, without the start of
# Qt), of du's wall time, and of the harness's peak memory; R = S / D.
set -euo pipefail
dir=${1:?usage: run_vs_du.sh DIR [RUNS]}
runs=${2:-5}
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
harness="$build/bench/tallyrun-harness"
if [ ! -x "$harness" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" -j2 --target analysis_harness >/dev/null
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Warm the cache once with each.
du -s --apparent-size -B1 "$dir" >/dev/null
"$harness" "$dir" --memo "$out/memo.txt" --slices "$out/slices.tsv" >/dev/null

: >"$out/run"; : >"$out/du"; : >"$out/rss"
for _ in $(seq "$runs"); do
  line=$("$harness" "$dir" --memo "$out/memo.txt" --slices "$out/slices.tsv" | tail -n 1)
  sed -E 's/.*wall_s=([0-9.]+).*/\1/' <<<"$line" >>"$out/run"
  sed -E 's/.*peak_rss_kb=([0-9]+).*/\1/' <<<"$line" >>"$out/rss"
  start=$(date +%s.%N)
  du -s --apparent-size -B1 "$dir" >/dev/null
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.6f\n", b - a }' >>"$out/du"
done
run_s=$(median <"$out/run")
du_s=$(median <"$out/du")
rss=$(median <"$out/rss")
awk -v s="$run_s" -v d="$du_s" -v k="$rss" \
  'BEGIN { printf "ratio=%.3f run_s=%.3f du_s=%.3f peak_rss_kb=%d\n", s / d, s, d, k }'
