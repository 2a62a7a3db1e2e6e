#!/usr/bin/env bash
# Fails when a source file includes a header of a layer above its own, or a drawing library's
# header outside the renderer. The layers, lowest first, and what each may include:
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A allowed=(
  [platform/base]="platform/base"
  [platform/numeric]="platform/base platform/numeric"
  [platform/io]="platform/base platform/io"
  [platform/encoding]="platform/base platform/encoding"
  [platform/graphics]="platform/base platform/numeric platform/graphics"
  [platform/render]="platform/base platform/numeric platform/io platform/graphics platform/render"
  [platform/runtime]="platform/base platform/numeric platform/graphics platform/runtime"
  [plotsupport]="platform/base platform/numeric platform/graphics plotsupport charts"
  [charts]="platform/base platform/numeric platform/graphics charts"
  [analysis]="platform/base platform/numeric platform/io platform/graphics platform/render plotsupport charts analysis"
  [evidence]="platform/base platform/numeric charts analysis evidence"
  [report]="platform/base platform/numeric platform/io platform/encoding platform/graphics platform/render plotsupport charts analysis evidence report app/Version.hpp"
  [campaign]="platform/base platform/numeric platform/io platform/encoding platform/graphics platform/render plotsupport charts analysis evidence report campaign app/Version.hpp"
  [app]="platform plotsupport charts analysis evidence report campaign app"
)

failures=0
for layer in "${!allowed[@]}"; do
  [ -d "$layer" ] || continue
  while IFS= read -r -d '' file; do
    while IFS=: read -r line include; do
      include=${include#*\"}
      include=${include%%\"*}
      ok=0
      for prefix in ${allowed[$layer]}; do
        case "$include" in "$prefix"/*|"$prefix") ok=1 ;; esac
      done
      if [ "$ok" = 0 ]; then
        echo "$file:$line: includes \"$include\", which is above the layer $layer"
        failures=$((failures + 1))
      fi
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
    if [ "$layer" != platform/render ] && grep -qE '#[[:space:]]*include[[:space:]]*<(cairo|ft2build|fontconfig|png)' "$file"; then
      echo "$file: includes a drawing library's header outside platform/render"
      failures=$((failures + 1))
    fi
  done < <(find "$layer" \( -name '*.hpp' -o -name '*.cpp' \) -print0)
done

if [ "$failures" -gt 0 ]; then
  echo "check-layers: $failures include(s) against the direction of the layers"
  exit 1
fi
echo "check-layers: every include follows the layers"
