#!/usr/bin/env bash
# Fails when an engine file includes a folder above its own on the ladder, or sits in a folder the
# ladder does not name. usage: check_engine_ladder.sh ENGINE_DIR [ARCHITECTURE_MD]
# With the design document given, its ladder table must name the same folders in the same order.
set -euo pipefail
engine=${1:?usage: check_engine_ladder.sh ENGINE_DIR [ARCHITECTURE_MD]}
docs=${2:-}

# The ladder, from the ground up (docs/architecture.md shows the same table). A folder may include
# its own files and those of any folder below it.
ladder=(world forces movement combat logistics players view orders turn)

rank() {
    local i
    for i in "${!ladder[@]}"; do
        [ "${ladder[$i]}" = "$1" ] && { echo "$i"; return; }
    done
    echo -1
}

faults=0
while IFS= read -r file; do
    rel=${file#"$engine"/}
    folder=${rel%%/*}
    if [ "$folder" = "$rel" ]; then
        continue  # engine/CMakeLists.txt
    fi
    own=$(rank "$folder")
    if [ "$own" -lt 0 ]; then
        echo "engine/$rel: folder $folder is not on the ladder"
        faults=$((faults + 1))
        continue
    fi
    while IFS= read -r included; do
        target=${included%%/*}
        other=$(rank "$target")
        if [ "$other" -gt "$own" ] || [ "$other" -lt 0 ]; then
            echo "engine/$rel includes engine/$included: $target is above $folder"
            faults=$((faults + 1))
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]engine\/\([^">]*\)[">].*/\1/p' "$file")
done < <(find "$engine" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

if [ -n "$docs" ]; then
    # The rows of the table under the ladder's heading, first column only: | `world/` | ...
    written=$(sed -n '/^## The engine'"'"'s ladder/,/^## /s/^| `\([a-z]*\)\/` |.*/\1/p' "$docs" | tr '\n' ' ')
    if [ "$written" != "${ladder[*]} " ]; then
        echo "$docs shows the ladder as: $written; this check holds: ${ladder[*]}"
        faults=$((faults + 1))
    fi
fi

if [ "$faults" -gt 0 ]; then
    echo "$faults fault(s) against the engine's ladder: ${ladder[*]}"
    exit 1
fi
echo "The engine keeps its ladder: ${ladder[*]}"
