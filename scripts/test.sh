#!/usr/bin/env bash
# Builds and runs the whole test suite twice: a normal build with warnings as errors, then a
# build under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# Test-only needs: GoogleTest, and a real browser and PDF tools for the report's tests.
"$root/scripts/install-deps.sh" googletest libgtest-dev libgmock-dev chromium poppler-utils

"$root/scripts/check-layers.sh"

jobs=$(nproc)
for config in "build-test:-DCMAKE_BUILD_TYPE=Debug" \
              "build-asan:-DCMAKE_BUILD_TYPE=Debug -DAMBISCAN_SANITIZE=ON"; do
  dir="$root/${config%%:*}"
  flags="${config#*:}"
  echo "== $(basename "$dir"): configure, build, test"
  cmake -S "$root" -B "$dir" $flags >/dev/null
  cmake --build "$dir" -j"$jobs"
  (cd "$dir" && ctest --output-on-failure -j"$jobs")
done
