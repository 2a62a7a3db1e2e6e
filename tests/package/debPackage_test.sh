#!/usr/bin/env bash
# Makes the Debian package, unpacks it into a temporary folder (no system install) and runs the
# unpacked program on an example: the package holds a working program, its man page and its
# declared run-time needs.
# Usage: debPackage_test.sh BUILD_DIR SOURCE_DIR CPACK VERSION
set -euo pipefail
build=$1 source=$2 cpack=$3 version=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg" >/dev/null
deb="$work/pkg/ambiscan_${version}_amd64.deb"
[ -f "$deb" ] || fail "no $deb: $(ls "$work/pkg")"

depends=$(dpkg-deb -f "$deb" Depends)
for need in libcairo2 fonts-liberation2 fonts-dejavu-core; do
  [[ "$depends" == *"$need"* ]] || fail "Depends lacks $need: $depends"
done

dpkg-deb -x "$deb" "$work/root"
exe="$work/root/usr/bin/ambiscan"
[ -x "$exe" ] || fail "no usr/bin/ambiscan in the package"
[ -f "$work/root/usr/share/man/man1/ambiscan.1" ] || fail "no man page in the package"
[ "$("$exe" --version)" = "ambiscan $version" ] || fail "--version: $("$exe" --version)"

mkdir "$work/run"
"$exe" -q -i "$source/examples/two-receivers-midnight/inits.txt" -o "$work/run/out" \
  RTKTest RxA RxB >"$work/stdout" || fail "the unpacked program failed"
[ ! -s "$work/stdout" ] || fail "-q still printed: $(cat "$work/stdout")"
for f in stats.csv InitTimeCDF.png RxA_PosData.png RxB_ENU_Hist.png; do
  [ -s "$work/run/out/$f" ] || fail "the run wrote no $f"
done
echo "ok: $deb"
