#!/usr/bin/env bash
# Builds ambiscan in Release mode and runs it on a bundled example in a fresh output folder.
# Usage: scripts/run-example.sh [example-folder]   (default: examples/two-receivers-midnight)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
example=${1:-examples/two-receivers-midnight}
case "$example" in /*) ;; *) example="$root/$example" ;; esac

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build-release" -DCMAKE_BUILD_TYPE=Release -DAMBISCAN_TESTS=OFF >/dev/null
cmake --build "$root/build-release" --target ambiscan -j"$(nproc)" >/dev/null

out="$root/out/$(basename "$example")-$(date +%Y%m%d-%H%M%S)"
mkdir -p "$out"
cp "$example/inits.txt" "$out/"
legends=$(cat "$example/legends" 2>/dev/null || echo "RTKTest RxA RxB")
echo "Running: ambiscan $legends   (in $out)"
(cd "$out" && "$root/build-release/ambiscan" $legends)
echo
echo "Outputs are in $out:"
ls -1 "$out"
echo
echo "Report: $out/report.html"
