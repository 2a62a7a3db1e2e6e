#!/usr/bin/env bash
# Builds and runs the whole test suite twice (both with warnings as errors): a normal build, then a
# build under AddressSanitizer and UndefinedBehaviorSanitizer. Then the optimised build that users
# get, with the program's own tests (command line, reading, end to end) run against it. Last it
# builds the program alone as the portable build (no x86-specific code) and checks that a run of
# it writes what the normal build writes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# Test-only needs: GoogleTest; a real browser and PDF tools for the report's tests; librsvg2-bin
# and poppler-utils render the SVG and PDF figures the end-to-end tests check.
"$root/scripts/install-deps.sh" googletest libgtest-dev libgmock-dev chromium poppler-utils \
  librsvg2-bin

"$root/scripts/check-layers.sh"

jobs=$(nproc)
for config in "build-test:-DCMAKE_BUILD_TYPE=Debug -DAMBISCAN_WERROR=ON" \
              "build-asan:-DCMAKE_BUILD_TYPE=Debug -DAMBISCAN_WERROR=ON -DAMBISCAN_SANITIZE=ON"; do
  dir="$root/${config%%:*}"
  flags="${config#*:}"
  echo "== $(basename "$dir"): configure, build, test"
  cmake -S "$root" -B "$dir" $flags >/dev/null
  cmake --build "$dir" -j"$jobs"
  (cd "$dir" && ctest --output-on-failure -j"$jobs")
done

# What users run: the Release build, and the tests that run the program against it.
release="$root/build-release"
echo "== $(basename "$release"): configure, build, the program's tests against the optimised build"
cmake -S "$root" -B "$release" -DCMAKE_BUILD_TYPE=Release -DAMBISCAN_WERROR=ON >/dev/null
cmake --build "$release" -j"$jobs" --target app_tests
(cd "$release" && ctest --output-on-failure -j"$jobs" -L '^app_tests$')

# The program only, unoptimised, to keep the check to a couple of minutes.
portable="$root/build-portable"
echo "== $(basename "$portable"): configure, build the program, compare a run with build-test's"
cmake -S "$root" -B "$portable" -DCMAKE_BUILD_TYPE=Debug -DAMBISCAN_WERROR=ON \
  -DAMBISCAN_PORTABLE=ON -DAMBISCAN_TESTS=OFF >/dev/null
cmake --build "$portable" -j"$jobs" --target ambiscan
AMBISCAN_PORTABLE_EXE="$portable/ambiscan" "$root/build-test/tests/app_tests" \
  --gtest_filter='DrawingPaths.ThePortableBuildWritesWhatThisBuildWrites'
