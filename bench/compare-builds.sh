#!/usr/bin/env bash
# Runs two builds of the program side by side on one input, interleaved (A, B, A, B, ...), so
# that the machine's drift weighs on both alike, and prints per build the median and the range
# of the wall time, the median CPU time (user + system) and the largest peak memory.
#
#   bench/compare-builds.sh [--runs N] A/ambiscan B/ambiscan inits.txt Title Legend1 [...]
set -euo pipefail
runs=10
if [ "${1:-}" = --runs ]; then runs=$2; shift 2; fi
a=$1 b=$2 input=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for _ in $(seq 1 "$runs"); do
  for build in a b; do
    exe=${!build}
    rm -rf "$work/out" && mkdir "$work/out"
    (cd "$work/out" && /usr/bin/time -o "$work/t" -f "%e %U %S %M" "$exe" -i "$input" "$@" \
      >/dev/null 2>&1) || true
    echo "$(cat "$work/t")" >> "$work/$build.times"
  done
done
median() { sort -g | awk '{v[NR]=$1} END {print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }
for build in a b; do
  f=$work/$build.times
  wall=$(awk '{print $1}' "$f" | median)
  low=$(awk '{print $1}' "$f" | sort -g | head -1)
  high=$(awk '{print $1}' "$f" | sort -g | tail -1)
  cpu=$(awk '{print $2 + $3}' "$f" | median)
  mem=$(awk '{print $4}' "$f" | sort -g | tail -1)
  printf '%s: wall %s s (%s-%s), cpu %s s, peak %d MB   [%s]\n' "$build" "$wall" "$low" "$high" \
    "$cpu" "$((mem / 1024))" "${!build}"
done
