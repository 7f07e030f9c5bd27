#!/usr/bin/env bash
# Carving benchmark: times `quendrix photo --no-thorough`, PhotoRec and foremost on the same
# page-cached image of at least 1 GiB, and reports for each tool its throughput, its peak
# resident memory and its recall (originals that come back as the prefix of a carved file).
#
#   bench/carving/run_bench.sh [WORKDIR]      WORKDIR defaults to build/bench/carving
#
# Environment: BENCH_SIZE_MIB (image size when it is built, default 1100), QUENDRIX (the
# binary, default build/bin/quendrix), BENCH_TOOLS (default "quendrix photorec foremost"),
# BENCH_KEEP=1 keeps every tool's output under WORKDIR/out.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=$(mkdir -p "${1:-$root/build/bench/carving}" && cd "${1:-$root/build/bench/carving}" && pwd)
img=$work/bench.img
manifest=$work/manifest.tsv
quendrix=${QUENDRIX:-$root/build/bin/quendrix}
tools=${BENCH_TOOLS:-quendrix photorec foremost}

for tool in /usr/bin/time python3; do
  command -v "$tool" >/dev/null || { echo "bench: $tool is missing (run scripts/setup)" >&2; exit 1; }
done

if [ ! -f "$img" ] || [ ! -f "$manifest" ]; then
  echo "bench: building the image in $work (once; reused afterwards)"
  python3 "$here/make_image.py" "$work" --size-mib "${BENCH_SIZE_MIB:-1100}"
fi
bytes=$(stat -c %s "$img")
echo "bench: image $img, $((bytes / 1048576)) MiB, $(wc -l <"$manifest") originals"
# Read the image twice so that every tool reads it from the page cache.
cat "$img" >/dev/null
cat "$img" >/dev/null

results=$work/results.tsv
printf 'tool\texit\tseconds\tMB_per_s\tpeak_rss_MiB\tphotos\tvideos\tcarved_files\tcarved_MiB\n' >"$results"

# measure NAME OUTDIR CMD... : runs CMD in OUTDIR under /usr/bin/time and appends a result row.
measure() {
  local name=$1 out=$2
  shift 2
  rm -rf "$out"
  mkdir -p "$out"
  local start end status=0
  start=$(date +%s.%N)
  (cd "$out" && /usr/bin/time -v -o "$out.time" "$@" >"$out.log" 2>&1) || status=$?
  end=$(date +%s.%N)
  if [ "$status" -ne 0 ]; then
    echo "bench: $name exited with $status (see $out.log)" >&2
  fi
  local seconds rss recall
  seconds=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f", b - a }')
  rss=$(awk -F': ' '/Maximum resident set size/ { printf "%.1f", $2 / 1024 }' "$out.time")
  recall=$(python3 "$here/recall.py" "$manifest" "$out")
  # recall: photos F/T videos F/T carved_files N carved_mib M
  set -- $recall
  awk -v n="$name" -v x="$status" -v s="$seconds" -v b="$bytes" -v r="$rss" -v p="$2" -v v="$4" \
    -v f="$6" -v m="$8" 'BEGIN { printf "%s\t%s\t%s\t%.1f\t%s\t%s\t%s\t%s\t%s\n", n, x, s, b / 1e6 / s, r, p, v, f, m }' \
    >>"$results"
  tail -n 1 "$results"
  [ -n "${BENCH_KEEP:-}" ] || rm -rf "$out"
}

for tool in $tools; do
  case $tool in
    quendrix)
      if [ -x "$quendrix" ] && "$quendrix" photo --help 2>/dev/null | grep -q -- --no-thorough; then
        measure quendrix "$work/out/quendrix" "$quendrix" photo "$img" --dest "$work/out/quendrix" --no-thorough
      else
        echo "bench: quendrix skipped: '$quendrix photo' is not available (build the photo command first)" >&2
      fi
      ;;
    photorec)
      measure photorec "$work/out/photorec" photorec /d "$work/out/photorec/recup" /cmd "$img" \
        partition_none,options,paranoid,fileopt,everything,enable,search
      ;;
    foremost)
      measure foremost "$work/out/foremost" foremost -i "$img" -o "$work/out/foremost"
      ;;
    *) echo "bench: unknown tool $tool" >&2 ;;
  esac
done

echo
column -t -s "$(printf '\t')" "$results"
awk -F'\t' 'NR > 1 && $2 == 0 { speed[$1] = $4 }
  END {
    if ("quendrix" in speed && "photorec" in speed)
      printf "quendrix / photorec throughput: %.2fx (target >= 3)\n", speed["quendrix"] / speed["photorec"]
    if ("quendrix" in speed && "foremost" in speed)
      printf "quendrix / foremost throughput: %.2fx (target >= 0.5)\n", speed["quendrix"] / speed["foremost"]
  }' "$results"
