#!/usr/bin/env bash
# Times `ambiscan --compare` on a campaign: RUNS runs of five receivers of RECORDS attempts each.
# DISTINCT runs are made with the program (one per seed); the rest are copies of them under new
# labels (a comparison costs the same whatever the numbers). Prints the median wall time of
# ROUNDS comparisons.
#
#   bench/compare-campaign.sh AMBISCAN GENERATOR [RUNS=50] [RECORDS=10000] [DISTINCT=10] [ROUNDS=5]
set -euo pipefail
ambiscan=$(realpath "$1")
generate=$(realpath "$2")
runs=${3:-50}
records=${4:-10000}
distinct=${5:-10}
rounds=${6:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

for ((k = 0; k < distinct; ++k)); do
  "$generate" --receivers 5 --records "$records" --seed $((k + 1)) > inits.txt
  "$ambiscan" -q --no-report -o "made/$k" --label "B$k" Campaign RxA RxB RxC RxD RxE > /dev/null
done
for ((k = 0; k < runs; ++k)); do
  mkdir -p "runs/$k"
  sed "s/\"label\": \"B$((k % distinct))\"/\"label\": \"build-$k\"/" \
    "made/$((k % distinct))/summary.json" > "runs/$k/summary.json"
done
list=()
for ((k = 0; k < runs; ++k)); do list+=("runs/$k"); done

times=()
for ((r = 0; r < rounds; ++r)); do
  rm -rf out
  start=$(date +%s.%N)
  "$ambiscan" --compare "${list[@]}" -o out > /dev/null
  end=$(date +%s.%N)
  times+=("$(echo "$end - $start" | bc)")
done
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR] = $1} END {printf "median of %d: %.3f s\n", NR, a[int((NR + 1) / 2)]}'
ls out | wc -l | xargs echo "files written:"
