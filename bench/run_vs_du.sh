#!/usr/bin/env bash
# bench/run_vs_du.sh DIR [RUNS]
#
# Times one analysis run of DIR through tallyrun-harness against `du -s --apparent-size -B1`
# on the same tree, RUNS times each (default 5), alternating. The last line is
#   ratio=R run_s=S du_s=D peak_rss_kb=K run_user_s=U run_sys_s=Y du_user_s=V du_sys_s=Z
#   cpu_ratio=C process_cpu_ratio=P
# with the medians of run_s (the harness's own wall_s: the run itself, without the start of
# Qt), of du's wall time, of the harness's peak memory and of the CPU times (user and system)
# of the run itself (as the harness measures it, over the same span as its wall_s) and of du's
# whole process; R = S / D, C = (U + Y) / (V + Z), and P the same for the harness's whole
# process, the start of Qt and the writing of the memo included. When ncdu is installed it is timed too, as the nearest
# peer (`ncdu -0 -o /dev/null DIR`, alternating with the others), and the last line goes on
#   ncdu_s=N ncdu_ratio=Q ncdu_user_s=W ncdu_sys_s=X
# with Q = S / N, the run's time against ncdu's.
#
# The cache is warm (one untimed run of each first). With COLD=1 the page cache is dropped
# before every timed run of either command instead (`echo 3 > /proc/sys/vm/drop_caches`,
# which needs root); where that is not allowed the script says so and exits without timing.
set -euo pipefail
dir=${1:?usage: run_vs_du.sh DIR [RUNS]}
runs=${2:-5}
cold=${COLD:-0}
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

drop_cache() {
  sync
  echo 3 >/proc/sys/vm/drop_caches
}

ncdu=$(command -v ncdu || true)

if [ "$cold" = 1 ]; then
  if ! (drop_cache) 2>/dev/null; then
    echo "COLD=1 needs root to drop the page cache (/proc/sys/vm/drop_caches); skipped" >&2
    exit 0
  fi
  prepare=drop_cache
else
  # Warm the cache once with each.
  du -s --apparent-size -B1 "$dir" >/dev/null
  [ -z "$ncdu" ] || "$ncdu" -0 -o /dev/null "$dir" >/dev/null 2>&1
  "$harness" "$dir" --memo "$out/memo.txt" --slices "$out/slices.tsv" >/dev/null 2>&1
  prepare=:
fi

# Times one whole command from the outside: its wall time to $out/$1, its CPU times to
# $out/$1_user and $out/$1_sys.
time_command() {
  local name=$1
  shift
  local start end user sys
  start=$(date +%s.%N)
  /usr/bin/time -f '%U %S' -o "$out/time" "$@" >/dev/null 2>&1
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.6f\n", b - a }' >>"$out/$name"
  read -r user sys <"$out/time"
  echo "$user" >>"$out/${name}_user"
  echo "$sys" >>"$out/${name}_sys"
  awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }' >>"$out/${name}_cpu"
}

for f in run du rss run_user run_sys process_cpu du_user du_sys du_cpu ncdu ncdu_user ncdu_sys ncdu_cpu; do : >"$out/$f"; done
for _ in $(seq "$runs"); do
  $prepare
  line=$(/usr/bin/time -f '%U %S' -o "$out/time" \
    "$harness" "$dir" --memo "$out/memo.txt" --slices "$out/slices.tsv" 2>/dev/null | tail -n 1)
  sed -E 's/.*wall_s=([0-9.]+).*/\1/' <<<"$line" >>"$out/run"
  sed -E 's/.*peak_rss_kb=([0-9]+).*/\1/' <<<"$line" >>"$out/rss"
  sed -E 's/.*run_user_s=([0-9.]+).*/\1/' <<<"$line" >>"$out/run_user"
  sed -E 's/.*run_sys_s=([0-9.]+).*/\1/' <<<"$line" >>"$out/run_sys"
  read -r user sys <"$out/time"
  awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }' >>"$out/process_cpu"
  $prepare
  time_command du du -s --apparent-size -B1 "$dir"
  if [ -n "$ncdu" ]; then
    $prepare
    time_command ncdu "$ncdu" -0 -o /dev/null "$dir"
  fi
  echo "run_s=$(tail -n 1 "$out/run") du_s=$(tail -n 1 "$out/du")${ncdu:+ ncdu_s=$(tail -n 1 "$out/ncdu")}"
done
run_s=$(median <"$out/run")
du_s=$(median <"$out/du")
awk -v s="$run_s" -v d="$du_s" -v k="$(median <"$out/rss")" \
  -v ru="$(median <"$out/run_user")" -v rs="$(median <"$out/run_sys")" \
  -v du="$(median <"$out/du_user")" -v ds="$(median <"$out/du_sys")" \
  -v pc="$(median <"$out/process_cpu")" -v dc="$(median <"$out/du_cpu")" \
  'BEGIN { printf "ratio=%.3f run_s=%.3f du_s=%.3f peak_rss_kb=%d run_user_s=%.2f run_sys_s=%.2f du_user_s=%.2f du_sys_s=%.2f cpu_ratio=%.3f process_cpu_ratio=%.3f", s / d, s, d, k, ru, rs, du, ds, (ru + rs) / (du + ds), pc / dc }'
if [ -n "$ncdu" ]; then
  awk -v s="$run_s" -v n="$(median <"$out/ncdu")" -v nu="$(median <"$out/ncdu_user")" \
    -v ns="$(median <"$out/ncdu_sys")" \
    'BEGIN { printf " ncdu_s=%.3f ncdu_ratio=%.3f ncdu_user_s=%.2f ncdu_sys_s=%.2f", n, s / n, nu, ns }'
fi
echo
