#!/usr/bin/env bash
# Times whole runs of the built program on generated workloads and prints a table of the median
# wall time and the peak memory (maximum resident set) over several runs.
#
#   bench/run-benchmarks.sh [--runs N] [--large]     (--large adds the 10 000 000-record file)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=5
large=0
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --large) large=1; shift ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
done

"$root/scripts/install-deps.sh" time
build="$root/build-bench"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DAMBISCAN_TESTS=OFF -DAMBISCAN_BENCH=ON >/dev/null
cmake --build "$build" --target ambiscan ambiscan_generate ambiscan_read_probe -j"$(nproc)" >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

workloads=("2 2000" "5 10000" "5 1000000")
[ "$large" = 1 ] && workloads+=("5 10000000")

median() { sort -g | awk '{v[NR]=$1} END {print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }

printf '| workload | records | file | whole run (median wall) | user CPU (median) | peak memory (max) | reading alone (median wall, peak) |\n'
printf '|---|---|---|---|---|---|---|\n'
for w in "${workloads[@]}"; do
  set -- $w
  receivers=$1 records=$2
  dir="$work/$receivers-$records"
  mkdir -p "$dir"
  "$build/bench/ambiscan_generate" --receivers "$receivers" --records "$records" --seed 42 \
      --start 300000 --interval 30 > "$dir/inits.txt"
  legends="Bench"
  for i in $(seq 1 "$receivers"); do legends="$legends Rx$i"; done
  times=() mems=() cpus=() reads=() readmems=()
  for _ in $(seq 1 "$runs"); do
    (cd "$dir" && /usr/bin/time -o "$work/run.time" -f "%e %M %U" "$build/ambiscan" $legends >/dev/null 2>&1)
    read -r t m u < "$work/run.time"
    times+=("$t") mems+=("$m") cpus+=("$u")
    /usr/bin/time -o "$work/read.time" -f "%e %M" "$build/bench/ambiscan_read_probe" "$dir/inits.txt" "$receivers" >/dev/null
    read -r t m < "$work/read.time"
    reads+=("$t") readmems+=("$m")
  done
  t=$(printf '%s\n' "${times[@]}" | median)
  m=$(printf '%s\n' "${mems[@]}" | sort -g | tail -1)
  r=$(printf '%s\n' "${reads[@]}" | median)
  rm_=$(printf '%s\n' "${readmems[@]}" | sort -g | tail -1)
  u=$(printf '%s\n' "${cpus[@]}" | median)
  size=$(du -h "$dir/inits.txt" | cut -f1)
  printf '| %s receivers | %s | %s | %s s | %s s | %s MB | %s s, %s MB |\n' "$receivers" "$records" "$size" "$t" "$u" "$((m / 1024))" "$r" "$((rm_ / 1024))"
  rm -f "$dir"/*.png
done
