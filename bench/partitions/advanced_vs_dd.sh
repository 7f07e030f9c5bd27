#!/usr/bin/env bash
# Times the Advanced partition search over a page-cached 1 GiB image against dd reading the
# same image in 256 KiB blocks, side by side, and prints the throughput ratio.
#   bench/partitions/advanced_vs_dd.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
rounds=${2:-3}
quendrix=$build/bin/quendrix
[ -x "$quendrix" ] || { echo "no $quendrix; run scripts/build first" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/quendrix-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
img=$work/disk.img

# Real data, not a sparse file: the kernel would hand back holes without touching the cache.
head -c 1G /dev/urandom >"$img"
cat "$img" >/dev/null  # into the page cache

seconds() {  # runs "$@" and prints the wall time in seconds
  local t0 t1
  t0=$(date +%s.%N)
  "$@" >/dev/null 2>&1
  t1=$(date +%s.%N)
  awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }'
}
best() { sort -g | head -1; }

dd_times=() q_times=()
for ((r = 0; r < rounds; r++)); do
  dd_times+=("$(seconds dd if="$img" of=/dev/null bs=256K)")
  q_times+=("$(seconds "$quendrix" -q find-partitions "$img" --mode advanced --disk)")
done
dd_best=$(printf '%s\n' "${dd_times[@]}" | best)
q_best=$(printf '%s\n' "${q_times[@]}" | best)
mib=1024
awk -v d="$dd_best" -v q="$q_best" -v m="$mib" 'BEGIN {
  printf "dd bs=256K                       best %.3f s  %8.1f MiB/s\n", d, m / d
  printf "find-partitions --mode advanced  best %.3f s  %8.1f MiB/s\n", q, m / q
  printf "ratio (find-partitions speed / dd speed): %.2f  (target >= 0.80)\n", d / q
}'
