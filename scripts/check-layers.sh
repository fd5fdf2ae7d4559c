#!/usr/bin/env bash
# Checks that every source file includes only its own floor and the floors
# below it, from the bottom up:
#   base; platform and settings; filelist and printing; app.
# Prints each include that reaches up a floor and fails when there is one.
#
#   scripts/check-layers.sh [SOURCE_DIR]     (default: src beside this script)
set -euo pipefail
src=${1:-$(dirname "$0")/../src}

floor_of() {
    case $1 in
    base) echo 0 ;;
    platform | settings) echo 1 ;;
    filelist | printing) echo 2 ;;
    app) echo 3 ;;
    *) echo "" ;;
    esac
}

status=0
while IFS= read -r -d '' file; do
    relative=${file#"$src"/}
    area=${relative%%/*}
    own=$(floor_of "$area")
    [ -n "$own" ] || continue
    while IFS=: read -r line directive; do
        included=${directive#*\"}
        included=${included%%\"*}
        target=${included%%/*}
        reached=$(floor_of "$target")
        if [ -n "$reached" ] && [ "$reached" -gt "$own" ]; then
            echo "$relative:$line: $area includes $included from the floor above it"
            status=1
        fi
    done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) -print0)
exit $status
