#!/usr/bin/env bash
# Builds the fuzz targets with clang (in build-fuzz/) and runs each for SECONDS, one after the
# other, each on a working copy of its corpus. Stops at the first finding, with the crashing
# input kept in build-fuzz/findings/.
# Usage: scripts/fuzz.sh SECONDS [target ...]   (targets: readInits analysis hugeToken decimal
#                                            results)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:?usage: scripts/fuzz.sh SECONDS [target ...]}
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(readInits analysis hugeToken decimal results)

"$root/scripts/install-deps.sh" clang libclang-rt-14-dev
build="$root/build-fuzz"
CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DAMBISCAN_FUZZ=ON \
    -DAMBISCAN_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/fuzz_}"

# The font library's caches are not the program's to free (see the suppressions file).
export LSAN_OPTIONS="suppressions=$root/tests/support/lsan.supp"
# Undefined behaviour is a finding too: stop there, so that the input is kept.
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
mkdir -p "$build/findings"
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  options=(-max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build/findings/$target-")
  case $target in
    analysis | results) options+=(-max_len=1024) ;;
    # Each input grows to 64 MiB inside the target: room for the copies a run holds.
    hugeToken) options+=(-max_len=256 -rss_limit_mb=4096 -malloc_limit_mb=4096 -timeout=120) ;;
  esac
  echo "== fuzz_$target for $seconds s"
  "$build/fuzz/fuzz_$target" "${options[@]}" "$corpus" "$root/fuzz/corpus/$target"
done
