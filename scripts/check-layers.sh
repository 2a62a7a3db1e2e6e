#!/usr/bin/env bash
# The build gives each library only its own folders and the faces of the layers below it, so an
# include against the layers does not compile. Two ways round that the build cannot see:
# - an include by a path relative to the including file ("../analysis/x.hpp", "x.hpp"), which
#   the compiler finds beside the file before it looks at the include paths;
# - a drawing library's header outside the renderer (<cairo/cairo.h>, <png.h> and
#   <fontconfig/fontconfig.h> lie in the system's own include folder).
set -euo pipefail
cd "$(dirname "$0")/.."

failures=0
while IFS= read -r -d '' file; do
  while IFS=: read -r line include; do
    include=${include#*\"}
    include=${include%%\"*}
    if [[ "$include" != */* || "$include" == *..* || "$include" == ./* ]]; then
      echo "$file:$line: includes \"$include\" by a path relative to the file, not from the root"
      failures=$((failures + 1))
    fi
  done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
  case "$file" in platform/render/*) continue ;; esac
  if grep -qE '#[[:space:]]*include[[:space:]]*<(cairo|ft2build|freetype|fontconfig|png)' "$file"; then
    echo "$file: includes a drawing library's header outside platform/render"
    failures=$((failures + 1))
  fi
done < <(find platform plotsupport charts analysis evidence figures report campaign app \
  \( -name '*.hpp' -o -name '*.cpp' \) -print0)

if [ "$failures" -gt 0 ]; then
  echo "check-layers: $failures include(s) the build cannot refuse"
  exit 1
fi
echo "check-layers: every include is from the root, and drawing libraries stay in the renderer"
