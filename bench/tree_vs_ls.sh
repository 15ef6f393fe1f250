#!/usr/bin/env bash
# bench/tree_vs_ls.sh DIR [RUNS]
#
# Times the folder tree against `ls -l --color=never DIR` on the same folder, both on a warm
# cache, RUNS times each (default 5), alternating: expanding DIR's node in the tree (offscreen,
# painted) and refreshing it when nothing has changed, through tree_bench. When DIR does not
# exist it is made with 10,000 empty subfolders. The last line is
#   expand_ratio=R refresh_ratio=R2
# with R = median expand time / median ls time and R2 = median refresh time / median ls time;
# the line before it gives the medians in seconds.
set -euo pipefail
dir=${1:?usage: tree_vs_ls.sh DIR [RUNS]}
runs=${2:-5}
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
bench="$build/bench/tree_bench"
if [ ! -x "$bench" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" -j2 --target tree_bench >/dev/null
fi
if [ ! -e "$dir" ]; then
  mkdir -p "$dir"
  (cd "$dir" && seq -f 'folder%05g' 1 10000 | xargs mkdir)
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Warm the cache once with each.
ls -l --color=never "$dir" >/dev/null
"$bench" "$dir" 1 >/dev/null

: >"$out/expand"; : >"$out/refresh"; : >"$out/ls"
for _ in $(seq "$runs"); do
  line=$("$bench" "$dir" 1 | tail -n 1)
  sed -E 's/.*expand_s=([0-9.]+).*/\1/' <<<"$line" >>"$out/expand"
  sed -E 's/.*refresh_s=([0-9.]+).*/\1/' <<<"$line" >>"$out/refresh"
  start=$(date +%s.%N)
  ls -l --color=never "$dir" >/dev/null
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.6f\n", b - a }' >>"$out/ls"
done
expand_s=$(median <"$out/expand")
refresh_s=$(median <"$out/refresh")
ls_s=$(median <"$out/ls")
echo "expand_s=$expand_s refresh_s=$refresh_s ls_s=$ls_s"
awk -v e="$expand_s" -v r="$refresh_s" -v l="$ls_s" \
  'BEGIN { printf "expand_ratio=%.3f refresh_ratio=%.3f\n", e / l, r / l }'
